#include "data/TextNumbers.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {
constexpr int kSignificant = 6;
constexpr std::int64_t kExactMilliseconds = std::int64_t{1} << 50;

char* WriteSecondsOfProduct(char* out, std::int64_t ms) {
    return WriteGeneral(out, static_cast<double>(ms) * 0.001);
}

// WriteSeconds for 1 <= ms < 2^50 with text holding the count decimal digits of ms.
char* WriteSecondsOfDigits(char* out, const char* text, int count, std::int64_t ms) {
    // The value is 0.d1d2d3... x 10^(exponent + 1): ms has three decimals.
    int exponent = count - 4;
    char digits[kSignificant];
    int length = count < kSignificant ? count : kSignificant;
    std::memcpy(digits, text, static_cast<std::size_t>(length));
    if (count > kSignificant) {
        const char next = text[kSignificant];
        bool beyond = false;
        for (int k = kSignificant + 1; k < count; ++k)
            beyond = beyond || text[k] != '0';
        if (next == '5' && !beyond)
            return WriteSecondsOfProduct(out, ms);
        if (next >= '5') {
            int k = kSignificant - 1;
            while (k >= 0 && digits[k] == '9')
                digits[k--] = '0';
            if (k < 0) {
                digits[0] = '1';
                ++exponent;
            } else {
                ++digits[k];
            }
        }
    }
    while (length > 1 && digits[length - 1] == '0')
        --length;

    if (exponent >= kSignificant) {
        *out++ = digits[0];
        if (length > 1) {
            *out++ = '.';
            std::memcpy(out, digits + 1, static_cast<std::size_t>(length - 1));
            out += length - 1;
        }
        // exponent < 16 below 2^50 ms.
        *out++ = 'e';
        *out++ = '+';
        *out++ = static_cast<char>('0' + exponent / 10);
        *out++ = static_cast<char>('0' + exponent % 10);
        return out;
    }
    if (exponent < 0) {
        // ms >= 1: exponent >= -3, within the fixed form.
        *out++ = '0';
        *out++ = '.';
        for (int k = exponent + 1; k < 0; ++k)
            *out++ = '0';
        std::memcpy(out, digits, static_cast<std::size_t>(length));
        return out + length;
    }
    const int whole = exponent + 1;
    for (int k = 0; k < whole; ++k)
        *out++ = k < length ? digits[k] : '0';
    if (length > whole) {
        *out++ = '.';
        std::memcpy(out, digits + whole, static_cast<std::size_t>(length - whole));
        out += length - whole;
    }
    return out;
}
} // namespace

char* WriteGeneral(char* out, double value) {
    return std::to_chars(out, out + kNumberMaxChars, value, std::chars_format::general,
                         kSignificant)
        .ptr;
}

char* WriteInteger(char* out, long long value) {
    return std::to_chars(out, out + kNumberMaxChars, value).ptr;
}

char* WriteSeconds(char* out, std::int64_t ms) {
    if (ms == 0) {
        *out = '0';
        return out + 1;
    }
    if (ms < 0 || ms >= kExactMilliseconds)
        return WriteSecondsOfProduct(out, ms);
    char text[24] = {};
    const int count = static_cast<int>(std::to_chars(text, text + sizeof text, ms).ptr - text);
    return WriteSecondsOfDigits(out, text, count, ms);
}

CSecondsCounter::CSecondsCounter(std::int32_t rate) : m_rate(rate) {
    std::memset(m_digits, '0', sizeof m_digits);
    std::memset(m_rateDigits, '0', sizeof m_rateDigits);
    if (rate > 0)
        m_rateCount = static_cast<int>(
            std::to_chars(m_rateDigits, m_rateDigits + kDigits, rate).ptr - m_rateDigits);
}

char* CSecondsCounter::WriteNext(char* out) {
    char* end = nullptr;
    if (m_ms == 0) {
        *out = '0';
        end = out + 1;
    } else if (m_rate < 0 || m_ms >= kExactMilliseconds) {
        end = WriteSeconds(out, m_ms);
    } else {
        end = WriteSecondsOfDigits(out, m_digits + kDigits - m_count, m_count, m_ms);
    }
    m_ms += m_rate;
    if (m_rate > 0 && m_ms < kExactMilliseconds) {
        // m_digits += the rate, in decimal; the digits above the highest one reached stay '0'.
        int carry = 0;
        int k = kDigits - 1;
        for (int j = 0; j < m_rateCount || carry; ++j, --k) {
            int digit = m_digits[k] - '0' + carry;
            if (j < m_rateCount)
                digit += m_rateDigits[m_rateCount - 1 - j] - '0';
            carry = digit >= 10 ? 1 : 0;
            m_digits[k] = static_cast<char>('0' + digit - 10 * carry);
        }
        m_count = std::max(m_count, kDigits - 1 - k);
    }
    return end;
}
