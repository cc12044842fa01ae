// The measurement between two points of the graph: its arithmetic, its texts and its summary.
#pragma once

#include <array>
#include <string>

// A point as the graph shows it: time in the time axis' unit (seconds, or minutes when the
// axis divides by 60), altitude in the display unit (metres or feet).
struct MeasurementPoint {
    double time = 0.0;
    double altitude = 0.0;
};

// One user calculation: a formula over T1, T2, DT, A1, A2, DA, and its title.
struct UserCalculation {
    std::string formula;
    std::string title;
};

// What the measurement pane shows, and the summary is made of.
struct MeasurementTexts {
    std::string fromTime;
    std::string fromAltitude;
    std::string toTime;
    std::string toAltitude;
    std::string deltaTime;
    std::string deltaAltitude;
    // Per user calculation: its label, its result ("n/a", "error" or the value as "%g") and
    // whether the result is a value.
    std::array<std::string, 2> labels;
    std::array<std::string, 2> results;
    std::array<bool, 2> valid{};
};

// "%.1f ft" with feet, else "%.1f m"; the value is not converted. The decimal point is '.'
// whatever the C locale.
[[nodiscard]] std::string FormatAltitudeText(double value, bool feet);

// Times are taken to seconds with timeDivisor (1 or 60): T1 and T2 are the seconds rounded to
// 1/10, A1 and A2 the altitudes rounded to 1/10, DT and DA the unrounded differences To - From.
// Both calculations run on one evaluator where T1, T2, DT, A1, A2, DA are bound in that order,
// so the second sees what the first assigns. An empty title, or an empty formula, gives the
// label str::UserCalculation; an empty formula the result str::NotAvailable; a failing one
// str::ErrorValue. No message is shown.
[[nodiscard]] MeasurementTexts
ComputeMeasurement(const MeasurementPoint& from, const MeasurementPoint& to, int timeDivisor,
                   bool feet, const std::array<UserCalculation, 2>& calculations);

// str::MeasurementText filled with the six point and delta texts, then "label: result\n" for
// each calculation whose result is a value.
[[nodiscard]] std::string BuildMeasurementText(const MeasurementTexts& texts);
