#include "shell/MainFrame.h"

#include "framework/CmdUI.h"
#include "framework/CommandIds.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "shell/MainMenu.h"
#include "shell/PageTabCtrl.h"
#include "shell/TreeSplitter.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {
// A pane that is a view and a command target: handles one command id and keeps a focusable
// child so tests can put the keyboard focus into it.
class FakePane : public QWidget, public CView, public CCmdTarget {
public:
    FakePane(QWidget* parent, unsigned handled) : QWidget(parent), m_handled(handled) {
        auto* layout = new QVBoxLayout(this);
        m_edit = new QLineEdit(this);
        layout->addWidget(m_edit);
    }
    void OnUpdate(CView*, long, CObject*) override {}
    bool OnCmdMsg(unsigned id, CCmdUI* ui) override {
        if (id != m_handled)
            return false;
        if (ui) {
            ui->Enable(m_enabled);
            ++m_queries;
        } else {
            ++m_runs;
        }
        return true;
    }
    QLineEdit* m_edit;
    unsigned m_handled;
    bool m_enabled = true;
    int m_runs = 0;
    int m_queries = 0;
};

// Records in which order the routing reached which target.
class Recorder : public CCmdTarget {
public:
    Recorder(std::vector<const char*>& log, const char* name) : m_log(log), m_name(name) {}
    bool OnCmdMsg(unsigned id, CCmdUI*) override {
        if (id == kProbe)
            m_log.push_back(m_name);
        return false;
    }
    static constexpr unsigned kProbe = 31999;
    std::vector<const char*>& m_log;
    const char* m_name;
};

class RecordingDoc : public CDocument {
public:
    explicit RecordingDoc(std::vector<const char*>& log) : m_rec(log, "doc") {}
    bool OnCmdMsg(unsigned id, CCmdUI* ui) override { return m_rec.OnCmdMsg(id, ui); }
    Recorder m_rec;
};

struct FrameFixture : ::testing::Test {
    static constexpr unsigned kTreeCmd = cmd::FlightAnnotation;
    static constexpr unsigned kGraphCmd = cmd::ZoomAll;

    void SetUp() override {
        doc.SetTitle("Untitled");
        CMainFrame::Panes panes;
        panes.tree = [this](QWidget* p) { return tree = new FakePane(p, kTreeCmd); };
        panes.infoPage = [this](QWidget* p) { return info = new FakePane(p, 0); };
        panes.graphPage = [this](QWidget* p) { return graph = new FakePane(p, kGraphCmd); };
        panes.track = [](QWidget* p) {
            auto* w = new QWidget(p);
            w->setMinimumSize(200, 120); // the tool's preferred size
            return w;
        };
        frame = std::make_unique<CMainFrame>(&doc, &app, panes);
    }

    std::vector<const char*> log;
    RecordingDoc doc{log};
    Recorder app{log, "app"};
    FakePane* tree = nullptr;
    FakePane* info = nullptr;
    FakePane* graph = nullptr;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(FrameFixture, MenusToolbarAndKeysAreConsistent) {
    CMainMenu& menu = frame->Commands();
    // Every key of the accelerator table belongs to exactly one command: Copy Picture names
    // Ctrl+C in its text, but the key belongs to Edit Copy.
    std::map<QString, int> owners;
    for (QAction* action : menu.Actions()) {
        for (const QKeySequence& key : action->shortcuts())
            ++owners[key.toString()];
    }
    for (const auto& [key, count] : owners)
        EXPECT_EQ(count, 1) << key.toStdString();
    EXPECT_TRUE(menu.Action(cmd::GraphCopyPicture)->shortcuts().isEmpty());
    EXPECT_EQ(menu.Action(cmd::EditCopy)->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));

    // A prompt splits into status and tool tip; without a tip part the tip is the menu text
    // without mnemonic, key and ellipsis.
    EXPECT_EQ(menu.Action(cmd::ViewMeasurements)->toolTip(), QStringLiteral("Data Measurements"));
    EXPECT_FALSE(menu.Action(cmd::ViewMeasurements)->statusTip().contains('\n'));
    EXPECT_EQ(menu.Action(cmd::ViewInfoPage)->toolTip(), QStringLiteral("Info Page"));

    // Toolbar buttons are the menu's own actions, each with an icon.
    auto* bar = frame->findChild<QToolBar*>(QStringLiteral("toolbar59392"));
    ASSERT_NE(bar, nullptr);
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        EXPECT_EQ(action, menu.Action(action->data().toUInt())) << action->data().toUInt();
        EXPECT_FALSE(action->icon().isNull()) << action->data().toUInt();
    }
}

TEST_F(FrameFixture, RoutingOrderIsViewDocumentFrameAppThenPanes) {
    frame->SetActiveView(graph);
    // graph is asked twice: once as the active view and once as the current page.
    EXPECT_FALSE(frame->OnCmdMsg(Recorder::kProbe, nullptr));
    EXPECT_EQ(log, (std::vector<const char*>{"doc", "app"}));
}

TEST_F(FrameFixture, PaneCommandsWorkWhicheverViewHasFocus) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    ASSERT_TRUE(frame->GetPageTabs()->SelectPage(1));
    for (FakePane* focus : {tree, graph}) {
        SCOPED_TRACE(focus == tree ? "tree focused" : "graph focused");
        frame->activateWindow();
        focus->m_edit->setFocus();
        QApplication::processEvents();
        const int treeRuns = tree->m_runs;
        const int graphRuns = graph->m_runs;
        EXPECT_TRUE(frame->ExecuteCommand(kTreeCmd));
        EXPECT_TRUE(frame->ExecuteCommand(kGraphCmd));
        EXPECT_EQ(tree->m_runs, treeRuns + 1);
        EXPECT_EQ(graph->m_runs, graphRuns + 1);
    }
    // The graph page is reached only while it is the current page.
    ASSERT_TRUE(frame->GetPageTabs()->SelectPage(0));
    EXPECT_FALSE(frame->ExecuteCommand(kGraphCmd));
}

TEST_F(FrameFixture, UpdateUiEnablesHandledAndDisablesTheRest) {
    CMainMenu& menu = frame->Commands();
    frame->UpdateCommandUI();
    EXPECT_TRUE(menu.Action(kTreeCmd)->isEnabled());
    EXPECT_FALSE(menu.Action(cmd::AppAbout)->isEnabled()); // the fake app handles nothing
    EXPECT_FALSE(menu.Action(cmd::DataReadData)->isEnabled());
    EXPECT_TRUE(menu.Action(cmd::NextPane)->isEnabled()); // the page tabs handle it

    // A handler that disables its command wins, and the command is then not carried out.
    tree->m_enabled = false;
    frame->UpdateCommandUI();
    EXPECT_FALSE(menu.Action(kTreeCmd)->isEnabled());
    EXPECT_FALSE(frame->ExecuteCommand(kTreeCmd));
    EXPECT_EQ(tree->m_runs, 0);
}

// A timer asked every command's state four times a second, at a cost that grew with the
// project until the window froze. The state is asked for after what the user does.
TEST_F(FrameFixture, CommandStateFollowsUserActionsInsteadOfPolling) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QApplication::processEvents();
    tree->m_queries = 0;
    QTest::qWait(600);
    EXPECT_EQ(tree->m_queries, 0);
    QTest::keyClick(tree->m_edit, Qt::Key_A);
    QApplication::processEvents();
    EXPECT_GT(tree->m_queries, 0);
}

TEST_F(FrameFixture, ViewItemsAreCheckedExactlyWhileTheirBarOrToolIsShown) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    auto checked = [&](unsigned id) {
        frame->UpdateCommandUI();
        QAction* item = frame->Commands().Action(id);
        return item->isCheckable() && item->isChecked();
    };
    EXPECT_EQ(frame->GetTrackPane(false), nullptr);
    EXPECT_FALSE(checked(cmd::ViewMeasurements));
    ASSERT_TRUE(frame->ExecuteCommand(cmd::ViewMeasurements));
    EXPECT_NE(frame->GetTrackPane(false), nullptr);
    EXPECT_TRUE(checked(cmd::ViewMeasurements));
    ASSERT_TRUE(frame->ExecuteCommand(cmd::ViewMeasurements));
    EXPECT_EQ(frame->GetTrackPane(false), nullptr);
    EXPECT_FALSE(checked(cmd::ViewMeasurements));
    // Asking for the pane with create shows it.
    EXPECT_NE(frame->GetTrackPane(true), nullptr);
    EXPECT_TRUE(checked(cmd::ViewMeasurements));

    EXPECT_TRUE(checked(cmd::ViewToolbar));
    ASSERT_TRUE(frame->ExecuteCommand(cmd::ViewToolbar));
    EXPECT_FALSE(checked(cmd::ViewToolbar));
    EXPECT_FALSE(frame->findChild<QToolBar*>()->isVisible());
}

TEST_F(FrameFixture, PagesCycleWithF6AndShiftF6) {
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    tree->m_edit->setFocus();
    CPageTabCtrl* tabs = frame->GetPageTabs();
    ASSERT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(tree->m_edit, Qt::Key_F6);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(tree->m_edit, Qt::Key_F6); // after the last comes the first
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(tree->m_edit, Qt::Key_F6, Qt::ShiftModifier); // before the first, the last
    EXPECT_EQ(tabs->currentIndex(), 1);
    // Selecting a page that is a view makes it the active view.
    EXPECT_EQ(frame->GetActiveView(), graph);
    QTest::keyClick(tree->m_edit, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST(PageTabCtrl, AddPageFailsCleanlyAndEmptyTabsIgnoreCycling) {
    CPageTabCtrl tabs;
    tabs.OnNextPane(cmd::NextPane);
    tabs.OnPrevPane(cmd::PrevPane);
    EXPECT_EQ(tabs.GetCurrentPage(), nullptr);
    EXPECT_FALSE(tabs.AddPage(
        0, [](QWidget*) -> QWidget* { return nullptr; }, "null"));
    EXPECT_FALSE(tabs.AddPage(
        0, [](QWidget*) -> QWidget* { throw std::runtime_error("no page"); }, "throws"));
    EXPECT_EQ(tabs.count(), 0);
    ASSERT_TRUE(tabs.AddPage(
        0, [](QWidget* p) { return new QWidget(p); }, "a"));
    ASSERT_TRUE(tabs.AddPage(
        0, [](QWidget* p) { return new QWidget(p); }, "b"));
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("b"));
    EXPECT_EQ(tabs.currentIndex(), 0); // the new page is selected
    EXPECT_FALSE(tabs.SelectPage(2));
    EXPECT_FALSE(tabs.SelectPage(-1));
}

// The tree column alone, so that its height can be set exactly.
struct TreeSplitterFixture : ::testing::Test {
    void SetUp() override {
        splitter.SetTreePane(new QWidget);
        splitter.SetTrackFactory([](QWidget* p) { return new QWidget(p); }, kTrackHeight);
        splitter.resize(200, 400);
        splitter.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&splitter));
    }
    void ResizeTo(int height) {
        splitter.resize(200, height);
        QApplication::processEvents();
    }
    int Tree() const { return splitter.sizes().value(0); }
    int Track() const { return splitter.sizes().value(1); }

    static constexpr int kTrackHeight = 150;
    CTreeSplitter splitter;
};

TEST_F(TreeSplitterFixture, ShowingGivesTheToolItsHeightOrTheTreeHalfPlusOne) {
    ASSERT_TRUE(splitter.ShowTrackPane());
    EXPECT_EQ(Tree(), 400 - kTrackHeight - CTreeSplitter::kSplitAllowance);
    EXPECT_EQ(Tree() + Track() + splitter.handleWidth(), 400);
    splitter.HideTrackPane();
    ResizeTo(120); // too short for the tool's height
    ASSERT_TRUE(splitter.ShowTrackPane());
    EXPECT_EQ(Tree(), 61);
}

TEST_F(TreeSplitterFixture, ShrinkingKeepsTheToolUntilTheTreeWouldBeTiny) {
    ASSERT_TRUE(splitter.ShowTrackPane());
    const int track = Track();
    const int tree = Tree();
    ResizeTo(350);
    EXPECT_EQ(Track(), track);
    EXPECT_EQ(Tree(), tree - 50);
    ResizeTo(500); // growing goes to the tree as well
    EXPECT_EQ(Track(), track);
    EXPECT_EQ(Tree(), tree + 100);
}

TEST_F(TreeSplitterFixture, ATreeOfFivePixelsOrLessKeepsItsHeightInstead) {
    ASSERT_TRUE(splitter.ShowTrackPane());
    const int available = 400 - splitter.handleWidth();
    splitter.setSizes({40, available - 40});
    ResizeTo(400 - 34); // the tree would be 6 pixels: the tool keeps its height
    EXPECT_EQ(Tree(), 6);
    EXPECT_EQ(Track(), available - 40);
    ResizeTo(400 - 35); // 5 pixels is too small: the tree keeps its 6, the tool gives way
    EXPECT_EQ(Tree(), 6);
    EXPECT_EQ(Track(), available - 35 - 6);
}

TEST_F(TreeSplitterFixture, HidingRemovesTheRowAndAFailedShowAddsNone) {
    ASSERT_TRUE(splitter.ShowTrackPane());
    splitter.HideTrackPane();
    EXPECT_FALSE(splitter.IsTrackShown());
    EXPECT_EQ(splitter.count(), 1);
    splitter.SetTrackFactory([](QWidget*) -> QWidget* { return nullptr; }, kTrackHeight);
    EXPECT_FALSE(splitter.ShowTrackPane());
    EXPECT_EQ(splitter.GetTrackPane(true), nullptr);
    EXPECT_EQ(splitter.count(), 1);
}
} // namespace
