#include "shell/TreeCtrlEx.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Exposes the style option the delegate paints with, so hit-testing finds the same check box,
// icon and text rectangles as the painting.
class CTreeItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    [[nodiscard]] QStyleOptionViewItem Option(const QStyleOptionViewItem& base,
                                              const QModelIndex& index) const {
        QStyleOptionViewItem option = base;
        initStyleOption(&option, index);
        return option;
    }
};

constexpr int kItemDataRole = Qt::UserRole;

bool IsDescendantOrSelf(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item) {
    for (; item; item = item->parent())
        if (item == ancestor)
            return true;
    return false;
}

// The sibling `offset` rows away, or null. Through the model index, whose row the model finds
// without searching the parent's children (indexOfChild is a linear search, which made a walk
// over the top-level items quadratic).
QTreeWidgetItem* Sibling(const QTreeWidgetItem* item, int offset) {
    QTreeWidget* tree = item->treeWidget();
    if (!tree)
        return nullptr;
    const QModelIndex index = tree->indexFromItem(item);
    return tree->itemFromIndex(index.sibling(index.row() + offset, 0));
}

QTreeWidgetItem* NextSibling(const QTreeWidgetItem* item) {
    return Sibling(item, 1);
}

QTreeWidgetItem* PrevSibling(const QTreeWidgetItem* item) {
    return Sibling(item, -1);
}

// The rows from the top level down to index: depth-first order is their lexicographic order.
std::vector<int> RowPath(QModelIndex index) {
    std::vector<int> path;
    for (; index.isValid(); index = index.parent())
        path.push_back(index.row());
    std::reverse(path.begin(), path.end());
    return path;
}

bool AncestorsExpanded(const QTreeWidgetItem* item) {
    for (const QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        if (!up->isExpanded())
            return false;
    return true;
}

// The next item after item's subtree in depth-first order, or null.
QTreeWidgetItem* NextAfterSubtree(const QTreeWidgetItem* item) {
    for (; item; item = item->parent())
        if (QTreeWidgetItem* sibling = NextSibling(item))
            return sibling;
    return nullptr;
}

bool IsExpandedWithChildren(const QTreeWidgetItem* item) {
    return item && item->isExpanded() && item->childCount() > 0;
}

} // namespace

CTreeCtrlEx::CTreeCtrlEx(bool multiSelect, int checkMode, QWidget* parent)
    : QTreeWidget(parent), m_bMultiSelect(multiSelect), m_nCheckMode(checkMode) {
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setUniformRowHeights(true);
    setItemDelegate(new CTreeItemDelegate(this));
    m_releaseTimer.setSingleShot(true);
    connect(&m_releaseTimer, &QTimer::timeout, this,
            [this] { FinishRelease(m_ptDeferredRelease); });
    // Kept to be cut in the destructor: ~QTreeWidget destroys the items and the model after
    // this part of the object, and their signals must not reach it then.
    const auto invalidate = [this] { InvalidateSortedSelection(); };
    QAbstractItemModel* rows = model();
    m_selectionLinks = {
        connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &CTreeCtrlEx::OnSelectionChanged),
        // The sorted selection depends on the rows' order and on which items are visible.
        connect(rows, &QAbstractItemModel::rowsInserted, this, invalidate),
        connect(rows, &QAbstractItemModel::rowsRemoved, this, invalidate),
        connect(rows, &QAbstractItemModel::rowsMoved, this, invalidate),
        connect(rows, &QAbstractItemModel::layoutChanged, this, invalidate),
        connect(rows, &QAbstractItemModel::modelReset, this,
                [this] {
                    m_selected.clear();
                    InvalidateSortedSelection();
                }),
        connect(this, &QTreeWidget::itemExpanded, this, invalidate),
    };
    // Collapses that bypass CollapseItem (programmatic ones) still leave no hidden item selected.
    m_selectionLinks.push_back(
        connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* collapsed) {
            InvalidateSortedSelection();
            std::vector<QTreeWidgetItem*> selected;
            for (QTreeWidgetItem* item = GetNextItemInOrder(collapsed);
                 item && IsDescendantOrSelf(collapsed, item); item = GetNextItemInOrder(item))
                if (IsSelected(item))
                    selected.push_back(item);
            for (QTreeWidgetItem* item : selected)
                SetItemSelection(item, false, false, false);
        }));
}

CTreeCtrlEx::~CTreeCtrlEx() {
    for (const QMetaObject::Connection& link : m_selectionLinks)
        disconnect(link);
}

// --- Items ---

QTreeWidgetItem* CTreeCtrlEx::InsertItem(const QString& text, QTreeWidgetItem* parent, void* data) {
    auto item = std::make_unique<QTreeWidgetItem>(QStringList{text});
    item->setData(0, kItemDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
    item->setFlags((item->flags() | Qt::ItemIsEditable) & ~Qt::ItemIsUserCheckable);
    QTreeWidgetItem* raw = item.get();
    if (parent)
        parent->addChild(item.release());
    else
        addTopLevelItem(item.release());
    return raw;
}

void* CTreeCtrlEx::GetItemData(const QTreeWidgetItem* item) {
    return item ? reinterpret_cast<void*>(item->data(0, kItemDataRole).value<quintptr>()) : nullptr;
}

void CTreeCtrlEx::DeleteAllItems() {
    m_pAnchor = m_pFocus = m_pInsertMark = m_pEditItem = nullptr;
    m_bPendingClick = m_bButtonDown = false;
    m_releaseTimer.stop();
    clear();
}

void CTreeCtrlEx::reset() {
    m_selected.clear();
    InvalidateSortedSelection();
    m_pAnchor = m_pFocus = m_pInsertMark = m_pEditItem = nullptr;
    m_bPendingClick = m_bButtonDown = false;
    m_releaseTimer.stop();
    QTreeWidget::reset();
}

void CTreeCtrlEx::ForgetItem(const QTreeWidgetItem* removed) {
    auto forget = [removed](QTreeWidgetItem*& item) {
        if (item && IsDescendantOrSelf(removed, item))
            item = nullptr;
    };
    forget(m_pAnchor);
    forget(m_pFocus);
    forget(m_pInsertMark);
    forget(m_pEditItem);
}

void CTreeCtrlEx::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    InvalidateSortedSelection();
    for (int row = start; row <= end; ++row)
        if (QTreeWidgetItem* item = itemFromIndex(model()->index(row, 0, parent))) {
            ForgetItem(item);
            // The item leaves with its subtree; none of it may stay counted as selected.
            if (!m_selected.empty()) {
                m_selected.erase(item);
                for (QTreeWidgetItem* below = GetNextItemInOrder(item);
                     below && IsDescendantOrSelf(item, below); below = GetNextItemInOrder(below))
                    m_selected.erase(below);
            }
        }
    if (m_pAnchor == nullptr) {
        m_bPendingClick = false;
        m_releaseTimer.stop();
    }
    QTreeWidget::rowsAboutToBeRemoved(parent, start, end);
}

QTreeWidgetItem* CTreeCtrlEx::HitTest(const QPoint& point, HitPart* part) const {
    HitPart dummy;
    HitPart& result = part ? *part : dummy;
    result = HitPart::Nowhere;
    const QModelIndex index = indexAt(point);
    QTreeWidgetItem* item = itemFromIndex(index);
    if (!item)
        return nullptr;
    const QRect rect = visualRect(index);
    if (point.x() < rect.left()) {
        const bool onButton = point.x() >= rect.left() - indentation() &&
                              (item->childCount() > 0 ||
                               item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator);
        result = onButton ? HitPart::Button : HitPart::Indent;
        return item;
    }
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    base.rect = rect;
    const auto* delegate = static_cast<const CTreeItemDelegate*>(itemDelegate());
    const QStyleOptionViewItem option = delegate->Option(base, index);
    QStyle* style = this->style();
    const bool hasCheck = option.features & QStyleOptionViewItem::HasCheckIndicator;
    const bool hasIcon = option.features & QStyleOptionViewItem::HasDecoration;
    const QRect check =
        hasCheck ? style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this)
                 : QRect();
    const QRect icon =
        hasIcon ? style->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this) : QRect();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int labelRight =
        text.left() + std::max(option.fontMetrics.horizontalAdvance(option.text) + 2 * margin, 8);
    const int itemLeft = hasCheck ? check.left() : hasIcon ? icon.left() : text.left();
    if (point.x() < itemLeft)
        result = HitPart::Indent;
    else if (hasCheck && check.contains(point))
        result = HitPart::CheckBox;
    else if (hasIcon && point.x() < text.left())
        result = HitPart::Icon;
    else if (point.x() < labelRight)
        result = HitPart::Label;
    else
        result = HitPart::Right;
    return item;
}

// --- Visible order ---

QTreeWidgetItem* CTreeCtrlEx::GetNextItemInOrder(QTreeWidgetItem* item) const {
    if (!item)
        return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
    if (item->childCount() > 0)
        return item->child(0);
    return NextAfterSubtree(item);
}

QTreeWidgetItem* CTreeCtrlEx::GetFirstVisibleItem() const {
    return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
}

QTreeWidgetItem* CTreeCtrlEx::GetNextVisibleItem(QTreeWidgetItem* item) const {
    if (!item)
        return nullptr;
    if (IsExpandedWithChildren(item))
        return item->child(0);
    return NextAfterSubtree(item);
}

QTreeWidgetItem* CTreeCtrlEx::GetPrevVisibleItem(QTreeWidgetItem* item) const {
    if (!item)
        return nullptr;
    QTreeWidgetItem* prev = PrevSibling(item);
    if (!prev)
        return item->parent();
    while (IsExpandedWithChildren(prev))
        prev = prev->child(prev->childCount() - 1);
    return prev;
}

QTreeWidgetItem* CTreeCtrlEx::GetLastVisibleItem() const {
    QTreeWidgetItem* last =
        topLevelItemCount() > 0 ? topLevelItem(topLevelItemCount() - 1) : nullptr;
    while (IsExpandedWithChildren(last))
        last = last->child(last->childCount() - 1);
    return last;
}

// --- Selection ---

bool CTreeCtrlEx::IsSelected(const QTreeWidgetItem* item) const {
    return item && item->treeWidget() == this && m_selected.contains(item);
}

void CTreeCtrlEx::OnSelectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
    for (const QItemSelectionRange& range : deselected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            m_selected.erase(itemFromIndex(model()->index(row, 0, range.parent())));
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (QTreeWidgetItem* item = itemFromIndex(model()->index(row, 0, range.parent())))
                m_selected.insert(item);
    InvalidateSortedSelection();
}

const std::vector<CTreeCtrlEx::SelectedEntry>& CTreeCtrlEx::SortedSelection() const {
    if (m_bSortedValid)
        return m_sorted;
    m_sorted.clear();
    m_sorted.reserve(m_selected.size());
    for (const QTreeWidgetItem* item : m_selected)
        if (item->treeWidget() == this && AncestorsExpanded(item))
            m_sorted.push_back({RowPath(indexFromItem(item)), const_cast<QTreeWidgetItem*>(item)});
    std::sort(m_sorted.begin(), m_sorted.end(),
              [](const SelectedEntry& a, const SelectedEntry& b) { return a.path < b.path; });
    m_bSortedValid = true;
    return m_sorted;
}

void CTreeCtrlEx::SetSelectedState(QTreeWidgetItem* item, bool select) {
    if (!item || item->treeWidget() != this || IsSelected(item) == select)
        return;
    selectionModel()->select(indexFromItem(item), (select ? QItemSelectionModel::Select
                                                          : QItemSelectionModel::Deselect) |
                                                      QItemSelectionModel::Rows);
}

bool CTreeCtrlEx::SetItemSelection(QTreeWidgetItem* item, bool moveCaret, bool select,
                                   bool clearOthers) {
    QTreeWidgetItem* const caret = currentItem();
    const bool caretWasSelected = IsSelected(caret);
    if (!m_bMultiSelect && select)
        clearOthers = true;
    m_bInSelection = true;
    if (clearOthers)
        ClearSelectionExcept(item);
    bool moved = false;
    if (moveCaret) {
        QTreeWidgetItem* const oldCaret = currentItem();
        const bool oldSelected = IsSelected(oldCaret);
        if (item && item->treeWidget() == this) {
            // As the native control does, moving the caret deselects the old one.
            if (oldCaret && oldCaret != item)
                SetSelectedState(oldCaret, false);
            selectionModel()->setCurrentIndex(indexFromItem(item), QItemSelectionModel::NoUpdate);
            moved = true;
        }
        if (moved && m_bMultiSelect && oldCaret && oldCaret != item)
            SetSelectedState(oldCaret, oldSelected);
    }
    if (!moveCaret || moved)
        SetSelectedState(item, select);
    if (!m_bMultiSelect && moveCaret && !moved)
        SetSelectedState(caret, caretWasSelected);
    m_bInSelection = false;
    if ((moveCaret && !moved) || !item)
        return false;
    Q_EMIT itemSelectionNotified(item);
    return true;
}

void CTreeCtrlEx::SelectRange(QTreeWidgetItem* from, QTreeWidgetItem* to, bool select) {
    if (!from || !to)
        return;
    if (!m_bMultiSelect) {
        SetItemSelection(to, select, select, true);
        return;
    }
    // An end hidden under a collapsed ancestor stands for that ancestor, so a range never runs
    // on to the end of the list looking for it.
    auto visibleEnd = [](QTreeWidgetItem* item) {
        for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
            if (!up->isExpanded())
                item = up;
        return item;
    };
    QTreeWidgetItem* const first = visibleEnd(from);
    QTreeWidgetItem* const last = visibleEnd(to);
    QTreeWidgetItem* item = GetFirstVisibleItem();
    while (item && item != first && item != last)
        item = GetNextVisibleItem(item);
    if (!item)
        return;
    QTreeWidgetItem* const other = item == first ? last : first;
    for (;;) {
        QTreeWidgetItem* const next = GetNextVisibleItem(item);
        SetItemSelection(item, select && item == to, select, false);
        if (item == other || !next)
            break;
        item = next;
    }
}

void CTreeCtrlEx::ClearSelectionExcept(QTreeWidgetItem* item) {
    for (QTreeWidgetItem* each = GetFirstVisibleItem(); each; each = GetNextVisibleItem(each))
        if (each != item)
            SetSelectedState(each, false);
}

int CTreeCtrlEx::GetSelectedCount() const {
    return static_cast<int>(SortedSelection().size());
}

QTreeWidgetItem* CTreeCtrlEx::GetFirstSelectedItem() const {
    const std::vector<SelectedEntry>& sorted = SortedSelection();
    return sorted.empty() ? nullptr : sorted.front().item;
}

QTreeWidgetItem* CTreeCtrlEx::GetNextSelectedItem(QTreeWidgetItem* item) const {
    if (!item || item->treeWidget() != this)
        return nullptr;
    const std::vector<SelectedEntry>& sorted = SortedSelection();
    const std::vector<int> path = RowPath(indexFromItem(item));
    // The first selected item after item's row; an item hidden below item is not in the list.
    const auto next = std::upper_bound(
        sorted.begin(), sorted.end(), path,
        [](const std::vector<int>& key, const SelectedEntry& entry) { return key < entry.path; });
    return next == sorted.end() ? nullptr : next->item;
}

void CTreeCtrlEx::DeselectDescendants(QTreeWidgetItem* item) {
    if (!item)
        return;
    std::vector<QTreeWidgetItem*> selected;
    for (QTreeWidgetItem* each = GetNextVisibleItem(item);
         each && IsDescendantOrSelf(item, each) && each != item; each = GetNextVisibleItem(each))
        if (IsSelected(each))
            selected.push_back(each);
    for (QTreeWidgetItem* each : selected)
        SetItemSelection(each, false, false, false);
}

void CTreeCtrlEx::NativeSelectCaret(QTreeWidgetItem* item, QTreeWidgetItem* oldCaret) {
    if (!item)
        return;
    if (oldCaret && oldCaret != item)
        SetSelectedState(oldCaret, false);
    selectionModel()->setCurrentIndex(indexFromItem(item), QItemSelectionModel::NoUpdate);
    SetSelectedState(item, true);
    Q_EMIT itemSelectionNotified(item);
}

void CTreeCtrlEx::CollapseItem(QTreeWidgetItem* item) {
    if (!IsExpandedWithChildren(item))
        return;
    DeselectDescendants(item);
    QTreeWidgetItem* const caret = currentItem();
    collapseItem(item);
    // The caret may not stay hidden: like the native control, it moves to the collapsed item.
    if (caret && caret != item && IsDescendantOrSelf(item, caret))
        NativeSelectCaret(item, caret);
}

void CTreeCtrlEx::ToggleExpansion(QTreeWidgetItem* item) {
    if (!item)
        return;
    if (item->isExpanded())
        CollapseItem(item);
    else
        expandItem(item);
}

// --- Check boxes ---

int CTreeCtrlEx::GetCheck(const QTreeWidgetItem* item) {
    if (!item)
        return -1;
    const QVariant value = item->data(0, Qt::CheckStateRole);
    if (!value.isValid())
        return -1;
    switch (value.toInt()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    default:
        return 2;
    }
}

void CTreeCtrlEx::SetCheck(QTreeWidgetItem* item, int value) {
    if (!item)
        return;
    int high = 0;
    if (m_nCheckMode == kCheck2 || m_nCheckMode == kCheck2User)
        high = 1;
    else if (m_nCheckMode == kCheck3 || m_nCheckMode == kCheck3User)
        high = 2;
    else
        return;
    value = std::clamp(value, -1, high);
    static constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    item->setData(0, Qt::CheckStateRole,
                  value < 0 ? QVariant() : QVariant(static_cast<int>(kStates[value])));
    Q_EMIT checkChanged(item);
}

void CTreeCtrlEx::SetCheckForSelection(QTreeWidgetItem* item, int value) {
    if (!m_bMultiSelect || !IsSelected(item)) {
        SetCheck(item, value);
        return;
    }
    std::vector<QTreeWidgetItem*> targets;
    for (QTreeWidgetItem* each = GetFirstSelectedItem(); each; each = GetNextSelectedItem(each))
        if (GetCheck(each) >= 0)
            targets.push_back(each);
    for (QTreeWidgetItem* each : targets)
        SetCheck(each, value);
}

void CTreeCtrlEx::ToggleCheckByUser(QTreeWidgetItem* item) {
    const int value = GetCheck(item);
    if (m_nCheckMode == kCheck2User)
        SetCheckForSelection(item, value < 1 ? 1 : 0);
    else if (m_nCheckMode == kCheck3User)
        SetCheckForSelection(item, value == 0 ? 1 : value == 1 ? 2 : value == 2 ? 0 : 1);
    else
        QApplication::beep();
}

// --- Label editing and drag feedback ---

bool CTreeCtrlEx::EditLabel(QTreeWidgetItem* item) {
    if (!item || item->treeWidget() != this || state() == QAbstractItemView::EditingState)
        return false;
    bool allow = true;
    Q_EMIT beginLabelEdit(item, &allow);
    if (!allow || item->treeWidget() != this)
        return false;
    m_pEditItem = item;
    editItem(item, 0);
    return true;
}

void CTreeCtrlEx::commitData(QWidget* editor) {
    auto* line = qobject_cast<QLineEdit*>(editor);
    QTreeWidgetItem* item = m_pEditItem;
    if (!line || !item || item->treeWidget() != this) {
        QTreeWidget::commitData(editor);
        return;
    }
    bool accept = true;
    Q_EMIT endLabelEdit(item, line->text(), &accept);
    if (accept && item == m_pEditItem)
        QTreeWidget::commitData(editor);
}

void CTreeCtrlEx::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    m_pEditItem = nullptr;
    QTreeWidget::closeEditor(editor, hint);
}

void CTreeCtrlEx::SetInsertMark(QTreeWidgetItem* item, bool after) {
    m_pInsertMark = item;
    m_bInsertAfter = after;
    viewport()->update();
}

void CTreeCtrlEx::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    if (!m_pInsertMark)
        return;
    const QRect rect = visualItemRect(m_pInsertMark);
    if (!rect.isValid())
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 2));
    const int y = m_bInsertAfter ? rect.bottom() : rect.top();
    painter.drawLine(rect.left(), y, viewport()->width(), y);
}
