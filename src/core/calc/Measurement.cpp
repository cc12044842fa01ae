#include "calc/Measurement.h"

#include "calc/FormulaEvaluator.h"
#include "calc/TextHelpers.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <charconv>

namespace {
constexpr int kTenths = 10;
constexpr int kValueDigits = 6; // printf's "%g"

// printf's "%.<precision>f" or "%g" in the C locale.
std::string FormatNumber(double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

void Calculate(CFormulaEvaluator& evaluator, const UserCalculation& calculation, std::string& label,
               std::string& result, bool& valid) {
    label = calculation.title.empty() ? LoadString(str::UserCalculation) : calculation.title;
    if (calculation.formula.empty()) {
        result = LoadString(str::NotAvailable);
        label = LoadString(str::UserCalculation);
        return;
    }
    double value = 0.0;
    if (evaluator.Evaluate(calculation.formula, value) != CFormulaEvaluator::kNoError) {
        result = LoadString(str::ErrorValue);
        return;
    }
    result = FormatNumber(value, std::chars_format::general, kValueDigits);
    valid = true;
}
} // namespace

std::string FormatAltitudeText(double value, bool feet) {
    return FormatNumber(value, std::chars_format::fixed, 1) + (feet ? " ft" : " m");
}

MeasurementTexts ComputeMeasurement(const MeasurementPoint& from, const MeasurementPoint& to,
                                    int timeDivisor, bool feet,
                                    const std::array<UserCalculation, 2>& calculations) {
    const double factor = timeDivisor;
    const double t1 = RoundTo(factor * from.time, kTenths);
    const double t2 = RoundTo(factor * to.time, kTenths);
    const double a1 = RoundTo(from.altitude, kTenths);
    const double a2 = RoundTo(to.altitude, kTenths);
    const double dt = (to.time - from.time) * factor;
    const double da = to.altitude - from.altitude;

    MeasurementTexts texts;
    texts.fromTime = FormatSeconds(t1);
    texts.toTime = FormatSeconds(t2);
    texts.deltaTime = FormatSeconds(dt);
    texts.fromAltitude = FormatAltitudeText(a1, feet);
    texts.toAltitude = FormatAltitudeText(a2, feet);
    texts.deltaAltitude = FormatAltitudeText(da, feet);

    // Six names in an empty table always find a slot.
    CFormulaEvaluator evaluator;
    for (const auto& [name, value] :
         {std::pair{"T1", t1}, std::pair{"T2", t2}, std::pair{"DT", dt}, std::pair{"A1", a1},
          std::pair{"A2", a2}, std::pair{"DA", da}})
        static_cast<void>(evaluator.SetVariable(name, value));
    for (std::size_t i = 0; i < calculations.size(); ++i) {
        bool valid = false;
        Calculate(evaluator, calculations[i], texts.labels[i], texts.results[i], valid);
        texts.valid[i] = valid;
    }
    return texts;
}

std::string BuildMeasurementText(const MeasurementTexts& texts) {
    std::string text = FormatDirectives(LoadString(str::MeasurementText),
                                        {texts.fromTime, texts.fromAltitude, texts.toTime,
                                         texts.toAltitude, texts.deltaTime, texts.deltaAltitude});
    for (std::size_t i = 0; i < texts.results.size(); ++i)
        if (texts.valid[i])
            text += texts.labels[i] + ": " + texts.results[i] + "\n";
    return text;
}
