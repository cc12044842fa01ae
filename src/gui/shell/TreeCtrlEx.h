// CTreeCtrlEx: a tree control with multiple selection, check boxes and its own drag detection.
#pragma once

#include <QPoint>
#include <QTimer>
#include <QTreeWidget>

#include <unordered_set>
#include <vector>

// Items are QTreeWidgetItem handles with one column. The control keeps its own selection rules:
// the Qt selection model holds the selected state of each item and the current index is the
// caret, but the view's built-in mouse and key selection is off (NoSelection) and every change
// goes through SetItemSelection. "Visible" items are those whose ancestors are all expanded;
// selection bookkeeping walks only visible items. The selection queries cost no walk over the
// tree: a set of the selected items follows the selection model's changes, and the selected
// visible items in visible order are sorted once after each change of the selection or the
// tree's shape, so that asking for them on every command-state update stays cheap however
// large the project.
//
// What the owner must react to arrives as the signals below, emitted synchronously.
class CTreeCtrlEx : public QTreeWidget {
    Q_OBJECT
public:
    // Check-box modes: 0 none; 2 two-state display only; 3 two-state, the user toggles;
    // 5 three-state display only; 6 three-state, the user cycles.
    enum CheckMode { kNoCheck = 0, kCheck2 = 2, kCheck2User = 3, kCheck3 = 5, kCheck3User = 6 };

    // Where a point lies relative to an item row.
    enum class HitPart { Nowhere, Indent, Button, CheckBox, Icon, Label, Right };

    CTreeCtrlEx(bool multiSelect, int checkMode, QWidget* parent = nullptr);
    ~CTreeCtrlEx() override;

    [[nodiscard]] bool IsMultiSelect() const { return m_bMultiSelect; }
    [[nodiscard]] int GetCheckMode() const { return m_nCheckMode; }
    // Label editing by a second click on the single selected item, and by EditLabel.
    void SetEditLabels(bool on) { m_bEditLabels = on; }
    [[nodiscard]] bool GetEditLabels() const { return m_bEditLabels; }
    // With drag disabled no begin-drag signal is ever emitted.
    void SetDragDisabled(bool on) { m_bDragDisabled = on; }

    // --- Items ---
    // Appends an item below parent (null: top level) with the given label and item data.
    QTreeWidgetItem* InsertItem(const QString& text, QTreeWidgetItem* parent, void* data);
    static void* GetItemData(const QTreeWidgetItem* item);
    void DeleteAllItems();
    // Forgets anchor, focus and the other item handles when the model is reset.
    void reset() override;
    [[nodiscard]] QTreeWidgetItem* GetCaretItem() const { return currentItem(); }
    // Which part of which item lies under point (viewport coordinates); null when none.
    QTreeWidgetItem* HitTest(const QPoint& point, HitPart* part = nullptr) const;
    [[nodiscard]] static bool IsOnItem(HitPart part) {
        return part == HitPart::CheckBox || part == HitPart::Icon || part == HitPart::Label;
    }

    // --- Selection ---
    // The one primitive that changes the selection; emits itemSelectionNotified for item.
    // False (and no signal) when moving the caret failed.
    bool SetItemSelection(QTreeWidgetItem* item, bool moveCaret, bool select, bool clearOthers);
    // Selects or deselects every visible item between the two ends (either order), inclusive.
    void SelectRange(QTreeWidgetItem* from, QTreeWidgetItem* to, bool select);
    // Deselects every visible item but item (which may be null), without signals.
    void ClearSelectionExcept(QTreeWidgetItem* item);
    // O(1).
    [[nodiscard]] bool IsSelected(const QTreeWidgetItem* item) const;
    // O(1) and O(log selected) once the selection has been sorted after its last change.
    [[nodiscard]] int GetSelectedCount() const;
    [[nodiscard]] QTreeWidgetItem* GetFirstSelectedItem() const;
    [[nodiscard]] QTreeWidgetItem* GetNextSelectedItem(QTreeWidgetItem* item) const;
    // Depth-first over all items, expanded or not; null gives the first root item.
    [[nodiscard]] QTreeWidgetItem* GetNextItemInOrder(QTreeWidgetItem* item) const;
    [[nodiscard]] QTreeWidgetItem* GetFirstVisibleItem() const;
    [[nodiscard]] QTreeWidgetItem* GetNextVisibleItem(QTreeWidgetItem* item) const;
    [[nodiscard]] QTreeWidgetItem* GetPrevVisibleItem(QTreeWidgetItem* item) const;
    [[nodiscard]] QTreeWidgetItem* GetLastVisibleItem() const;
    // Deselects the visible items below item, from its first child to the item before its next
    // sibling (or to the end).
    void DeselectDescendants(QTreeWidgetItem* item);
    // Collapses item after deselecting its descendants; the caret, when hidden, moves to item.
    void CollapseItem(QTreeWidgetItem* item);
    void ToggleExpansion(QTreeWidgetItem* item);

    // --- Check boxes ---
    // -1 no check box, 0 unchecked, 1 checked, 2 third state.
    [[nodiscard]] static int GetCheck(const QTreeWidgetItem* item);
    // Clamped to the mode's range (modes 2 and 3: -1..1; 5 and 6: -1..2); no effect in mode 0.
    // Emits checkChanged.
    void SetCheck(QTreeWidgetItem* item, int value);
    // On every selected item that has a check box when item is selected in a multi-select
    // control; otherwise on item alone.
    void SetCheckForSelection(QTreeWidgetItem* item, int value);

    // --- Label editing and drag feedback ---
    // Asks the owner through beginLabelEdit, then opens the editor. False when refused.
    bool EditLabel(QTreeWidgetItem* item);
    [[nodiscard]] bool IsEditingLabel() const { return state() == EditingState; }
    // Draws an insertion line below (after) or above item; null removes it.
    void SetInsertMark(QTreeWidgetItem* item, bool after = true);
    [[nodiscard]] QTreeWidgetItem* GetInsertMark() const { return m_pInsertMark; }

    // The release of a pending click on an item with children waits this long for a double
    // click (the system double-click time plus 50 ms unless set).
    void SetDoubleClickWait(int ms) { m_nDoubleClickWait = ms; }

Q_SIGNALS:
    // After every successful SetItemSelection, and after a caret move by Home, End or typing.
    void itemSelectionNotified(QTreeWidgetItem* item);
    void beginDrag(QTreeWidgetItem* anchor, QPoint point);
    void beginRightDrag(QTreeWidgetItem* anchor, QPoint point);
    // After Space, Page Up/Down or an arrow key was handled (not when Left or Right only
    // collapsed or expanded the caret item), and before the plain handling of any other key
    // but Home, End and Minus.
    void keyDown(int key);
    void checkChanged(QTreeWidgetItem* item);
    // Set *allow to false to refuse editing.
    void beginLabelEdit(QTreeWidgetItem* item, bool* allow);
    // Only for an edit that ended with a new text; set *accept to false to keep the old label.
    void endLabelEdit(QTreeWidgetItem* item, const QString& text, bool* accept);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    void LeftButtonDown(QTreeWidgetItem* item, CTreeCtrlEx::HitPart part,
                        Qt::KeyboardModifiers modifiers, QPoint point);
    void RightButtonDown(QTreeWidgetItem* item, CTreeCtrlEx::HitPart part,
                         Qt::KeyboardModifiers modifiers, QPoint point);
    // A range from the anchor to item, after first deselecting anchor ... focus.
    void ExtendRangeTo(QTreeWidgetItem* item);
    void FinishRelease(QPoint point);
    void FlushPendingRelease();
    void EndPendingClick();
    void ToggleCheckByUser(QTreeWidgetItem* item);
    // Moves the caret as a single-selection tree would: old caret deselected, item selected.
    void NativeSelectCaret(QTreeWidgetItem* item, QTreeWidgetItem* oldCaret);
    void SetSelectedState(QTreeWidgetItem* item, bool select);
    [[nodiscard]] QTreeWidgetItem* PageTarget(QTreeWidgetItem* from, bool down) const;
    void ForgetItem(const QTreeWidgetItem* removed);
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    // The selected visible items in visible order, each with its path of rows from the top.
    struct SelectedEntry {
        std::vector<int> path;
        QTreeWidgetItem* item;
    };
    const std::vector<SelectedEntry>& SortedSelection() const;
    void InvalidateSortedSelection() { m_bSortedValid = false; }

    bool m_bMultiSelect;
    int m_nCheckMode;
    bool m_bEditLabels = false;
    bool m_bDragDisabled = false;
    QTreeWidgetItem* m_pAnchor = nullptr;
    QTreeWidgetItem* m_pFocus = nullptr;
    bool m_bPendingClick = false;
    bool m_bButtonDown = false;
    Qt::MouseButton m_downButton = Qt::NoButton;
    QPoint m_ptButtonDown;
    bool m_bInSelection = false;
    bool m_bSwallowRelease = false;
    QTreeWidgetItem* m_pInsertMark = nullptr;
    QTreeWidgetItem* m_pEditItem = nullptr;
    bool m_bInsertAfter = true;
    // A release waiting for a possible double click (see SetDoubleClickWait).
    QTimer m_releaseTimer;
    QPoint m_ptDeferredRelease;
    int m_nDoubleClickWait = -1;
    // Every selected item of this tree, visible or not, kept with the selection model.
    std::unordered_set<const QTreeWidgetItem*> m_selected;
    mutable std::vector<SelectedEntry> m_sorted;
    mutable bool m_bSortedValid = false;
    std::vector<QMetaObject::Connection> m_selectionLinks;
};
