#include "chart/ColumnReducer.h"

#include "chart/SeriesIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

// The reduction walks the columns guessing each one's points from the previous column's count;
// whatever the spacing of x does to those guesses, the spans must be those of every point.
TEST(ColumnReducer, SpansEqualThoseOfEveryPointWhateverTheSpacing) {
    constexpr std::size_t kPoints = 30'000;
    constexpr int kColumns = 700;
    const float nan = std::nanf("");
    struct Case {
        const char* name;
        std::function<float(std::size_t)> x; // x of point i, non-decreasing
        double x0, x1;                       // the window
    };
    const Case cases[] = {
        {"uniform", [](std::size_t i) { return static_cast<float>(i); }, 0, kPoints - 1},
        {"zoomed inside", [](std::size_t i) { return static_cast<float>(i) * 0.5f; }, 1'234.5,
         5'678.25},
        {"sparse then dense",
         [](std::size_t i) {
             return i < 200 ? static_cast<float>(i) * 40.0f
                            : 8'000.0f + static_cast<float>(i - 200) * 0.01f;
         },
         0, 8'300},
        {"bursts, gaps and repeated x",
         [](std::size_t i) {
             const std::size_t burst = i / 1'000;
             return static_cast<float>(burst * 900) + static_cast<float>((i % 1'000) / 3) * 0.1f;
         },
         -500, 28'000},
    };
    std::mt19937 rng(5);
    std::normal_distribution<float> step(0.0f, 1.0f);
    for (const Case& k : cases) {
        std::vector<float> x(kPoints), y(kPoints);
        float walk = 0;
        for (std::size_t i = 0; i < kPoints; ++i) {
            x[i] = k.x(i);
            y[i] = walk += step(rng);
        }
        for (std::size_t i = 3'000; i < kPoints; i += 7'001)
            y[i] = nan; // breaks the line into runs
        CSeriesIndex series;
        series.Build(x, y, std::nan(""), std::nan(""));
        ASSERT_TRUE(series.Monotonic()) << k.name;
        PlotMapping map;
        map.x0 = k.x0;
        map.sx = kColumns / (k.x1 - k.x0);
        map.y0 = series.Extent().yMax;
        map.sy = 400 / (series.Extent().yMax - series.Extent().yMin);
        std::vector<ColumnSpan> reduced, full;
        ReduceColumns(series, map, kColumns, reduced);
        FullColumns(series, map, kColumns, full);
        ASSERT_EQ(reduced.size(), full.size());
        for (std::size_t c = 0; c < full.size(); ++c) {
            ASSERT_EQ(reduced[c].Empty(), full[c].Empty()) << k.name << " column " << c;
            if (!full[c].Empty()) {
                ASSERT_EQ(reduced[c].lo, full[c].lo) << k.name << " column " << c;
                ASSERT_EQ(reduced[c].hi, full[c].hi) << k.name << " column " << c;
            }
        }
    }
}
