#include "calc/FormulaFunctions.h"

#include <cmath>

namespace {
// Unit factors as written: ft2m is the double reciprocal of 3.28084, not 0.3048, so that
// m2ft and ft2m undo each other.
constexpr double kRadiansToDegrees = 57.29577951308232;
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kMetresToFeet = 3.28084;
constexpr double kFeetToMetres = 0.3047999902464003;

constexpr FormulaFunction kFunctions[] = {
    {"sin", 1, [](double x, double, double) { return std::sin(x); }},
    {"cos", 1, [](double x, double, double) { return std::cos(x); }},
    {"tan", 1, [](double x, double, double) { return std::tan(x); }},
    {"asin", 1, [](double x, double, double) { return std::asin(x); }},
    {"acos", 1, [](double x, double, double) { return std::acos(x); }},
    {"atan", 1, [](double x, double, double) { return std::atan(x); }},
    {"sinh", 1, [](double x, double, double) { return std::sinh(x); }},
    {"cosh", 1, [](double x, double, double) { return std::cosh(x); }},
    {"tanh", 1, [](double x, double, double) { return std::tanh(x); }},
    {"exp", 1, [](double x, double, double) { return std::exp(x); }},
    {"log", 1, [](double x, double, double) { return std::log10(x); }},
    {"ln", 1, [](double x, double, double) { return std::log(x); }},
    {"sqrt", 1, [](double x, double, double) { return std::sqrt(x); }},
    {"floor", 1, [](double x, double, double) { return std::floor(x); }},
    {"ceil", 1, [](double x, double, double) { return std::ceil(x); }},
    {"abs", 1, [](double x, double, double) { return std::fabs(x); }},
    {"hypot", 2, [](double x, double y, double) { return std::hypot(x, y); }},
    {"deg", 1, [](double x, double, double) { return x * kRadiansToDegrees; }},
    {"rad", 1, [](double x, double, double) { return x * kDegreesToRadians; }},
    {"m2ft", 1, [](double x, double, double) { return x * kMetresToFeet; }},
    {"ft2m", 1, [](double x, double, double) { return x * kFeetToMetres; }},
};
} // namespace

std::span<const FormulaFunction> FormulaFunctions() {
    return kFunctions;
}

const FormulaFunction* FindFormulaFunction(std::string_view name) {
    for (const FormulaFunction& f : kFunctions)
        if (name == f.name)
            return &f;
    return nullptr;
}
