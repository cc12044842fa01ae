#include "calc/FormulaArithmetic.h"

namespace formula_arithmetic {

double Remainder(double left, double right) {
    return std::fmod(left, right);
}

double Power(double base, double exponent) {
    return std::pow(base, exponent);
}

} // namespace formula_arithmetic
