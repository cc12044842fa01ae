// Character classes and number values of formula texts, shared by the interpreter and the compiler.
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace formula_lexis {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// The one-character operator tokens.
inline bool IsDelimiter(char c) {
    switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '^':
    case '(':
    case ')':
    case ',':
    case '=':
        return true;
    default:
        return false;
    }
}

// The longest leading decimal number of a token of digits and dots ("1.2.3" is 1.2); 0 when
// there is none (".").
inline double NumberValue(std::string_view token) {
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::fixed);
    return ec == std::errc() ? value : 0.0;
}

} // namespace formula_lexis
