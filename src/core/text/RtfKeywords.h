// The RTF control words the reader acts on: destinations and formatting or character words.
#pragma once

#include <cstdint>
#include <string_view>

// What a destination word does with its group.
enum class ERtfAction : std::uint8_t {
    Skip,
    Keep, // a container whose text is read as the enclosing group's (\field, \fldrslt...)
    FontTable,
    ColourTable,
    Picture,
    Numbering,
    Upr,
    Ud,
};

struct CRtfDestination {
    ERtfAction action;
    unsigned dropped; // ERtfDropped bits the group's content costs
};

enum class ERtfWord : std::uint8_t {
    Ansi,
    AnsiCpg,
    Mac,
    Pc,
    Pca,
    Deff,
    Uc,
    U,
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Colour,
    Pard,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    FirstIndent,
    LeftIndent,
    RightIndent,
    TabStop,
    Par,
    Line,
    Tab,
    Cell,
    Row,
    TableRow,
    Char, // a special character
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    PicPng,
    PicJpeg,
    PicOther,
    PicWidthGoal,
    PicHeightGoal,
    PicScaleX,
    PicScaleY,
    PnBullet,
    PnNumbered,
    PnContinue,
};

struct CRtfWord {
    ERtfWord word;
    char32_t ch = 0; // ERtfWord::Char: the character it stands for
};

// The destinations the reader knows, or null. An unknown destination marked ignorable (\*) is
// skipped; any other unknown word is ignored while its group's text is kept.
[[nodiscard]] const CRtfDestination* FindRtfDestination(std::string_view word);
// The other words the reader acts on, or null.
[[nodiscard]] const CRtfWord* FindRtfWord(std::string_view word);
