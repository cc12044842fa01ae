#include "ChartTestData.h"
#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartStyles.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {
QImage Render(const ChartComponent& c, QSize size, double dpr, bool full) {
    const_cast<ChartComponent&>(c).SetFullResolution(full);
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter p(&image);
    c.paint(p, QRect(QPoint(0, 0), size));
    p.end();
    const_cast<ChartComponent&>(c).SetFullResolution(false);
    return image;
}

// Number of pixels that differ, and the first one, for a readable failure.
int Differences(const QImage& a, const QImage& b, QPoint& first) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
    return count;
}

void SetWindowX(ChartComponent& c, double x0, double x1) {
    c.SetVector(chart::kZoomMinX, std::span<const double>(&x0, 1));
    c.SetVector(chart::kZoomMaxX, std::span<const double>(&x1, 1));
    c.SetInt(chart::kZoomedX, 1);
    c.Reinitialize();
}
} // namespace

TEST(ChartRendering, ReducedDrawingEqualsTheFullResolutionDrawing) {
    ChartComponent c;
    c.resize(900, 520);
    std::vector<float> walk = charttest::RandomWalk(200'000, 11);
    std::vector<float> second = charttest::RandomWalk(200'000, 12);
    std::vector<float> sparse = charttest::RandomWalk(200'000, 13);
    // Gaps of every length, including single missing points.
    for (std::size_t i = 5'000; i < 200'000; i += 23'456)
        for (std::size_t k = 0; k < (i / 23'456) % 4 + 1; ++k)
            second[i + k] = static_cast<float>(chart::kDefaultNullValue);
    charttest::SetSubsets(c, {walk, second, sparse});
    const std::array<std::int32_t, 3> styles = {chart::kMediumSolid, chart::kThinSolid,
                                                chart::kDashed};
    c.SetVector(chart::kSubsetLineStyles, std::span<const std::int32_t>(styles));

    struct Case {
        double x0, x1, dpr;
    };
    // All data; a zoom with many points per column; a zoom with columns between points (lines
    // cross columns without points); and a doubled pixel ratio.
    for (const Case& k : {Case{0, 0, 1.0}, Case{10'000.5, 71'234.25, 1.0},
                          Case{100'000.3, 100'400.7, 1.0}, Case{0, 0, 2.0}}) {
        if (k.x1 > k.x0)
            SetWindowX(c, k.x0, k.x1);
        const QImage reduced = Render(c, c.size(), k.dpr, false);
        const QImage full = Render(c, c.size(), k.dpr, true);
        QPoint first;
        EXPECT_EQ(Differences(reduced, full, first), 0)
            << "window " << k.x0 << ".." << k.x1 << " dpr " << k.dpr << " first at " << first.x()
            << "," << first.y();
    }
}

TEST(ChartRendering, ARedrawAfterNewDataOrAnotherSizeEqualsAFirstDrawing) {
    ChartComponent reused;
    charttest::SetSubsets(reused,
                          {charttest::RandomWalk(20'000, 31), charttest::RandomWalk(20'000, 32)});
    static_cast<void>(Render(reused, QSize(900, 520), 1, false));
    const std::vector<float> other = charttest::RandomWalk(5'000, 33);
    charttest::SetSubsets(reused, {other});
    ChartComponent fresh;
    charttest::SetSubsets(fresh, {other});
    for (const QSize size : {QSize(900, 520), QSize(640, 700), QSize(900, 520)}) {
        QPoint first;
        EXPECT_EQ(Differences(Render(reused, size, 1, false), Render(fresh, size, 1, false), first),
                  0)
            << size.width() << "x" << size.height() << " first at " << first.x() << ","
            << first.y();
    }
}

TEST(ChartRendering, AMissingPointLeavesAGap) {
    ChartComponent c;
    c.resize(600, 400);
    std::vector<float> flat(101, 10.0f);
    flat[50] = static_cast<float>(chart::kDefaultNullValue);
    std::vector<float> other(101, 20.0f);
    charttest::SetSubsets(c, {flat, other});
    const QImage image = c.RenderImage(c.size());
    const CPlotTransform t = c.ScreenTransform();
    const QColor green(0, 255, 0);
    auto colourAt = [&](double x) {
        const QPointF p = t.ToPixel(x, 10.0);
        return image.pixelColor(static_cast<int>(p.x()), static_cast<int>(p.y()));
    };
    EXPECT_EQ(colourAt(25), green);
    EXPECT_EQ(colourAt(75), green);
    EXPECT_NE(colourAt(50), green); // the gap from point 49 to point 51
    EXPECT_NE(colourAt(49.5), green);
    EXPECT_EQ(colourAt(48.5), green);
}

TEST(ChartRendering, PixelToGraphMapsThePlotCornersBothWays) {
    ChartComponent c;
    c.resize(640, 480);
    charttest::SetSubsets(c, {{0, 100, 50}});
    std::array<std::int32_t, 4> plot{};
    ASSERT_EQ(c.GetVector(chart::kPlotRect, plot.data()), 4U);
    const double x0 = charttest::GetDouble(c, chart::kZoomMinX);
    const double x1 = charttest::GetDouble(c, chart::kZoomMaxX);
    const double y0 = charttest::GetDouble(c, chart::kZoomMinY);
    const double y1 = charttest::GetDouble(c, chart::kZoomMaxY);
    EXPECT_EQ(x0, 0.0);
    EXPECT_EQ(x1, 2.0);
    EXPECT_LT(y0, 0.0); // the y axis keeps a margin around the data
    EXPECT_GT(y1, 100.0);

    int px = plot[0], py = plot[1];
    double x = 0, y = 0;
    EXPECT_TRUE(c.PixelToGraph(px, py, x, y, PixelDirection::ToValue));
    EXPECT_NEAR(x, x0, 1e-9);
    EXPECT_NEAR(y, y1, 1e-9);
    px = plot[2];
    py = plot[3];
    EXPECT_TRUE(c.PixelToGraph(px, py, x, y, PixelDirection::ToValue));
    EXPECT_NEAR(x, x1, 1e-9);
    EXPECT_NEAR(y, y0, 1e-9);
    px = plot[0] - 1;
    EXPECT_FALSE(c.PixelToGraph(px, py, x, y, PixelDirection::ToValue));

    x = x1;
    y = y1;
    EXPECT_TRUE(c.PixelToGraph(px, py, x, y, PixelDirection::ToPixel));
    EXPECT_EQ(px, plot[2]);
    EXPECT_EQ(py, plot[1]);
    x = x0 - (x1 - x0);
    EXPECT_FALSE(c.PixelToGraph(px, py, x, y, PixelDirection::ToPixel));
}

TEST(ChartRendering, InconsistentCountsDrawWhatTheDataHold) {
    // A settings block can bring subset and point counts without their data.
    ChartComponent c;
    c.resize(300, 200);
    c.SetInt(chart::kSubsetCount, 5);
    c.SetInt(chart::kPointsPerSubset, 1000);
    const std::array<float, 3> x = {0, 1, 2};
    c.SetVector(chart::kXData, std::span<const float>(x));
    c.Reinitialize();
    EXPECT_FALSE(c.RenderImage(c.size()).isNull());
    c.SetInt(chart::kCursorMode, chart::kCursorCrosshair);
    c.SetInt(chart::kCursorSubset, 4);
    c.SetInt(chart::kCursorPoint, 999);
    EXPECT_FALSE(c.RenderImage(c.size()).isNull());
}

TEST(ChartRendering, SubsetsHeldAtTheirOwnLengthsDrawAsThePaddedArray) {
    const float null = static_cast<float>(chart::kDefaultNullValue);
    const std::vector<float> longY = charttest::RandomWalk(5'000, 21);
    const std::vector<float> shortY = charttest::RandomWalk(40, 22);
    std::vector<float> longX(longY.size());
    for (std::size_t i = 0; i < longX.size(); ++i)
        longX[i] = static_cast<float>(i) * 0.5f;
    const std::vector<float> shortX(longX.begin(), longX.begin() + 40);

    ChartComponent padded;
    ChartComponent own;
    for (ChartComponent* c : {&padded, &own}) {
        c->resize(700, 400);
        c->SetInt(chart::kSubsetCount, 2);
        c->SetInt(chart::kPointsPerSubset, static_cast<int>(longY.size()));
        const double n = chart::kDefaultNullValue;
        c->SetVector(chart::kNullYValue, std::span<const double>(&n, 1));
        c->SetVector(chart::kNullXValue, std::span<const double>(&n, 1));
    }
    std::vector<float> x = longX;
    std::vector<float> y = longY;
    x.insert(x.end(), shortX.begin(), shortX.end());
    y.insert(y.end(), shortY.begin(), shortY.end());
    x.resize(2 * longY.size(), 0.0f);
    y.resize(2 * longY.size(), null);
    padded.SetVector(chart::kXData, std::span<const float>(x));
    padded.SetVector(chart::kYData, std::span<const float>(y));
    own.SetSubsetVector(chart::kXData, {longX, shortX});
    own.SetSubsetVector(chart::kYData, {longY, shortY});
    padded.Reinitialize();
    own.Reinitialize();

    QPoint first;
    EXPECT_EQ(Differences(Render(padded, QSize(700, 400), 1, false),
                          Render(own, QSize(700, 400), 1, false), first),
              0)
        << "first at " << first.x() << "," << first.y();
    float cell = 0;
    ASSERT_TRUE(own.GetDataCell(chart::kYData, 1, 4'000, cell));
    EXPECT_EQ(cell, null);
    // The padding is no part of the series: the cursor's End stops at the last real point.
    own.SetInt(chart::kCursorSubset, 1);
    own.Reinitialize();
    EXPECT_EQ(own.GetInt(chart::kCursorSubset), 1);
    own.SetInt(chart::kCursorPoint, 4'999);
    own.Reinitialize();
    EXPECT_EQ(own.GetInt(chart::kCursorPoint), 39);
}

TEST(ChartWindow, AnAutomaticWindowFollowsTheDataAndAChosenOneStays) {
    // The graph page's order: reset and reinitialise without data, data later, then the zoom
    // flags set at every rebuild.
    ChartComponent c;
    c.resize(600, 400);
    c.ResetProperties();
    c.Reinitialize();
    auto load = [&c](std::size_t n) {
        std::vector<float> ramp(n);
        for (std::size_t i = 0; i < n; ++i)
            ramp[i] = static_cast<float>(i);
        charttest::SetSubsets(c, {ramp});
        c.SetInt(chart::kZoomStyle, 3);
        c.SetInt(chart::kZoomedX, 1);
        c.SetInt(chart::kZoomedY, 1);
        c.Reinitialize();
    };
    load(101);
    EXPECT_EQ(charttest::GetDouble(c, chart::kZoomMinX), 0.0);
    EXPECT_EQ(charttest::GetDouble(c, chart::kZoomMaxX), 100.0);
    load(201);
    EXPECT_EQ(charttest::GetDouble(c, chart::kZoomMaxX), 200.0);
    EXPECT_GT(charttest::GetDouble(c, chart::kZoomMaxY), 200.0);

    // A window the holder sets is kept over new data, and the settings block carries that.
    SetWindowX(c, 20, 40);
    load(301);
    EXPECT_EQ(charttest::GetDouble(c, chart::kZoomMaxX), 40.0);
    ChartComponent copy;
    copy.resize(600, 400);
    ASSERT_EQ(copy.ImportSettings(c.ExportSettings()), SettingsImport::Imported);
    charttest::SetSubsets(copy, {std::vector<float>(500, 1.0f)});
    EXPECT_EQ(charttest::GetDouble(copy, chart::kZoomMaxX), 40.0);
}
