#include "ChartTestData.h"
#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartSettingsCodec.h"
#include "chart/MinMaxPyramid.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <array>

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

TEST(ChartSettings, ExportImportRoundTripLeavesTheBulkDataAlone) {
    ChartComponent a;
    charttest::SetSubsets(a, {{1, 2, 3}});
    a.SetText(chart::kMainTitle, "Täglich");
    a.SetVector(chart::kSubsetLabels, std::string_view("One\t"));
    a.SetVectorCell(chart::kPointText, 0, std::string("|l  M1"));
    a.SetInt(chart::kCursorMode, 2);
    const QByteArray block = a.ExportSettings();

    ChartComponent b;
    charttest::SetSubsets(b, {{7, 8, 9}});
    ASSERT_EQ(b.ImportSettings(block), SettingsImport::Imported);
    EXPECT_EQ(b.GetText(chart::kMainTitle), "Täglich");
    EXPECT_EQ(b.GetInt(chart::kCursorMode), 2);
    EXPECT_EQ(b.Store().TextAt(chart::kPointText, 0), "|l  M1");
    float y = 0;
    ASSERT_TRUE(b.GetDataCell(chart::kYData, 0, 0, y));
    EXPECT_EQ(y, 7.0f); // b's own data stay
    EXPECT_EQ(b.ExportSettings(), block);

    // Properties set after an export are undone by importing it (the measurement undo).
    a.SetInt(chart::kZoomedX, 1);
    a.SetText(chart::kSubTitle, "later");
    ASSERT_EQ(a.ImportSettings(block), SettingsImport::Imported);
    EXPECT_EQ(a.GetText(chart::kSubTitle), "");
    EXPECT_EQ(a.ExportSettings(), block);
}

TEST(ChartSettings, EmptyOrDamagedBlocksChangeNothing) {
    ChartComponent c;
    c.SetText(chart::kMainTitle, "Kept");
    c.SetVector(chart::kSubsetLabels, std::string_view("A\tB\t"));
    const QByteArray good = c.ExportSettings();
    const QByteArray before = c.ExportSettings();

    EXPECT_EQ(c.ImportSettings(QByteArray()), SettingsImport::Empty);
    // Every truncation is refused.
    for (qsizetype n = 1; n < good.size(); ++n)
        ASSERT_EQ(c.ImportSettings(good.left(n)), SettingsImport::Refused) << n;
    EXPECT_EQ(c.ImportSettings(good + QByteArray(1, '\0')), SettingsImport::Refused);
    QByteArray version = good;
    version[4] = 2;
    EXPECT_EQ(c.ImportSettings(version), SettingsImport::Refused);
    QByteArray magic = good;
    magic[0] = 'X';
    EXPECT_EQ(c.ImportSettings(magic), SettingsImport::Refused);
    // A count that promises more items than the block holds is refused before allocating.
    QByteArray huge = good;
    huge[6] = '\xFF';
    huge[7] = '\xFF';
    huge[8] = '\xFF';
    huge[9] = '\x7F';
    EXPECT_EQ(c.ImportSettings(huge), SettingsImport::Refused);
    EXPECT_EQ(c.ExportSettings(), before);
}

TEST(ChartSettings, BlocksCarryingBulkDataAreRefused) {
    CChartPropertyStore store;
    const std::array<float, 2> x = {1, 2};
    store.SetFloats(chart::kXData, x);
    store.SetInt(chart::kCursorMode, 1);
    // Rewrite the block by hand with the x data in it.
    QByteArray block = chart::EncodeSettings(store);
    ASSERT_TRUE(chart::DecodeSettings(block).has_value());
    QByteArray withBulk = block.left(6);
    const char count[4] = {2, 0, 0, 0};
    withBulk.append(count, 4);
    withBulk.append(block.mid(10));
    const qint32 id = chart::kXData;
    withBulk.append(reinterpret_cast<const char*>(&id), 4);
    withBulk.append(char(4));
    const quint32 n = 0;
    withBulk.append(reinterpret_cast<const char*>(&n), 4);
    EXPECT_FALSE(chart::DecodeSettings(withBulk).has_value());
}

TEST(MinMaxPyramid, RangeQueriesMatchAScan) {
    const std::vector<float> y = charttest::RandomWalk(10'000, 7);
    CMinMaxPyramid pyramid;
    pyramid.Build(y, [](std::size_t i) { return i % 97 == 5; });
    std::mt19937 rng(3);
    for (int k = 0; k < 2000; ++k) {
        std::size_t a = rng() % y.size();
        std::size_t b = a + rng() % (y.size() - a + 1);
        MinMax expect;
        for (std::size_t i = a; i < b; ++i)
            if (i % 97 != 5)
                expect.Add(y[i]);
        const MinMax got = pyramid.Query(a, b);
        ASSERT_EQ(got.Empty(), expect.Empty()) << a << ".." << b;
        if (!expect.Empty()) {
            ASSERT_EQ(got.min, expect.min) << a << ".." << b;
            ASSERT_EQ(got.max, expect.max) << a << ".." << b;
        }
    }
}
