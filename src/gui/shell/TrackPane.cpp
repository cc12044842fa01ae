#include "shell/TrackPane.h"

#include "calc/DataViewTrack.h"
#include "shell/MainDoc.h"
#include "shell/TreeSplitter.h"

CMainFrame::PaneFactory MakeTrackPane(CMainDoc& doc) {
    return [&doc](QWidget* parent) -> QWidget* {
        auto* pane = new CDataViewTrack(parent);
        doc.AddView(pane);
        QObject::connect(pane, &CDataViewTrack::closeRequested, pane, [pane] {
            if (auto* splitter = qobject_cast<CTreeSplitter*>(pane->parentWidget()))
                splitter->HideTrackPane();
        });
        return pane;
    };
}
