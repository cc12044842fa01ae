#include "shell/GraphPane.h"

#include "pages/DataViewGraph.h"
#include "pages/MeasurementTool.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"

#include <QPointer>

CMainFrame::PaneFactory MakeGraphPane(CMainDoc& doc) {
    return [&doc](QWidget* parent) -> QWidget* {
        auto* page = new CDataViewGraph(parent);
        doc.AddView(page);
        doc.SetChartLink(page);
        CDataViewGraph::Services services;
        services.requestRefresh = [] {
            if (CMainApp* app = CMainApp::Instance())
                app->ScheduleSelectionSync(true);
        };
        services.refreshPending = [] {
            CMainApp* app = CMainApp::Instance();
            return app && app->IsSyncPending();
        };
        services.resourceLibrary = [] {
            CMainApp* app = CMainApp::Instance();
            return app && app->IsResourceLibraryLoaded();
        };
        QPointer<CDataViewGraph> guard(page);
        services.measurementTool = [guard](bool create) -> CMeasurementTool* {
            auto* frame = guard ? qobject_cast<CMainFrame*>(guard->window()) : nullptr;
            QWidget* pane = frame ? frame->GetTrackPane(create) : nullptr;
            return dynamic_cast<CMeasurementTool*>(pane);
        };
        page->SetServices(std::move(services));
        return page;
    };
}
