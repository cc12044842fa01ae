// A flight's annotation commands: the Flight Annotations dialog and new annotations from the graph.
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/RecordDocument.h"
#include "framework/CommandIds.h"
#include "framework/StringIds.h"
#include "framework/UiServices.h"

bool CDataBlock::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    if (nID != cmd::FlightAnnotation)
        return CViewTreeItem::OnCmdMsg(nID, pCmdUI);
    if (pCmdUI)
        pCmdUI->Enable(true);
    else
        EditAnnotations();
    return true;
}

bool CDataBlock::EditAnnotations() {
    CRecordDocument* doc = GetDocument();
    CUiServices* ui = doc ? doc->GetUi() : nullptr;
    if (!ui)
        return false;
    const std::string title = FormatDirectives(LoadString(str::AnnotationsCaption), {m_strName});
    if (!ui->EditFlightAnnotations(*this, title))
        return false;
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr, HINT_FLIGHT_CHANGED, this);
    if (m_bShown)
        doc->UpdateAllViews(nullptr, HINT_GRAPH_DATA);
    return true;
}

bool CDataBlock::AddAnnotationAt(unsigned commandId, double time, double altitude) {
    int kind = 0;
    switch (commandId) {
    case cmd::AnnotationEdit:
        EditAnnotations();
        return false;
    case cmd::AnnotationNewPoint:
        kind = CAnnotation::kDataPoint;
        break;
    case cmd::AnnotationNewHorizontal:
        kind = CAnnotation::kHorizontalLine;
        break;
    case cmd::AnnotationNewVertical:
        kind = CAnnotation::kVerticalLine;
        break;
    default:
        return false;
    }
    CRecordDocument* doc = GetDocument();
    CUiServices* ui = doc ? doc->GetUi() : nullptr;
    if (!ui)
        return false;
    auto annotation = std::make_unique<CAnnotation>(this);
    annotation->m_nKind = kind;
    annotation->m_dTime = time - GetEffectiveTimeOffset();
    annotation->m_dAltitude = altitude - GetEffectiveAltitudeOffset();
    if (!ui->EditAnnotation(*annotation))
        return false;
    AppendAnnotation(std::move(annotation));
    MarkModified();
    return true;
}
