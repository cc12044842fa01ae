// The multi-selection tree control: mouse, keyboard and check-box rules.
#include "TreeDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace tree_driver;

// Roots R0 (A, B, C), R1 (D, E) and R2, in a shown and focused window; children carry
// check boxes.
class TreeCtrlExTest : public ::testing::Test {
protected:
    void Build(bool multiSelect = true, int checkMode = CTreeCtrlEx::kCheck2User) {
        tree = std::make_unique<CTreeCtrlEx>(multiSelect, checkMode);
        tree->resize(300, 400);
        QTreeWidgetItem* r0 = tree->InsertItem("R0", nullptr, nullptr);
        for (const char* name : {"A", "B", "C"})
            tree->SetCheck(tree->InsertItem(name, r0, nullptr), 0);
        QTreeWidgetItem* r1 = tree->InsertItem("R1", nullptr, nullptr);
        for (const char* name : {"D", "E"})
            tree->SetCheck(tree->InsertItem(name, r1, nullptr), 0);
        tree->InsertItem("R2", nullptr, nullptr);
        tree->expandAll();
        tree->show();
        tree->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tree.get()));
        tree->setFocus();
        QObject::connect(tree.get(), &CTreeCtrlEx::itemSelectionNotified,
                         [this](QTreeWidgetItem*) { ++notifications; });
        QObject::connect(tree.get(), &CTreeCtrlEx::keyDown,
                         [this](int key) { keys.push_back(key); });
    }

    QTreeWidgetItem* Item(const QString& name) const { return FindItem(*tree, name); }
    QPoint PointOn(const QString& name, HitPart wanted) const {
        return tree_driver::PointOn(*tree, name, wanted);
    }
    void Press(const QString& name, Qt::KeyboardModifiers mods = {}) {
        tree_driver::Press(*tree, name, mods);
    }
    void Release(const QString& name) { tree_driver::Release(*tree, name); }
    void Click(const QString& name, Qt::KeyboardModifiers mods = {},
               HitPart part = HitPart::Label) {
        tree_driver::Click(*tree, name, mods, part);
    }
    QStringList Selected() const { return tree_driver::Selected(*tree); }
    QStringList Ticked() const {
        QStringList names;
        for (QTreeWidgetItem* item = tree->GetNextItemInOrder(nullptr); item;
             item = tree->GetNextItemInOrder(item))
            if (CTreeCtrlEx::GetCheck(item) == 1)
                names << item->text(0);
        return names;
    }

    std::unique_ptr<CTreeCtrlEx> tree;
    int notifications = 0;
    std::vector<int> keys;
};

TEST_F(TreeCtrlExTest, ClickCtrlAndShiftBuildTheSelection) {
    Build();
    Click("B");
    EXPECT_EQ(Selected(), QStringList({"B"}));
    EXPECT_EQ(tree->GetCaretItem(), Item("B"));

    // Shift-click selects exactly the visible items between the ends, both included.
    Click("R1", Qt::ShiftModifier);
    EXPECT_EQ(Selected(), QStringList({"B", "C", "R1"}));
    // Another end first deselects the previous range; the anchor stays.
    Click("A", Qt::ShiftModifier);
    EXPECT_EQ(Selected(), QStringList({"A", "B"}));

    Click("D", Qt::ControlModifier);
    EXPECT_EQ(Selected(), QStringList({"A", "B", "D"}));
    // Ctrl-click on a selected item deselects it alone, leaving the caret on it.
    Click("B", Qt::ControlModifier);
    EXPECT_EQ(Selected(), QStringList({"A", "D"}));
    EXPECT_EQ(tree->GetCaretItem(), Item("B"));

    // Ctrl+Shift extends from the new anchor without dropping the others.
    Click("E", Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Selected(), QStringList({"A", "B", "C", "R1", "D", "E"}));

    // A plain click on an unselected item makes it the only selection.
    Click("R2");
    EXPECT_EQ(Selected(), QStringList({"R2"}));

    // Without multi-select every selection clears the others.
    Build(false);
    Click("A");
    Click("C", Qt::ControlModifier);
    EXPECT_EQ(Selected(), QStringList({"C"}));
    Click("E", Qt::ShiftModifier);
    EXPECT_EQ(Selected(), QStringList({"E"}));
}

TEST_F(TreeCtrlExTest, ClickOnSelectedItemDecidesOnReleaseWhetherToRename) {
    Build();
    Click("A");
    Click("A");
    EXPECT_FALSE(tree->IsEditingLabel()); // not without the style

    tree->SetEditLabels(true);
    Click("C", Qt::ControlModifier);
    const int before = notifications;
    // One of several selected: the press changes nothing, the release leaves only it and does
    // not rename.
    Press("A");
    EXPECT_EQ(Selected(), QStringList({"A", "C"}));
    EXPECT_EQ(notifications, before);
    Release("A");
    EXPECT_EQ(Selected(), QStringList({"A"}));
    EXPECT_FALSE(tree->IsEditingLabel());

    // A click that activates the window does not rename either.
    tree->clearFocus();
    Click("A");
    EXPECT_TRUE(tree->hasFocus());
    EXPECT_FALSE(tree->IsEditingLabel());

    // A second click on the single selected item renames it, unless the owner refuses.
    Click("A");
    EXPECT_TRUE(tree->IsEditingLabel());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QObject::connect(tree.get(), &CTreeCtrlEx::beginLabelEdit,
                     [](QTreeWidgetItem*, bool* allow) { *allow = false; });
    Click("A");
    EXPECT_FALSE(tree->IsEditingLabel());
}

TEST_F(TreeCtrlExTest, EditedLabelGoesThroughTheOwner) {
    Build();
    tree->SetEditLabels(true);
    QString seen;
    bool accept = false;
    QObject::connect(tree.get(), &CTreeCtrlEx::endLabelEdit,
                     [&](QTreeWidgetItem*, const QString& text, bool* ok) {
                         seen = text;
                         *ok = accept;
                     });
    auto type = [&](const QString& text, int key) {
        QApplication::processEvents(); // editors of finished edits go away
        QLineEdit* editor = nullptr;
        for (QLineEdit* each : tree->viewport()->findChildren<QLineEdit*>())
            if (each->isVisible())
                editor = each;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, static_cast<Qt::Key>(key));
        QApplication::processEvents(); // the delegate commits through a queued call
    };
    ASSERT_TRUE(tree->EditLabel(Item("B")));
    type("Bee", Qt::Key_Return);
    EXPECT_EQ(seen, "Bee");
    EXPECT_EQ(Item("B")->text(0), "B"); // refused

    accept = true;
    ASSERT_TRUE(tree->EditLabel(Item("B")));
    type("Bee", Qt::Key_Return);
    EXPECT_NE(Item("Bee"), nullptr);

    // Escape cancels without asking the owner.
    seen.clear();
    ASSERT_TRUE(tree->EditLabel(Item("C")));
    type("Sea", Qt::Key_Escape);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_NE(Item("C"), nullptr);
}

TEST_F(TreeCtrlExTest, ReleaseOnSelectedParentWaitsForDoubleClick) {
    Build();
    tree->collapseItem(Item("R1"));
    Click("R0");
    Click("R1", Qt::ControlModifier);

    // A double click within the wait toggles the item and keeps the selection.
    tree->SetDoubleClickWait(60000);
    Click("R1");
    EXPECT_EQ(Selected(), QStringList({"R0", "R1"}));
    SendMouse(tree->viewport(), QEvent::MouseButtonDblClick, PointOn("R1", HitPart::Label),
              Qt::LeftButton, Qt::LeftButton);
    Release("R1");
    EXPECT_TRUE(Item("R1")->isExpanded());
    EXPECT_EQ(Selected(), QStringList({"R0", "R1"}));

    // Without one, the click completes after the wait.
    tree->SetDoubleClickWait(20);
    Click("R1");
    EXPECT_EQ(Selected(), QStringList({"R0", "R1"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Selected() == QStringList({"R1"}); }, 2000));

    // The next press completes a waiting click first.
    Click("R0", Qt::ControlModifier);
    tree->SetDoubleClickWait(60000);
    Click("R0");
    Press("C");
    EXPECT_EQ(Selected(), QStringList({"C"}));
}

TEST_F(TreeCtrlExTest, CollapsingDeselectsTheHiddenItems) {
    Build();
    Click("A");
    Click("C", Qt::ControlModifier);
    Click("D", Qt::ControlModifier);
    Click("R0", {}, HitPart::Button);
    EXPECT_FALSE(Item("R0")->isExpanded());
    EXPECT_EQ(Selected(), QStringList({"D"}));

    // A caret that would be hidden moves to the collapsed item.
    Click("E");
    tree->CollapseItem(Item("R1"));
    EXPECT_EQ(Selected(), QStringList({"R1"}));
    EXPECT_EQ(tree->GetCaretItem(), Item("R1"));

    // Programmatic collapses leave nothing hidden selected either.
    tree->expandItem(Item("R0"));
    Click("B");
    Click("R2", Qt::ControlModifier);
    tree->collapseItem(Item("R0"));
    EXPECT_FALSE(tree->IsSelected(Item("B")));
}

TEST_F(TreeCtrlExTest, ArrowKeysMoveSelectAndExtend) {
    Build();
    Click("A");
    keys.clear();
    QTest::keyClick(tree.get(), Qt::Key_Down);
    EXPECT_EQ(Selected(), QStringList({"B"}));
    QTest::keyClick(tree.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(tree.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), QStringList({"B", "C", "R1"}));
    QTest::keyClick(tree.get(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), QStringList({"B", "C"}));

    // Ctrl moves the caret only; Ctrl+Space toggles the caret item.
    QTest::keyClick(tree.get(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(tree.get(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(tree->GetCaretItem(), Item("D"));
    EXPECT_EQ(Selected(), QStringList({"B", "C"}));
    QTest::keyClick(tree.get(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Selected(), QStringList({"B", "C", "D"}));
    QTest::keyClick(tree.get(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Selected(), QStringList({"B", "C"}));

    // Left: to the parent, then collapse (deselecting below, no key notification); Right:
    // expand, then to the first child.
    QTest::keyClick(tree.get(), Qt::Key_Left);
    EXPECT_EQ(Selected(), QStringList({"R1"}));
    keys.clear();
    QTest::keyClick(tree.get(), Qt::Key_Left);
    EXPECT_FALSE(Item("R1")->isExpanded());
    QTest::keyClick(tree.get(), Qt::Key_Right);
    EXPECT_TRUE(Item("R1")->isExpanded());
    EXPECT_TRUE(keys.empty());
    QTest::keyClick(tree.get(), Qt::Key_Right);
    EXPECT_EQ(Selected(), QStringList({"D"}));
    EXPECT_EQ(keys, std::vector<int>({Qt::Key_Right}));

    // Page Down stops at the last visible item.
    QTest::keyClick(tree.get(), Qt::Key_PageDown);
    EXPECT_EQ(Selected(), QStringList({"R2"}));
}

TEST_F(TreeCtrlExTest, CheckBoxesToggleAndCyclePerMode) {
    Build();
    Click("A");
    Click("B", Qt::ControlModifier);
    QTest::keyClick(tree.get(), Qt::Key_Space);
    EXPECT_EQ(Ticked(), QStringList({"A", "B"}));
    EXPECT_EQ(Selected(), QStringList({"A", "B"}));
    QTest::keyClick(tree.get(), Qt::Key_Space);
    EXPECT_TRUE(Ticked().isEmpty());

    // Without check boxes Space just selects the caret item.
    Build(true, CTreeCtrlEx::kNoCheck);
    Click("A");
    QTest::keyClick(tree.get(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(tree.get(), Qt::Key_Space);
    EXPECT_EQ(Selected(), QStringList({"B"}));

    // Display-only check boxes do not change.
    Build(true, CTreeCtrlEx::kCheck2);
    Click("A");
    QTest::keyClick(tree.get(), Qt::Key_Space);
    Click("B", {}, HitPart::CheckBox);
    EXPECT_TRUE(Ticked().isEmpty());

    // Three-state boxes cycle through the third state.
    Build(true, CTreeCtrlEx::kCheck3User);
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        Click("B", {}, HitPart::CheckBox);
        seen.push_back(CTreeCtrlEx::GetCheck(Item("B")));
    }
    EXPECT_EQ(seen, std::vector<int>({1, 2, 0}));
}

TEST_F(TreeCtrlExTest, TickingOneOfSeveralSelectedTicksAllWithCheckBoxes) {
    Build();
    Click("A");
    Click("C", Qt::ControlModifier);
    Click("R1", Qt::ControlModifier); // no check box: left alone
    std::vector<QTreeWidgetItem*> changed;
    QObject::connect(tree.get(), &CTreeCtrlEx::checkChanged,
                     [&](QTreeWidgetItem* item) { changed.push_back(item); });
    Click("C", {}, HitPart::CheckBox);
    EXPECT_EQ(Ticked(), QStringList({"A", "C"}));
    EXPECT_EQ(changed.size(), 2u);
    EXPECT_EQ(CTreeCtrlEx::GetCheck(Item("R1")), -1);
    EXPECT_EQ(Selected(), QStringList({"A", "C", "R1"}));

    // An unselected item's box changes that item alone.
    Click("E", {}, HitPart::CheckBox);
    EXPECT_EQ(Ticked(), QStringList({"A", "C", "E"}));
    Click("A", {}, HitPart::CheckBox);
    EXPECT_EQ(Ticked(), QStringList({"E"}));
}

TEST_F(TreeCtrlExTest, DragStartsOnlyPastTheThreshold) {
    Build();
    std::vector<QTreeWidgetItem*> drags;
    QObject::connect(tree.get(), &CTreeCtrlEx::beginDrag,
                     [&](QTreeWidgetItem* item, QPoint) { drags.push_back(item); });
    Click("A");
    Click("B", Qt::ControlModifier);
    const QPoint start = PointOn("A", HitPart::Label);
    const int distance = QApplication::startDragDistance();
    SendMouse(tree->viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(tree->viewport(), QEvent::MouseMove, start + QPoint(distance, distance), Qt::NoButton,
              Qt::LeftButton);
    EXPECT_TRUE(drags.empty());
    SendMouse(tree->viewport(), QEvent::MouseMove, start + QPoint(distance + 1, 0), Qt::NoButton,
              Qt::LeftButton);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0], Item("A"));
    // The drag ended the pending click: releasing keeps both selected.
    SendMouse(tree->viewport(), QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Selected(), QStringList({"A", "B"}));
}

TEST_F(TreeCtrlExTest, RightClickSelectsWithoutDroppingASelectedItem) {
    Build();
    Click("A");
    Click("B", Qt::ControlModifier);
    auto rightPress = [&](const QString& name, Qt::KeyboardModifiers mods = {}) {
        SendMouse(tree->viewport(), QEvent::MouseButtonPress, PointOn(name, HitPart::Label),
                  Qt::RightButton, Qt::RightButton, mods);
        SendMouse(tree->viewport(), QEvent::MouseButtonRelease, PointOn(name, HitPart::Label),
                  Qt::RightButton, Qt::NoButton, mods);
    };
    rightPress("A");
    EXPECT_EQ(Selected(), QStringList({"A", "B"}));
    EXPECT_EQ(tree->GetCaretItem(), Item("A"));
    rightPress("D", Qt::ControlModifier);
    EXPECT_EQ(Selected(), QStringList({"A", "B", "D"}));
    rightPress("E");
    EXPECT_EQ(Selected(), QStringList({"E"}));
}

TEST_F(TreeCtrlExTest, WalksCoverCollapsedItemsInOrderButSelectionOnlyVisibleOnes) {
    Build();
    tree->collapseItem(Item("R0"));
    QStringList all;
    for (QTreeWidgetItem* item = tree->GetNextItemInOrder(nullptr); item;
         item = tree->GetNextItemInOrder(item))
        all << item->text(0);
    EXPECT_EQ(all, QStringList({"R0", "A", "B", "C", "R1", "D", "E", "R2"}));
    tree->SelectRange(Item("R2"), Item("R0"), true);
    EXPECT_EQ(Selected(), QStringList({"R0", "R1", "D", "E", "R2"}));
    EXPECT_EQ(tree->GetSelectedCount(), 5);
    // Selecting moves the caret to the 'to' end only.
    EXPECT_EQ(tree->GetCaretItem(), Item("R0"));
}

// The selection queries no longer walk the tree but keep the selected items sorted; they must
// follow removals, collapses, insertions and clearing as the walk did.
TEST_F(TreeCtrlExTest, SelectionQueriesFollowEveryChangeOfTheTree) {
    Build();
    tree->SelectRange(Item("R0"), Item("R2"), true);
    EXPECT_EQ(tree->GetSelectedCount(), 8);
    QTreeWidgetItem* c = Item("C");
    std::unique_ptr<QTreeWidgetItem>(c->parent()->takeChild(c->parent()->indexOfChild(c)));
    tree->CollapseItem(Item("R1"));
    EXPECT_EQ(Selected(), QStringList({"R0", "A", "B", "R1", "R2"}));
    tree->insertTopLevelItem(0, new QTreeWidgetItem(QStringList{"N"}));
    tree->SetItemSelection(Item("N"), false, true, false);
    EXPECT_EQ(Selected(), QStringList({"N", "R0", "A", "B", "R1", "R2"}));
    EXPECT_EQ(tree->GetNextSelectedItem(Item("B")), Item("R1"));
    EXPECT_EQ(tree->GetNextSelectedItem(Item("D")), Item("R2")); // D is hidden, not selected
    std::unique_ptr<QTreeWidgetItem>(tree->takeTopLevelItem(1)); // R0 with A and B
    EXPECT_EQ(Selected(), QStringList({"N", "R1", "R2"}));
    EXPECT_TRUE(tree->IsSelected(Item("R1")));
    tree->DeleteAllItems();
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_EQ(tree->GetFirstSelectedItem(), nullptr);
}

TEST_F(TreeCtrlExTest, RemovedItemsAreForgottenAsAnchor) {
    Build();
    Click("B");
    QTreeWidgetItem* b = Item("B");
    std::unique_ptr<QTreeWidgetItem>(b->parent()->takeChild(b->parent()->indexOfChild(b)));
    Click("D", Qt::ShiftModifier);
    EXPECT_TRUE(Selected().contains("D"));
}

} // namespace
