// The arithmetic of the formula operators, shared by the interpreter and the compiled form.
#pragma once

#include <cmath>

// Both evaluators compute every operator through these, so that they agree to the bit, NaN
// signs and payloads included, whatever code the C++ compiler makes of each call site.
namespace formula_arithmetic {

// When both operands are NaN the result is the left one's, quietened (what x86 hardware gives
// for its first operand). The C++ compiler may put the operands of a commutative + or * either
// way round, so the left NaN is chosen explicitly; one NaN operand decides the result alone.
inline double Add(double left, double right) {
    return std::isnan(left) ? left + left : left + right;
}
inline double Multiply(double left, double right) {
    return std::isnan(left) ? left * left : left * right;
}
// Subtraction and division are not commutative: the compiler keeps the left operand first.
inline double Subtract(double left, double right) {
    return left - right;
}
inline double Divide(double left, double right) {
    return left / right;
}

// fmod (the sign follows the dividend) and pow, out of line: one machine code for every caller,
// whether the library is called or the compiler would have expanded it in place.
[[nodiscard]] double Remainder(double left, double right);
[[nodiscard]] double Power(double base, double exponent);

} // namespace formula_arithmetic
