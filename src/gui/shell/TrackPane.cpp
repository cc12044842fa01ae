#include "shell/TrackPane.h"

#include "calc/DataViewTrack.h"
#include "pages/DataViewGraph.h"
#include "pages/DataViewInfo.h"
#include "shell/MainDoc.h"
#include "shell/TreeSplitter.h"

namespace {
// The frame's page of type P, looked up at each use: the pane outlives no frame but may be made
// before the pages are.
template <typename P>
P* FramePage(const QWidget& pane, QWidget* (CMainFrame::*page)() const) {
    auto* frame = qobject_cast<CMainFrame*>(pane.window());
    return frame ? dynamic_cast<P*>((frame->*page)()) : nullptr;
}
} // namespace

CMainFrame::PaneFactory MakeTrackPane(CMainDoc& doc) {
    return [&doc](QWidget* parent) -> QWidget* {
        auto* pane = new CDataViewTrack(parent);
        doc.AddView(pane);
        QObject::connect(pane, &CDataViewTrack::closeRequested, pane, [pane] {
            if (auto* splitter = qobject_cast<CTreeSplitter*>(pane->parentWidget()))
                splitter->HideTrackPane();
        });
        pane->SetTimeDivisorSource([pane] {
            const auto* graph = FramePage<CDataViewGraph>(*pane, &CMainFrame::GetGraphPage);
            return graph ? graph->GetTimeDivisor() : 1;
        });
        pane->SetInfoSink([pane](const std::string& text) {
            auto* info = FramePage<CDataViewInfo>(*pane, &CMainFrame::GetInfoPage);
            return info && info->InsertIntoComments(QString::fromStdString(text));
        });
        return pane;
    };
}
