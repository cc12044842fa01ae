// CMainApp: the application object — start-up, project files, idle-time sync, about box.
#pragma once

#include "framework/CmdTarget.h"
#include "shell/FileCommands.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CDocument;
class CDocumentFiles;
class QPrinter;
class QTranslator;

// The one application object of the process (Instance()). It lives beside the QApplication that
// main creates, owns the main window and carries out the application's commands: New, Open,
// Save and Save As (through core's CFileCommands, which asks through the document's
// CUiServices), Print Setup, the recent-file list, About and Exit.
class CMainApp : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    // doc and files are the project document and its file side; not owned, they must outlive
    // the application object. The settings are those of QSettings' default scope (organisation
    // and application name set by main).
    CMainApp(CDocument& doc, CDocumentFiles& files, CMainFrame::Panes panes,
             QObject* parent = nullptr);
    ~CMainApp() override;

    // The live application object, or null.
    [[nodiscard]] static CMainApp* Instance();

    // Tries dir/czres.qm as the translation catalogue of the widgets and the string table.
    // A missing or unreadable catalogue is silent and leaves the built-in texts.
    bool LoadResourceLibrary(const QString& dir);
    // Tries each folder in turn until a catalogue loads.
    bool LoadResourceLibrary(const QStringList& folders);
    // Where the catalogue is looked for, in order: beside the program (a catalogue put there
    // always loads), then, for a Czech user, the installed data folder.
    [[nodiscard]] static QStringList ResourceLibraryFolders(const QString& programDir,
                                                            QLocale::Language language);
    [[nodiscard]] bool IsResourceLibraryLoaded() const { return m_bResourceLibrary; }

    // Creates the main window and a new project, or opens file when it is not empty, then shows
    // the window. False when the file cannot be opened (the user has been told).
    [[nodiscard]] bool InitInstance(const QString& file);
    // Empties the project (views are told with the clear hint) and writes the settings.
    void ExitInstance();

    [[nodiscard]] CMainFrame* GetMainFrame() const { return m_pFrame.get(); }
    [[nodiscard]] CDocument& GetDocument() const { return m_doc; }
    [[nodiscard]] const CRecentFileList& RecentFiles() const { return m_recent; }
    // The printer that Print Setup configures and printing uses.
    [[nodiscard]] QPrinter& GetPrinter();
    [[nodiscard]] CFileCommands& FileCommands() { return m_fileCommands; }

    // Asks for a synchronisation of the flights' shown-in-graph flags with the project tree
    // once the event queue has been worked off. Requests before it runs collapse into one; its
    // force is that of the latest request.
    void ScheduleSelectionSync(bool force);
    [[nodiscard]] bool IsSyncPending() const { return m_bSyncPending; }
    // Who carries the synchronisation out (the project tree), with the force flag.
    void SetSelectionSyncHandler(std::function<void(bool force)> handler);

    // Opens a project file (after the save-changes question); false when it was not opened.
    bool OpenDocumentFile(const QString& path);

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // Print Setup: the printer set-up dialog on GetPrinter(); nothing is printed.
    void OnFilePrintSetup(unsigned id);
    void OnOpenRecentFile(unsigned id);
    void OnUpdateRecentFile(CCmdUI& ui);
    void OnAppAbout(unsigned id);
    void OnAppExit(unsigned id);

private:
    void RunIdleSync();
    // The file commands changed the project's path: the title follows, a file joins the list.
    void OnPathChanged(const std::string& path);
    void RefreshRecentFiles();

    CDocument& m_doc;
    CDocumentFiles& m_files;
    CFileCommands m_fileCommands;
    CMainFrame::Panes m_panes;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<QTranslator> m_pTranslator;
    std::unique_ptr<QPrinter> m_pPrinter;
    CRecentFileList m_recent;
    std::function<void(bool)> m_syncHandler;
    bool m_bSyncPending = false;
    bool m_bSyncForced = false;
    bool m_bSyncPosted = false;
    bool m_bResourceLibrary = false;
};
