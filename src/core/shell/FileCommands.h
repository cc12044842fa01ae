// CFileCommands: New, Open, Save, Save As and the "save changes?" question of the project.
#pragma once

#include "framework/CmdTarget.h"

#include <functional>
#include <string>

class CDocument;
class CDocumentFiles;

// Carries out the application's file commands on a document and its file side, asking the user
// through the document's CUiServices (without one every question is cancelled). The document
// keeps the path (absolute) and the title (the file name, or the template's new-document name).
class CFileCommands : public CCmdTarget {
public:
    // Told after the project's path changed: the file opened or saved, or empty after New.
    using PathListener = std::function<void(const std::string& path)>;

    // doc and files are not owned and must outlive this object.
    CFileCommands(CDocument& doc, CDocumentFiles& files);

    void SetPathListener(PathListener listener) { m_pathListener = std::move(listener); }

    // cmd::FileNew, FileOpen, FileSave and FileSaveAs, always enabled.
    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // An empty untitled project, without asking; views get their initial update. False when the
    // file side failed.
    bool NewDocument();
    // Opens the project file at path after the save-changes question. A path that is not a
    // readable file is reported and nothing changes; a file that cannot be read leaves a new
    // project. Views get their initial update. False when it was not opened.
    bool OpenDocumentFile(const std::string& path);
    // The save-changes question for a modified project: false when the user cancelled or the
    // save failed, so the caller must not go on.
    [[nodiscard]] bool SaveModified();
    // Saves under the document's path, or asks for one (the default extension added when the
    // name has none) when it has none or saveAs is set. False when cancelled or failed; the
    // project then stays modified.
    bool DoSave(bool saveAs);

private:
    void OnFileNew(unsigned id);
    void OnFileOpen(unsigned id);
    void OnFileSave(unsigned id);
    void OnFileSaveAs(unsigned id);
    void SetDocumentPath(const std::string& path);

    CDocument& m_doc;
    CDocumentFiles& m_files;
    PathListener m_pathListener;
};
