// Character classes and number values of formula texts, shared by the interpreter and the compiler.
#pragma once

#include <charconv>
#include <cstddef>
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

enum TokenKind { kTokenEnd = 0, kTokenName = 1, kTokenDelimiter = 2, kTokenNumber = 3 };

// The tokens of one ";" piece of a formula text. The interpreter and the compiler scan with
// the same code, so both see the same tokens at the same positions. token views piece, which
// views the caller's text.
struct Scanner {
    std::string_view piece;
    std::size_t readPos = 0;
    std::string_view token;
    TokenKind kind = kTokenEnd;

    [[nodiscard]] char CharAt(std::size_t index) const {
        return index < piece.size() ? piece[index] : '\0';
    }
    // Operators are recognised by their first character.
    [[nodiscard]] char TokenChar() const { return token.empty() ? '\0' : token.front(); }

    void SkipBlanks() {
        while (IsBlank(CharAt(readPos)))
            ++readPos;
    }

    // The bytes of the UTF-8 character text starts with: its whole sequence when valid, else 1.
    [[nodiscard]] static std::size_t Utf8SequenceLength(std::string_view text) {
        const auto lead = static_cast<unsigned char>(text.front());
        const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                                   : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xC2 && lead <= 0xDF ? 2
                                                                  : 1;
        if (length > text.size())
            return 1;
        for (std::size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u)
                return 1;
        return length;
    }

    // Reads the next token and the blanks after it; a name is cut to maxName characters.
    // False for a syntax error, with readPos just past the offending text: a character that
    // starts no token (token: that character, its whole UTF-8 sequence), or a token longer than
    // maxToken (token: its first maxToken characters, reported at its last character).
    [[nodiscard]] bool Next(std::size_t maxToken, std::size_t maxName) {
        SkipBlanks();
        const std::size_t start = readPos;
        const char c = CharAt(start);
        if (c == '\0') {
            token = {};
            kind = kTokenEnd;
            return true;
        }
        if (IsDelimiter(c)) {
            ++readPos;
            kind = kTokenDelimiter;
        } else if (IsDigit(c) || c == '.') {
            while (IsDigit(CharAt(readPos)) || CharAt(readPos) == '.')
                ++readPos;
            kind = kTokenNumber;
        } else if (IsLetter(c) || c == '_') {
            for (char n = c; IsLetter(n) || IsDigit(n) || n == '_'; n = CharAt(readPos))
                ++readPos;
            kind = kTokenName;
        } else {
            readPos += Utf8SequenceLength(piece.substr(start));
            token = piece.substr(start, readPos - start);
            kind = kTokenDelimiter;
            return false;
        }
        token = piece.substr(start, readPos - start);
        if (token.size() > maxToken) {
            token = token.substr(0, maxToken);
            return false;
        }
        if (kind == kTokenName)
            token = token.substr(0, maxName);
        SkipBlanks();
        return true;
    }
};

} // namespace formula_lexis
