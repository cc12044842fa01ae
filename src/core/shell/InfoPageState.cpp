#include "shell/InfoPageState.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Hints.h"
#include "framework/UiServices.h"
#include "shell/CommentsEditor.h"
#include "shell/MainDoc.h"

#include <string>

bool InfoPageState::OnUpdate(CMainDoc& doc, long hint, CObject* object) {
    switch (hint) {
    case HINT_CLEAR:
        m_pCurrentFlight = nullptr;
        m_pCurrentSession = nullptr;
        m_pLoadedSession = nullptr;
        return true;
    case HINT_SETTINGS:
        return true;
    case HINT_SAVE:
        if (m_pCurrentSession && m_pCurrentSession == m_pLoadedSession)
            Store(doc, m_pCurrentSession);
        return false;
    case HINT_FLIGHT_REMOVING:
        if (object && DynamicDowncast<CDataBlock>(object) == m_pCurrentFlight)
            m_pCurrentFlight = nullptr;
        return true;
    case HINT_SESSION_REMOVING: {
        auto* session = DynamicDowncast<CDataModule>(object);
        if (!session)
            return true;
        if (session == m_pCurrentSession)
            m_pCurrentSession = nullptr;
        if (session == m_pLoadedSession)
            m_pLoadedSession = nullptr;
        // The session takes its flights with it; the page must not show a destroyed flight.
        if (m_pCurrentFlight && m_pCurrentFlight->GetSession() == session)
            m_pCurrentFlight = nullptr;
        return true;
    }
    case HINT_SELECTION:
        SwitchTo(doc, object);
        return true;
    default:
        return false;
    }
}

void InfoPageState::SwitchTo(CMainDoc& doc, CObject* object) {
    auto* item = DynamicDowncast<CViewTreeItem>(object);
    m_pCurrentFlight = DynamicDowncast<CDataBlock>(item);
    m_pCurrentSession = item ? item->GetSession() : nullptr;
    if (m_pLoadedSession && m_pLoadedSession != m_pCurrentSession)
        Store(doc, m_pLoadedSession);
}

void InfoPageState::Store(CDocument& doc, CDataModule* session) {
    if (!m_editor.IsModified())
        return;
    doc.SetModifiedFlag(true);
    m_editor.StreamComments(true, session->GetComments());
}

InfoPageFields InfoPageState::Refresh(const CMainDoc& doc) {
    InfoPageFields fields;
    fields.commentsEnabled = m_pCurrentSession != nullptr;
    m_editor.EnableComments(fields.commentsEnabled);
    if (m_pCurrentSession && m_pCurrentSession != m_pLoadedSession)
        m_editor.StreamComments(false, m_pCurrentSession->GetComments());
    m_pLoadedSession = m_pCurrentSession;

    if (const CDataBlock* flight = m_pCurrentFlight) {
        fields.flightEnabled = true;
        fields.date = flight->GetDate();
        fields.sampleRate = std::to_string(flight->GetSampleRate());
        fields.version = std::to_string(flight->GetVersion());
        fields.flightTime = flight->GetDurationText();
        fields.maxAltitude = doc.FormatAltitude(flight->GetMaxAltitude());
    }
    return fields;
}

void InfoPageState::OnCommentsModified(CDocument& doc) const {
    if (m_pLoadedSession)
        doc.SetModifiedFlag(true);
}

bool InfoPageState::EditFormulas(CMainDoc& doc, CView* sender) {
    CDataBlock* flight = m_pCurrentFlight;
    CUiServices* ui = doc.GetUi();
    if (!flight || !ui)
        return false;
    std::string pressure = flight->GetPressureFormula();
    std::string altitude = flight->GetAltitudeFormula();
    if (!ui->EditFlightFormulas(pressure, altitude))
        return false;
    if (pressure != flight->GetPressureFormula() || altitude != flight->GetAltitudeFormula())
        doc.SetModifiedFlag(true);
    flight->SetPressureFormula(std::move(pressure));
    flight->SetAltitudeFormula(std::move(altitude));
    flight->InvalidateDerived();
    doc.UpdateAllViews(sender, HINT_FLIGHT_CHANGED, flight);
    if (flight->IsShown())
        doc.UpdateAllViews(sender, HINT_GRAPH_DATA);
    return true;
}
