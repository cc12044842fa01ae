// CMainFrame: the main window; wires the panes, menus and commands together.
#pragma once

#include "framework/CmdTarget.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class CDocument;
class CMainMenu;
class CMainSplitter;
class CPageTabCtrl;
class CTreeSplitter;
class QAction;
class QMenu;
class QToolBar;

// The window is a command target that routes every command it is given: first the active view,
// the document, the frame itself and the application, then every pane of the main splitter (the
// project tree, the measurement tool, the current page, the page tabs). So a pane's command
// works whichever view has the focus, and a command nobody handles shows disabled.
class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    using PaneFactory = std::function<QWidget*(QWidget* parent)>;
    // How the panes are made. A missing factory gives a blank pane. The track factory is also
    // called once at construction to measure the tool's preferred size.
    struct Panes {
        PaneFactory tree;
        PaneFactory track;
        PaneFactory infoPage;
        PaneFactory graphPage;
    };

    // Neither document nor app is owned; either may be null (then that step of the routing is
    // skipped). Both must outlive the frame.
    CMainFrame(CDocument* doc, CCmdTarget* app, Panes panes, QWidget* parent = nullptr);
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Title "Kubo - <document title>", "Untitled" standing in for an empty title, with the
    // platform's mark of a modified document; the mark follows the document's modified flag.
    void UpdateTitle();

    [[nodiscard]] CDocument* GetDocument() const { return m_pDocument; }
    [[nodiscard]] QWidget* GetTreeView() const;
    // The measurement tool; when it is not shown, null, or with create set it is shown first.
    QWidget* GetTrackPane(bool create);
    [[nodiscard]] QWidget* GetInfoPage() const;
    [[nodiscard]] QWidget* GetGraphPage() const;
    [[nodiscard]] CPageTabCtrl* GetPageTabs() const { return m_pTabs; }
    [[nodiscard]] CTreeSplitter* GetTreeSplitter() const { return m_pTreeSplitter; }
    [[nodiscard]] CMainSplitter* GetMainSplitter() const { return m_pMainSplitter; }
    [[nodiscard]] CMainMenu& Commands() const { return *m_pMenu; }
    // The preferred size of the measurement tool, measured at construction.
    [[nodiscard]] QSize GetTrackSize() const { return m_trackSize; }

    // The view commands go to first: the pane holding the keyboard focus or, after a page
    // change, the page shown; a page may hand the role to a view inside it
    // (CDataView::GetCommandView). Null when the current page is not a view.
    [[nodiscard]] QWidget* GetActiveView() const { return m_activeView; }
    void SetActiveView(QWidget* view);

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;
    // Carries out a command unless its update-UI query disables it. True when someone handled it.
    bool ExecuteCommand(unsigned id);
    // Applies the update-UI answers to the actions of one menu, or to every action.
    void UpdateCommandUI(QMenu* menu);
    void UpdateCommandUI();
    // Updates every action once the event queue is empty; requests before then collapse into
    // one. Asked for after each command, focus change, clipboard change and mouse or key event:
    // the command state is never polled.
    void ScheduleCommandUpdate();

    // Asked before the window closes (e.g. "save changes?"); returning false keeps it open.
    void SetCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

Q_SIGNALS:
    // Local files dropped on the window, in drop order.
    void filesDropped(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    // The project may have changed while the window was hidden (opened from the command line).
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Watches the application's events for user actions (installed on qApp).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnFrameCmdMsg(unsigned nID, CCmdUI* pCmdUI);
    void UpdateAction(QAction* action);
    void OnViewInfoPage(unsigned id);
    void OnViewGraphPage(unsigned id);
    void OnViewMeasurements(unsigned id);
    void OnUpdateViewMeasurements(CCmdUI& ui);
    void OnViewToolbar(unsigned id);
    void OnUpdateViewToolbar(CCmdUI& ui);
    void OnViewStatusBar(unsigned id);
    void OnUpdateViewStatusBar(CCmdUI& ui);
    void CreateClientArea(Panes& panes);
    void OnFocusChanged(QWidget* now);

    CDocument* m_pDocument = nullptr;
    CCmdTarget* m_pApp = nullptr;
    CMainMenu* m_pMenu = nullptr;
    QToolBar* m_pToolBar = nullptr;
    CMainSplitter* m_pMainSplitter = nullptr;
    CTreeSplitter* m_pTreeSplitter = nullptr;
    CPageTabCtrl* m_pTabs = nullptr;
    bool m_bUpdatePosted = false;
    QPointer<QWidget> m_activeView;
    QSize m_trackSize;
    std::function<bool()> m_closeGuard;
};
