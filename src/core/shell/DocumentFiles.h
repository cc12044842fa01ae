// CDocumentFiles: what the application asks of the project document to start, open and save.
#pragma once

#include <string>

// The document's side of New, Open, Save and shutdown. The application does the rest: the
// save-changes question, file prompts, path and title, the modified flag, the recent-file list
// and the initial update of the views.
class CDocumentFiles {
public:
    virtual ~CDocumentFiles() = default;

    // Empties the project (the views are told with the clear hint first).
    virtual void DeleteContents() = 0;
    // Makes the project empty for a new one; false when that failed.
    [[nodiscard]] virtual bool OnNewDocument() = 0;
    // Replaces the project by the file's; false (after telling the user) when it cannot be read.
    [[nodiscard]] virtual bool OnOpenDocument(const std::string& path) = 0;
    // Writes the project to path; false (after telling the user) when it cannot be written.
    [[nodiscard]] virtual bool OnSaveDocument(const std::string& path) = 0;
};
