#include "data/DataModule.h"

#include "data/DataBlock.h"
#include "data/RecordDocument.h"
#include "framework/StringTable.h"

KUBO_IMPLEMENT_SERIAL(CDataModule, CViewTreeItem, 0)

namespace {
int& SessionCounter() {
    static int counter = 0;
    return counter;
}
} // namespace

int CDataModule::GetSessionCounter() {
    return SessionCounter();
}

CDataModule::CDataModule(CRecordDocument* doc)
    : CViewTreeItem(nullptr), m_pDocument(doc),
      m_strName("Session" + std::to_string(++SessionCounter())) {}

CDataModule::~CDataModule() = default;

void CDataModule::MarkModified() const {
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

void CDataModule::SetName(const std::string& name, bool update, CView* sender) {
    m_strName = name;
    if (update && m_pDocument)
        m_pDocument->UpdateAllViews(sender, HINT_SESSION_CHANGED, this);
    MarkModified();
}

void CDataModule::AppendFlight(std::unique_ptr<CDataBlock> flight) {
    flight->SetParent(this);
    m_flights.AddTail(std::move(flight));
}

bool CDataModule::RemoveFlight(CDataBlock* flight, bool deleteFlight, bool update, CView* sender) {
    if (!m_flights.Contains(flight))
        return false;
    if (update && m_pDocument)
        m_pDocument->UpdateAllViews(sender, HINT_FLIGHT_REMOVING, flight);
    m_flights.Remove(flight);
    if (update && m_pDocument)
        m_pDocument->UpdateAllViews(sender, HINT_FLIGHT_REMOVED, flight);
    if (deleteFlight)
        std::unique_ptr<CDataBlock>{flight}.reset();
    MarkModified();
    return true;
}

bool CDataModule::MoveFlight(CDataBlock* flight, CViewTreeItem* after, bool update, CView* sender) {
    if (flight == after)
        return true;
    if (update && m_pDocument)
        m_pDocument->UpdateAllViews(sender, HINT_FLIGHT_MOVING, flight);
    if (CDataModule* from = flight->GetSession())
        (void)from->RemoveFlight(flight, false, false, nullptr);
    const std::ptrdiff_t afterIndex = m_flights.Find(DynamicDowncast<CDataBlock>(after));
    if (after == this)
        m_flights.AddHead(flight);
    else if (after && afterIndex >= 0)
        m_flights.InsertAfter(afterIndex, flight);
    else
        m_flights.AddTail(flight);
    flight->SetParent(this);
    if (update && m_pDocument)
        m_pDocument->UpdateAllViews(sender, HINT_FLIGHT_MOVED, flight);
    return true;
}
