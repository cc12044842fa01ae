#include "calc/Measurement.h"

#include <gtest/gtest.h>

namespace {
struct Case {
    const char* what;
    MeasurementPoint from;
    MeasurementPoint to;
    int divisor;
    bool feet;
    UserCalculation calc1;
    UserCalculation calc2;
    const char* summary;
};

const Case kCases[] = {
    {"the worked example",
     {62.5, 350},
     {120, 420.5},
     1,
     false,
     {"DA/DT", "Climb"},
     {},
     "Measurement: [1 min 2.5 sec, 350.0 m] -> [2 min 0.0 sec, 420.5 m]; Delta: [57.5 sec, 70.5 "
     "m]\n"
     "Climb: 1.22609\n"},
    {"one click: zero deltas, division by zero left out",
     {10, 5},
     {10, 5},
     1,
     false,
     {"DA/DT", "Rate"},
     {},
     "Measurement: [10.0 sec, 5.0 m] -> [10.0 sec, 5.0 m]; Delta: [0.0 sec, 0.0 m]\n"},
    {"backwards in time",
     {100, 0},
     {70, 0},
     1,
     false,
     {},
     {},
     "Measurement: [1 min 40.0 sec, 0.0 m] -> [1 min 10.0 sec, 0.0 m]; Delta: [-30.0 sec, 0.0 "
     "m]\n"},
    {"90 s back, feet",
     {100, 1.26},
     {10, -0.04},
     1,
     true,
     {},
     {},
     "Measurement: [1 min 40.0 sec, 1.3 ft] -> [10.0 sec, 0.0 ft]; Delta: [-1 min 30.0 sec, -1.3 "
     "ft]\n"},
    {"60 s stays seconds, 60.06 s is rounded, then a minute; empty title",
     {60, 0},
     {60.06, 0},
     1,
     false,
     {"T2", ""},
     {},
     "Measurement: [60.0 sec, 0.0 m] -> [1 min 0.1 sec, 0.0 m]; Delta: [0.1 sec, 0.0 m]\n"
     "User  Calculation: 60.1\n"},
    {"minutes axis, T1 in seconds, formula 2 sees formula 1",
     {1.5, 0},
     {2, 0},
     60,
     false,
     {"k=T1*2; k", "Twice"},
     {"k+DT", ""},
     "Measurement: [1 min 30.0 sec, 0.0 m] -> [2 min 0.0 sec, 0.0 m]; Delta: [30.0 sec, 0.0 m]\n"
     "Twice: 180\nUser  Calculation: 210\n"},
    {"empty formula is n/a, unknown variable is error; %g forms",
     {0, 0},
     {1, 1000000},
     1,
     false,
     {"", "Ignored"},
     {"nope", "Bad"},
     "Measurement: [0.0 sec, 0.0 m] -> [1.0 sec, 1000000.0 m]; Delta: [1.0 sec, 1000000.0 m]\n"},
    {"%g exponent forms",
     {0, 0},
     {1, 0},
     1,
     false,
     {"DA+0.00001", "S"},
     {"DT*1234567", "L"},
     "Measurement: [0.0 sec, 0.0 m] -> [1.0 sec, 0.0 m]; Delta: [1.0 sec, 0.0 m]\n"
     "S: 1e-05\nL: 1.23457e+06\n"},
};
} // namespace

TEST(Measurement, SummaryTexts) {
    for (const Case& c : kCases) {
        const MeasurementTexts texts =
            ComputeMeasurement(c.from, c.to, c.divisor, c.feet, {c.calc1, c.calc2});
        EXPECT_EQ(BuildMeasurementText(texts), c.summary) << c.what;
    }
}
