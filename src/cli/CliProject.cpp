#include "CliProject.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/TransmissionReader.h"
#include "framework/Archive.h"
#include "framework/ArchiveException.h"
#include "framework/Clock.h"
#include "framework/FileException.h"
#include "framework/SafeFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <new>

namespace {
constexpr const char* kRawSessionName = "Session1";

std::string_view CodePageOf(const CMainDoc& doc) {
    return doc.GetAnsiCodePage().empty() ? CCodePage::kDefault
                                         : std::string_view(doc.GetAnsiCodePage());
}
} // namespace

std::string CliExceptionReason(const CException& error) {
    if (dynamic_cast<const CArchiveException*>(&error)) {
        switch (error.GetCause()) {
        case CArchiveException::endOfFile:
            return "truncated project file";
        case CArchiveException::badSchema:
            return "unsupported file version or class schema";
        case CArchiveException::badClass:
        case CArchiveException::badIndex:
            return "unexpected file format";
        default:
            return "not a valid project file";
        }
    }
    switch (error.GetCause()) {
    case CFileException::fileNotFound:
        return "no such file";
    case CFileException::badPath:
        return "invalid path";
    case CFileException::accessDenied:
        return "access denied";
    case CFileException::diskFull:
        return "disk full";
    case CFileException::hardIO:
        return "input/output error";
    case CFileException::endOfFile:
        return "empty file";
    default:
        return "cannot access the file";
    }
}

namespace {
// The read loop reports "PATH could not be opened." and the like: the part after the path.
std::string ReasonFromMessage(const std::string& path, std::string message) {
    if (message.starts_with(path + " "))
        message.erase(0, path.size() + 1);
    while (!message.empty() && (message.back() == '.' || message.back() == '\n'))
        message.pop_back();
    return message;
}

void ApplyFormulas(CDataBlock& flight, const CliFlightSettings& settings) {
    if (settings.pressureFormula)
        flight.SetPressureFormula(*settings.pressureFormula);
    if (settings.altitudeFormula)
        flight.SetAltitudeFormula(*settings.altitudeFormula);
}
} // namespace

void ReportCliFileError(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "kubo-cli: %s: %s\n", path.c_str(), reason.c_str());
}

CCliProject::CCliProject() : m_doc(&m_ui, nullptr) {}

bool CCliProject::IsProjectPath(const std::string& path) {
    constexpr std::string_view kExtension = ".qlg";
    if (path.size() < kExtension.size())
        return false;
    return std::equal(kExtension.begin(), kExtension.end(), path.end() - 4, [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
    });
}

bool CCliProject::Load(const std::string& path, const CliFlightSettings& settings) {
    return IsProjectPath(path) ? LoadProject(path, settings) : LoadRawText(path, settings);
}

bool CCliProject::LoadProject(const std::string& path, const CliFlightSettings& settings) {
    try {
        std::unique_ptr<CArchiveInput> input = m_doc.GetFileForLoad(path);
        CArchive ar(*input, path, CodePageOf(m_doc));
        m_doc.Serialize(ar);
    } catch (const CException& error) {
        ReportCliFileError(path, CliExceptionReason(error));
        return false;
    } catch (const std::bad_alloc&) {
        ReportCliFileError(path, "out of memory");
        return false;
    }
    for (CDataBlock* flight : Flights())
        ApplyFormulas(*flight, settings);
    return true;
}

bool CCliProject::LoadRawText(const std::string& path, const CliFlightSettings& settings) {
    if (settings.pressureFormula)
        m_doc.SetDefaultPressureFormula(*settings.pressureFormula);
    if (settings.altitudeFormula)
        m_doc.SetDefaultAltitudeFormula(*settings.altitudeFormula);

    auto session = std::make_unique<CDataModule>(&m_doc);
    session->SetName(kRawSessionName, false, nullptr);
    m_ui.SetCurrentFile(path);
    m_ui.ClearLastMessage();
    SteadyClock clock;
    CTransmissionReader reader(*session, m_ui, clock);
    if (settings.date)
        reader.SetDateSource([date = *settings.date] { return date; });
    const bool keep = reader.ImportRawText(path);
    if (!keep || session->GetFlights().GetCount() == 0) {
        const std::string& message = m_ui.GetLastMessage();
        ReportCliFileError(path, message.empty() ? std::string("no flight decoded")
                                                 : ReasonFromMessage(path, message));
        return false;
    }
    m_doc.GetSessions().AddTail(std::move(session));
    return true;
}

bool CCliProject::Save(const std::string& path) {
    try {
        std::unique_ptr<CSafeFile> file = m_doc.GetFileForSave(path);
        {
            CArchive ar(*file, path, CodePageOf(m_doc));
            m_doc.Serialize(ar);
            ar.Flush();
        }
        file->Commit();
    } catch (const CException& error) {
        ReportCliFileError(path, CliExceptionReason(error));
        return false;
    }
    return true;
}

std::vector<CDataBlock*> CCliProject::Flights() const {
    std::vector<CDataBlock*> flights;
    for (const CDataModule* session : m_doc.GetSessions())
        for (CDataBlock* flight : session->GetFlights())
            flights.push_back(flight);
    return flights;
}
