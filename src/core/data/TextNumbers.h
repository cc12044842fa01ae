// Numbers written the way printf writes them in the "C" locale, for the text exports.
#pragma once

#include <cstddef>
#include <cstdint>

// The most characters one call below writes ("-1.23457e-308", "-9223372036854775808").
inline constexpr std::size_t kNumberMaxChars = 24;

// Writes value as %g does: 6 significant digits, trailing zeros dropped, exponent form outside
// 1e-4 ... 1e6, the sign of -0 and the "nan"/"inf" spellings kept, whatever the process
// locale. out must have room for kNumberMaxChars; returns the end of what was written.
char* WriteGeneral(char* out, double value);

// Writes value as %d (%lld) does. Same room and result as WriteGeneral.
char* WriteInteger(char* out, long long value);

// Writes the seconds of ms milliseconds exactly as WriteGeneral(out, double(ms) * 0.001)
// does, the product formed in double precision. For 0 <= ms < 2^50 the text is worked out in
// integers: that product is then so close to ms / 1000 that both round to the same 6 digits,
// except on a decimal tie, where the product decides and WriteGeneral is called.
char* WriteSeconds(char* out, std::int64_t ms);

// The times of the samples of a flight, rate x 0, rate x 1, rate x 2, ... milliseconds, each
// written as WriteSeconds writes it. The product is kept in decimal digits and the rate added
// to them, so that a row costs no number conversion.
class CSecondsCounter {
public:
    explicit CSecondsCounter(std::int32_t rate);

    // Writes the current sample's time (room as WriteGeneral) and moves on to the next sample.
    char* WriteNext(char* out);

private:
    static constexpr int kDigits = 20;

    std::int64_t m_rate;
    std::int64_t m_ms = 0;
    char m_digits[kDigits];     // m_ms while 0 <= m_ms < 2^50, right-aligned, '0' above
    int m_count = 0;            // the digits of m_ms, 0 for 0
    char m_rateDigits[kDigits]; // the rate when positive, left-aligned
    int m_rateCount = 0;
};
