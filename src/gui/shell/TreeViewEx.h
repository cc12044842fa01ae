// CTreeViewEx: a document view that hosts one CTreeCtrlEx filling its area.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/View.h"
#include "shell/TreeCtrlEx.h"

#include <QWidget>

// The view is a command target so the frame can offer it commands (OnCmdMsg). It passes the
// keyboard focus on to its control.
class CTreeViewEx : public QWidget, public CView, public CCmdTarget {
    Q_OBJECT
    KUBO_DECLARE_DYNAMIC(CTreeViewEx)
public:
    // Tree style bits for the control.
    enum Style : unsigned {
        kHasButtons = 0x01,
        kHasLines = 0x02,
        kLinesAtRoot = 0x04,
        kEditLabels = 0x08,
        kDisableDragDrop = 0x10,
        kShowSelAlways = 0x20,
    };
    // The control's pane identifier, kept as the suffix of its object name ("tree59648").
    static constexpr int kPaneId = 59648;

    CTreeViewEx(unsigned style, bool multiSelect, int checkMode, QWidget* parent = nullptr);
    ~CTreeViewEx() override;

    [[nodiscard]] CTreeCtrlEx& GetTreeCtrl() { return *m_pTree; }
    [[nodiscard]] const CTreeCtrlEx& GetTreeCtrl() const { return *m_pTree; }

private:
    CTreeCtrlEx* m_pTree; // child widget, owned by Qt parenting
};
