#include "shell/MainFrame.h"

#include "framework/CommandIds.h"
#include "framework/Document.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/View.h"
#include "pages/DataView.h"
#include "shell/MainMenu.h"
#include "shell/MainSplitter.h"
#include "shell/PageTabCtrl.h"
#include "shell/TreeSplitter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <memory>
#include <new>
#include <optional>

namespace {
// The events after which the command state may have changed: what the user does with the mouse
// and keyboard. Commands, focus changes and clipboard changes ask for an update themselves.
bool MayChangeCommandState(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}
// The column width used when the measurement tool cannot be measured.
constexpr QSize kFallbackTrackSize(220, 240);

QWidget* MakeBlank(QWidget* parent) {
    return new QWidget(parent);
}

QString TableText(unsigned id) {
    return QString::fromStdString(LoadString(id));
}
} // namespace

CMainFrame::CMainFrame(QWidget* parent) : CMainFrame(nullptr, nullptr, Panes{}, parent) {}

CMainFrame::CMainFrame(CDocument* doc, CCmdTarget* app, Panes panes, QWidget* parent)
    : QMainWindow(parent), m_pDocument(doc), m_pApp(app) {
    setObjectName(QStringLiteral("MainFrame"));
    m_pMenu = new CMainMenu(this);
    m_pMenu->BuildMenuBar(menuBar());

    m_pToolBar = new QToolBar(tr("Toolbar"), this);
    m_pToolBar->setObjectName(QStringLiteral("toolbar59392"));
    m_pToolBar->setIconSize(QSize(16, 16));
    m_pMenu->BuildToolBar(m_pToolBar);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    statusBar()->setObjectName(QStringLiteral("statusbar59393"));
    // The message pane falls back to the idle prompt whenever a command prompt goes away.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            statusBar()->showMessage(TableText(str::IdleMessage));
    });
    statusBar()->showMessage(TableText(str::IdleMessage));

    CreateClientArea(panes);

    connect(m_pMenu, &CMainMenu::commandTriggered, this,
            [this](unsigned id) { (void)ExecuteCommand(id); });
    connect(m_pMenu, &CMainMenu::menuAboutToShow, this,
            [this](QMenu* menu) { UpdateCommandUI(menu); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });

    // The toolbar follows changes instead of polling: a poll's cost grows with the project.
    qApp->installEventFilter(this);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &CMainFrame::ScheduleCommandUpdate);

    // The title shows the modified state as it changes.
    if (m_pDocument)
        m_pDocument->AddModifiedListener(this,
                                         [this](bool modified) { setWindowModified(modified); });
    setAcceptDrops(true);
    UpdateTitle();
    resize(1024, 700);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    // The panes are destroyed by ~QWidget, after this part of the object is gone; focus moving
    // away from them then must not reach OnFocusChanged.
    disconnect(qApp, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    if (m_pDocument)
        m_pDocument->RemoveModifiedListener(this);
}

void CMainFrame::ScheduleCommandUpdate() {
    if (m_bUpdatePosted)
        return;
    m_bUpdatePosted = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdatePosted = false;
        if (isVisible())
            UpdateCommandUI();
    });
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (MayChangeCommandState(event->type()))
        ScheduleCommandUpdate();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::CreateClientArea(Panes& panes) {
    const QString infoLabel = TableText(str::InfoPageTab);
    const QString graphLabel = TableText(str::GraphPageTab);

    m_pMainSplitter = new CMainSplitter(this);
    m_pMainSplitter->setObjectName(QStringLiteral("mainSplitter"));

    m_pTreeSplitter = new CTreeSplitter(m_pMainSplitter);
    m_pTreeSplitter->setObjectName(QStringLiteral("treeSplitter"));
    m_pTreeSplitter->SetTreePane((panes.tree ? panes.tree : MakeBlank)(m_pTreeSplitter));
    m_pMainSplitter->addWidget(m_pTreeSplitter);

    // The column is as wide as the measurement tool wants to be; a hidden instance tells.
    m_trackSize = kFallbackTrackSize;
    if (panes.track) {
        std::unique_ptr<QWidget> probe(panes.track(nullptr));
        if (probe && probe->sizeHint().isValid())
            m_trackSize = probe->sizeHint();
    }
    m_pTreeSplitter->SetTrackFactory(panes.track ? panes.track : MakeBlank, m_trackSize.height());

    m_pTabs = new CPageTabCtrl(m_pMainSplitter);
    m_pTabs->setObjectName(QStringLiteral("pageTabs"));
    m_pMainSplitter->addWidget(m_pTabs);
    connect(m_pTabs, &CPageTabCtrl::pageActivated, this,
            [this](QWidget* page) { SetActiveView(dynamic_cast<CView*>(page) ? page : nullptr); });
    (void)m_pTabs->AddPage(0, panes.infoPage ? panes.infoPage : MakeBlank, infoLabel);
    (void)m_pTabs->AddPage(1, panes.graphPage ? panes.graphPage : MakeBlank, graphLabel);

    m_pMainSplitter->setStretchFactor(0, 0);
    m_pMainSplitter->setStretchFactor(1, 1);
    m_pMainSplitter->setSizes({m_trackSize.width(), 1024 - m_trackSize.width()});
    setCentralWidget(m_pMainSplitter);

    (void)m_pTabs->SelectPage(0);
    SetActiveView(GetTreeView());
}

void CMainFrame::UpdateTitle() {
    QString name = m_pDocument ? QString::fromStdString(m_pDocument->GetTitle()) : QString();
    if (name.isEmpty())
        name = QString::fromStdString(
            GetListEntry(LoadString(str::DocTemplate), 2).value_or("Untitled"));
    // "[*]" is where the platform shows the modified state (an asterisk, or a dot in the close
    // button); a literal "[*]" in a file name is doubled so that it stays text.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(QStringLiteral("%1 - %2[*]").arg(TableText(str::AppTitle), name));
    setWindowModified(m_pDocument && m_pDocument->IsModified());
}

QWidget* CMainFrame::GetTreeView() const {
    return m_pTreeSplitter->GetTreePane();
}

QWidget* CMainFrame::GetTrackPane(bool create) {
    return m_pTreeSplitter->GetTrackPane(create);
}

QWidget* CMainFrame::GetInfoPage() const {
    return m_pTabs->GetPage(0);
}

QWidget* CMainFrame::GetGraphPage() const {
    return m_pTabs->GetPage(1);
}

void CMainFrame::SetActiveView(QWidget* view) {
    if (auto* page = dynamic_cast<CDataView*>(view))
        view = page->GetCommandView();
    m_activeView = view;
}

void CMainFrame::OnFocusChanged(QWidget* now) {
    if (!now || now->window() != this)
        return;
    for (QWidget* w = now; w && w != this; w = w->parentWidget()) {
        if (dynamic_cast<CView*>(w)) {
            SetActiveView(w);
            break;
        }
    }
    ScheduleCommandUpdate();
}

bool CMainFrame::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    if (auto* view = dynamic_cast<CCmdTarget*>(m_activeView.data());
        view && view->OnCmdMsg(nID, pCmdUI))
        return true;
    if (m_pDocument && m_pDocument->OnCmdMsg(nID, pCmdUI))
        return true;
    if (OnFrameCmdMsg(nID, pCmdUI))
        return true;
    if (m_pApp && m_pApp->OnCmdMsg(nID, pCmdUI))
        return true;
    return m_pMainSplitter->OnCmdMsg(nID, pCmdUI);
}

bool CMainFrame::OnFrameCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    static const CommandEntry<CMainFrame> map[] = {
        {cmd::ViewInfoPage, cmd::ViewInfoPage, &CMainFrame::OnViewInfoPage, nullptr},
        {cmd::ViewGraphPage, cmd::ViewGraphPage, &CMainFrame::OnViewGraphPage, nullptr},
        {cmd::ViewMeasurements, cmd::ViewMeasurements, &CMainFrame::OnViewMeasurements,
         &CMainFrame::OnUpdateViewMeasurements},
        {cmd::ViewToolbar, cmd::ViewToolbar, &CMainFrame::OnViewToolbar,
         &CMainFrame::OnUpdateViewToolbar},
        {cmd::ViewStatusBar, cmd::ViewStatusBar, &CMainFrame::OnViewStatusBar,
         &CMainFrame::OnUpdateViewStatusBar},
    };
    return RouteCommand(*this, map, nID, pCmdUI);
}

bool CMainFrame::ExecuteCommand(unsigned id) {
    CCmdUI state(id);
    if (!OnCmdMsg(id, &state) || !state.GetEnabled().value_or(true))
        return false;
    bool handled = true;
    try {
        handled = OnCmdMsg(id, nullptr);
    } catch (const std::bad_alloc&) {
        // The operations name their file or flight where they can; this is the last resort,
        // and the program goes on.
        QMessageBox::warning(this, TableText(57344), TableText(str::NotEnoughMemory));
    }
    // The command may have changed what other commands can do.
    ScheduleCommandUpdate();
    return handled;
}

void CMainFrame::UpdateAction(QAction* action) {
    const unsigned id = action->data().toUInt();
    if (id == 0)
        return;
    CCmdUI state(id);
    if (!OnCmdMsg(id, &state)) {
        action->setEnabled(false);
        return;
    }
    if (std::optional<bool> enabled = state.GetEnabled())
        action->setEnabled(*enabled);
    if (std::optional<int> check = state.GetCheck()) {
        action->setCheckable(true);
        action->setChecked(*check != 0);
    }
    if (const std::optional<std::string>& text = state.GetText())
        action->setText(QString::fromStdString(*text));
}

void CMainFrame::UpdateCommandUI(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && !action->menu())
            UpdateAction(action);
    }
}

void CMainFrame::UpdateCommandUI() {
    for (QAction* action : m_pMenu->Actions())
        UpdateAction(action);
}

void CMainFrame::OnViewInfoPage(unsigned) {
    (void)m_pTabs->SelectPage(0);
}

void CMainFrame::OnViewGraphPage(unsigned) {
    (void)m_pTabs->SelectPage(1);
}

void CMainFrame::OnViewMeasurements(unsigned) {
    if (m_pTreeSplitter->IsTrackShown())
        m_pTreeSplitter->HideTrackPane();
    else
        (void)m_pTreeSplitter->ShowTrackPane();
}

void CMainFrame::OnUpdateViewMeasurements(CCmdUI& ui) {
    ui.Enable(true);
    ui.SetCheck(m_pTreeSplitter->IsTrackShown() ? 1 : 0);
}

void CMainFrame::OnViewToolbar(unsigned) {
    m_pToolBar->setVisible(!m_pToolBar->isVisible());
}

void CMainFrame::OnUpdateViewToolbar(CCmdUI& ui) {
    ui.Enable(true);
    ui.SetCheck(m_pToolBar->isVisible() ? 1 : 0);
}

void CMainFrame::OnViewStatusBar(unsigned) {
    statusBar()->setVisible(!statusBar()->isVisible());
}

void CMainFrame::OnUpdateViewStatusBar(CCmdUI& ui) {
    ui.Enable(true);
    ui.SetCheck(statusBar()->isVisible() ? 1 : 0);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ScheduleCommandUpdate();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime && mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
    event->ignore();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    if (const QMimeData* mime = event->mimeData()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        }
    }
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Opening may ask questions; let the drag source finish first.
    QTimer::singleShot(0, this, [this, paths] {
        Q_EMIT filesDropped(paths);
        ScheduleCommandUpdate();
    });
}
