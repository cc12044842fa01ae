// Drives a CTreeCtrlEx as the user does: finds items by their text, presses on a part of their
// row and lists the selection in tree order.
#pragma once

#include "shell/TreeCtrlEx.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

// Readable failures for the name lists the tree tests compare.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{' << list.join(',').toStdString() << '}';
}

namespace tree_driver {

using HitPart = CTreeCtrlEx::HitPart;

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons,
                      modifiers);
    QApplication::sendEvent(target, &event);
}

// The first item in tree order, collapsed ones included, whose text is name.
inline QTreeWidgetItem* FindItem(const CTreeCtrlEx& tree, const QString& name) {
    for (QTreeWidgetItem* item = tree.GetNextItemInOrder(nullptr); item;
         item = tree.GetNextItemInOrder(item))
        if (item->text(0) == name)
            return item;
    return nullptr;
}

// The middle of the wanted part of the named item's row, as the tree's own hit test finds it.
inline QPoint PointOn(const CTreeCtrlEx& tree, const QString& name, HitPart wanted) {
    QTreeWidgetItem* item = FindItem(tree, name);
    const QRect row = tree.visualItemRect(item);
    int first = -1;
    int last = -1;
    for (int x = 0; x < tree.viewport()->width(); ++x) {
        HitPart part = HitPart::Nowhere;
        if (tree.HitTest(QPoint(x, row.center().y()), &part) == item && part == wanted) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    if (first < 0)
        ADD_FAILURE() << "no such part on " << name.toStdString();
    return {(first + last) / 2, row.center().y()};
}

inline void Press(CTreeCtrlEx& tree, const QString& name, Qt::KeyboardModifiers mods = {},
                  HitPart part = HitPart::Label) {
    SendMouse(tree.viewport(), QEvent::MouseButtonPress, PointOn(tree, name, part), Qt::LeftButton,
              Qt::LeftButton, mods);
}
inline void Release(CTreeCtrlEx& tree, const QString& name, Qt::KeyboardModifiers mods = {},
                    HitPart part = HitPart::Label) {
    SendMouse(tree.viewport(), QEvent::MouseButtonRelease, PointOn(tree, name, part),
              Qt::LeftButton, Qt::NoButton, mods);
}
inline void Click(CTreeCtrlEx& tree, const QString& name, Qt::KeyboardModifiers mods = {},
                  HitPart part = HitPart::Label) {
    Press(tree, name, mods, part);
    Release(tree, name, mods, part);
}

inline QStringList Selected(const CTreeCtrlEx& tree) {
    QStringList names;
    for (QTreeWidgetItem* item = tree.GetFirstSelectedItem(); item;
         item = tree.GetNextSelectedItem(item))
        names << item->text(0);
    return names;
}

} // namespace tree_driver
