// The project tree against a real document: filling, hints, shown flags, delete, rename, drag
// and drop, export and command routing.
#include "shell/ViewTree.h"

#include "../core/support/FakeUi.h"
#include "../core/support/ProjectBuilder.h"
#include "../core/support/RecordingView.h"
#include "../core/support/TempDir.h"
#include "TreeDriver.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/TextExport.h"
#include "framework/CommandIds.h"
#include "shell/MainDoc.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace testing_project;
using namespace tree_driver;

// A flight that handles one command of its own, for the routing order.
class RoutedFlight : public CDataBlock {
public:
    static constexpr unsigned kOwnCommand = 30400;
    bool OnCmdMsg(unsigned id, CCmdUI* ui) override {
        if (id != kOwnCommand)
            return CDataBlock::OnCmdMsg(id, ui);
        if (!ui)
            ++handled;
        return true;
    }
    int handled = 0;
};

// Sessions A (a1 a2 a3) and B (b1 b2) in a document told to a shown tree and a recorder.
class ViewTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(300, 400);
        doc.AddView(&view);
        doc.AddView(&recorder);
        // The application would run this when idle; here a queued call stands in for it.
        QObject::connect(&view, &CViewTree::selectionSyncRequested, &view, [this](bool force) {
            QMetaObject::invokeMethod(
                &view, [this, force] { view.SynchronizeShownFlags(force); }, Qt::QueuedConnection);
        });
        A = AddSession(doc, {"a1", "a2", "a3"}, "A");
        B = AddSession(doc, {"b1", "b2"}, "B");
        doc.UpdateAllViews(nullptr, HINT_REBUILD);
        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        Tree().setFocus();
        Idle();
        recorder.Clear();
    }

    CTreeCtrlEx& Tree() { return view.GetTreeCtrl(); }
    static void Idle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    CDataBlock* Flight(const std::string& name) const {
        for (CDataModule* session : doc.GetSessions())
            for (CDataBlock* flight : session->GetFlights())
                if (flight->GetName() == name)
                    return flight;
        return nullptr;
    }
    QTreeWidgetItem* Item(const QString& name) { return FindItem(Tree(), name); }
    void Click(const QString& name, Qt::KeyboardModifiers mods = {}) {
        tree_driver::Click(Tree(), name, mods);
    }
    void Drag(const QString& from, const std::optional<QString>& onto) {
        const QPoint start = PointOn(Tree(), from, HitPart::Label);
        SendMouse(Tree().viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton,
                  Qt::LeftButton);
        SendMouse(Tree().viewport(), QEvent::MouseMove, start + QPoint(0, 30), Qt::NoButton,
                  Qt::LeftButton);
        const QPoint end = onto ? PointOn(Tree(), *onto, HitPart::Label)
                                : QPoint(5, Tree().viewport()->height() - 5);
        SendMouse(Tree().viewport(), QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton);
        SendMouse(Tree().viewport(), QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
    }

    QStringList Selected() { return tree_driver::Selected(Tree()); }
    std::vector<std::string> Shown() const {
        std::vector<std::string> names;
        for (CDataModule* session : doc.GetSessions())
            for (CDataBlock* flight : session->GetFlights())
                if (flight->IsShown())
                    names.push_back(flight->GetName());
        return names;
    }
    std::vector<RecordingView::Update> UpdatesWith(long hint) const {
        std::vector<RecordingView::Update> found;
        for (const RecordingView::Update& update : recorder.Updates())
            if (update.hint == hint)
                found.push_back(update);
        return found;
    }

    FakeUi ui;
    CMainDoc doc{&ui};
    CViewTree view;
    RecordingView recorder;
    CDataModule* A = nullptr;
    CDataModule* B = nullptr;
};

using Names = std::vector<std::string>;

TEST_F(ViewTreeTest, FillsFromTheDocumentAndFollowsItsHints) {
    // Sessions at the top, flights below, collapsed, the first session the only selection.
    ASSERT_EQ(Tree().topLevelItemCount(), 2);
    EXPECT_EQ(Item("A")->childCount(), 3);
    EXPECT_EQ(CViewTree::GetItemRecord(Item("a2")), Flight("a2"));
    EXPECT_FALSE(Item("A")->isExpanded());
    EXPECT_EQ(Selected(), QStringList({"A"}));

    // A new session arrives last, collapsed and the only selection; its flights are ticked as
    // their shown flags say.
    CDataModule* c = AddSession(doc, {"c1", "c2"}, "C");
    c->GetFlights().GetAt(1)->SetShown(true, false, nullptr);
    doc.UpdateAllViews(nullptr, HINT_SESSION_ADDED, c);
    EXPECT_EQ(Tree().topLevelItem(2), Item("C"));
    EXPECT_FALSE(Item("C")->isExpanded());
    EXPECT_EQ(Selected(), QStringList({"C"}));
    EXPECT_EQ(CTreeCtrlEx::GetCheck(Item("c1")), 0);
    EXPECT_EQ(CTreeCtrlEx::GetCheck(Item("c2")), 1);

    // Renames by others show.
    Flight("b1")->SetName("bee", true, nullptr);
    A->SetName("Alpha", true, nullptr);
    EXPECT_NE(Item("bee"), nullptr);
    EXPECT_NE(Item("Alpha"), nullptr);

    // Removals by others take the item away; the selection is told again, without a record.
    Tree().expandAll();
    Click("a2");
    Idle();
    ASSERT_TRUE(A->RemoveFlight(Flight("a2"), true, true, nullptr));
    EXPECT_EQ(Item("a2"), nullptr);
    ASSERT_TRUE(doc.RemoveSession(B, true, true, nullptr));
    EXPECT_EQ(Item("B"), nullptr);
    recorder.Clear();
    Idle();
    ASSERT_EQ(UpdatesWith(HINT_SELECTION).size(), 1u);
    EXPECT_EQ(UpdatesWith(HINT_SELECTION)[0].object, nullptr);

    // HINT_CLEAR empties the tree.
    doc.UpdateAllViews(nullptr, HINT_CLEAR);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
}

TEST_F(ViewTreeTest, RebuildKeepsSelectionAndExpansionOfSurvivingRecords) {
    Tree().expandItem(Item("A"));
    Tree().expandItem(Item("B"));
    Click("a2");
    Click("b1", Qt::ControlModifier);
    Tree().CollapseItem(Item("B")); // b1 deselected, B selected (caret moved to it)
    Idle();
    ASSERT_EQ(Selected(), QStringList({"a2", "B"}));

    // a3 goes away behind the tree's back; the rebuild just leaves it out.
    std::unique_ptr<CDataBlock> gone(A->GetFlights().RemoveAt(2));
    doc.UpdateAllViews(nullptr, HINT_REBUILD);
    EXPECT_EQ(Selected(), QStringList({"a2", "B"}));
    EXPECT_TRUE(Item("A")->isExpanded());
    EXPECT_FALSE(Item("B")->isExpanded());
    EXPECT_EQ(Item("a3"), nullptr);

    // The selected but unticked flight was shown, so it comes back ticked.
    Idle();
    EXPECT_EQ(CTreeCtrlEx::GetCheck(Item("a2")), 1);

    // With nothing selected before, the first session becomes the selection.
    Tree().ClearSelectionExcept(nullptr);
    doc.UpdateAllViews(nullptr, HINT_REBUILD);
    EXPECT_EQ(Selected(), QStringList({"A"}));
}

TEST_F(ViewTreeTest, SelectionIsToldOnceLaterAndTheGraphShowsSelectedAndTicked) {
    Tree().expandAll();
    Click("a1");
    Click("a3", Qt::ControlModifier);
    Click("b2", Qt::ControlModifier);
    EXPECT_TRUE(UpdatesWith(HINT_SELECTION).empty()); // posted, not at once
    Idle();

    // Several selected: one HINT_SELECTION without a record, then the three flights shown.
    const auto selection = UpdatesWith(HINT_SELECTION);
    ASSERT_EQ(selection.size(), 1u);
    EXPECT_EQ(selection[0].object, nullptr);
    EXPECT_EQ(selection[0].sender, &view);
    EXPECT_EQ(Shown(), Names({"a1", "a3", "b2"}));
    EXPECT_EQ(UpdatesWith(HINT_FLIGHT_CHANGED).size(), 3u);
    ASSERT_EQ(UpdatesWith(HINT_GRAPH_DATA).size(), 1u);
    EXPECT_TRUE(doc.IsModified());

    // One selected: its record; the others leave the graph unless ticked.
    Tree().SetCheck(Item("b2"), 1);
    recorder.Clear();
    Click("a1");
    Idle();
    ASSERT_EQ(UpdatesWith(HINT_SELECTION).size(), 1u);
    EXPECT_EQ(UpdatesWith(HINT_SELECTION)[0].object, Flight("a1"));
    EXPECT_EQ(Shown(), Names({"a1", "b2"}));

    // Collapsing a session deselects its flights; unticked ones leave the graph.
    Click("a3", Qt::ControlModifier);
    Click("b1", Qt::ControlModifier);
    Idle();
    EXPECT_EQ(Shown(), Names({"a1", "a3", "b1", "b2"}));
    Tree().CollapseItem(Item("A"));
    Idle();
    EXPECT_EQ(Shown(), Names({"b1", "b2"}));
}

TEST_F(ViewTreeTest, SynchronisationSendsGraphHintOnChangeOrForce) {
    view.SynchronizeShownFlags(false);
    EXPECT_TRUE(UpdatesWith(HINT_GRAPH_DATA).empty());
    view.SynchronizeShownFlags(true);
    ASSERT_EQ(UpdatesWith(HINT_GRAPH_DATA).size(), 1u);
    EXPECT_EQ(UpdatesWith(HINT_GRAPH_DATA)[0].sender, &view);

    Flight("b2")->SetShown(true, false, nullptr); // not ticked, not selected
    recorder.Clear();
    view.SynchronizeShownFlags(false);
    EXPECT_EQ(Shown(), Names{});
    EXPECT_EQ(UpdatesWith(HINT_GRAPH_DATA).size(), 1u);
}

TEST_F(ViewTreeTest, DeleteRemovesSessionOnceWithItsFlightsAndLooseFlights) {
    Tree().expandAll();
    Click("b1");
    Click("A", Qt::ControlModifier);
    Click("a2", Qt::ControlModifier);
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(view.OnCmdMsg(cmd::EditDelete, nullptr));

    ASSERT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_EQ(doc.GetSessions().GetHead(), B);
    EXPECT_EQ(FlightNames(*B), Names({"b2"}));
    EXPECT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_EQ(Item("b1"), nullptr);
    // From the last collected to the first, each removal told with the tree as sender.
    EXPECT_EQ(recorder.Hints(), std::vector<long>({HINT_FLIGHT_REMOVING, HINT_FLIGHT_REMOVED,
                                                   HINT_SESSION_REMOVING, HINT_SESSION_REMOVED}));
    for (const RecordingView::Update& update : recorder.Updates())
        EXPECT_EQ(update.sender, &view);
    EXPECT_TRUE(doc.IsModified());

    // The Delete key does the same; with nothing selected it does nothing.
    Click("b2");
    QTest::keyClick(&Tree(), Qt::Key_Delete);
    EXPECT_TRUE(B->GetFlights().IsEmpty());
    Tree().ClearSelectionExcept(nullptr);
    recorder.Clear();
    view.OnEditDelete(cmd::EditDelete);
    EXPECT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_TRUE(recorder.Updates().empty());
}

TEST_F(ViewTreeTest, RenameQuestionsANameTheFileCannotHoldThenEditsAgainOrTakesItAsStored) {
    Tree().expandAll();
    Click("b1");
    Idle();
    recorder.Clear();
    CCmdUI state(cmd::EditName);
    ASSERT_TRUE(view.OnCmdMsg(cmd::EditName, &state));
    EXPECT_EQ(state.GetEnabled(), true);
    ASSERT_TRUE(view.OnCmdMsg(cmd::EditName, nullptr));
    const auto editor = [this]() -> QLineEdit* {
        return qobject_cast<QLineEdit*>(Tree().itemWidget(Item("b1"), 0));
    };
    ASSERT_NE(editor(), nullptr);
    const QString omega = QString::fromUtf8("\xCE\xA9mega");
    editor()->setText(omega);
    QTest::keyClick(editor(), Qt::Key_Return);
    Idle();

    // No (the fake's default): the flight keeps its name, the editor is back on what was typed.
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_NE(Flight("b1"), nullptr);
    ASSERT_TRUE(Tree().IsEditingLabel());
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), omega);

    // Yes: taken as the project file will hold it.
    ui.QueueAnswer(MsgResult::Yes);
    QTest::keyClick(editor(), Qt::Key_Return);
    Idle();
    EXPECT_EQ(ui.Messages().size(), 2u);
    ASSERT_NE(Flight("?mega"), nullptr);
    EXPECT_EQ(Flight("?mega")->GetSession(), B);
    EXPECT_NE(Item("?mega"), nullptr);
    EXPECT_FALSE(Tree().IsEditingLabel());
    // HINT_FLIGHT_CHANGED from the record, then a forced synchronisation redraws the graph.
    ASSERT_FALSE(UpdatesWith(HINT_FLIGHT_CHANGED).empty());
    EXPECT_EQ(UpdatesWith(HINT_FLIGHT_CHANGED)[0].sender, &view);
    EXPECT_EQ(UpdatesWith(HINT_GRAPH_DATA).size(), 1u);
}

TEST_F(ViewTreeTest, DraggedFlightsLandAfterTheTargetFlightOrAtTheSessionHead) {
    Tree().expandAll();
    Click("a1");
    Click("a2", Qt::ControlModifier);
    Tree().SetCheck(Item("a2"), 1);
    Idle();
    recorder.Clear();
    Drag("a1", "b2");
    EXPECT_FALSE(view.IsDragging());
    EXPECT_EQ(FlightNames(*B), Names({"b1", "b2", "a1", "a2"}));
    EXPECT_EQ(FlightNames(*A), Names({"a3"}));
    EXPECT_EQ(Flight("a1")->GetSession(), B);
    // HINT_REBUILD without sender rebuilt the tree; the selection moved with the records.
    ASSERT_FALSE(recorder.Updates().empty());
    EXPECT_EQ(recorder.Updates()[0], (RecordingView::Update{nullptr, HINT_REBUILD, nullptr}));
    EXPECT_EQ(Item("a1")->parent(), Item("B"));
    EXPECT_EQ(Selected(), QStringList({"a1", "a2"}));
    // The shown flags took the check values before the move: the selected but unticked a1
    // comes back unticked.
    EXPECT_EQ(CTreeCtrlEx::GetCheck(Item("a1")), 0);
    EXPECT_EQ(CTreeCtrlEx::GetCheck(Item("a2")), 1);

    // Dropped on a session, the flights go to its head.
    Tree().expandAll();
    Drag("a1", "A");
    EXPECT_EQ(FlightNames(*A), Names({"a1", "a2", "a3"}));
    EXPECT_EQ(FlightNames(*B), Names({"b1", "b2"}));
}

TEST_F(ViewTreeTest, DragsThatMoveNothing) {
    Tree().expandAll();
    // Dropped outside any item.
    Click("a1");
    Drag("a1", std::nullopt);
    EXPECT_FALSE(view.IsDragging());
    EXPECT_EQ(FlightNames(*A), Names({"a1", "a2", "a3"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A session in the selection: no drag at all.
    Click("B", Qt::ControlModifier);
    recorder.Clear();
    Drag("a1", "b2");
    EXPECT_EQ(FlightNames(*A), Names({"a1", "a2", "a3"}));
    EXPECT_EQ(FlightNames(*B), Names({"b1", "b2"}));
    EXPECT_TRUE(UpdatesWith(HINT_REBUILD).empty());
}

class ViewTreeExportTest : public ViewTreeTest {
protected:
    void SetUp() override {
        ViewTreeTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("out.txt").toStdString();
        // Distinct samples, so that the order of the flights shows in the text.
        std::uint16_t value = 1000;
        for (CDataModule* session : doc.GetSessions())
            for (CDataBlock* flight : session->GetFlights())
                flight->GetRawSamples() = {value++, 7};
    }
    // What the core's export writes for these flights as one export.
    std::string Expected(const Names& names, TextExport kind) const {
        std::vector<CDataBlock*> flights;
        for (const std::string& name : names)
            flights.push_back(Flight(name));
        std::ostringstream out;
        WriteTextExport(flights, kind, out);
        return out.str();
    }

    QTemporaryDir dir;
    std::string path;
};

TEST_F(ViewTreeExportTest, SessionAndOneOfItsFlightsExportEachFlightOnce) {
    Tree().expandAll();
    Click("b2");
    Click("A", Qt::ControlModifier);
    Click("a2", Qt::ControlModifier);
    {
        std::ofstream old(path);
        old << "previous contents that are longer than the export\n";
    }
    ui.QueueSaveFile(path);
    recorder.Clear();
    ASSERT_TRUE(view.OnCmdMsg(cmd::ExportRaw, nullptr));

    EXPECT_EQ(TempDir::Read(path), Expected({"a1", "a2", "a3", "b2"}, TextExport::Raw));
    ASSERT_FALSE(recorder.Updates().empty());
    EXPECT_EQ(recorder.Updates()[0], (RecordingView::Update{&view, HINT_SAVE, nullptr}));
}

TEST_F(ViewTreeExportTest, CancelledOrFailingExportsWriteNothingAndSayWhy) {
    Tree().expandAll();
    Click("a1");
    ASSERT_TRUE(view.OnCmdMsg(cmd::ExportTranslated, nullptr)); // cancelled
    EXPECT_TRUE(UpdatesWith(HINT_SAVE).empty());

    // The tree writes through the same core export as kubo-cli, and reports its failure.
    const std::string missing = dir.filePath("missing/out.txt").toStdString();
    std::string coreMessage;
    try {
        ExportTextToFile({}, TextExport::Translated, missing);
    } catch (const std::exception& error) {
        coreMessage = error.what();
    }
    ASSERT_NE(coreMessage.find("missing/out.txt"), std::string::npos);
    ui.QueueSaveFile(missing);
    ASSERT_TRUE(view.OnCmdMsg(cmd::ExportTranslated, nullptr));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, coreMessage);
}

TEST_F(ViewTreeTest, CommandsGoToTheSingleSelectedRecordFirst) {
    CDataModule* c = AddSession(doc, {}, "C");
    auto* routed =
        static_cast<RoutedFlight*>(AddFlight(*c, "c1", std::make_unique<RoutedFlight>()));
    doc.UpdateAllViews(nullptr, HINT_SESSION_ADDED, c);
    Tree().expandAll();
    Click("c1");
    EXPECT_TRUE(view.OnCmdMsg(RoutedFlight::kOwnCommand, nullptr));
    EXPECT_EQ(routed->handled, 1);
    // With several selected the records are not asked.
    Click("a1", Qt::ControlModifier);
    EXPECT_FALSE(view.OnCmdMsg(RoutedFlight::kOwnCommand, nullptr));
    EXPECT_EQ(routed->handled, 1);

    // The print commands belong to the pages.
    for (unsigned id : {cmd::FilePageSetup, cmd::FilePrint, cmd::FilePrintPreview}) {
        CCmdUI state(id);
        EXPECT_FALSE(view.OnCmdMsg(id, &state));
    }

    // Update-UI: delete and export need a selection holding flights.
    Tree().ClearSelectionExcept(nullptr);
    CCmdUI remove(cmd::EditDelete);
    ASSERT_TRUE(view.OnCmdMsg(cmd::EditDelete, &remove));
    EXPECT_EQ(remove.GetEnabled(), false);
    CDataModule* empty = AddSession(doc, {}, "Empty");
    doc.UpdateAllViews(nullptr, HINT_SESSION_ADDED, empty);
    CCmdUI exportState(cmd::ExportTranslated);
    ASSERT_TRUE(view.OnCmdMsg(cmd::ExportTranslated, &exportState));
    EXPECT_EQ(exportState.GetEnabled(), false);
    Click("A");
    ASSERT_TRUE(view.OnCmdMsg(cmd::ExportTranslated, &exportState));
    EXPECT_EQ(exportState.GetEnabled(), true);
}

} // namespace
