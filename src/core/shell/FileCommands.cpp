#include "shell/FileCommands.h"

#include "framework/CommandIds.h"
#include "framework/Document.h"
#include "framework/Exception.h"
#include "framework/FileInput.h"
#include "framework/FilePath.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/UiServices.h"
#include "shell/DocumentFiles.h"
#include "shell/FilePrompts.h"

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {
// Why path cannot be opened for reading, in the core's words (empty when it has none to
// give); nullopt when it can be. Only files, folders and missing paths are tried: opening a
// pipe or a device could wait forever.
std::optional<std::string> OpenFailure(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::is_regular_file(status) && !fs::is_directory(status) && fs::exists(status))
        return std::string();
    try {
        const CFileInput probe(PathToUtf8(path));
    } catch (const CException& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}
} // namespace

CFileCommands::CFileCommands(CDocument& doc, CDocumentFiles& files) : m_doc(doc), m_files(files) {}

bool CFileCommands::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    static const CommandEntry<CFileCommands> map[] = {
        {cmd::FileNew, cmd::FileNew, &CFileCommands::OnFileNew, nullptr},
        {cmd::FileOpen, cmd::FileOpen, &CFileCommands::OnFileOpen, nullptr},
        {cmd::FileSave, cmd::FileSave, &CFileCommands::OnFileSave, nullptr},
        {cmd::FileSaveAs, cmd::FileSaveAs, &CFileCommands::OnFileSaveAs, nullptr},
    };
    return RouteCommand(*this, map, nID, pCmdUI);
}

void CFileCommands::SetDocumentPath(const std::string& path) {
    m_doc.SetPathName(path);
    m_doc.SetTitle(path.empty() ? DocTemplateField(2) : PathToUtf8(PathFromUtf8(path).filename()));
    if (m_pathListener)
        m_pathListener(path);
}

bool CFileCommands::NewDocument() {
    if (!m_files.OnNewDocument())
        return false;
    m_doc.SetModifiedFlag(false);
    SetDocumentPath({});
    m_doc.SendInitialUpdate();
    return true;
}

bool CFileCommands::SaveModified() {
    if (!m_doc.IsModified())
        return true;
    CUiServices* ui = m_doc.GetUi();
    if (!ui)
        return false;
    const std::string name = m_doc.GetPathName().empty() ? m_doc.GetTitle() : m_doc.GetPathName();
    switch (ui->MessageBox(FormatString1(str::AskToSave, name), MsgButtons::YesNoCancel,
                           MsgIcon::Question)) {
    case MsgResult::Yes:
        return DoSave(false);
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

bool CFileCommands::DoSave(bool saveAs) {
    std::string path = m_doc.GetPathName();
    if (saveAs || path.empty()) {
        CUiServices* ui = m_doc.GetUi();
        const FilePrompt prompt = ProjectFilePrompt();
        const std::string proposed =
            path.empty() ? m_doc.GetTitle() + prompt.defaultExtension : path;
        const std::optional<std::string> chosen =
            ui ? ui->PromptSaveFile(prompt, proposed) : std::nullopt;
        if (!chosen || chosen->empty())
            return false;
        path = *chosen;
        if (!PathFromUtf8(path).has_extension())
            path += prompt.defaultExtension;
    }
    if (!m_files.OnSaveDocument(path))
        return false;
    m_doc.SetModifiedFlag(false);
    std::error_code ec;
    const fs::path absolute = fs::absolute(PathFromUtf8(path), ec);
    SetDocumentPath(ec ? path : PathToUtf8(absolute));
    return true;
}

bool CFileCommands::OpenDocumentFile(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(PathFromUtf8(path), ec);
    if (ec)
        absolute = PathFromUtf8(path);
    if (const std::optional<std::string> failure = OpenFailure(absolute)) {
        std::string text = FormatString1(str::FailedToOpenDocument,
                                         PathToUtf8(PathFromUtf8(path).make_preferred()));
        if (!failure->empty())
            text += "\n" + *failure;
        if (CUiServices* ui = m_doc.GetUi())
            (void)ui->MessageBox(text, MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    if (!SaveModified())
        return false;
    if (!m_files.OnOpenDocument(PathToUtf8(absolute))) {
        // The document may have been emptied before the failure: start afresh rather than
        // leave a half-read project under the old name.
        (void)NewDocument();
        return false;
    }
    m_doc.SetModifiedFlag(false);
    SetDocumentPath(PathToUtf8(absolute));
    m_doc.SendInitialUpdate();
    return true;
}

void CFileCommands::OnFileNew(unsigned) {
    if (SaveModified())
        (void)NewDocument();
}

void CFileCommands::OnFileOpen(unsigned) {
    CUiServices* ui = m_doc.GetUi();
    if (!ui)
        return;
    if (const std::optional<std::string> path = ui->PromptOpenFile(ProjectFilePrompt()))
        (void)OpenDocumentFile(*path);
}

void CFileCommands::OnFileSave(unsigned) {
    (void)DoSave(false);
}

void CFileCommands::OnFileSaveAs(unsigned) {
    (void)DoSave(true);
}
