// The Read Data window: Cancel while reading, the final question, the main window's state.
#include "data/ReadDataDlg.h"

#include "data/QtReadWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ReadDataDlg, CancelWhileReadingOnlyRaisesTheFlag) {
    CReadDataDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.StatusLabel()->text(), QStringLiteral("Waiting for data ...."));
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
    EXPECT_FALSE(dlg.SeparateBox()->isEnabled());
    dlg.OkButton()->setEnabled(true); // even a forced OK ends nothing before the question
    dlg.OkButton()->click();
    EXPECT_TRUE(dlg.isVisible());
    dlg.CancelButton()->click();
    EXPECT_TRUE(dlg.IsCancelRequested());
    EXPECT_TRUE(dlg.isVisible());
    dlg.close();
    EXPECT_TRUE(dlg.isVisible());
}

TEST(ReadDataDlg, ProgressStaysWithinItsRange) {
    CReadDataDlg dlg;
    dlg.SetProgressRange(40);
    dlg.SetProgressPosition(55);
    EXPECT_EQ(dlg.ProgressBar()->value(), 40);
    dlg.SetProgressPosition(-3);
    EXPECT_EQ(dlg.ProgressBar()->value(), 0);
    // No announced length: an empty bar, not the busy animation of a 0..0 range.
    dlg.SetProgressRange(0);
    dlg.SetProgressPosition(12);
    EXPECT_GT(dlg.ProgressBar()->maximum(), dlg.ProgressBar()->minimum());
    EXPECT_EQ(dlg.ProgressBar()->value(), 0);
}

struct ReadWindowCase : ::testing::Test {
    QWidget main;
    void SetUp() override { main.show(); }
};

TEST_F(ReadWindowCase, MainWindowIsDisabledForTheWindowsLifetime) {
    auto window = std::make_unique<CQtReadWindow>(&main);
    EXPECT_FALSE(main.isEnabled());
    ASSERT_NE(window->Dialog(), nullptr);
    EXPECT_TRUE(window->Dialog()->isVisible());
    EXPECT_TRUE(window->Dialog()->isEnabled());
    window->SetStatusText("Reading... (flight count: 2)");
    window->SetProgressRange(10);
    window->SetProgressPosition(std::int64_t{1} << 40);
    EXPECT_EQ(window->Dialog()->StatusLabel()->text(),
              QStringLiteral("Reading... (flight count: 2)"));
    EXPECT_EQ(window->Dialog()->ProgressBar()->value(), 10);
    window.reset();
    EXPECT_TRUE(main.isEnabled());
}

// A Cancel pressed while reading is answered by the keep question; the flights kept then
// still get the final question, and its OK keeps them.
TEST_F(ReadWindowCase, FinalQuestionAnswersAlsoAfterCancelWhileReading) {
    struct Case {
        bool cancelledWhileReading, ok, ticked, keep, separate;
    };
    for (const Case c : {Case{false, true, true, true, true}, Case{false, true, false, true, false},
                         Case{false, false, true, false, false}, Case{true, true, true, true, true},
                         Case{true, false, false, false, false}}) {
        CQtReadWindow window(&main);
        CReadDataDlg* dlg = window.Dialog();
        if (c.cancelledWhileReading) {
            dlg->CancelButton()->click();
            EXPECT_TRUE(window.IsCancelRequested());
        }
        bool asked = false;
        QTimer::singleShot(0, dlg, [&] {
            asked = true;
            EXPECT_TRUE(dlg->OkButton()->isEnabled());
            EXPECT_TRUE(dlg->SeparateBox()->isEnabled());
            dlg->SeparateBox()->setChecked(c.ticked);
            (c.ok ? dlg->OkButton() : dlg->CancelButton())->click();
        });
        bool separate = false;
        EXPECT_EQ(window.AskKeepSeparate(separate), c.keep);
        EXPECT_TRUE(asked);
        EXPECT_EQ(separate, c.separate);
        EXPECT_FALSE(main.isEnabled());
    }
    EXPECT_TRUE(main.isEnabled());
}

} // namespace
