#include "data/DataModule.h"
#include "framework/Archive.h"
#include "framework/ArchiveException.h"
#include "framework/FileException.h"
#include "framework/FileInput.h"
#include "framework/FilePath.h"
#include "framework/Refusal.h"
#include "framework/SafeFile.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/UiServices.h"
#include "shell/MainDoc.h"

#include <filesystem>
#include <new>

namespace fs = std::filesystem;

// Everything a project file holds, read completely before the document takes any of it.
struct CMainDoc::LoadedProject {
    std::vector<std::uint8_t> chartState;
    bool hasUserCalculations = false;
    std::string userFormula1, userTitle1, userFormula2, userTitle2;
    CObListEx<CDataModule> sessions{true};
};

CMainDoc::LoadedProject CMainDoc::ReadProject(CArchive& ar) {
    ar.SetDocument(this);
    const std::uint16_t version = ar.ReadU16();
    if (version < 1 || version > kFileVersion)
        ar.Fail(CArchiveException::badSchema);
    ar.SetFileVersion(version);
    LoadedProject project;
    project.chartState = ar.ReadByteBlock();
    if (version >= 6) {
        project.hasUserCalculations = true;
        project.userFormula1 = ar.ReadString();
        project.userTitle1 = ar.ReadString();
        project.userFormula2 = ar.ReadString();
        project.userTitle2 = ar.ReadString();
    }
    ar.ReadList<CDataModule>([&](std::unique_ptr<CDataModule> session) {
        session->SetDocument(this);
        project.sessions.AddTail(std::move(session));
    });
    return project;
}

void CMainDoc::Adopt(LoadedProject& project) {
    m_chartState.SetData(std::move(project.chartState));
    if (m_pChartLink)
        m_pChartLink->ImportChartState(m_chartState.GetData());
    if (project.hasUserCalculations) {
        m_strUserFormula1 = std::move(project.userFormula1);
        m_strUserTitle1 = std::move(project.userTitle1);
        m_strUserFormula2 = std::move(project.userFormula2);
        m_strUserTitle2 = std::move(project.userTitle2);
    }
    for (CDataModule* session : project.sessions)
        m_sessions.AddTail(session);
    project.sessions.RemoveAll();
}

void CMainDoc::Serialize(CArchive& ar) {
    if (ar.IsLoading()) {
        LoadedProject project = ReadProject(ar);
        Adopt(project);
        return;
    }
    ar.SetDocument(this);
    ar.SetFileVersion(kFileVersion);
    ar.WriteU16(kFileVersion);
    if (m_pChartLink)
        m_chartState.SetData(m_pChartLink->ExportChartState());
    m_chartState.Serialize(ar);
    ar.WriteString(m_strUserFormula1);
    ar.WriteString(m_strUserTitle1);
    ar.WriteString(m_strUserFormula2);
    ar.WriteString(m_strUserTitle2);
    ar.WriteList(m_sessions);
}

std::unique_ptr<CArchiveInput> CMainDoc::GetFileForLoad(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(PathFromUtf8(path), ec);
    if (!ec && size == 0)
        throw CFileException(CFileException::endOfFile, path,
                             FormatString1(str::FileIsEmpty, path));
    return std::make_unique<CFileInput>(path);
}

std::unique_ptr<CSafeFile> CMainDoc::GetFileForSave(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(PathFromUtf8(path), ec);
    if (!ec && fs::is_regular_file(status)) {
        const auto writable =
            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((status.permissions() & writable) == fs::perms::none)
            throw CFileException(CFileException::accessDenied, path);
    }
    return std::make_unique<CSafeFile>(path);
}

void CMainDoc::ReportError(const std::exception& error) const {
    if (CUiServices* ui = GetUi())
        ui->MessageBox(error.what(), MsgButtons::Ok, MsgIcon::Error);
}

void CMainDoc::ReportOutOfMemory(const std::string& path) const {
    if (CUiServices* ui = GetUi())
        ui->MessageBox(RefusalSentence(str::NotEnoughMemoryFor, path), MsgButtons::Ok,
                       MsgIcon::Error);
}

bool CMainDoc::OnOpenDocument(const std::string& path) {
    try {
        std::unique_ptr<CArchiveInput> input = GetFileForLoad(path);
        CArchive ar(*input, path,
                    m_strAnsiCodePage.empty() ? CCodePage::kDefault
                                              : std::string_view(m_strAnsiCodePage));
        LoadedProject project = ReadProject(ar);
        DeleteContents();
        Adopt(project);
    } catch (const CArchiveException& error) {
        // What the archive found, after what it means to the user.
        if (CUiServices* ui = GetUi())
            ui->MessageBox(FormatString1(str::NotAProject, path) + "\n" + error.what(),
                           MsgButtons::Ok, MsgIcon::Error);
        return false;
    } catch (const CException& error) {
        ReportError(error);
        return false;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(path);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CMainDoc::OnSaveDocument(const std::string& path) {
    UpdateAllViews(nullptr, HINT_SAVE);
    try {
        std::unique_ptr<CSafeFile> file = GetFileForSave(path);
        {
            CArchive ar(*file, path,
                        m_strAnsiCodePage.empty() ? CCodePage::kDefault
                                                  : std::string_view(m_strAnsiCodePage));
            Serialize(ar);
            ar.Flush();
        }
        file->Commit();
    } catch (const CException& error) {
        ReportError(error);
        return false;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(path);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}
