#include "shell/GraphPane.h"

#include "data/DataBlock.h"
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
        // The flight opens the annotation dialogs through the document's CUiServices and marks
        // the document modified; the Flight Annotations dialog also sends its own hints.
        services.annotate = [](CDataBlock& flight, unsigned base, double seconds, double metres) {
            return flight.AddAnnotationAt(base, seconds, metres);
        };
        page->SetServices(std::move(services));
        return page;
    };
}
