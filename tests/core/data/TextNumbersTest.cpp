#include "data/TextNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Printf(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string PrintfSeconds(std::int64_t ms) {
    return Printf(static_cast<double>(ms) * 0.001);
}

std::string Seconds(std::int64_t ms) {
    char text[kNumberMaxChars];
    return std::string(text, WriteSeconds(text, ms));
}

} // namespace

TEST(TextNumbers, GeneralAndIntegerAsPrintf) {
    const double values[] = {0.0,
                             -0.0,
                             1.0 / 3,
                             123456.5,
                             999999.5,
                             1e-5,
                             1.5e-4,
                             -1.5e308,
                             4.9e-324,
                             1e100,
                             -1234567.0,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             -std::sqrt(-1.0)};
    char text[kNumberMaxChars];
    for (const double v : values)
        EXPECT_EQ(std::string(text, WriteGeneral(text, v)), Printf(v)) << v;
    EXPECT_EQ(std::string(text, WriteInteger(text, std::numeric_limits<long long>::min())),
              "-9223372036854775808");
}

// The seconds worked out in integers must be those of the double product, rounding (carries to
// a new power of ten, decimal ties the product decides) and exponent form included, and past
// the range where the integers are trusted.
TEST(TextNumbers, SecondsAsThePrintedProduct) {
    const std::int64_t around[] = {1,
                                   999,
                                   1'000,
                                   999'995,
                                   1'234'565,
                                   99'999'950,
                                   999'999'500,
                                   999'999'499,
                                   1'000'000'000,
                                   1'000'000'500,
                                   123'456'789'012,
                                   (std::int64_t{1} << 50) - 1,
                                   std::int64_t{1} << 50,
                                   std::numeric_limits<std::int64_t>::max() - 10};
    for (const std::int64_t base : around)
        for (std::int64_t ms = base - 3; ms <= base + 3; ++ms)
            EXPECT_EQ(Seconds(ms), PrintfSeconds(ms)) << ms;
    EXPECT_EQ(Seconds(-1'500), "-1.5");

    std::mt19937_64 random(15);
    for (int i = 0; i < 200'000; ++i) {
        const int digits = static_cast<int>(random() % 18);
        const std::int64_t ms = static_cast<std::int64_t>(random() >> 1) %
                                static_cast<std::int64_t>(std::pow(10.0, digits) + 1);
        ASSERT_EQ(Seconds(ms), PrintfSeconds(ms)) << ms;
    }
}

// The counter adds the rate in decimal; every carry pattern of a few rates, and rates that
// pass the integers' range or go backwards.
TEST(TextNumbers, SecondsCounterAsThePrintedProduct) {
    struct Run {
        std::int32_t rate;
        std::int64_t samples;
    };
    const Run runs[] = {{1, 1'300'000}, {7, 200'000},  {100, 100'000},
                        {250, 50'000},  {999, 20'000}, {65'535, 20'000},
                        {0, 3},         {-250, 100},   {2'000'000'000, 600'000}};
    for (const Run& run : runs) {
        CSecondsCounter counter(run.rate);
        char text[kNumberMaxChars];
        for (std::int64_t i = 0; i < run.samples; ++i) {
            const std::string got(text, counter.WriteNext(text));
            const std::int64_t ms = std::int64_t{run.rate} * i;
            if (got != Seconds(ms) || (i % 97 == 0 && got != PrintfSeconds(ms)))
                FAIL() << "rate " << run.rate << " sample " << i << ": " << got;
        }
    }
}
