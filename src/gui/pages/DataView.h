// CDataView: the base of the form pages that show the project beside the tree (Information,
// Graph) and of the measurement tool pane.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/View.h"

#include <QWidget>

class CMainDoc;

// A page is a view of the project document and a command target: the frame offers it the
// commands it routes to the current page (OnCmdMsg). It registers with its document through
// CDocument::AddView and leaves it when destroyed.
class CDataView : public QWidget, public CView, public CCmdTarget {
    Q_OBJECT
    KUBO_DECLARE_DYNAMIC(CDataView)
public:
    explicit CDataView(QWidget* parent = nullptr);
    ~CDataView() override;

    // The document as the project document; null while the view is not attached.
    [[nodiscard]] CMainDoc* GetMainDoc() const;

    // What the frame makes its active view when this page becomes active: the page itself, or
    // a view inside it that takes the editing commands (the information page's comments
    // editor).
    [[nodiscard]] virtual QWidget* GetCommandView() { return this; }
};
