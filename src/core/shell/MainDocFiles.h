// CMainDocFiles: the application's New, Open, Save and shutdown carried out by the project
// document.
#pragma once

#include "shell/DocumentFiles.h"
#include "shell/MainDoc.h"

// Borrows the document, which must outlive it.
class CMainDocFiles : public CDocumentFiles {
public:
    explicit CMainDocFiles(CMainDoc& doc) : m_doc(doc) {}

    void DeleteContents() override { m_doc.DeleteContents(); }
    bool OnNewDocument() override { return m_doc.OnNewDocument(); }
    bool OnOpenDocument(const std::string& path) override { return m_doc.OnOpenDocument(path); }
    bool OnSaveDocument(const std::string& path) override { return m_doc.OnSaveDocument(path); }

private:
    CMainDoc& m_doc;
};
