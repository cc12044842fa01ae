// The check a formula set passes before a dialog accepts it: both formulas at fixed test values.
#pragma once

#include <string>
#include <string_view>

enum class FormulaField { kNone, kPressure, kAltitude };

// The first formula at fault and the message to show for it (str::InvalidPressureFormula or
// str::InvalidAltitudeFormula carrying the evaluator's message); kNone and an empty message when
// both formulas are sound.
struct FormulaSetCheck {
    FormulaField invalid = FormulaField::kNone;
    std::string message;
    [[nodiscard]] bool IsValid() const { return invalid == FormulaField::kNone; }
};

// The pressure formula is evaluated with X = 10, then the altitude formula, on a fresh
// evaluator, with PA = 20 and PR = 10. The values are fixed, so a formula that fails only there
// (1/(X-10)) is rejected too: a set that fails at some raw value would fail in translation.
[[nodiscard]] FormulaSetCheck ValidateFormulaSet(std::string_view pressureFormula,
                                                 std::string_view altitudeFormula);
