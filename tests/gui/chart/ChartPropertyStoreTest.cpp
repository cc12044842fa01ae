#include "ChartTestData.h"
#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

// The component's property calls over its store (the store itself is tested in core).
TEST(ChartProperties, VectorsComeBackInTheFormTheCallerAsksFor) {
    ChartComponent c;
    // A known double vector given as floats converts; the count comes with a null destination.
    const std::array<float, 1> f = {0.7f};
    c.SetVector(chart::kZoomMinX, std::span<const float>(f));
    EXPECT_EQ(c.GetVector(chart::kZoomMinX, nullptr), 1U);
    double d = 0;
    c.GetVector(chart::kZoomMinX, &d);
    EXPECT_FLOAT_EQ(static_cast<float>(d), 0.7f);

    const std::array<std::int32_t, 3> colours = {0x00FF00, 0x0000FF, 0xFF0000};
    c.SetVector(chart::kSubsetColours, std::span<const std::int32_t>(colours));
    std::array<std::int32_t, 3> back{};
    EXPECT_EQ(c.GetVector(chart::kSubsetColours, back.data()), 3U);
    EXPECT_EQ(back, colours);

    // Cells written through the annotation interface; a negative index is ignored.
    CChartCells& cells = c;
    cells.SetCellText(chart::kHorzLineText, 2, "|r  Base");
    cells.SetCellText(chart::kHorzLineText, -1, "x");
    EXPECT_EQ(c.GetVector(chart::kHorzLineText, nullptr), 3U);
    EXPECT_EQ(c.Store().TextAt(chart::kHorzLineText, 2), "|r  Base");

    c.ResetProperties();
    EXPECT_EQ(c.GetVector(chart::kZoomMinX, nullptr), 0U);
}

TEST(ChartProperties, DataCellsAddressSubsetAndPoint) {
    ChartComponent c;
    charttest::SetSubsets(c, {{1, 2, 3}, {4, 5, 6}});
    float v = 0;
    ASSERT_TRUE(c.GetDataCell(chart::kYData, 1, 2, v));
    EXPECT_EQ(v, 6.0f);
    ASSERT_TRUE(c.GetDataCell(chart::kXData, 1, 2, v));
    EXPECT_EQ(v, 2.0f);
    EXPECT_FALSE(c.GetDataCell(chart::kYData, 2, 0, v));
    EXPECT_FALSE(c.GetDataCell(chart::kYData, 0, 3, v));
    EXPECT_FALSE(c.GetDataCell(chart::kYData, -1, 0, v));
}

TEST(ChartSettings, ImportReplacesTheSettingsAndKeepsTheData) {
    ChartComponent a;
    charttest::SetSubsets(a, {{1, 2, 3}});
    a.SetText(chart::kMainTitle, "Kept");
    const std::vector<std::uint8_t> block = a.ExportSettings();

    ChartComponent b;
    charttest::SetSubsets(b, {{7, 8, 9}});
    b.SetText(chart::kSubTitle, "later");
    EXPECT_EQ(b.ImportSettings({}), SettingsImport::Empty);
    EXPECT_EQ(b.ImportSettings(std::span(block).first(5)), SettingsImport::Refused);
    EXPECT_EQ(b.GetText(chart::kSubTitle), "later");
    ASSERT_EQ(b.ImportSettings(block), SettingsImport::Imported);
    EXPECT_EQ(b.GetText(chart::kMainTitle), "Kept");
    EXPECT_EQ(b.GetText(chart::kSubTitle), "");
    float y = 0;
    ASSERT_TRUE(b.GetDataCell(chart::kYData, 0, 0, y));
    EXPECT_EQ(y, 7.0f); // b's own data stay
}
