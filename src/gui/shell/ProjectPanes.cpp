#include "shell/ProjectPanes.h"

#include "pages/DataViewInfo.h"
#include "shell/GraphPane.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"
#include "shell/TrackPane.h"
#include "shell/ViewTree.h"

#include <QPointer>

CMainFrame::Panes MakeProjectPanes(CMainDoc& doc) {
    CMainFrame::Panes panes;
    panes.tree = [&doc](QWidget* parent) -> QWidget* {
        auto* tree = new CViewTree(parent);
        doc.AddView(tree);
        if (CMainApp* app = CMainApp::Instance()) {
            QObject::connect(tree, &CViewTree::selectionSyncRequested, app, [](bool force) {
                if (CMainApp* current = CMainApp::Instance())
                    current->ScheduleSelectionSync(force);
            });
            QPointer<CViewTree> guard(tree);
            app->SetSelectionSyncHandler([guard](bool force) {
                if (guard)
                    guard->SynchronizeShownFlags(force);
            });
        }
        return tree;
    };
    panes.infoPage = [&doc](QWidget* parent) -> QWidget* {
        auto* page = new CDataViewInfo(parent);
        doc.AddView(page);
        if (CMainApp* app = CMainApp::Instance())
            page->SetPrinter(&app->GetPrinter());
        return page;
    };
    panes.graphPage = MakeGraphPane(doc);
    panes.track = MakeTrackPane(doc);
    return panes;
}
