#include "shell/MainFrame.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

TEST(MainFrame, OpensTitledAndClosesCleanly) {
    auto frame = std::make_unique<CMainFrame>();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kubo - Untitled"));
    EXPECT_TRUE(frame->close());
    QApplication::processEvents();
    EXPECT_FALSE(frame->isVisible());
}
