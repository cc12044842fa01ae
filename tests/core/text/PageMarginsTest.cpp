#include "text/PageMargins.h"

#include "framework/MemoryRegistryStore.h"
#include "framework/Registry.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

TEST(PageMargins, PageSetupShowsMultiplesOfTenHundredthsOfAMillimetre) {
    const struct {
        int value;
        int rounded;
    } tens[] = {{3175, 3180}, {3174, 3170}, {3179, 3180}, {-3175, -3180}, {-3174, -3170}, {0, 0}};
    for (const auto& c : tens)
        EXPECT_EQ(RoundToTenHmm(c.value), c.rounded) << c.value;
    EXPECT_EQ(MarginTwipsToHmm(1800), 3180); // 1800 × 2540 / 1440 = 3175
    EXPECT_EQ(MarginTwipsToHmm(1440), 2540);
    EXPECT_EQ(MarginHmmToTwips(3180), 1803);
    EXPECT_EQ(MarginHmmToTwips(2536), 1440); // rounded to 2540 first
    EXPECT_EQ(MulDiv(-7, 1, 2), -4);         // halves away from zero
    EXPECT_EQ(MulDiv(2'000'000'000, 2540, 1440), std::numeric_limits<int>::max());
    EXPECT_EQ(MulDiv(5, 1, 0), 0);
}

TEST(PageMargins, StoredAsSixteenBytesOtherSizesIgnored) {
    MemoryRegistryStore store;
    PageMargins margins;
    LoadPageMargins(margins, store);
    EXPECT_EQ(margins, PageMargins{}); // missing: defaults stay

    const PageMargins custom{720, -10, 1803, 2000};
    ASSERT_TRUE(SavePageMargins(custom, store));
    LoadPageMargins(margins, store);
    EXPECT_EQ(margins, custom);
    auto key = OpenRegKeyPath(kRichEditorKeyPath, store, RegRoot::CurrentUser);
    std::uint8_t bytes[16] = {};
    std::size_t size = 0;
    ASSERT_TRUE(ReadRegBinary(key.get(), "PageMargins", bytes, sizeof bytes, &size));
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(bytes[0], 0xD0); // 720 little-endian
    EXPECT_EQ(bytes[4], 0xF6); // -10

    for (const std::size_t wrongSize : {std::size_t{15}, std::size_t{17}}) {
        const std::vector<std::uint8_t> value(wrongSize, 0x11);
        ASSERT_TRUE(WriteRegBinary(key.get(), "PageMargins", value.data(), value.size()));
        PageMargins kept{1, 2, 3, 4};
        LoadPageMargins(kept, store);
        EXPECT_EQ(kept, (PageMargins{1, 2, 3, 4})) << wrongSize;
    }
}
