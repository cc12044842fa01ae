// The cost of one update of the command state (every menu and toolbar action asks its target)
// with the project tree holding 1000 to 20000 sessions. It must stay flat as the project grows:
// the update runs after every user action.
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Hints.h"
#include "shell/MainDoc.h"
#include "shell/MainFrame.h"
#include "shell/ProjectPanes.h"
#include "shell/ViewTree.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
// A main window over a project of `sessions` sessions of one flight each; the first session is
// selected, as after opening the project.
struct Window {
    explicit Window(int sessions) {
        for (int i = 0; i < sessions; ++i) {
            auto session = std::make_unique<CDataModule>(&doc);
            session->SetName("Session" + std::to_string(i + 1), false, nullptr);
            auto flight = std::make_unique<CDataBlock>();
            flight->SetName("Flight 1", false, nullptr);
            session->AppendFlight(std::move(flight));
            doc.GetSessions().AddTail(std::move(session));
        }
        frame = std::make_unique<CMainFrame>(&doc, nullptr, MakeProjectPanes(doc));
        doc.UpdateAllViews(nullptr, HINT_REBUILD);
    }
    ~Window() {
        frame.reset();
        doc.DeleteContents();
    }
    CMainDoc doc;
    std::unique_ptr<CMainFrame> frame;
};

void BM_UpdateCommandUI(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    for (auto _ : state)
        window.frame->UpdateCommandUI();
}
BENCHMARK(BM_UpdateCommandUI)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

// The same with every session selected: the selection walk is what grows.
void BM_UpdateCommandUIAllSelected(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    auto* tree = qobject_cast<CViewTree*>(window.frame->GetTreeView());
    CTreeCtrlEx& ctrl = tree->GetTreeCtrl();
    ctrl.SelectRange(ctrl.topLevelItem(0), ctrl.topLevelItem(ctrl.topLevelItemCount() - 1), true);
    for (auto _ : state)
        window.frame->UpdateCommandUI();
}
BENCHMARK(BM_UpdateCommandUIAllSelected)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

// A click on a session (the selection moves there alone) and the update after it: what the
// user waits for. The click itself walks the visible items once to clear the others.
void BM_ClickThenUpdate(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    auto* tree = qobject_cast<CViewTree*>(window.frame->GetTreeView());
    CTreeCtrlEx& ctrl = tree->GetTreeCtrl();
    int row = 0;
    for (auto _ : state) {
        row = (row + 7) % ctrl.topLevelItemCount();
        ctrl.SetItemSelection(ctrl.topLevelItem(row), true, true, true);
        window.frame->UpdateCommandUI();
    }
}
BENCHMARK(BM_ClickThenUpdate)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);
} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
