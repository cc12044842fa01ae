#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/RecordDocument.h"
#include "framework/Archive.h"

void CDataModule::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteObject(nullptr); // a session has no parent item
        ar.WriteString(m_strName);
        const auto comments = m_comments.Data();
        if (comments.size() > 0xFFFFFFFFu)
            ar.Fail(CArchiveException::genericException);
        ar.WriteU32(static_cast<std::uint32_t>(comments.size()));
        ar.WriteBytes(comments);
        ar.WriteList(m_flights);
        return;
    }
    // Sessions are top-level items: whatever the file names as parent is not kept.
    (void)ar.ReadReference<CViewTreeItem>();
    m_strName = ar.ReadString();
    const std::uint32_t length = ar.ReadU32();
    ar.RequireBytes(length);
    std::vector<std::uint8_t> comments(length);
    ar.ReadBytes(comments);
    m_comments.Assign(comments);
    m_pDocument = DynamicDowncast<CRecordDocument>(ar.GetDocument());
    ar.ReadList<CDataBlock>(
        [this](std::unique_ptr<CDataBlock> flight) { AppendFlight(std::move(flight)); });
}
