// The chart's Qt-free half: property store, settings block, annotation cells, min/max pyramid.
#include "chart/ChartCells.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"
#include "chart/ChartSettingsCodec.h"
#include "chart/MinMaxPyramid.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace {
using Bytes = std::vector<std::uint8_t>;

// Cells written straight into a store, as the chart component does.
struct StoreCells : CChartCells {
    CChartPropertyStore store;
    void SetCellDouble(int id, int index, double v) override { store.SetCellDouble(id, index, v); }
    void SetCellInt(int id, int index, std::int32_t v) override { store.SetCellInt(id, index, v); }
    void SetCellText(int id, int index, const std::string& v) override {
        store.SetCellText(id, index, v);
    }
};

CChartPropertyStore SampleStore() {
    CChartPropertyStore store;
    store.SetText(chart::kMainTitle, "Täglich");
    store.SetTabText(chart::kSubsetLabels, "One\tTwo\t");
    store.SetCellText(chart::kPointText, 1, "|l  M1");
    store.SetCellDouble(chart::kHorzLineY, 0, 350.5);
    store.SetInt(chart::kCursorMode, chart::kCursorCrosshair);
    const std::array<float, 3> bulk = {1, 2, 3};
    store.SetFloats(chart::kYData, bulk);
    return store;
}
} // namespace

TEST(ChartPropertyStore, KnownIdsKeepTheirKindAndCellsGrow) {
    CChartPropertyStore store;
    EXPECT_EQ(store.GetInt(chart::kZoomStyle), 1); // a default before anything is set
    // A known double vector given as floats is converted; an unknown id keeps what it is given.
    const std::array<float, 1> f = {0.5f};
    store.SetFloats(chart::kZoomMinX, f);
    EXPECT_EQ(store.DoubleAt(chart::kZoomMinX, 0), 0.5);
    constexpr int kIdWithoutRole = 3408;
    store.SetInt(kIdWithoutRole, 7);
    EXPECT_EQ(store.GetInt(kIdWithoutRole), 7);
    // TAB text: each item followed by a TAB, read back the same way.
    store.SetTabText(chart::kSubsetLabels, "Flight 1\tFlight 2");
    EXPECT_EQ(store.Count(chart::kSubsetLabels), 2U);
    EXPECT_EQ(store.GetText(chart::kSubsetLabels), "Flight 1\tFlight 2\t");

    store.SetCellInt(chart::kHorzLineColour, 2, 0x0000FF);
    EXPECT_EQ(store.Count(chart::kHorzLineColour), 3U);
    EXPECT_EQ(store.IntAt(chart::kHorzLineColour, 0, -1), 0);
    store.SetCellInt(chart::kHorzLineColour, -1, 5); // ignored
    EXPECT_EQ(store.Count(chart::kHorzLineColour), 3U);

    const std::uint64_t data = store.DataGeneration();
    store.SetText(chart::kMainTitle, "x");
    EXPECT_EQ(store.DataGeneration(), data);
    store.SetInt(chart::kSubsetCount, 1);
    EXPECT_GT(store.DataGeneration(), data);

    store.Reset();
    EXPECT_FALSE(store.Has(chart::kHorzLineColour));
    EXPECT_EQ(store.GetInt(chart::kZoomStyle), 1);
}

TEST(ChartPropertyStore, SubsetsHeldAtTheirOwnLengthsReadAsThePaddedArray) {
    CChartPropertyStore store;
    store.SetInt(chart::kPointsPerSubset, 3);
    const double null = 0.25;
    store.SetDoubles(chart::kNullYValue, std::span(&null, 1));
    store.SetSubsetFloats(chart::kYData, {{1, 2, 3, 4}, {5}});
    store.SetSubsetFloats(chart::kXData, {{0, 1}, {}});

    // Two subsets of 3 points each: the first cut to 3, the second padded.
    EXPECT_EQ(store.Count(chart::kYData), 6U);
    std::vector<double> y;
    for (std::size_t i = 0; i < 6; ++i)
        y.push_back(store.DoubleAt(chart::kYData, i));
    EXPECT_EQ(y, (std::vector<double>{1, 2, 3, 5, 0.25, 0.25}));
    EXPECT_EQ(store.DoubleAt(chart::kXData, 2, -1), 0.0);
    EXPECT_EQ(store.DoubleAt(chart::kYData, 6, -1), -1.0);
    EXPECT_EQ(store.HeldSubsets(chart::kYData), 2U);
    EXPECT_EQ(store.SubsetFloats(chart::kYData, 0).size(), 3U);
    EXPECT_EQ(store.SubsetFloats(chart::kYData, 1).size(), 1U);
    EXPECT_TRUE(store.SubsetFloats(chart::kYData, 2).empty());

    // Importing settings keeps them; a cell written into them makes them the flat array.
    store.ReplaceAllExcept({{chart::kPointsPerSubset, std::int32_t{3}}},
                           std::array{chart::kXData, chart::kYData});
    EXPECT_EQ(store.HeldSubsets(chart::kYData), 2U);
    store.SetCellDouble(chart::kXData, 5, 9);
    ASSERT_NE(store.Floats(chart::kXData), nullptr);
    EXPECT_EQ(*store.Floats(chart::kXData), (std::vector<float>{0, 1, 0, 0, 0, 9}));

    // A flat array gives whole slices only.
    const std::array<float, 7> flat = {1, 2, 3, 4, 5, 6, 7};
    store.SetFloats(chart::kYData, flat);
    EXPECT_EQ(store.HeldSubsets(chart::kYData), 2U);
    EXPECT_EQ(store.SubsetFloats(chart::kYData, 1)[0], 4.0f);
    store.Reset();
    EXPECT_FALSE(store.Has(chart::kXData));
}

TEST(ChartSettingsCodec, RoundTripCarriesEverythingButTheBulkData) {
    const CChartPropertyStore store = SampleStore();
    const Bytes block = chart::EncodeSettings(store);
    const auto values = chart::DecodeSettings(block);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->count(chart::kYData), 0U);
    auto expected = store.Values();
    expected.erase(chart::kYData);
    EXPECT_EQ(*values, expected);

    // Importing over another store replaces the settings and keeps that store's data.
    CChartPropertyStore other;
    const std::array<float, 1> y = {9};
    other.SetFloats(chart::kYData, y);
    other.SetText(chart::kSubTitle, "dropped");
    const std::array<int, 2> keep = {chart::kXData, chart::kYData};
    other.ReplaceAllExcept(*values, keep);
    EXPECT_EQ(other.GetText(chart::kSubTitle), "");
    EXPECT_EQ(other.DoubleAt(chart::kYData, 0), 9.0);
    EXPECT_EQ(chart::EncodeSettings(other), block);
}

TEST(ChartSettingsCodec, MalformedBlocksAreRefused) {
    const Bytes good = chart::EncodeSettings(SampleStore());
    ASSERT_GT(good.size(), 12U);
    for (std::size_t n = 0; n < good.size(); ++n)
        ASSERT_FALSE(chart::DecodeSettings(std::span(good).first(n))) << "cut at " << n;

    auto changed = [&](std::size_t at, std::uint8_t value) {
        Bytes block = good;
        block[at] = value;
        return block;
    };
    Bytes trailing = good;
    trailing.push_back(0);
    EXPECT_FALSE(chart::DecodeSettings(trailing));
    EXPECT_FALSE(chart::DecodeSettings(changed(0, 'X')));  // magic
    EXPECT_FALSE(chart::DecodeSettings(changed(4, 2)));    // version
    EXPECT_FALSE(chart::DecodeSettings(changed(9, 0x7F))); // a count no block could hold
    // The first property (kMainTitle, a text) announced as an int.
    EXPECT_FALSE(chart::DecodeSettings(changed(14, 1)));

    // A block that carries bulk data: header, count 1, then x data with no items.
    const Bytes bulk = {'K', 'B', 'C', 'S', 1, 0, 1, 0, 0, 0, 0x57, 0x08, 0, 0, 4, 0, 0, 0, 0};
    ASSERT_EQ(0x0857, chart::kXData);
    EXPECT_FALSE(chart::DecodeSettings(bulk));
}

TEST(AnnotationCellWriter, EachKindFillsItsOwnSlotsInTurn) {
    StoreCells cells;
    chart::AnnotationCellWriter writer(cells);
    using chart::AnnotationSlot;
    writer.Put(AnnotationSlot::VerticalLine, 2.0, 0.0, 1, 0xFF, "|t  a");
    writer.Put(AnnotationSlot::HorizontalLine, 0.0, 110.0, 6, 0x00FF8000, "|c  top");
    writer.Put(AnnotationSlot::VerticalLine, 3.0, 0.0, 2, 0, "|b  b"); // e.g. the next flight's
    writer.Put(AnnotationSlot::Point, 4.0, 50.0, 15, 0, "|l  M1");
    EXPECT_EQ(writer.Count(AnnotationSlot::VerticalLine), 2);

    const CChartPropertyStore& s = cells.store;
    EXPECT_EQ(s.DoubleAt(chart::kVertLineX, 1), 3.0);
    EXPECT_EQ(s.IntAt(chart::kVertLineStyle, 1), 2);
    EXPECT_EQ(s.TextAt(chart::kVertLineText, 0), "|t  a");
    EXPECT_EQ(s.DoubleAt(chart::kHorzLineY, 0), 110.0);
    EXPECT_EQ(s.IntAt(chart::kHorzLineColour, 0), 0x00FF8000);
    EXPECT_TRUE(s.Has(chart::kHorzLineAxis));
    EXPECT_EQ(s.DoubleAt(chart::kPointY, 0), 50.0);
    EXPECT_EQ(s.IntAt(chart::kPointSymbol, 0), 15);
    EXPECT_EQ(s.Values().size(), 14U); // nothing beyond the cells of each kind
}

TEST(MinMaxPyramid, RangeQueriesMatchAScan) {
    std::mt19937 rng(7);
    std::normal_distribution<float> step(0.0f, 1.0f);
    std::vector<float> y(10'000);
    float walk = 0;
    for (float& v : y)
        v = walk += step(rng);
    auto missing = [](std::size_t i) { return i % 97 == 5; };
    CMinMaxPyramid pyramid;
    pyramid.Build(y, missing);
    for (int k = 0; k < 2000; ++k) {
        const std::size_t a = rng() % y.size();
        const std::size_t b = a + rng() % (y.size() - a + 1);
        MinMax expect;
        for (std::size_t i = a; i < b; ++i)
            if (!missing(i))
                expect.Add(y[i]);
        const MinMax got = pyramid.Query(a, b);
        ASSERT_EQ(got.Empty(), expect.Empty()) << a << ".." << b;
        if (!expect.Empty()) {
            ASSERT_EQ(got.min, expect.min) << a << ".." << b;
            ASSERT_EQ(got.max, expect.max) << a << ".." << b;
        }
    }
}
