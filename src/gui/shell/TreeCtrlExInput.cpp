// CTreeCtrlEx: the mouse and keyboard rules of the multi-selection tree.
#include "shell/TreeCtrlEx.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

void CTreeCtrlEx::EndPendingClick() {
    m_bPendingClick = false;
}

void CTreeCtrlEx::FlushPendingRelease() {
    if (!m_releaseTimer.isActive())
        return;
    m_releaseTimer.stop();
    FinishRelease(m_ptDeferredRelease);
}

void CTreeCtrlEx::ExtendRangeTo(QTreeWidgetItem* item) {
    if (!m_pAnchor)
        m_pAnchor = currentItem() ? currentItem() : item;
    SelectRange(m_pAnchor, m_pFocus ? m_pFocus : m_pAnchor, false);
    m_pFocus = item;
    SelectRange(m_pAnchor, item, true);
}

void CTreeCtrlEx::mousePressEvent(QMouseEvent* event) {
    FlushPendingRelease();
    const QPoint point = event->position().toPoint();
    HitPart part = HitPart::Nowhere;
    QTreeWidgetItem* item = HitTest(point, &part);
    event->accept();
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
        // The click that activates the control must not turn into a rename of the caret item.
        if (event->button() == Qt::LeftButton && item && item == currentItem() &&
            part == HitPart::Label) {
            m_bSwallowRelease = true;
            return;
        }
    }
    m_bSwallowRelease = false;
    if (event->button() == Qt::LeftButton) {
        if (item && IsOnItem(part)) {
            LeftButtonDown(item, part, event->modifiers(), point);
        } else {
            EndPendingClick();
            if (item && part == HitPart::Button)
                ToggleExpansion(item);
        }
    } else if (event->button() == Qt::RightButton) {
        RightButtonDown(item, part, event->modifiers(), point);
    }
}

void CTreeCtrlEx::LeftButtonDown(QTreeWidgetItem* item, HitPart part,
                                 Qt::KeyboardModifiers modifiers, QPoint point) {
    EndPendingClick();
    setFocus(Qt::MouseFocusReason);
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    m_bButtonDown = false;
    if (part == HitPart::CheckBox) {
        ToggleCheckByUser(item);
    } else if (shift || ctrl) {
        if (shift) {
            if (!ctrl)
                ClearSelectionExcept(item);
            ExtendRangeTo(item);
            m_bButtonDown = true;
        } else {
            const bool select = !IsSelected(item);
            SetItemSelection(item, true, select, false);
            m_bButtonDown = select;
        }
    } else if (IsSelected(item)) {
        // Decided on release: a click, a double click or the start of a drag.
        m_bButtonDown = true;
        m_bPendingClick = true;
    } else {
        SetItemSelection(item, true, true, true);
        m_bButtonDown = true;
    }
    m_ptButtonDown = point;
    m_downButton = Qt::LeftButton;
    if (!shift)
        m_pAnchor = m_pFocus = item;
}

void CTreeCtrlEx::RightButtonDown(QTreeWidgetItem* item, HitPart part,
                                  Qt::KeyboardModifiers modifiers, QPoint point) {
    EndPendingClick();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (item && IsOnItem(part)) {
        if (!IsSelected(item) && !ctrl)
            ClearSelectionExcept(item);
        if (shift)
            ExtendRangeTo(item);
        else
            SetItemSelection(item, true, true, false);
        if (!shift)
            m_pAnchor = m_pFocus = item;
    }
    m_ptButtonDown = point;
    m_bButtonDown = GetFirstSelectedItem() != nullptr;
    m_downButton = Qt::RightButton;
}

void CTreeCtrlEx::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (m_bSwallowRelease) {
        m_bSwallowRelease = false;
        return;
    }
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        m_bButtonDown = false;
        EndPendingClick();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_bButtonDown = false;
    if (m_bPendingClick && m_pAnchor && m_pAnchor->childCount() > 0 &&
        HitTest(point) == m_pAnchor) {
        // A double click on an item with children toggles it and keeps the selection, so the
        // release waits for one instead of deciding at once.
        m_ptDeferredRelease = point;
        m_releaseTimer.start(m_nDoubleClickWait >= 0 ? m_nDoubleClickWait
                                                     : QApplication::doubleClickInterval() + 50);
        return;
    }
    FinishRelease(point);
}

void CTreeCtrlEx::FinishRelease(QPoint point) {
    const bool wasPending = m_bPendingClick;
    EndPendingClick();
    if (!wasPending)
        return;
    HitPart part = HitPart::Nowhere;
    QTreeWidgetItem* item = HitTest(point, &part);
    if (!item || item != m_pAnchor || !IsOnItem(part))
        return;
    const bool rename = GetSelectedCount() == 1 && m_bEditLabels;
    SetItemSelection(item, true, true, true);
    if (rename)
        EditLabel(item);
}

void CTreeCtrlEx::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    HitPart part = HitPart::Nowhere;
    QTreeWidgetItem* item = HitTest(point, &part);
    if (m_bPendingClick && item && item == m_pAnchor) {
        m_releaseTimer.stop();
        EndPendingClick();
        ToggleExpansion(item);
        return;
    }
    FlushPendingRelease();
    if (item && (IsOnItem(part) || part == HitPart::Button))
        ToggleExpansion(item);
}

void CTreeCtrlEx::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
    if (!m_bButtonDown || m_bDragDisabled || !(event->buttons() & m_downButton))
        return;
    const QPoint point = event->position().toPoint();
    const QPoint moved = point - m_ptButtonDown;
    const int threshold = QApplication::startDragDistance();
    if (std::abs(moved.x()) <= threshold && std::abs(moved.y()) <= threshold)
        return;
    EndPendingClick();
    m_bButtonDown = false;
    if (!m_pAnchor)
        return;
    if (m_downButton == Qt::RightButton)
        Q_EMIT beginRightDrag(m_pAnchor, point);
    else
        Q_EMIT beginDrag(m_pAnchor, point);
}

QTreeWidgetItem* CTreeCtrlEx::PageTarget(QTreeWidgetItem* from, bool down) const {
    if (!from)
        return GetFirstVisibleItem();
    const int rowHeight = std::max(1, visualItemRect(from).height());
    const int rows = std::max(1, viewport()->height() / rowHeight);
    QTreeWidgetItem* target = from;
    for (int i = 0; i < rows; ++i) {
        QTreeWidgetItem* next = down ? GetNextVisibleItem(target) : GetPrevVisibleItem(target);
        if (!next)
            break;
        target = next;
    }
    return target;
}

void CTreeCtrlEx::keyPressEvent(QKeyEvent* event) {
    FlushPendingRelease();
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QTreeWidgetItem* const caret = currentItem();
    QTreeWidgetItem* target = nullptr;
    switch (key) {
    case Qt::Key_Space:
        target = caret;
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        target = PageTarget(caret, key == Qt::Key_PageDown);
        break;
    case Qt::Key_Left:
        if (caret && caret->isExpanded() && caret->childCount() > 0) {
            CollapseItem(caret);
            return;
        }
        target = caret ? caret->parent() : nullptr;
        break;
    case Qt::Key_Right:
        if (caret && !caret->isExpanded() && caret->childCount() > 0) {
            expandItem(caret);
            return;
        }
        target = caret && caret->childCount() > 0 ? caret->child(0) : nullptr;
        break;
    case Qt::Key_Up:
        target = caret ? GetPrevVisibleItem(caret) : GetFirstVisibleItem();
        break;
    case Qt::Key_Down:
        target = caret ? GetNextVisibleItem(caret) : GetFirstVisibleItem();
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        // The plain single-selection behaviour: the caret moves and takes the selection mark.
        NativeSelectCaret(key == Qt::Key_Home ? GetFirstVisibleItem() : GetLastVisibleItem(),
                          caret);
        return;
    case Qt::Key_Minus:
        CollapseItem(caret);
        return;
    default:
        Q_EMIT keyDown(key);
        QTreeWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (target) {
        if (shift) {
            if (!ctrl)
                ClearSelectionExcept(target);
            ExtendRangeTo(target);
        } else if (ctrl) {
            const bool selected = IsSelected(target);
            SetItemSelection(target, true, key == Qt::Key_Space ? !selected : selected, false);
        } else if (key == Qt::Key_Space && IsSelected(target) && m_nCheckMode != kNoCheck) {
            if (GetCheck(target) >= 0)
                ToggleCheckByUser(target);
        } else {
            SetItemSelection(target, true, true, true);
        }
        if ((!shift && !ctrl) || key == Qt::Key_Space)
            m_pAnchor = m_pFocus = target;
    }
    Q_EMIT keyDown(key);
}

void CTreeCtrlEx::keyboardSearch(const QString& search) {
    QTreeWidgetItem* const caret = currentItem();
    QTreeWidget::keyboardSearch(search);
    if (currentItem() != caret)
        NativeSelectCaret(currentItem(), caret);
}

void CTreeCtrlEx::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    viewport()->update();
}

void CTreeCtrlEx::focusOutEvent(QFocusEvent* event) {
    QTreeWidget::focusOutEvent(event);
    viewport()->update();
}
