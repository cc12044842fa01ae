#include "ChartTestData.h"
#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {
class InteractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(800, 500);
        std::vector<float> ramp(1001);
        for (std::size_t i = 0; i < ramp.size(); ++i)
            ramp[i] = static_cast<float>(i) * 2.0f;
        charttest::SetSubsets(chart, {ramp, charttest::RandomWalk(1001, 4)});
        QObject::connect(&chart, &ChartComponent::notify,
                         [this](int code) { codes.push_back(code); });
        plot = chart.ScreenTransform().Plot();
    }

    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, chart.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
    void Drag(QPointF from, QPointF to) {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    QPointF At(double fx, double fy) const {
        return {plot.left() + fx * plot.width(), plot.top() + fy * plot.height()};
    }
    QPointF Value(QPointF pixel) const { return chart.ScreenTransform().ToValue(pixel); }
    double Get(int id) const { return charttest::GetDouble(chart, id); }
    void Key(int key) { QTest::keyClick(&chart, static_cast<Qt::Key>(key)); }

    ChartComponent chart;
    std::vector<int> codes;
    QRectF plot;
};
} // namespace

TEST_F(InteractionTest, DragZoomsTheXWindowAndNotifiesStartThenEnd) {
    const double fullY0 = Get(chart::kZoomMinY);
    const double fullY1 = Get(chart::kZoomMaxY);
    const QPointF from = At(0.25, 0.3);
    const QPointF to = At(0.75, 0.6);
    const double expect0 = Value(from).x();
    const double expect1 = Value(to).x();
    Drag(to, from); // right to left: the window is still ordered

    ASSERT_EQ(codes, (std::vector<int>{chart::kNotifyDragStarted, chart::kNotifyDragFinished}));
    EXPECT_NEAR(Get(chart::kZoomMinX), expect0, 1e-9);
    EXPECT_NEAR(Get(chart::kZoomMaxX), expect1, 1e-9);
    EXPECT_EQ(chart.GetInt(chart::kZoomedX), 1);
    // x-only zoom: y shows all data still.
    EXPECT_EQ(Get(chart::kZoomMinY), fullY0);
    EXPECT_EQ(Get(chart::kZoomMaxY), fullY1);

    // Z shows everything again; the windows read back the full range.
    codes.clear();
    Key(Qt::Key_Z);
    EXPECT_EQ(Get(chart::kZoomMinX), 0.0);
    EXPECT_EQ(Get(chart::kZoomMaxX), 1000.0);
    EXPECT_EQ(chart.GetInt(chart::kZoomedX), 0);
    EXPECT_TRUE(codes.empty());
}

TEST_F(InteractionTest, XAndYZoomTakesTheRectangle) {
    chart.SetInt(chart::kZoomStyle, 3);
    const QPointF from = At(0.2, 0.2);
    const QPointF to = At(0.4, 0.7);
    const QPointF v0 = Value(from);
    const QPointF v1 = Value(to);
    Drag(from, to);
    EXPECT_NEAR(Get(chart::kZoomMinY), v1.y(), 1e-9);
    EXPECT_NEAR(Get(chart::kZoomMaxY), v0.y(), 1e-9);
    EXPECT_EQ(chart.GetInt(chart::kZoomedY), 1);
    // The zoomed window is what the plot now shows.
    EXPECT_NEAR(Value(plot.topLeft()).x(), v0.x(), 1e-9);
    EXPECT_NEAR(Value(plot.topLeft()).y(), v0.y(), 1e-9);
}

TEST_F(InteractionTest, AClickOrADragOutsideThePlotDoesNotZoom) {
    Drag(At(0.5, 0.5), At(0.5, 0.5) + QPointF(1, 1));
    EXPECT_EQ(codes, std::vector<int>{chart::kNotifyDragStarted});
    // Pressed outside the plot: no drag, the moves are plain moves.
    Drag(QPointF(2, 2), At(0.5, 0.5));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), chart::kNotifyDragStarted), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), chart::kNotifyDragFinished), 0);
    EXPECT_EQ(chart.GetInt(chart::kZoomedX), 0);
}

TEST_F(InteractionTest, MeasurementSwitchesTurnTheDragIntoALineWithoutZoom) {
    // What the graph page sets in measurement mode.
    chart.SetInt(chart::kZoomStyle, 3);
    chart.SetInt(chart::kZoomOnDrag, 0);
    chart.SetInt(chart::kDragAsLine, 1);
    chart.SetInt(chart::kMoveDuringDrag, 1);
    const double x1 = Get(chart::kZoomMaxX);
    Drag(At(0.1, 0.1), At(0.6, 0.8));
    EXPECT_EQ(codes, (std::vector<int>{chart::kNotifyDragStarted, chart::kNotifyMouseMoved,
                                       chart::kNotifyMouseMoved, chart::kNotifyDragFinished,
                                       chart::kNotifyMarkersRedraw}));
    EXPECT_EQ(Get(chart::kZoomMaxX), x1);
    EXPECT_EQ(chart.GetInt(chart::kZoomedX), 0);
    // A single click still ends the drag, so the two points can coincide.
    codes.clear();
    Drag(At(0.3, 0.3), At(0.3, 0.3));
    EXPECT_EQ(codes.back(), chart::kNotifyMarkersRedraw);
}

TEST_F(InteractionTest, MovesWithoutDragNotify) {
    Mouse(QEvent::MouseMove, At(0.5, 0.5), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(codes, std::vector<int>{chart::kNotifyMouseMoved});
}

TEST_F(InteractionTest, NavigationKeysMoveTheDataCursor) {
    chart.SetInt(chart::kCursorMode, chart::kCursorCrosshair);
    struct Step {
        int key;
        int point;
        int subset;
    };
    // Right stays at the end; Down and Up wrap around the two subsets.
    for (const Step& step :
         {Step{Qt::Key_Right, 1, 0}, Step{Qt::Key_End, 1000, 0}, Step{Qt::Key_Right, 1000, 0},
          Step{Qt::Key_PageUp, 900, 0}, Step{Qt::Key_Home, 0, 0}, Step{Qt::Key_PageDown, 100, 0},
          Step{Qt::Key_Left, 99, 0}, Step{Qt::Key_Down, 99, 1}, Step{Qt::Key_Down, 99, 0},
          Step{Qt::Key_Up, 99, 1}}) {
        Key(step.key);
        EXPECT_EQ(chart.GetInt(chart::kCursorPoint), step.point) << step.key;
        EXPECT_EQ(chart.GetInt(chart::kCursorSubset), step.subset) << step.key;
    }
    EXPECT_EQ(codes, std::vector<int>(10, chart::kNotifyCursorMoved));
}

TEST_F(InteractionTest, TheCursorSkipsMissingPoints) {
    std::vector<float> y = {1, 2, static_cast<float>(chart::kDefaultNullValue), 4};
    charttest::SetSubsets(chart, {y});
    chart.SetInt(chart::kCursorPoint, 1);
    Key(Qt::Key_Right);
    EXPECT_EQ(chart.GetInt(chart::kCursorPoint), 3);
}

TEST_F(InteractionTest, RightButtonAsksForAContextMenuInScreenCoordinates) {
    QSignalSpy spy(&chart, &ChartComponent::contextMenuRequested);
    const QPointF at = At(0.5, 0.5);
    Mouse(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toPoint(), chart.mapToGlobal(at.toPoint()));
    EXPECT_TRUE(codes.empty());

    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(&chart, &keyboard);
    EXPECT_EQ(codes, std::vector<int>{chart::kNotifyContextRequest});
}

TEST_F(InteractionTest, CustomiseDialogAppliesOnOkAndNotifies) {
    auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Graph Settings"));
            auto* title = dialog->findChild<QLineEdit*>(QStringLiteral("edit2105"));
            ASSERT_NE(title, nullptr);
            title->setText(QStringLiteral("Edited"));
            ok ? dialog->accept() : dialog->reject();
        });
    };
    answer(false);
    chart.ShowCustomizeDialog();
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(chart.GetText(chart::kMainTitle), "");

    answer(true);
    chart.ShowCustomizeDialog();
    EXPECT_EQ(codes, std::vector<int>{chart::kNotifySettingsChanged});
    EXPECT_EQ(chart.GetText(chart::kMainTitle), "Edited");
    // Per-subset colours and styles are now stored for every subset.
    EXPECT_EQ(chart.GetVector(chart::kSubsetColours, nullptr), 2U);
    EXPECT_EQ(chart.GetVector(chart::kSubsetLineStyles, nullptr), 2U);
}
