// CRichDocument: the small rich-text model of session comments (paragraphs of formatted runs).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ERichAlign { Left, Centre, Right, Justify };

// Character formatting of one run. Defaults are those a rich-text stream starts with.
struct CRichCharFormat {
    static constexpr int kDefaultSize = 24; // half-points: 12 pt
    static constexpr int kMaxSize = 3276;   // half-points: 1638 pt
    static constexpr std::size_t kMaxFaceBytes = 64;

    std::string face;                  // UTF-8, at most kMaxFaceBytes; empty: the default face
    int sizeHalfPoints = kDefaultSize; // 1 to kMaxSize
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<std::uint32_t> colour; // 0x00BBGGRR; nullopt: automatic (the text colour)

    bool operator==(const CRichCharFormat&) const = default;
};

// A picture held by its encoded bytes; the model never decodes it.
struct CRichPicture {
    enum class EFormat { Png, Jpeg };

    EFormat format = EFormat::Png;
    std::vector<std::uint8_t> data;
    int widthTwips = 0; // the size it is shown at; 0: the picture's own size
    int heightTwips = 0;

    bool operator==(const CRichPicture&) const = default;
};

// A stretch of text with one format, or one picture (then text is empty).
struct CRichRun {
    static constexpr char kTab = '\t';
    static constexpr char kLineBreak = '\n'; // a line break inside the paragraph (not a new one)

    CRichCharFormat format;
    std::string text; // UTF-8 without NUL; kTab and kLineBreak stand for tabs and line breaks
    std::optional<CRichPicture> picture;

    bool operator==(const CRichRun&) const = default;
};

struct CRichParagraphFormat {
    static constexpr std::size_t kMaxTabStops = 32;

    ERichAlign align = ERichAlign::Left;
    int firstIndentTwips = 0; // of the first line, relative to the left indent; may be negative
    int leftIndentTwips = 0;
    int rightIndentTwips = 0;
    std::vector<int> tabStopsTwips; // ascending, each once, at most kMaxTabStops
    bool bullet = false;

    bool operator==(const CRichParagraphFormat&) const = default;
};

struct CRichParagraph {
    CRichParagraphFormat format;
    std::vector<CRichRun> runs; // may be empty: an empty paragraph

    bool operator==(const CRichParagraph&) const = default;
};

// Every paragraph ends with a paragraph mark: a document of one empty paragraph is one empty
// line, and no paragraphs at all is empty text. Adjacent text runs of one paragraph differ in
// format, and no text run is empty (as the RTF reader builds them).
struct CRichDocument {
    std::vector<CRichParagraph> paragraphs;

    bool operator==(const CRichDocument&) const = default;

    // One line per paragraph, each ended by "\n"; tabs and line breaks as kTab and kLineBreak;
    // pictures leave nothing.
    [[nodiscard]] std::string PlainText() const;

    // One paragraph per line of UTF-8 text (LF or CR LF; a last line without its LF too, when
    // it is not empty), every run in format.
    [[nodiscard]] static CRichDocument FromPlainText(std::string_view text,
                                                     const CRichCharFormat& format);
};
