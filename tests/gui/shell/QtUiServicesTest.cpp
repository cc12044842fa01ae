// CQtUiServices: message boxes as the user sees and answers them, file-dialog filters.
#include "shell/QtUiServices.h"

#include "data/ReadDataDlg.h"
#include "framework/StringIds.h"
#include "shell/OptionsDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Answers the next message box with button and records what it showed.
struct BoxAnswer {
    explicit BoxAnswer(QMessageBox::StandardButton answer) : button(answer) {}

    QMessageBox::StandardButton button;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;

    void Arm() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            parent = box->parentWidget();
            box->button(button)->click();
        });
    }
};

TEST(QtUiServices, MessageBoxesCarryTheTitleIconAndAnswer) {
    QWidget main;
    CQtUiServices ui;
    ui.SetMainWindow(&main);

    BoxAnswer no{QMessageBox::No};
    no.Arm();
    EXPECT_EQ(ui.MessageBox("Keep it?", MsgButtons::YesNo, MsgIcon::Question), MsgResult::No);
    EXPECT_EQ(no.title, QStringLiteral("Kubo"));
    EXPECT_EQ(no.text, QStringLiteral("Keep it?"));
    EXPECT_EQ(no.icon, QMessageBox::Question);
    EXPECT_EQ(no.parent, &main);

    BoxAnswer yes{QMessageBox::Yes};
    yes.Arm();
    EXPECT_EQ(ui.MessageBox("Keep it?", MsgButtons::YesNo, MsgIcon::Question), MsgResult::Yes);
    BoxAnswer cancel{QMessageBox::Cancel};
    cancel.Arm();
    EXPECT_EQ(ui.MessageBox("Save?", MsgButtons::YesNoCancel, MsgIcon::Question),
              MsgResult::Cancel);

    BoxAnswer ok{QMessageBox::Ok};
    ok.Arm();
    EXPECT_EQ(ui.MessageBox(str::SerialOpenFailed, MsgButtons::Ok, MsgIcon::Error), MsgResult::Ok);
    EXPECT_EQ(ok.text, QStringLiteral("Error opening serial port."));
    EXPECT_EQ(ok.icon, QMessageBox::Critical);
}

TEST(QtUiServices, QuestionsDuringAReadBelongToTheReadWindow) {
    QWidget main;
    main.show();
    CQtUiServices ui;
    ui.SetMainWindow(&main);
    std::unique_ptr<CReadWindow> window = ui.CreateReadWindow();
    EXPECT_FALSE(main.isEnabled());
    BoxAnswer yes{QMessageBox::Yes};
    yes.Arm();
    EXPECT_EQ(ui.MessageBox(str::KeepIncompleteData, MsgButtons::YesNo, MsgIcon::Question),
              MsgResult::Yes);
    ASSERT_NE(yes.parent, nullptr);
    EXPECT_NE(qobject_cast<CReadDataDlg*>(yes.parent), nullptr);
    window.reset();
    EXPECT_TRUE(main.isEnabled());
}

TEST(QtUiServices, FiltersAndDefaultExtension) {
    FilePrompt prompt;
    prompt.defaultExtension = ".txt";
    prompt.filters = {
        {"Text Files (*.txt)", "*.txt"}, {"Bitmaps", "*.bmp;*.dib"}, {"All Files (*.*)", "*.*"}};
    EXPECT_EQ(CQtUiServices::FilterText(prompt),
              QStringLiteral("Text Files (*.txt);;Bitmaps (*.bmp *.dib);;All Files (*.*)"));
    EXPECT_EQ(CQtUiServices::WithDefaultExtension(QStringLiteral("/tmp/a"), prompt),
              QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(CQtUiServices::WithDefaultExtension(QStringLiteral("/tmp/a.csv"), prompt),
              QStringLiteral("/tmp/a.csv"));
    prompt.defaultExtension.clear();
    EXPECT_EQ(CQtUiServices::WithDefaultExtension(QStringLiteral("/tmp/a"), prompt),
              QStringLiteral("/tmp/a"));
}

TEST(QtUiServices, SettingsAreTheOptionsDialogsCancelLeavesThemAlone) {
    QWidget main;
    CQtUiServices ui;
    ui.SetMainWindow(&main);
    DocumentSettings settings;
    settings.pressureFormula = "X";
    settings.portName = "/dev/ttyUSB0";
    QWidget* shownParent = nullptr;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<COptionsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        shownParent = dialog->parentWidget();
        dialog->reject();
    });
    EXPECT_FALSE(ui.EditSettings(settings));
    EXPECT_TRUE(shown);
    EXPECT_EQ(shownParent, &main);
    EXPECT_EQ(settings.pressureFormula, "X");
    EXPECT_EQ(settings.portName, "/dev/ttyUSB0");
}

} // namespace
