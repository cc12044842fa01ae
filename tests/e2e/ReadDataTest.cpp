// Reading the altimeter end to end: a pseudo-terminal plays the device, the program reads it
// through QSerialPort, the Read Data window and its questions, into the project tree.
#ifndef _WIN32
#include "../core/support/PtyPair.h"
#include "../core/support/Transmission.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/ReadDataDlg.h"
#include "framework/CommandIds.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"
#include "shell/MainDocFiles.h"
#include "shell/ProjectPanes.h"
#include "shell/QtUiServices.h"
#include "shell/ViewTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace testing_transmission;

namespace {

// Plays the user while a read runs: on each tick it looks at the open windows and acts on them.
class User {
public:
    std::function<void(CReadDataDlg&)> onReadWindow; // once, when the window first shows
    // Once, on the first tick at which the window shows what `when` waits for.
    std::function<bool(const CReadDataDlg&)> when;
    std::function<void(CReadDataDlg&)> then;
    bool tickSeparate = false;
    bool answerFinalOk = true;
    MsgResult answerQuestion = MsgResult::Yes;

    std::vector<QString> questions;
    bool mainWasDisabled = false;
    bool finalAsked = false;

    void Start(QWidget* mainWindow) {
        m_main = mainWindow;
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
        m_timer.start(20);
    }

private:
    void Tick() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible())
                continue;
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                questions.push_back(box->text());
                QAbstractButton* button = box->button(
                    answerQuestion == MsgResult::Yes ? QMessageBox::Yes : QMessageBox::No);
                if (!button)
                    button = box->button(QMessageBox::Ok);
                button->click();
                return;
            }
        }
        for (auto* dlg : QApplication::allWidgets()) {
            auto* read = qobject_cast<CReadDataDlg*>(dlg);
            if (!read || !read->isVisible())
                continue;
            if (m_main && !m_main->isEnabled())
                mainWasDisabled = true;
            if (onReadWindow) {
                auto once = std::move(onReadWindow);
                onReadWindow = nullptr;
                once(*read);
            }
            if (then && when(*read)) {
                auto once = std::move(then);
                then = nullptr;
                once(*read);
            }
            if (read->IsFinalQuestion() && read->OkButton()->isEnabled()) {
                finalAsked = true;
                read->SeparateBox()->setChecked(tickSeparate);
                (answerFinalOk ? read->OkButton() : read->CancelButton())->click();
            }
        }
    }

    QTimer m_timer;
    QWidget* m_main = nullptr;
};

struct ReadFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(pty.IsOpen());
        ASSERT_TRUE(settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        doc.SetPortName(pty.SlaveName());
        app = std::make_unique<CMainApp>(doc, files, MakeProjectPanes(doc));
        ASSERT_TRUE(app->InitInstance(QString()));
        ui.SetMainWindow(app->GetMainFrame());
        tree = qobject_cast<CViewTree*>(app->GetMainFrame()->GetTreeView());
        ASSERT_NE(tree, nullptr);
    }
    void TearDown() override {
        doc.SetModifiedFlag(false);
        app.reset();
    }

    // The tree's top-level items: session names with their flights' names.
    [[nodiscard]] std::vector<std::vector<std::string>> TreeContents() const {
        std::vector<std::vector<std::string>> sessions;
        const QTreeWidget& items = tree->GetTreeCtrl();
        for (int i = 0; i < items.topLevelItemCount(); ++i) {
            QTreeWidgetItem* session = items.topLevelItem(i);
            std::vector<std::string> names{session->text(0).toStdString()};
            for (int j = 0; j < session->childCount(); ++j)
                names.push_back(session->child(j)->text(0).toStdString());
            sessions.push_back(names);
        }
        return sessions;
    }

    // The Read Data command through the main window, as the menu gives it.
    bool ReadData() { return app->GetMainFrame()->ExecuteCommand(cmd::DataReadData); }

    PtyPair pty;
    QTemporaryDir settingsDir;
    CQtUiServices ui;
    CMainDoc doc{&ui};
    CMainDocFiles files{doc};
    std::unique_ptr<CMainApp> app;
    CViewTree* tree = nullptr;
    User user;
};

TEST_F(ReadFixture, ThreeFlightsWithSeparateTickedMakeThreeSessions) {
    user.tickSeparate = true;
    std::string shownDevice;
    user.onReadWindow = [&](CReadDataDlg& window) {
        if (window.SourceLabel()->isVisible())
            shownDevice = window.SourceLabel()->text().toStdString();
        pty.Send(FlightsText(3, 3));
    };
    user.Start(app->GetMainFrame());
    ASSERT_TRUE(ReadData());
    EXPECT_TRUE(user.finalAsked);
    EXPECT_EQ(shownDevice, "Device: " + pty.SlaveName()); // the window says where it listens
    EXPECT_TRUE(user.mainWasDisabled);
    EXPECT_TRUE(app->GetMainFrame()->isEnabled());
    EXPECT_TRUE(user.questions.empty());
    ASSERT_EQ(doc.GetSessions().GetCount(), 3);
    const auto contents = TreeContents();
    ASSERT_EQ(contents.size(), 3u);
    EXPECT_EQ(contents[0].at(1), "Flight 1");
    EXPECT_EQ(contents[1].at(1), "Flight 2");
    EXPECT_EQ(contents[2].at(1), "Flight 3");
    for (const auto& session : contents)
        EXPECT_EQ(session.size(), 2u);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ReadFixture, PulledPlugMidFlightKeepsTheStartedFlightAfterYes) {
    user.answerQuestion = MsgResult::Yes;
    // Header for three flights, then the first flight's start and two samples: the plug goes
    // once all 20 values have been decoded.
    user.onReadWindow = [this](CReadDataDlg&) { pty.Send(FlightsText(3, 1, {2, 253}, false)); };
    user.when = [](const CReadDataDlg& window) { return window.ProgressBar()->value() == 20; };
    user.then = [this](CReadDataDlg&) { pty.CloseMaster(); };
    user.Start(app->GetMainFrame());
    ASSERT_TRUE(ReadData());
    ASSERT_EQ(user.questions.size(), 1u);
    EXPECT_EQ(user.questions[0].toStdString(), LoadString(str::KeepIncompleteData));
    EXPECT_FALSE(user.finalAsked);
    ASSERT_EQ(doc.GetSessions().GetCount(), 1);
    const CDataModule* session = doc.GetSessions().GetHead();
    ASSERT_EQ(session->GetFlights().GetCount(), 1);
    EXPECT_EQ(session->GetFlights().GetHead()->GetRawSamples().size(), 2u);
    const auto contents = TreeContents();
    ASSERT_EQ(contents.size(), 1u);
    EXPECT_EQ(contents[0], (std::vector<std::string>{session->GetName(), "Flight 1"}));
    EXPECT_TRUE(app->GetMainFrame()->isEnabled());
}

// Cancel with two flights in, Yes to keep them: they were dropped without the final question.
TEST_F(ReadFixture, FlightsKeptAfterCancelGetTheFinalQuestion) {
    user.onReadWindow = [this](CReadDataDlg&) { pty.Send(FlightsText(3, 2, {2, 253}, false)); };
    user.when = [](const CReadDataDlg& window) {
        return window.StatusLabel()->text().endsWith(QStringLiteral("flight count: 2)"));
    };
    user.then = [](CReadDataDlg& window) { window.CancelButton()->click(); };
    user.answerQuestion = MsgResult::Yes;
    user.Start(app->GetMainFrame());
    ASSERT_TRUE(ReadData());
    ASSERT_EQ(user.questions.size(), 1u);
    EXPECT_EQ(user.questions[0].toStdString(), LoadString(str::KeepIncompleteData));
    EXPECT_TRUE(user.finalAsked);
    ASSERT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_EQ(doc.GetSessions().GetHead()->GetFlights().GetCount(), 2);
    EXPECT_TRUE(app->GetMainFrame()->isEnabled());
}

} // namespace
#endif
