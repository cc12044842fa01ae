#include "ChartTestData.h"
#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

TEST(ChartProperties, ValuesComeBackInTheFormTheCallerAsksFor) {
    ChartComponent c;
    EXPECT_EQ(c.GetInt(chart::kZoomStyle), 1); // default before anything is set
    c.SetInt(chart::kCursorMode, 3);
    EXPECT_EQ(c.GetInt(chart::kCursorMode), 3);

    // A known double vector given as floats converts; the count comes with a null destination.
    const std::array<float, 1> f = {0.7f};
    c.SetVector(chart::kZoomMinX, std::span<const float>(f));
    EXPECT_EQ(c.GetVector(chart::kZoomMinX, nullptr), 1U);
    double d = 0;
    c.GetVector(chart::kZoomMinX, &d);
    EXPECT_FLOAT_EQ(static_cast<float>(d), 0.7f);

    // Colour references round trip through ints.
    const std::array<std::int32_t, 3> colours = {0x00FF00, 0x0000FF, 0xFF0000};
    c.SetVector(chart::kSubsetColours, std::span<const std::int32_t>(colours));
    std::array<std::int32_t, 3> back{};
    EXPECT_EQ(c.GetVector(chart::kSubsetColours, back.data()), 3U);
    EXPECT_EQ(back, colours);

    // TAB text: each item followed by a TAB; reading gives the same text back.
    c.SetVector(chart::kSubsetLabels, std::string_view("Flight 1\tFlight 2\t"));
    EXPECT_EQ(c.GetVector(chart::kSubsetLabels, nullptr), 2U);
    EXPECT_EQ(c.GetText(chart::kSubsetLabels), "Flight 1\tFlight 2\t");

    c.SetText(chart::kMainTitle, "Altitude");
    EXPECT_EQ(c.GetText(chart::kMainTitle), "Altitude");

    // An id without a role keeps what it is given.
    c.SetInt(3408, 1);
    EXPECT_EQ(c.GetInt(3408), 1);

    c.ResetProperties();
    EXPECT_EQ(c.GetInt(chart::kCursorMode), 0);
    EXPECT_EQ(c.GetText(chart::kMainTitle), "");
}

TEST(ChartProperties, CellsGrowTheirVectorsAndFeedTheAnnotationInterface) {
    ChartComponent c;
    CChartCells& cells = c;
    cells.SetCellDouble(chart::kHorzLineY, 2, 350.0);
    cells.SetCellInt(chart::kHorzLineColour, 2, 0x0000FF);
    cells.SetCellText(chart::kHorzLineText, 2, "|r  Base");
    EXPECT_EQ(c.GetVector(chart::kHorzLineY, nullptr), 3U);
    std::array<double, 3> ys{};
    c.GetVector(chart::kHorzLineY, ys.data());
    EXPECT_EQ(ys[0], 0.0);
    EXPECT_EQ(ys[2], 350.0);
    EXPECT_EQ(c.Store().TextAt(chart::kHorzLineText, 2), "|r  Base");
    cells.SetCellDouble(chart::kHorzLineY, -1, 5.0); // ignored, no crash
    EXPECT_EQ(c.GetVector(chart::kHorzLineY, nullptr), 3U);
    // Clearing with an empty vector, as a rebuild does.
    c.SetVector(chart::kHorzLineY, std::span<const double>());
    EXPECT_EQ(c.GetVector(chart::kHorzLineY, nullptr), 0U);
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
