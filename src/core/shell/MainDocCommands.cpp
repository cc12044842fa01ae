// The document's commands: device read, empty session, Options, and the two imports.
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/TransmissionReader.h"
#include "framework/Clock.h"
#include "framework/CommandIds.h"
#include "framework/UiServices.h"
#include "shell/FilePrompts.h"
#include "shell/MainDoc.h"

namespace {

Clock& ProcessClock() {
    static SteadyClock clock;
    return clock;
}

} // namespace

bool CMainDoc::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    static const CommandEntry<CMainDoc> map[] = {
        {cmd::DataReadData, cmd::DataReadData, &CMainDoc::OnDataReadData, nullptr},
        {cmd::DataInsertSession, cmd::DataInsertSession, &CMainDoc::OnDataInsertEmptySession,
         nullptr},
        {cmd::DataSettings, cmd::DataSettings, &CMainDoc::OnDataSettings, nullptr},
        {cmd::ImportProject, cmd::ImportProject, &CMainDoc::OnFileImportProject, nullptr},
        {cmd::ImportRawText, cmd::ImportRawText, &CMainDoc::OnFileImportRawText, nullptr},
    };
    return RouteCommand(*this, map, nID, pCmdUI) || CDocument::OnCmdMsg(nID, pCmdUI);
}

std::string CMainDoc::PortDevice(std::uint32_t portIndex, const std::string& portName) {
#ifdef _WIN32
    (void)portName;
    return CTransmissionReader::PortDeviceName(static_cast<int>(portIndex));
#else
    if (!portName.empty())
        return portName;
    return "/dev/ttyS" + std::to_string(portIndex);
#endif
}

void CMainDoc::SetClock(Clock* clock) {
    m_pClock = clock;
}

void CMainDoc::AppendSession(std::unique_ptr<CDataModule> session) {
    CDataModule* added = session.get();
    m_sessions.AddTail(std::move(session));
    UpdateAllViews(nullptr, HINT_SESSION_ADDED, added);
}

void CMainDoc::OnDataReadData(unsigned) {
    CUiServices* ui = GetUi();
    if (!ui)
        return;
    // The session belongs to this document while it is read, so that its flights take the
    // document's formulas; it is only listed when the user keeps the data.
    auto session = std::make_unique<CDataModule>(this);
    CTransmissionReader reader(*session, *ui, m_pClock ? *m_pClock : ProcessClock());
    const std::string device = GetPortDevice();
    const PortOpener open = [&] { return ui->OpenSerialPort(device, m_portSetup, m_timeouts); };
    bool separate = false;
    if (!reader.ReadFromPort(open, &separate))
        return;
    AppendReadSession(std::move(session), separate);
}

void CMainDoc::AppendReadSession(std::unique_ptr<CDataModule> session, bool separate) {
    SetModifiedFlag(true);
    if (!separate) {
        AppendSession(std::move(session));
        return;
    }
    CDataModule* first = session.get();
    m_sessions.AddTail(std::move(session));
    // Flight 2, 3, ... each go to a session of their own, in the order they were read.
    while (first->GetFlights().GetCount() > 1) {
        auto next = std::make_unique<CDataModule>(this);
        (void)next->MoveFlight(first->GetFlights().GetAt(1), nullptr, false, nullptr);
        m_sessions.AddTail(std::move(next));
    }
    UpdateAllViews(nullptr, HINT_REBUILD);
}

void CMainDoc::OnDataInsertEmptySession(unsigned) {
    // A change like any other: closing right after must ask before dropping the session.
    SetModifiedFlag(true);
    AppendSession(std::make_unique<CDataModule>(this));
}

void CMainDoc::OnDataSettings(unsigned) {
    CUiServices* ui = GetUi();
    if (!ui)
        return;
    DocumentSettings settings;
    settings.altitudeFormula = m_strDefaultAltitudeFormula;
    settings.pressureFormula = m_strDefaultPressureFormula;
    settings.portIndex = m_nPortIndex;
    settings.portName = m_strPortName;
    settings.showFeet = m_nShowFeet;
    settings.portSetup = m_portSetup;
    settings.saveAsDefault = true;
    // The dialog works on the copy: a cancelled run leaves nothing behind, whatever it edited.
    if (!ui->EditSettings(settings))
        return;

    m_strDefaultAltitudeFormula = std::move(settings.altitudeFormula);
    m_strDefaultPressureFormula = std::move(settings.pressureFormula);
    m_nShowFeet = settings.showFeet;
    m_nPortIndex = settings.portIndex;
    m_strPortName = std::move(settings.portName);
    m_portSetup = settings.portSetup;
    if (settings.saveAsDefault && m_pRegistry)
        (void)SaveSettings(*m_pRegistry); // a registry failure is silent by design
    UpdateAllViews(nullptr, HINT_SETTINGS);
}

void CMainDoc::OnFileImportProject(unsigned) {
    CUiServices* ui = GetUi();
    if (!ui)
        return;
    const std::optional<std::string> path = ui->PromptOpenFile(ProjectFilePrompt());
    if (!path)
        return;
    // The file is read by a document of its own, which reports any failure; only its sessions
    // come over, its user calculations and chart settings are dropped with it.
    CMainDoc imported(ui, m_pRegistry);
    if (!imported.OnOpenDocument(*path))
        return;
    for (CDataModule* session : imported.m_sessions) {
        session->SetDocument(this);
        m_sessions.AddTail(session);
    }
    imported.m_sessions.RemoveAll();
    // The project now holds sessions that no file does: closing must not drop them silently.
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, HINT_REBUILD);
}

void CMainDoc::OnFileImportRawText(unsigned) {
    CUiServices* ui = GetUi();
    if (!ui)
        return;
    const std::optional<std::string> path = ui->PromptOpenFile(TextFilePrompt());
    if (!path)
        return;
    auto session = std::make_unique<CDataModule>(this);
    CTransmissionReader reader(*session, *ui, m_pClock ? *m_pClock : ProcessClock());
    bool separate = false;
    if (!reader.ImportRawText(*path, &separate))
        return; // the import has reported why; the session goes with its flights
    AppendReadSession(std::move(session), separate);
}
