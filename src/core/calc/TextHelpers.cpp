#include "calc/TextHelpers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
// Truncation toward zero that saturates outside the 32-bit range; NaN gives 0.
std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// printf's "%.1f" in the C locale.
void AppendOneDecimal(std::string& out, double value) {
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    if (ec == std::errc())
        out.append(buffer, end);
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The factor of a lower-case unit word, by the first matching rule; 0 when none matches.
double UnitFactor(std::string_view unit) {
    if (unit.starts_with('d'))
        return 86400.0;
    if (unit.starts_with('h'))
        return 3600.0;
    if (unit == "m" || unit.starts_with("min"))
        return 60.0;
    if (unit.starts_with('s'))
        return 1.0;
    if (unit == "ms" || unit.starts_with("mili"))
        return 0.001;
    if (unit == "us" || unit.starts_with("micro"))
        return 0.000001;
    return 0.0;
}
} // namespace

double RoundTo(double value, std::int32_t steps) {
    const double half = value < 0 ? -0.5 : 0.5;
    const std::int32_t k = TruncateToInt32(steps * value + half);
    return static_cast<double>(k) / steps;
}

float RoundTo(float value, std::int32_t steps) {
    const float half = value < 0 ? -0.5f : 0.5f;
    const std::int32_t k = TruncateToInt32(static_cast<float>(steps) * value + half);
    return static_cast<float>(k) / static_cast<float>(steps);
}

std::string FormatSeconds(double seconds) {
    std::string text;
    if (seconds < 0) {
        text.push_back('-');
        seconds = -seconds;
    }
    std::int32_t minutes = 0;
    if (seconds > 60) {
        minutes = TruncateToInt32(seconds * 0.016666666666666666);
        seconds -= 60.0 * minutes;
    }
    if (minutes != 0)
        text += std::to_string(minutes) + " min ";
    AppendOneDecimal(text, seconds);
    text += " sec";
    return text;
}

double ParseDuration(std::string_view text, std::int32_t* errorIndex) {
    std::size_t first = 0;
    while (first < text.size() && IsSpace(text[first]))
        ++first;
    // The blank appended to the text ends its last word.
    std::string s(text.substr(first));
    const auto report = [errorIndex](std::int64_t index) {
        if (errorIndex)
            *errorIndex = index > std::numeric_limits<std::int32_t>::max()
                              ? std::numeric_limits<std::int32_t>::max()
                              : static_cast<std::int32_t>(index);
    };
    if (s.empty()) {
        report(-1);
        return 0.0;
    }
    s += ' ';

    double sign = 1.0;
    std::string_view rest = s;
    if (rest.front() == '-') {
        sign = -1.0;
        rest.remove_prefix(1);
    }

    enum class Kind { Number, Unit };
    std::string word;
    double value = 0.0;
    double total = 0.0;
    Kind kind = Kind::Unit; // the text must begin with a number
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char ch = rest[i];
        if (!word.empty()) {
            if (kind == Kind::Number && (IsSpace(ch) || IsLetter(ch))) {
                // The longest leading number; characters after it are ignored.
                const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(),
                                                       value, std::chars_format::fixed);
                if (ec != std::errc()) {
                    report(static_cast<std::int64_t>(i));
                    return sign * (total + value);
                }
                word.clear();
            } else if (kind == Kind::Unit && (IsSpace(ch) || IsDigit(ch) || ch == '.')) {
                for (char& c : word)
                    if (c >= 'A' && c <= 'Z')
                        c = static_cast<char>(c - 'A' + 'a');
                const double factor = UnitFactor(word);
                if (factor == 0.0) {
                    report(static_cast<std::int64_t>(i));
                    return sign * (total + value);
                }
                value *= factor;
                word.clear();
            }
        }
        if (IsSpace(ch))
            continue;
        if (!word.empty()) {
            word += ch;
        } else if (kind == Kind::Number && IsLetter(ch)) {
            kind = Kind::Unit;
            word += ch;
        } else if (kind == Kind::Unit && (IsDigit(ch) || ch == '.')) {
            total += value;
            value = 0.0;
            kind = Kind::Number;
            word += ch;
        } else {
            report(static_cast<std::int64_t>(i));
            return sign * (total + value);
        }
    }
    report(-1);
    return sign * (total + value);
}
