#include "shell/MainApp.h"

#include "../core/support/FakeUi.h"
#include "KuboVersion.h"
#include "calc/ModalScript.h"
#include "framework/CommandIds.h"
#include "framework/Document.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/View.h"
#include "shell/AboutDlg.h"
#include "shell/DocumentFiles.h"
#include "shell/MainMenu.h"
#include "widgets/HyperlinkLabel.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <vector>

namespace {
class FakeFiles : public CDocumentFiles {
public:
    void DeleteContents() override {}
    bool OnNewDocument() override {
        ++created;
        return true;
    }
    bool OnOpenDocument(const std::string& path) override {
        opened.push_back(path);
        return openResult;
    }
    bool OnSaveDocument(const std::string& path) override {
        saved.push_back(path);
        return saveResult;
    }
    int created = 0;
    std::vector<std::string> opened;
    std::vector<std::string> saved;
    bool openResult = true;
    bool saveResult = true;
};

class HintLog : public CView {
public:
    void OnUpdate(CView*, long hint, CObject*) override { hints.push_back(hint); }
    std::vector<long> hints;
};

struct AppFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("Tervane"));
        QCoreApplication::setApplicationName(QStringLiteral("Kubo"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings().clear();
        doc.AddView(&views);
        app = std::make_unique<CMainApp>(doc, files, CMainFrame::Panes{});
    }
    void TearDown() override { doc.RemoveView(&views); }

    QString MakeFile(const QString& name) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        return path;
    }
    // The title as the platform shows it, with its mark of a modified project.
    QString Title() const {
        QWindow* window = app->GetMainFrame()->windowHandle();
        return window ? window->title() : QString();
    }

    QTemporaryDir dir;
    FakeUi ui;
    CDocument doc{&ui};
    HintLog views;
    FakeFiles files;
    std::unique_ptr<CMainApp> app;
};

TEST_F(AppFixture, StartsAndFallsBackToAnEmptyUntitledProject) {
    ASSERT_TRUE(app->InitInstance(QString()));
    EXPECT_EQ(CMainApp::Instance(), app.get());
    EXPECT_EQ(files.created, 1);
    EXPECT_EQ(Title(), QStringLiteral("Kubo - Untitled"));
    EXPECT_EQ(views.hints, std::vector<long>{HINT_REBUILD});
    EXPECT_TRUE(app->GetMainFrame()->isVisible());

    // A failed open leaves no recent file.
    files.openResult = false;
    EXPECT_FALSE(app->OpenDocumentFile(MakeFile(QStringLiteral("broken.qlg"))));
    EXPECT_TRUE(app->RecentFiles().Files().isEmpty());
}

TEST_F(AppFixture, StartsWithTheFileGivenOrFails) {
    const QString path = MakeFile(QStringLiteral("alps.qlg"));
    ASSERT_TRUE(app->InitInstance(path));
    EXPECT_EQ(files.opened, std::vector<std::string>{path.toStdString()});
    EXPECT_EQ(Title(), QStringLiteral("Kubo - alps.qlg"));
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{path});

    CDocument other{&ui};
    FakeFiles otherFiles;
    CMainApp second(other, otherFiles, CMainFrame::Panes{});
    EXPECT_FALSE(second.InitInstance(dir.filePath(QStringLiteral("missing.qlg"))));
}

TEST_F(AppFixture, ClosingAModifiedProjectAsksToSave) {
    ASSERT_TRUE(app->InitInstance(QString()));
    CMainFrame* frame = app->GetMainFrame();
    EXPECT_TRUE(frame->close()); // unmodified: no question
    EXPECT_TRUE(ui.Messages().empty());
    frame->show();
    EXPECT_EQ(Title(), QStringLiteral("Kubo - Untitled"));
    doc.SetModifiedFlag(true); // the title follows the flag as it changes
    EXPECT_EQ(Title(), QStringLiteral("Kubo - Untitled*"));

    ui.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::YesNoCancel);

    // Yes saves under the name asked for; the title and the recent files follow.
    ui.QueueAnswer(MsgResult::Yes);
    const QString trip = dir.filePath(QStringLiteral("trip.qlg"));
    ui.QueueSaveFile(trip.toStdString());
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(files.saved, std::vector<std::string>{trip.toStdString()});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Title(), QStringLiteral("Kubo - trip.qlg"));
    EXPECT_EQ(app->RecentFiles().Files(), QStringList{trip});
}

TEST_F(AppFixture, RecentFilesKeepTheFourNewestAndSurviveARestart) {
    ASSERT_TRUE(app->InitInstance(QString()));
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths.append(MakeFile(QStringLiteral("f%1.qlg").arg(i)));
    for (const QString& path : paths)
        ASSERT_TRUE(app->OpenDocumentFile(path));
    ASSERT_TRUE(app->OpenDocumentFile(paths[2])); // reopening moves it to the front
    const QStringList expected{paths[2], paths[4], paths[3], paths[1]};
    EXPECT_EQ(app->RecentFiles().Files(), expected);

    QAction* first = app->GetMainFrame()->Commands().Action(cmd::FileMruFirst);
    EXPECT_TRUE(first->text().startsWith(QStringLiteral("&1 ")));
    EXPECT_TRUE(first->text().endsWith(QStringLiteral("f2.qlg")));

    app->ExitInstance();
    CDocument doc2{&ui};
    FakeFiles files2;
    CMainApp again(doc2, files2, CMainFrame::Panes{});
    EXPECT_EQ(again.RecentFiles().Files(), expected);
}

TEST_F(AppFixture, ARecentFileThatIsGoneLeavesTheList) {
    ASSERT_TRUE(app->InitInstance(QString()));
    const QString path = MakeFile(QStringLiteral("gone.qlg"));
    ASSERT_TRUE(app->OpenDocumentFile(path));
    ASSERT_TRUE(QFile::remove(path));
    CMainFrame* frame = app->GetMainFrame();
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->Commands().Action(cmd::FileMruFirst)->isEnabled());
    EXPECT_TRUE(frame->ExecuteCommand(cmd::FileMruFirst));
    EXPECT_TRUE(app->RecentFiles().Files().isEmpty());
    frame->UpdateCommandUI();
    EXPECT_FALSE(frame->Commands().Action(cmd::FileMruFirst)->isEnabled());
}

TEST_F(AppFixture, DroppedFilesOpenTheFirst) {
    ASSERT_TRUE(app->InitInstance(QString()));
    const QString a = MakeFile(QStringLiteral("a.qlg"));
    const QString b = MakeFile(QStringLiteral("b.qlg"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app->GetMainFrame(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app->GetMainFrame(), &drop);
    QApplication::processEvents();
    EXPECT_EQ(files.opened, std::vector<std::string>{a.toStdString()});
    EXPECT_EQ(Title(), QStringLiteral("Kubo - a.qlg"));
}

TEST_F(AppFixture, SelectionSyncRunsOnceAtIdleWithTheLatestForce) {
    std::vector<bool> runs;
    app->SetSelectionSyncHandler([&](bool force) { runs.push_back(force); });

    app->ScheduleSelectionSync(true);  // e.g. a rename
    app->ScheduleSelectionSync(false); // then a selection change before idle
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(app->IsSyncPending());
    QApplication::processEvents();
    EXPECT_EQ(runs, std::vector<bool>{false});
    EXPECT_FALSE(app->IsSyncPending());

    // The latest force wins the other way round too; a request made by the synchronisation
    // itself runs at the next idle time.
    app->SetSelectionSyncHandler([&](bool force) {
        runs.push_back(force);
        if (runs.size() == 2)
            app->ScheduleSelectionSync(false);
    });
    app->ScheduleSelectionSync(false);
    app->ScheduleSelectionSync(true);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(runs, (std::vector<bool>{false, true, false}));
}

TEST_F(AppFixture, AMissingOrBrokenCatalogueLeavesTheBuiltInTexts) {
    EXPECT_FALSE(app->LoadResourceLibrary(dir.path()));
    EXPECT_FALSE(app->IsResourceLibraryLoaded());
    QFile junk(dir.filePath(QStringLiteral("czres.qm")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a catalogue");
    junk.close();
    EXPECT_FALSE(app->LoadResourceLibrary(dir.path()));
    EXPECT_FALSE(app->IsResourceLibraryLoaded());
    EXPECT_EQ(LoadString(str::GraphPageTab), "Graph");
}

namespace {
std::vector<std::string>* g_qtMessages = nullptr;
void RecordQtMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (g_qtMessages)
        g_qtMessages->push_back(text.toStdString());
}
} // namespace

TEST_F(AppFixture, PrintSetupOpensAPrinterSetUpNotAPageDialog) {
    ASSERT_TRUE(app->InitInstance(QString()));
    std::vector<std::string> messages;
    g_qtMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(RecordQtMessage);
    QString okText;
    OnNextModal([&okText](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Printing to a PDF file is there to set up, with or without installed printers.
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            okText = buttons->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    EXPECT_TRUE(app->GetMainFrame()->ExecuteCommand(cmd::FilePrintSetup));
    qInstallMessageHandler(previous);
    g_qtMessages = nullptr;
    for (const std::string& message : messages)
        EXPECT_EQ(message.find("non-native"), std::string::npos) << message;
#ifndef _WIN32
    EXPECT_EQ(okText, QStringLiteral("OK")); // it sets up; it does not print
#endif
}

TEST(AboutDlg, TheBuildDateHasSingleSpaces) {
    EXPECT_EQ(CAboutDlg::FormatBuildDate(QStringLiteral("Sep  1 2003"), QStringLiteral("11:07:19")),
              QStringLiteral("Sep 1 2003 11:07:19"));
    EXPECT_EQ(CAboutDlg::FormatBuildDate(QStringLiteral("Sep 21 2003"), QStringLiteral("11:07:19")),
              QStringLiteral("Sep 21 2003 11:07:19"));
}

TEST(AboutDlg, ShowsTheFourPartVersionAndABuildDate) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.VersionLabel()->text(), QStringLiteral("Kubo Version %1.%2.%3.%4")
                                                 .arg(KUBO_VERSION_MAJOR)
                                                 .arg(KUBO_VERSION_MINOR)
                                                 .arg(KUBO_VERSION_PATCH + 0)
                                                 .arg(KUBO_VERSION_TWEAK + 0));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} [1-9][0-9]? [0-9]{4} "
                                                  "[0-9]{2}:[0-9]{2}:[0-9]{2}$"))
                    .match(dialog.BuildDateLabel()->text())
                    .hasMatch())
        << dialog.BuildDateLabel()->text().toStdString();
}

TEST(HyperlinkLabel, ShowsItsTextAsALinkToTheTarget) {
    CHyperlinkLabel label(QStringLiteral("R&D <team>"));
    EXPECT_FALSE(label.text().contains(QStringLiteral("<a ")));
    label.SetTarget(QUrl(QStringLiteral("mailto:team@example.org?subject=a b")));
    EXPECT_TRUE(label.text().startsWith(QStringLiteral("<a href=\"mailto:")));
    EXPECT_TRUE(label.text().contains(QStringLiteral("R&amp;D &lt;team&gt;")));
    EXPECT_FALSE(label.openExternalLinks());
}
} // namespace
