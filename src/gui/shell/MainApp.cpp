#include "shell/MainApp.h"

#include "framework/CommandIds.h"
#include "framework/Document.h"
#include "framework/StringTable.h"
#include "framework/StringTableData.h"
#include "shell/AboutDlg.h"
#include "shell/DocumentFiles.h"
#include "shell/MainMenu.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

namespace {
CMainApp* g_app = nullptr;

// The texts of Qt's standard buttons (message boxes, button boxes), looked up by Qt itself in
// these contexts. Marked here so that lupdate carries them into Kubo's catalogue: the buttons
// then speak its language without Qt's own translations installed.
[[maybe_unused]] constexpr const char* kQtButtonTexts[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Save All"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Open"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Yes to &All"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "N&o to All"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Abort"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Retry"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Ignore"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Discard"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Help"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Apply"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Reset"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Restore Defaults"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "&OK"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "&Save"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "&Cancel"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "&Close"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "Close without Saving"),
};
} // namespace

CMainApp::CMainApp(CDocument& doc, CDocumentFiles& files, CMainFrame::Panes panes, QObject* parent)
    : QObject(parent), m_doc(doc), m_files(files), m_fileCommands(doc, files),
      m_panes(std::move(panes)), m_recent(static_cast<int>(cmd::FileMruCount)) {
    g_app = this;
    m_fileCommands.SetPathListener([this](const std::string& path) { OnPathChanged(path); });
    QSettings settings;
    m_recent.ReadList(settings);
}

CMainApp::~CMainApp() {
    if (m_pTranslator) {
        SetStringSource({});
        QCoreApplication::removeTranslator(m_pTranslator.get());
    }
    m_pFrame.reset();
    if (g_app == this)
        g_app = nullptr;
}

CMainApp* CMainApp::Instance() {
    return g_app;
}

QStringList CMainApp::ResourceLibraryFolders(const QString& programDir,
                                             QLocale::Language language) {
    QStringList folders{programDir};
    // Installed as prefix/bin/kubo beside prefix/share/kubo/translations, which holds for the
    // system's package and for a package unpacked anywhere.
    if (language == QLocale::Czech)
        folders.append(QDir::cleanPath(programDir + QStringLiteral("/../share/kubo/translations")));
    return folders;
}

bool CMainApp::LoadResourceLibrary(const QStringList& folders) {
    for (const QString& dir : folders)
        if (LoadResourceLibrary(dir))
            return true;
    return false;
}

bool CMainApp::LoadResourceLibrary(const QString& dir) {
    const QString path = dir + QStringLiteral("/czres.qm");
    if (m_bResourceLibrary || !QFileInfo::exists(path))
        return m_bResourceLibrary;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path))
        return false;
    QCoreApplication::installTranslator(translator.get());
    // String-table entries are messages of the context "StringTable": their English text, told
    // apart by their comment where two are equal.
    QTranslator* catalogue = translator.get();
    SetStringSource([catalogue](const StringTableEntry& entry) -> std::optional<std::string> {
        const QString text = catalogue->translate("StringTable", entry.text, entry.comment);
        if (text.isEmpty())
            return std::nullopt;
        return text.toStdString();
    });
    m_pTranslator = std::move(translator);
    m_bResourceLibrary = true;
    return true;
}

bool CMainApp::InitInstance(const QString& file) {
    m_pFrame = std::make_unique<CMainFrame>(&m_doc, this, m_panes);
    m_pFrame->setWindowIcon(QIcon(QStringLiteral(":/resources/icons/kubo.svg")));
    m_pFrame->SetCloseGuard([this] { return m_fileCommands.SaveModified(); });
    connect(m_pFrame.get(), &CMainFrame::filesDropped, this, [this](const QStringList& paths) {
        // One project at a time: the first dropped file is the one opened.
        (void)OpenDocumentFile(paths.front());
    });
    RefreshRecentFiles();
    if (file.isEmpty()) {
        if (!m_fileCommands.NewDocument())
            return false;
    } else if (!OpenDocumentFile(file)) {
        return false;
    }
    m_pFrame->show();
    // The project tree is the active view at start-up and takes the keyboard.
    if (QWidget* tree = m_pFrame->GetTreeView())
        tree->setFocus();
    return true;
}

void CMainApp::ExitInstance() {
    m_files.DeleteContents();
    QSettings settings;
    m_recent.WriteList(settings);
}

QPrinter& CMainApp::GetPrinter() {
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>();
    return *m_pPrinter;
}

void CMainApp::ScheduleSelectionSync(bool force) {
    m_bSyncPending = true;
    m_bSyncForced = force;
    if (m_bSyncPosted)
        return;
    m_bSyncPosted = true;
    // A zero-interval timer fires once the queued events have been processed: idle time.
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, [this, timer] {
        timer->deleteLater();
        RunIdleSync();
    });
    timer->start();
}

void CMainApp::SetSelectionSyncHandler(std::function<void(bool force)> handler) {
    m_syncHandler = std::move(handler);
}

void CMainApp::RunIdleSync() {
    m_bSyncPosted = false;
    if (!m_bSyncPending)
        return;
    m_bSyncPending = false;
    const bool force = m_bSyncForced;
    m_bSyncForced = false;
    if (m_syncHandler)
        m_syncHandler(force);
}

void CMainApp::OnPathChanged(const std::string& path) {
    if (m_pFrame)
        m_pFrame->UpdateTitle();
    if (!path.empty()) {
        m_recent.Add(QString::fromStdString(path));
        RefreshRecentFiles();
    }
}

void CMainApp::RefreshRecentFiles() {
    if (m_pFrame)
        m_pFrame->Commands().SetRecentFiles(m_recent.Files());
    QSettings settings;
    m_recent.WriteList(settings);
}

bool CMainApp::OpenDocumentFile(const QString& path) {
    return m_fileCommands.OpenDocumentFile(path.toStdString());
}

bool CMainApp::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    static const CommandEntry<CMainApp> map[] = {
        {cmd::FilePrintSetup, cmd::FilePrintSetup, &CMainApp::OnFilePrintSetup, nullptr},
        {cmd::FileMruFirst, cmd::FileMruFirst + cmd::FileMruCount - 1, &CMainApp::OnOpenRecentFile,
         &CMainApp::OnUpdateRecentFile},
        {cmd::AppAbout, cmd::AppAbout, &CMainApp::OnAppAbout, nullptr},
        {cmd::AppExit, cmd::AppExit, &CMainApp::OnAppExit, nullptr},
    };
    return RouteCommand(*this, map, nID, pCmdUI) || m_fileCommands.OnCmdMsg(nID, pCmdUI);
}

void CMainApp::OnFilePrintSetup(unsigned) {
    // The printer's set-up: which printer, and its properties (paper, orientation). A print
    // dialog whose OK keeps the choice for the next print without printing; where no printer is
    // installed it offers printing to a PDF file, so it always has something to set up.
    QPrintDialog dialog(&GetPrinter(), m_pFrame.get());
    dialog.setWindowTitle(tr("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(tr("OK"));
    (void)dialog.exec();
}

void CMainApp::OnOpenRecentFile(unsigned id) {
    const int index = static_cast<int>(id - cmd::FileMruFirst);
    if (index >= m_recent.Files().size())
        return;
    const QString path = m_recent.Files()[index];
    if (!OpenDocumentFile(path) && !QFileInfo(path).isFile()) {
        // A file that is gone leaves the list, as the framework's list does.
        m_recent.Remove(index);
        RefreshRecentFiles();
    }
}

void CMainApp::OnUpdateRecentFile(CCmdUI& ui) {
    ui.Enable(static_cast<int>(ui.GetID() - cmd::FileMruFirst) < m_recent.Files().size());
}

void CMainApp::OnAppAbout(unsigned) {
    CAboutDlg dialog(m_pFrame.get());
    dialog.exec();
}

void CMainApp::OnAppExit(unsigned) {
    if (m_pFrame)
        m_pFrame->close();
}
