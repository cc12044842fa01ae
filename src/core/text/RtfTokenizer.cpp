#include "text/RtfTokenizer.h"

#include <algorithm>
#include <climits>

namespace {
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

CRtfToken Token(CRtfToken::EKind kind) {
    CRtfToken token;
    token.kind = kind;
    return token;
}

bool IsTextByte(char c) {
    return c != '\\' && c != '{' && c != '}' && c != '\r' && c != '\n' && c != '\0';
}
} // namespace

CRtfToken CRtfTokenizer::Next() {
    while (m_pos < m_in.size()) {
        const char c = m_in[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return Token(CRtfToken::EKind::GroupOpen);
        case '}':
            ++m_pos;
            return Token(CRtfToken::EKind::GroupClose);
        case '\\':
            return ReadControl();
        case '\r':
        case '\n':
        case '\0':
            ++m_pos;
            continue;
        default: {
            const std::size_t start = m_pos;
            while (m_pos < m_in.size() && IsTextByte(m_in[m_pos]))
                ++m_pos;
            CRtfToken token = Token(CRtfToken::EKind::Text);
            token.text = m_in.substr(start, m_pos - start);
            return token;
        }
        }
    }
    return Token(CRtfToken::EKind::End);
}

CRtfToken CRtfTokenizer::ReadControl() {
    ++m_pos; // the backslash
    if (m_pos >= m_in.size())
        return Token(CRtfToken::EKind::End);
    const char c = m_in[m_pos];
    if (!IsLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            const int high = m_pos < m_in.size() ? HexValue(m_in[m_pos]) : -1;
            const int low = m_pos + 1 < m_in.size() ? HexValue(m_in[m_pos + 1]) : -1;
            if (high >= 0 && low >= 0) {
                m_pos += 2;
                CRtfToken token = Token(CRtfToken::EKind::HexByte);
                token.byte = static_cast<std::uint8_t>(high * 16 + low);
                return token;
            }
        }
        CRtfToken token = Token(CRtfToken::EKind::Symbol);
        token.symbol = c == '\r' ? '\n' : c;
        return token;
    }

    CRtfToken token = Token(CRtfToken::EKind::Word);
    const std::size_t start = m_pos;
    while (m_pos < m_in.size() && IsLetter(m_in[m_pos]))
        ++m_pos;
    const std::size_t letters = m_pos - start;
    // A word longer than any control word stays empty: unknown, and ignored.
    if (letters <= kMaxWordLetters)
        token.text = m_in.substr(start, letters);
    bool negative = false;
    if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
        long long value = 0;
        while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
            value = std::min<long long>(value * 10 + (m_in[m_pos] - '0'), INT_MAX);
            ++m_pos;
        }
        token.hasParam = true;
        token.param = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < m_in.size() && m_in[m_pos] == ' ')
        ++m_pos;
    return token;
}

std::string_view CRtfTokenizer::TakeBinary(std::size_t count) {
    const std::size_t n = std::min(count, m_in.size() - m_pos);
    const std::string_view bytes = m_in.substr(m_pos, n);
    m_pos += n;
    return bytes;
}
