// CRtfTokenizer: splits rich-text (RTF) bytes into groups, control words and symbols, and text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct CRtfToken {
    enum class EKind {
        End,        // no more input
        GroupOpen,  // {
        GroupClose, // }
        Word,       // \letters with an optional signed parameter
        Symbol,     // \ and one other character (\' with bad digits too)
        HexByte,    // \'hh
        Text,       // a stretch of bytes without \ { } CR LF NUL
    };

    EKind kind = EKind::End;
    std::string_view text; // Word: its letters (at most kMaxWordLetters); Text: the bytes
    bool hasParam = false;
    int param = 0;         // Word: saturated to ±(2^31 − 1)
    char symbol = 0;       // Symbol: the character; a line break after \ is '\n'
    std::uint8_t byte = 0; // HexByte

    [[nodiscard]] bool Is(std::string_view word) const {
        return kind == EKind::Word && text == word;
    }
};

// Reads tokens from a view it does not own; the input must outlive the tokenizer and its tokens.
class CRtfTokenizer {
public:
    static constexpr std::size_t kMaxWordLetters = 32;

    explicit CRtfTokenizer(std::string_view input) : m_in(input) {}

    [[nodiscard]] CRtfToken Next();
    // The next count raw bytes, fewer at the end of the input (the data of \binN).
    [[nodiscard]] std::string_view TakeBinary(std::size_t count);
    [[nodiscard]] bool AtEnd() const { return m_pos >= m_in.size(); }

private:
    CRtfToken ReadControl();

    std::string_view m_in;
    std::size_t m_pos = 0;
};
