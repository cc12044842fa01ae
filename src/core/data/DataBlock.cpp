#include "data/DataBlock.h"

#include "data/Annotation.h"
#include "data/DataModule.h"
#include "chart/ChartCells.h"
#include "shell/MainDoc.h"

KUBO_IMPLEMENT_SERIAL(CDataBlock, CViewTreeItem, 0)

CDataBlock::CDataBlock(CViewTreeItem* parent) : CViewTreeItem(parent) {}

CDataBlock::~CDataBlock() = default;

CMainDoc* CDataBlock::GetDocument() const {
    CDataModule* session = GetSession();
    return session ? session->GetDocument() : nullptr;
}

void CDataBlock::MarkModified() const {
    if (CMainDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
}

void CDataBlock::SetName(const std::string& name, bool update, CView* sender) {
    m_strName = name;
    if (update)
        if (CMainDoc* doc = GetDocument())
            doc->UpdateAllViews(sender, HINT_FLIGHT_CHANGED, this);
    MarkModified();
}

bool CDataBlock::SetShown(bool shown, bool update, CView* sender) {
    if (shown == m_bShown)
        return false;
    m_bShown = shown;
    if (update)
        if (CMainDoc* doc = GetDocument())
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

void CDataBlock::AddChartAnnotations(CChartCells& chart, bool timeInMinutes,
                                     int counters[3]) const {
    const CMainDoc* doc = GetDocument();
    const double timeDivisor = timeInMinutes ? 60.0 : 1.0;
    const double unitFactor = doc ? doc->GetDisplayFactor() : 1.0;
    const double timeOffset = GetEffectiveTimeOffset();
    const double altitudeOffset = GetEffectiveAltitudeOffset();
    for (const CAnnotation* note : m_annotations) {
        // A kind outside 0-2 can only come from an edited file; it has no slot to go to.
        if (!note->m_bVisible || note->m_nKind < 0 || note->m_nKind >= CAnnotation::kKindCount)
            continue;
        const double x = (timeOffset + note->m_dTime) / timeDivisor;
        const double y = (altitudeOffset + note->m_dAltitude) * unitFactor;
        const int index = counters[note->m_nKind]++;
        const auto colour = static_cast<std::int32_t>(note->m_crColour);
        const std::string label = note->GetChartLabel();
        switch (note->m_nKind) {
        case CAnnotation::kHorizontalLine:
            chart.SetCellDouble(chart::kHorzLineY, index, y);
            chart.SetCellInt(chart::kHorzLineStyle, index, note->m_nStyle);
            chart.SetCellInt(chart::kHorzLineColour, index, colour);
            chart.SetCellInt(chart::kHorzLineAxis, index, 0);
            chart.SetCellText(chart::kHorzLineText, index, label);
            break;
        case CAnnotation::kVerticalLine:
            chart.SetCellDouble(chart::kVertLineX, index, x);
            chart.SetCellInt(chart::kVertLineStyle, index, note->m_nStyle);
            chart.SetCellInt(chart::kVertLineColour, index, colour);
            chart.SetCellText(chart::kVertLineText, index, label);
            break;
        default:
            chart.SetCellDouble(chart::kPointX, index, x);
            chart.SetCellDouble(chart::kPointY, index, y);
            chart.SetCellInt(chart::kPointSymbol, index, note->m_nStyle);
            chart.SetCellInt(chart::kPointColour, index, colour);
            chart.SetCellText(chart::kPointText, index, label);
            break;
        }
    }
}
