#include "calc/TextHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(RoundTo, HalvesRoundAwayFromZero) {
    EXPECT_DOUBLE_EQ(RoundTo(2.25, 10), 2.3);
    EXPECT_DOUBLE_EQ(RoundTo(-2.25, 10), -2.3);
    EXPECT_DOUBLE_EQ(RoundTo(0.05, 10), 0.1);
    EXPECT_DOUBLE_EQ(RoundTo(-0.05, 10), -0.1);
    EXPECT_DOUBLE_EQ(RoundTo(1.234, 100), 1.23);
    EXPECT_DOUBLE_EQ(RoundTo(2.5, 1), 3.0);
    EXPECT_FLOAT_EQ(RoundTo(2.25f, 10), 2.3f);
    EXPECT_FLOAT_EQ(RoundTo(-1.26f, 10), -1.3f);
}

TEST(RoundTo, SaturatesOutsideTheThirtyTwoBitRange) {
    const double max = std::numeric_limits<std::int32_t>::max();
    const double min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(RoundTo(1e300, 10), max / 10);
    EXPECT_EQ(RoundTo(-1e300, 10), min / 10);
    EXPECT_EQ(RoundTo(HUGE_VAL, 1), max);
    EXPECT_EQ(RoundTo(-HUGE_VAL, 1), min);
    EXPECT_EQ(RoundTo(std::nan(""), 10), 0.0);
    EXPECT_EQ(RoundTo(3e9f, 1), static_cast<float>(max));
    // The last values inside the range are still exact.
    EXPECT_EQ(RoundTo(2147483647.4, 1), max);
    EXPECT_EQ(RoundTo(-2147483648.4, 1), min);
}

TEST(FormatSeconds, MinutesAndSecondsWithOneDecimal) {
    EXPECT_EQ(FormatSeconds(0), "0.0 sec");
    EXPECT_EQ(FormatSeconds(-0.04), "-0.0 sec");
    EXPECT_EQ(FormatSeconds(60), "60.0 sec");
    EXPECT_EQ(FormatSeconds(60.04), "1 min 0.0 sec");
    EXPECT_EQ(FormatSeconds(59.97), "60.0 sec");
    EXPECT_EQ(FormatSeconds(119.97), "1 min 60.0 sec");
    EXPECT_EQ(FormatSeconds(7322.5), "122 min 2.5 sec");
    EXPECT_EQ(FormatSeconds(-90), "-1 min 30.0 sec");
    EXPECT_EQ(FormatSeconds(123.4), "2 min 3.4 sec");
    // Huge values are defined, not undefined behaviour.
    EXPECT_EQ(FormatSeconds(HUGE_VAL), "2147483647 min inf sec");
}

TEST(ParseDuration, WorkedExamples) {
    struct Case {
        const char* text;
        double seconds;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"90", 90},
             {"1.5 min", 90},
             {"1h 30m", 5400},
             {"1h30m", 5400},
             {"1h30", 3630},
             {"2 days", 172800},
             {"250 ms", 0.25},
             {"10 microsec", 0.00001},
             {"5 us", 0.000005},
             {"7 milis", 0.007},
             {"-1 h", -3600},
             {"1 h 2", 3602},
             {"2 MIN", 120},
             {"3 Hours", 10800},
             {"5 dozen", 432000},
             {" -5", -5},
             {"- 5", -5},
             {"\t\n1,5 s", 1},
             {"1 min 30.0 sec", 90},
             {"-1 min 30.0 sec", -90},
         }) {
        std::int32_t index = 99;
        EXPECT_DOUBLE_EQ(ParseDuration(c.text, &index), c.seconds) << c.text;
        EXPECT_EQ(index, -1) << c.text;
    }
}

TEST(ParseDuration, StopsAtTheFirstCharacterItCannotUse) {
    struct Case {
        const char* text;
        double seconds;
        std::int32_t index;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"abc", 0, 0},
             {"h", 0, 0},
             {"5 xyz", 5, 5},
             {"5 6", 5, 2},
             {".", 0, 1},
             {"5 millisec", 5, 10},
             {"1 h -2", 3600, 4},
             {"+5", 0, 0},
             {"--5", 0, 0},
             {"1h .", 3600, 4},
             {"", 0, -1},
             {" \t ", 0, -1},
         }) {
        std::int32_t index = 99;
        EXPECT_DOUBLE_EQ(ParseDuration(c.text, &index), c.seconds) << c.text;
        EXPECT_EQ(index, c.index) << c.text;
    }
    EXPECT_EQ(ParseDuration("2 h"), 7200.0);
}

TEST(ParseDuration, ReadsBackWhatFormatSecondsWrites) {
    for (double seconds : {0.0, 0.3, 59.9, 61.0, 90.0, 3599.9, 7322.5, 100000.1}) {
        for (double v : {seconds, -seconds}) {
            std::int32_t index = 99;
            EXPECT_NEAR(ParseDuration(FormatSeconds(v), &index), v, 1e-9) << FormatSeconds(v);
            EXPECT_EQ(index, -1);
        }
    }
}
