// The constant table of functions that formulas may call: sin(x), hypot(x, y), m2ft(x) ...
#pragma once

#include <span>
#include <string_view>

struct FormulaFunction {
    const char* name; // matched exactly, letter case included
    int argCount;     // 1 or 2; calls with another count are rejected
    // Receives the call's arguments in order; slots beyond argCount are 0.0. Domain errors give
    // whatever the math library returns (NaN, an infinity), never a failure.
    double (*fn)(double a, double b, double c);
};

// The table in search order.
[[nodiscard]] std::span<const FormulaFunction> FormulaFunctions();

// The first entry named exactly `name`, or null.
[[nodiscard]] const FormulaFunction* FindFormulaFunction(std::string_view name);
