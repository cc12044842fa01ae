#include "data/DataBlock.h"

#include "data/Annotation.h"
#include "data/DataModule.h"
#include "data/RecordDocument.h"

KUBO_IMPLEMENT_SERIAL(CDataBlock, CViewTreeItem, 0)

CDataBlock::CDataBlock(CViewTreeItem* parent) : CViewTreeItem(parent) {}

CDataBlock::~CDataBlock() = default;

CRecordDocument* CDataBlock::GetDocument() const {
    CDataModule* session = GetSession();
    return session ? session->GetDocument() : nullptr;
}

void CDataBlock::MarkModified() const {
    if (CRecordDocument* doc = GetDocument())
        doc->SetModifiedFlag(true);
}

void CDataBlock::SetName(const std::string& name, bool update, CView* sender) {
    m_strName = name;
    if (update)
        if (CRecordDocument* doc = GetDocument())
            doc->UpdateAllViews(sender, HINT_FLIGHT_CHANGED, this);
    MarkModified();
}

bool CDataBlock::SetShown(bool shown, bool update, CView* sender) {
    if (shown == m_bShown)
        return false;
    m_bShown = shown;
    if (update)
        if (CRecordDocument* doc = GetDocument())
            doc->UpdateAllViews(sender, HINT_FLIGHT_CHANGED, this);
    MarkModified();
    return true;
}

float CDataBlock::GetEffectiveTimeOffset() const {
    return (m_bPendingOffset ? m_fPendingTimeOffset : 0.0f) + m_fAppliedTimeOffset;
}

float CDataBlock::GetEffectiveAltitudeOffset() const {
    return (m_bPendingOffset ? m_fPendingAltitudeOffset : 0.0f) + m_fAppliedAltitudeOffset;
}

bool CDataBlock::SetPendingOffset(bool active, float timeOffset, float altitudeOffset) {
    const bool changed = active != m_bPendingOffset || timeOffset != m_fPendingTimeOffset ||
                         altitudeOffset != m_fPendingAltitudeOffset;
    m_bPendingOffset = active;
    m_fPendingTimeOffset = timeOffset;
    m_fPendingAltitudeOffset = altitudeOffset;
    if (changed)
        MarkModified();
    return changed;
}

bool CDataBlock::ResetOffsets() {
    m_fAppliedTimeOffset = 0.0f;
    m_fAppliedAltitudeOffset = 0.0f;
    m_bPendingOffset = false;
    MarkModified();
    return true;
}

bool CDataBlock::ApplyOffset(float timeDelta, float altitudeDelta) {
    if (!m_bPendingOffset) {
        m_fPendingTimeOffset = 0.0f;
        m_fPendingAltitudeOffset = 0.0f;
    }
    m_fAppliedTimeOffset = timeDelta + m_fPendingTimeOffset + m_fAppliedTimeOffset;
    m_fAppliedAltitudeOffset = altitudeDelta + m_fAppliedAltitudeOffset + m_fPendingAltitudeOffset;
    m_fPendingTimeOffset = 0.0f;
    m_fPendingAltitudeOffset = 0.0f;
    m_bPendingOffset = false;
    MarkModified();
    return true;
}

void CDataBlock::AppendAnnotation(std::unique_ptr<CAnnotation> annotation) {
    annotation->SetOwner(this);
    m_annotations.AddTail(std::move(annotation));
}

std::vector<AnnotationMark> CDataBlock::GetAnnotationMarks(bool timeInMinutes) const {
    const CRecordDocument* doc = GetDocument();
    const double timeDivisor = timeInMinutes ? 60.0 : 1.0;
    const double unitFactor = doc ? doc->GetDisplayFactor() : 1.0;
    const double timeOffset = GetEffectiveTimeOffset();
    const double altitudeOffset = GetEffectiveAltitudeOffset();
    std::vector<AnnotationMark> marks;
    for (const CAnnotation* note : m_annotations) {
        if (!note->m_bVisible || note->m_nKind < 0 || note->m_nKind >= CAnnotation::kKindCount)
            continue;
        marks.push_back({note->m_nKind, (timeOffset + note->m_dTime) / timeDivisor,
                         (altitudeOffset + note->m_dAltitude) * unitFactor, note->m_nStyle,
                         static_cast<std::int32_t>(note->m_crColour), note->GetChartLabel()});
    }
    return marks;
}
