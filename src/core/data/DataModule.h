// CDataModule: a session, a named group of flights with rich-text comments.
#pragma once

#include "data/ViewTreeItem.h"
#include "framework/MemFile.h"
#include "framework/ObListEx.h"

#include <string>

class CDataBlock;
class CRecordDocument;

class CDataModule : public CViewTreeItem {
    KUBO_DECLARE_SERIAL(CDataModule)
public:
    // Every construction advances the process-wide session counter and names the session
    // "Session<counter>" (the loader's sessions too, before their stored name replaces it).
    // doc: the owning document, not owned; null while a project file is being loaded.
    explicit CDataModule(CRecordDocument* doc = nullptr);
    ~CDataModule() override;

    // The session record of the project file; loading takes the archive's document as owner.
    void Serialize(CArchive& ar) override;

    [[nodiscard]] std::string GetName() const override { return m_strName; }
    [[nodiscard]] int GetItemType() const override { return kSession; }
    // HINT_SESSION_CHANGED with this session when update.
    void SetName(const std::string& name, bool update, CView* sender) override;

    [[nodiscard]] CRecordDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CRecordDocument* doc) { m_pDocument = doc; }

    // The flights in tree order; the list owns them.
    [[nodiscard]] const CObListEx<CDataBlock>& GetFlights() const { return m_flights; }
    [[nodiscard]] CObListEx<CDataBlock>& GetFlights() { return m_flights; }
    // Appends a flight made for this session (decoder, loader) and makes this its parent.
    void AppendFlight(std::unique_ptr<CDataBlock> flight);

    // Takes flight out of this session. False (and nothing changed, no hints, no modified
    // mark) when it is not here. With update: HINT_FLIGHT_REMOVING before and HINT_FLIGHT_REMOVED
    // after, with the flight. With deleteFlight the flight is destroyed afterwards; else the caller
    // owns it.
    bool RemoveFlight(CDataBlock* flight, bool deleteFlight, bool update, CView* sender);

    // Moves flight (from this or another session) into this session: at the head when after is
    // this session, right after `after` when that is a flight of this session, else at the
    // tail. Nothing happens when flight == after. With update: HINT_FLIGHT_MOVING before,
    // HINT_FLIGHT_MOVED after.
    bool MoveFlight(CDataBlock* flight, CViewTreeItem* after, bool update, CView* sender);

    // The rich-text comments exactly as the comments editor saved them.
    [[nodiscard]] CMemFile& GetComments() { return m_comments; }
    [[nodiscard]] const CMemFile& GetComments() const { return m_comments; }

    // The value of the session counter (the number in the most recent default name).
    [[nodiscard]] static int GetSessionCounter();

private:
    void MarkModified() const;

    CRecordDocument* m_pDocument;
    std::string m_strName;
    CMemFile m_comments{65536};
    CObListEx<CDataBlock> m_flights{true};
};
