#include "calc/FormulaSetValidation.h"

#include "calc/FormulaEvaluator.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <initializer_list>
#include <utility>

namespace {
constexpr unsigned kInvalidPressureId = str::InvalidPressureFormula;
constexpr unsigned kInvalidAltitudeId = str::InvalidAltitudeFormula;

constexpr double kTestRaw = 10.0;
constexpr double kTestPressure = 20.0;
constexpr double kTestReferencePressure = 10.0;

// True when formula fails with the bindings; message then holds the evaluator's message.
bool Fails(std::string_view formula,
           std::initializer_list<std::pair<std::string_view, double>> bindings,
           std::string& message) {
    CFormulaEvaluator evaluator;
    for (const auto& [name, value] : bindings)
        (void)evaluator.SetVariable(name, value); // a fresh table has room for these
    double result = 0.0;
    if (evaluator.Evaluate(formula, result) == CFormulaEvaluator::kNoError)
        return false;
    message = evaluator.FormatError(CFormulaEvaluator::kErrorMessageBase);
    return true;
}
} // namespace

FormulaSetCheck ValidateFormulaSet(std::string_view pressureFormula,
                                   std::string_view altitudeFormula) {
    FormulaSetCheck check;
    std::string error;
    if (Fails(pressureFormula, {{"X", kTestRaw}}, error)) {
        check.invalid = FormulaField::kPressure;
        check.message = FormatString1(kInvalidPressureId, error);
    } else if (Fails(altitudeFormula, {{"PA", kTestPressure}, {"PR", kTestReferencePressure}},
                     error)) {
        check.invalid = FormulaField::kAltitude;
        check.message = FormatString1(kInvalidAltitudeId, error);
    }
    return check;
}
