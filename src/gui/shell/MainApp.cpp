#include "shell/MainApp.h"

#include "framework/CommandIds.h"
#include "framework/Document.h"
#include "framework/Hints.h"
#include "framework/StringTable.h"
#include "framework/StringTableData.h"
#include "shell/AboutDlg.h"
#include "shell/DocumentFiles.h"
#include "shell/MainMenu.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

namespace {
CMainApp* g_app = nullptr;

// The document template's fields: 2 new-document name, 3 filter name, 4 extension.
QString TemplateField(std::size_t index, const char* fallback) {
    return QString::fromStdString(GetListEntry(LoadString(128), index).value_or(fallback));
}

QString FileFilter() {
    return QStringLiteral("%1 (*%2);;%3 (*)")
        .arg(TemplateField(3, "Kubo Data Files"), TemplateField(4, ".qlg"),
             QCoreApplication::translate("CMainApp", "All Files"));
}

CMainApp::Prompts DefaultPrompts() {
    CMainApp::Prompts prompts;
    prompts.askSaveChanges = [](const QString& name) {
        const auto answer = QMessageBox::question(
            QApplication::activeWindow(), QCoreApplication::applicationName(),
            QCoreApplication::translate("CMainApp", "Save changes to %1?").arg(name),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        return answer == QMessageBox::Yes  ? CMainApp::SaveAnswer::Yes
               : answer == QMessageBox::No ? CMainApp::SaveAnswer::No
                                           : CMainApp::SaveAnswer::Cancel;
    };
    prompts.askOpenPath = [] {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(),
                                            FileFilter());
    };
    prompts.askSavePath = [](const QString& proposed) {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), proposed,
                                            FileFilter());
    };
    prompts.showError = [](const QString& message) {
        QMessageBox::warning(QApplication::activeWindow(), QCoreApplication::applicationName(),
                             message);
    };
    return prompts;
}
} // namespace

CMainApp::CMainApp(CDocument& doc, CDocumentFiles& files, CMainFrame::Panes panes, QObject* parent)
    : QObject(parent), m_doc(doc), m_files(files), m_panes(std::move(panes)),
      m_recent(static_cast<int>(cmd::FileMruCount)), m_prompts(DefaultPrompts()) {
    g_app = this;
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

void CMainApp::SetPrompts(Prompts prompts) {
    Prompts defaults = DefaultPrompts();
    m_prompts.askSaveChanges =
        prompts.askSaveChanges ? std::move(prompts.askSaveChanges) : defaults.askSaveChanges;
    m_prompts.askOpenPath =
        prompts.askOpenPath ? std::move(prompts.askOpenPath) : defaults.askOpenPath;
    m_prompts.askSavePath =
        prompts.askSavePath ? std::move(prompts.askSavePath) : defaults.askSavePath;
    m_prompts.showError = prompts.showError ? std::move(prompts.showError) : defaults.showError;
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
    m_pFrame->SetCloseGuard([this] { return SaveModified(); });
    connect(m_pFrame.get(), &CMainFrame::filesDropped, this, [this](const QStringList& paths) {
        // One project at a time: the first dropped file is the one opened.
        (void)OpenDocumentFile(paths.front());
    });
    RefreshRecentFiles();
    if (file.isEmpty()) {
        if (!NewDocument())
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

void CMainApp::SetDocumentPath(const QString& path) {
    m_doc.SetPathName(path.toStdString());
    m_doc.SetTitle(path.isEmpty() ? TemplateField(2, "Untitled").toStdString()
                                  : QFileInfo(path).fileName().toStdString());
    if (m_pFrame)
        m_pFrame->UpdateTitle();
}

void CMainApp::RefreshRecentFiles() {
    if (m_pFrame)
        m_pFrame->Commands().SetRecentFiles(m_recent.Files());
    QSettings settings;
    m_recent.WriteList(settings);
}

bool CMainApp::NewDocument() {
    if (!m_files.OnNewDocument())
        return false;
    m_doc.SetModifiedFlag(false);
    SetDocumentPath(QString());
    m_doc.UpdateAllViews(nullptr, HINT_REBUILD);
    return true;
}

bool CMainApp::SaveModified() {
    if (!m_doc.IsModified())
        return true;
    QString name = QString::fromStdString(m_doc.GetPathName());
    if (name.isEmpty())
        name = QString::fromStdString(m_doc.GetTitle());
    switch (m_prompts.askSaveChanges(name)) {
    case SaveAnswer::Yes:
        return DoSave(false);
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool CMainApp::DoSave(bool saveAs) {
    QString path = QString::fromStdString(m_doc.GetPathName());
    if (saveAs || path.isEmpty()) {
        QString proposed = path;
        if (proposed.isEmpty())
            proposed = QString::fromStdString(m_doc.GetTitle()) + TemplateField(4, ".qlg");
        path = m_prompts.askSavePath(proposed);
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += TemplateField(4, ".qlg");
    }
    if (!m_files.OnSaveDocument(path.toStdString()))
        return false;
    m_doc.SetModifiedFlag(false);
    SetDocumentPath(QFileInfo(path).absoluteFilePath());
    m_recent.Add(path);
    RefreshRecentFiles();
    return true;
}

bool CMainApp::OpenDocumentFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        m_prompts.showError(tr("Cannot open the file %1.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (!SaveModified())
        return false;
    if (!m_files.OnOpenDocument(info.absoluteFilePath().toStdString())) {
        // The document may have been emptied before the failure: start afresh rather than
        // leave a half-read project under the old name.
        (void)NewDocument();
        return false;
    }
    m_doc.SetModifiedFlag(false);
    SetDocumentPath(info.absoluteFilePath());
    m_recent.Add(info.absoluteFilePath());
    RefreshRecentFiles();
    m_doc.UpdateAllViews(nullptr, HINT_REBUILD);
    return true;
}

bool CMainApp::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    static const CommandEntry<CMainApp> map[] = {
        {cmd::FileNew, cmd::FileNew, &CMainApp::OnFileNew, nullptr},
        {cmd::FileOpen, cmd::FileOpen, &CMainApp::OnFileOpen, nullptr},
        {cmd::FileSave, cmd::FileSave, &CMainApp::OnFileSave, nullptr},
        {cmd::FileSaveAs, cmd::FileSaveAs, &CMainApp::OnFileSaveAs, nullptr},
        {cmd::FilePrintSetup, cmd::FilePrintSetup, &CMainApp::OnFilePrintSetup, nullptr},
        {cmd::FileMruFirst, cmd::FileMruFirst + cmd::FileMruCount - 1, &CMainApp::OnOpenRecentFile,
         &CMainApp::OnUpdateRecentFile},
        {cmd::AppAbout, cmd::AppAbout, &CMainApp::OnAppAbout, nullptr},
        {cmd::AppExit, cmd::AppExit, &CMainApp::OnAppExit, nullptr},
    };
    return RouteCommand(*this, map, nID, pCmdUI);
}

void CMainApp::OnFileNew(unsigned) {
    if (SaveModified())
        (void)NewDocument();
}

void CMainApp::OnFileOpen(unsigned) {
    const QString path = m_prompts.askOpenPath();
    if (!path.isEmpty())
        (void)OpenDocumentFile(path);
}

void CMainApp::OnFileSave(unsigned) {
    (void)DoSave(false);
}

void CMainApp::OnFileSaveAs(unsigned) {
    (void)DoSave(true);
}

void CMainApp::OnFilePrintSetup(unsigned) {
    QPageSetupDialog dialog(&GetPrinter(), m_pFrame.get());
    dialog.exec();
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
