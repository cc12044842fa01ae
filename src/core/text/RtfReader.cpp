#include "text/RtfReader.h"

#include "framework/CodePage.h"
#include "text/RtfCharset.h"
#include "text/RtfKeywords.h"
#include "text/RtfTokenizer.h"
#include "text/Utf8Codec.h"

#include <algorithm>
#include <climits>
#include <map>
#include <memory>

namespace {
using EKind = CRtfToken::EKind;

// Where the text of a group goes.
enum class EDest : std::uint8_t {
    Text,        // the document
    Skip,        // nowhere, with every subgroup
    FontTable,   // font names
    ColourTable, // nowhere; ';' ends an entry
    Picture,     // hexadecimal picture data
    Numbering,   // nowhere; \pn words describe the paragraph's bullet or number
    Upr,         // nowhere; the \ud subgroup takes the group's text instead
};

struct CharState {
    int font = -1; // -1: the default font (\deff)
    int size = CRichCharFormat::kDefaultSize;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colour = 0; // index into the colour table
};

struct GroupState {
    EDest dest = EDest::Text;
    EDest uprOuter = EDest::Text; // inside \upr: where its \ud subgroup's text goes
    bool ownsNumbering = false;   // this group is a \pn description
    bool ownsPicture = false;     // this group is a \pict
    int uc = 1;                   // fallback characters after \uN
    CharState chr;
    CRichParagraphFormat para;
};

struct FontDef {
    static constexpr std::size_t kMaxNameBytes = 256;

    std::string name;
    int charset = 1;       // the default set: the document's code page
    unsigned codePage = 0; // \cpg; 0: from the charset
    bool named = false;    // ';' ended the name
};

enum class ENumbering : std::uint8_t { None, Bullet, Numbered };
enum class EPictureFormat : std::uint8_t { None, Png, Jpeg, Other };

struct PictureState {
    EPictureFormat format = EPictureFormat::None;
    std::vector<std::uint8_t> data;
    int nibble = -1; // the high half of a byte still waiting for its low half
    long long widthGoal = 0;
    long long heightGoal = 0;
    long long scaleX = 100;
    long long scaleY = 100;
};

bool IsSymbolFace(std::string_view face) {
    constexpr std::string_view kSymbol = "symbol";
    return face.size() == kSymbol.size() &&
           std::equal(face.begin(), face.end(), kSymbol.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
           });
}

// The face as the model keeps it: without surrounding blanks, at most kMaxFaceBytes of whole
// characters.
std::string CleanFace(std::string_view name) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!name.empty() && blank(name.front()))
        name.remove_prefix(1);
    if (name.size() > CRichCharFormat::kMaxFaceBytes) {
        std::size_t cut = CRichCharFormat::kMaxFaceBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name = name.substr(0, cut);
    }
    while (!name.empty() && blank(name.back()))
        name.remove_suffix(1);
    return std::string(name);
}

int HexNibble(std::uint8_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int ClampInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN + 1, INT_MAX));
}

class CReader {
public:
    explicit CReader(std::string_view rtf) : m_tokens(rtf) {}

    CRichDocument Read(CRtfReadReport& report);

private:
    GroupState& Top() { return m_stack.back(); }
    [[nodiscard]] const GroupState& Top() const { return m_stack.back(); }

    void OpenGroup();
    void CloseGroup();
    void OnBinary(std::string_view bytes);
    void OnByte(std::uint8_t b, bool escaped);
    void OnWord(const CRtfToken& token, bool ignorable);
    void OnDestination(const CRtfDestination& destination);
    void OnProperty(const CRtfWord& word, const CRtfToken& token);
    void OnUnicode(int value);
    void OnSymbol(char symbol);

    void FlushBytes();
    void FlushAll();
    void EmitCodePoint(char32_t c);
    void Emit(std::string_view utf8);
    void EndParagraph();
    void FinishPicture(const PictureState& picture);

    [[nodiscard]] const FontDef* FindFont(int index) const;
    // The font of the text in the current group, or null when the table has none such.
    [[nodiscard]] const FontDef* TextFont() const;
    // The code page of a font's bytes (kRtfDefaultCodePage for a symbol-charset font); null:
    // the document's.
    [[nodiscard]] unsigned CodePageOf(const FontDef* font) const;
    // The text font is the Symbol font (by name, in the symbol charset).
    [[nodiscard]] bool InSymbolFont() const;
    [[nodiscard]] CRichCharFormat CurrentFormat() const;
    CCodePage& Converter(unsigned codePage);

    CRtfTokenizer m_tokens;
    std::vector<GroupState> m_stack;
    int m_overflow = 0;           // groups open beyond kMaxDepth
    int m_skip = 0;               // fallback characters still to skip after \uN
    bool m_ignorable = false;     // \* came last: an unknown destination word skips its group
    char16_t m_highSurrogate = 0; // a \uN high surrogate waiting for its low half
    std::string m_pending;        // text bytes not yet decoded, in the current font's code page
    int m_pendingCellTabs = 0;    // cell ends not yet written as tabs (only between cells)

    unsigned m_docCodePage = kRtfDefaultCodePage;
    int m_defaultFont = 0;
    std::map<int, FontDef> m_fonts;
    int m_fontDef = 0; // the font the font table is defining
    bool m_hasFontDef = false;
    std::vector<std::optional<std::uint32_t>> m_colours;
    std::uint32_t m_rgb = 0;
    bool m_rgbSet = false;
    ENumbering m_numbering = ENumbering::None;
    PictureState m_picture;

    std::map<unsigned, std::unique_ptr<CCodePage>> m_codePages;
    CRichDocument m_doc;
    CRichParagraph m_paragraph;
    unsigned m_dropped = 0;
};

CRichDocument CReader::Read(CRtfReadReport& report) {
    (void)m_tokens.Next(); // the opening brace before \rtf, checked by the caller
    m_stack.emplace_back();
    bool closed = false;
    while (!closed) {
        const CRtfToken token = m_tokens.Next();
        if (token.kind == EKind::End)
            break;
        if (token.Is("bin")) {
            OnBinary(m_tokens.TakeBinary(
                token.hasParam ? static_cast<std::size_t>(std::max(token.param, 0)) : 0));
            continue;
        }
        if (m_overflow > 0) {
            if (token.kind == EKind::GroupOpen)
                ++m_overflow;
            else if (token.kind == EKind::GroupClose)
                --m_overflow;
            continue;
        }
        switch (token.kind) {
        case EKind::GroupOpen:
            OpenGroup();
            break;
        case EKind::GroupClose:
            if (m_stack.size() == 1) {
                m_skip = 0;
                FlushAll();
                closed = true;
            } else {
                CloseGroup();
            }
            break;
        case EKind::Text:
            for (char c : token.text) {
                if (m_skip > 0)
                    --m_skip;
                else
                    OnByte(static_cast<std::uint8_t>(c), false);
            }
            break;
        case EKind::HexByte:
            if (m_skip > 0)
                --m_skip;
            else
                OnByte(token.byte, true);
            break;
        case EKind::Word:
        case EKind::Symbol:
            if (m_skip > 0) {
                --m_skip;
            } else if (Top().dest != EDest::Skip) {
                const bool ignorable = m_ignorable;
                m_ignorable = false;
                if (token.kind == EKind::Word)
                    OnWord(token, ignorable);
                else
                    OnSymbol(token.symbol);
                continue;
            }
            break;
        case EKind::End:
            break;
        }
        m_ignorable = false;
    }
    FlushAll();
    const bool holdsContent =
        std::any_of(m_paragraph.runs.begin(), m_paragraph.runs.end(),
                    [](const CRichRun& run) { return !run.text.empty() || run.picture; });
    if (holdsContent)
        EndParagraph();
    report.truncated = !closed;
    report.dropped = m_dropped;
    return std::move(m_doc);
}

void CReader::OpenGroup() {
    m_skip = 0;
    FlushAll();
    if (m_stack.size() >= static_cast<std::size_t>(CRtfReadReport::kMaxDepth)) {
        m_overflow = 1;
        m_dropped |= kRtfDroppedNesting;
        return;
    }
    GroupState inner = Top();
    inner.ownsNumbering = false;
    inner.ownsPicture = false;
    m_stack.push_back(std::move(inner));
}

void CReader::CloseGroup() {
    m_skip = 0;
    FlushAll();
    const GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (closed.ownsNumbering) {
        Top().para.bullet = m_numbering == ENumbering::Bullet;
        if (m_numbering == ENumbering::Numbered)
            m_dropped |= kRtfDroppedNumbering;
    }
    if (closed.ownsPicture) {
        const PictureState picture = std::move(m_picture);
        m_picture = {};
        FinishPicture(picture);
    }
}

void CReader::OnBinary(std::string_view bytes) {
    if (m_overflow > 0)
        return;
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    if (Top().dest == EDest::Picture)
        m_picture.data.insert(m_picture.data.end(), bytes.begin(), bytes.end());
}

void CReader::OnByte(std::uint8_t b, bool escaped) {
    switch (Top().dest) {
    case EDest::Text:
        if (b != 0)
            m_pending += static_cast<char>(b);
        break;
    case EDest::FontTable:
        if (b == ';' && !escaped) {
            FlushAll();
            if (m_hasFontDef)
                m_fonts[m_fontDef].named = true;
        } else if (m_hasFontDef && !m_fonts[m_fontDef].named && b != 0 &&
                   m_pending.size() < FontDef::kMaxNameBytes) {
            m_pending += static_cast<char>(b);
        }
        break;
    case EDest::ColourTable:
        if (b == ';' && !escaped) {
            m_colours.push_back(m_rgbSet ? std::optional<std::uint32_t>(m_rgb) : std::nullopt);
            m_rgb = 0;
            m_rgbSet = false;
        }
        break;
    case EDest::Picture:
        if (const int nibble = escaped ? -1 : HexNibble(b); nibble >= 0) {
            if (m_picture.nibble < 0) {
                m_picture.nibble = nibble;
            } else {
                m_picture.data.push_back(static_cast<std::uint8_t>(m_picture.nibble * 16 + nibble));
                m_picture.nibble = -1;
            }
        }
        break;
    case EDest::Skip:
    case EDest::Numbering:
    case EDest::Upr:
        break;
    }
}

void CReader::OnWord(const CRtfToken& token, bool ignorable) {
    if (const CRtfDestination* destination = FindRtfDestination(token.text)) {
        FlushAll();
        OnDestination(*destination);
        return;
    }
    if (ignorable) {
        FlushAll();
        Top().dest = EDest::Skip;
        return;
    }
    const CRtfWord* word = FindRtfWord(token.text);
    if (!word)
        return;
    if (word->word == ERtfWord::U) {
        FlushBytes();
        OnUnicode(token.param);
        return;
    }
    FlushAll();
    OnProperty(*word, token);
}

void CReader::OnDestination(const CRtfDestination& destination) {
    GroupState& top = Top();
    if (top.dest == EDest::Upr && destination.action != ERtfAction::Ud) {
        top.dest = EDest::Skip;
        return;
    }
    m_dropped |= destination.dropped;
    switch (destination.action) {
    case ERtfAction::Skip:
        top.dest = EDest::Skip;
        break;
    case ERtfAction::Keep:
        break;
    case ERtfAction::FontTable:
        top.dest = EDest::FontTable;
        break;
    case ERtfAction::ColourTable:
        top.dest = EDest::ColourTable;
        m_colours.clear();
        m_rgb = 0;
        m_rgbSet = false;
        break;
    case ERtfAction::Picture:
        top.dest = EDest::Picture;
        top.ownsPicture = true;
        m_picture = {};
        break;
    case ERtfAction::Numbering:
        top.dest = EDest::Numbering;
        top.ownsNumbering = true;
        m_numbering = ENumbering::None;
        break;
    case ERtfAction::Upr:
        top.uprOuter = top.dest;
        top.dest = EDest::Upr;
        break;
    case ERtfAction::Ud:
        if (top.dest == EDest::Upr)
            top.dest = top.uprOuter;
        break;
    }
}

void CReader::OnProperty(const CRtfWord& word, const CRtfToken& token) {
    GroupState& top = Top();
    const int param = token.param;
    const bool on = !token.hasParam || param != 0;
    const bool inText = top.dest == EDest::Text;
    switch (word.word) {
    case ERtfWord::Ansi:
        m_docCodePage = kRtfDefaultCodePage;
        break;
    case ERtfWord::AnsiCpg:
        m_docCodePage = IsSupportedCodePage(static_cast<unsigned>(param))
                            ? static_cast<unsigned>(param)
                            : kRtfDefaultCodePage;
        break;
    case ERtfWord::Mac:
        m_docCodePage = 10000;
        break;
    case ERtfWord::Pc:
        m_docCodePage = 437;
        break;
    case ERtfWord::Pca:
        m_docCodePage = 850;
        break;
    case ERtfWord::Deff:
        m_defaultFont = param;
        break;
    case ERtfWord::Uc:
        top.uc = std::max(param, 0);
        break;
    case ERtfWord::U:
        break;
    case ERtfWord::Plain:
        top.chr = {};
        break;
    case ERtfWord::Font:
        if (top.dest == EDest::FontTable) {
            m_fonts[param] = {};
            m_fontDef = param;
            m_hasFontDef = true;
        } else {
            top.chr.font = param;
        }
        break;
    case ERtfWord::FontSize:
        top.chr.size =
            param > 0 ? std::min(param, CRichCharFormat::kMaxSize) : CRichCharFormat::kDefaultSize;
        break;
    case ERtfWord::Bold:
        top.chr.bold = on;
        break;
    case ERtfWord::Italic:
        top.chr.italic = on;
        break;
    case ERtfWord::Underline:
        top.chr.underline = on;
        break;
    case ERtfWord::UnderlineNone:
        top.chr.underline = false;
        break;
    case ERtfWord::Colour:
        top.chr.colour = std::max(param, 0);
        break;
    case ERtfWord::Pard:
        top.para = {};
        break;
    case ERtfWord::AlignLeft:
        top.para.align = ERichAlign::Left;
        break;
    case ERtfWord::AlignCentre:
        top.para.align = ERichAlign::Centre;
        break;
    case ERtfWord::AlignRight:
        top.para.align = ERichAlign::Right;
        break;
    case ERtfWord::AlignJustify:
        top.para.align = ERichAlign::Justify;
        break;
    case ERtfWord::FirstIndent:
        top.para.firstIndentTwips = param;
        break;
    case ERtfWord::LeftIndent:
        top.para.leftIndentTwips = param;
        break;
    case ERtfWord::RightIndent:
        top.para.rightIndentTwips = param;
        break;
    case ERtfWord::TabStop: {
        std::vector<int>& tabs = top.para.tabStopsTwips;
        const auto at = std::lower_bound(tabs.begin(), tabs.end(), param);
        if ((at == tabs.end() || *at != param) && tabs.size() < CRichParagraphFormat::kMaxTabStops)
            tabs.insert(at, param);
        break;
    }
    case ERtfWord::Par:
        if (inText)
            EndParagraph();
        break;
    case ERtfWord::Line:
        if (inText)
            Emit("\n");
        break;
    case ERtfWord::Tab:
        if (inText)
            Emit("\t");
        break;
    case ERtfWord::Cell:
        if (inText) {
            ++m_pendingCellTabs;
            m_dropped |= kRtfDroppedTable;
        }
        break;
    case ERtfWord::Row:
        if (inText) {
            m_dropped |= kRtfDroppedTable;
            EndParagraph();
        }
        break;
    case ERtfWord::TableRow:
        m_dropped |= kRtfDroppedTable;
        break;
    case ERtfWord::Char:
        if (inText)
            EmitCodePoint(word.ch);
        break;
    case ERtfWord::FontCharset:
        if (top.dest == EDest::FontTable && m_hasFontDef)
            m_fonts[m_fontDef].charset = param;
        break;
    case ERtfWord::FontCodePage:
        if (top.dest == EDest::FontTable && m_hasFontDef)
            m_fonts[m_fontDef].codePage = static_cast<unsigned>(std::max(param, 0));
        break;
    case ERtfWord::Red:
    case ERtfWord::Green:
    case ERtfWord::Blue:
        if (top.dest == EDest::ColourTable) {
            const int shift = word.word == ERtfWord::Red     ? 0
                              : word.word == ERtfWord::Green ? 8
                                                             : 16;
            m_rgb = (m_rgb & ~(0xFFu << shift)) |
                    (static_cast<std::uint32_t>(std::clamp(param, 0, 255)) << shift);
            m_rgbSet = true;
        }
        break;
    case ERtfWord::PicPng:
    case ERtfWord::PicJpeg:
    case ERtfWord::PicOther:
        if (top.dest == EDest::Picture)
            m_picture.format = word.word == ERtfWord::PicPng    ? EPictureFormat::Png
                               : word.word == ERtfWord::PicJpeg ? EPictureFormat::Jpeg
                                                                : EPictureFormat::Other;
        break;
    case ERtfWord::PicWidthGoal:
        m_picture.widthGoal = param;
        break;
    case ERtfWord::PicHeightGoal:
        m_picture.heightGoal = param;
        break;
    case ERtfWord::PicScaleX:
        m_picture.scaleX = param;
        break;
    case ERtfWord::PicScaleY:
        m_picture.scaleY = param;
        break;
    case ERtfWord::PnBullet:
        m_numbering = ENumbering::Bullet;
        break;
    case ERtfWord::PnNumbered:
        m_numbering = ENumbering::Numbered;
        break;
    case ERtfWord::PnContinue:
        m_numbering = ENumbering::None;
        break;
    }
}

void CReader::OnUnicode(int value) {
    const GroupState& top = Top();
    if (top.dest != EDest::Text && top.dest != EDest::FontTable)
        return;
    m_skip = top.uc;
    const char32_t c =
        value < 0 ? static_cast<char32_t>(value + 65536) : static_cast<char32_t>(value);
    if (value < -32768 || c == 0) {
        if (value != 0)
            EmitCodePoint(kReplacementChar);
        return;
    }
    if (c >= 0xF020 && c <= 0xF0FF && InSymbolFont()) {
        // Symbol fonts draw their bytes at U+F0xx.
        const auto byte = static_cast<std::uint8_t>(c & 0xFF);
        const char32_t symbol = SymbolFontChar(byte);
        if (symbol != 0)
            EmitCodePoint(symbol);
        else
            Emit(Converter(kRtfDefaultCodePage).ToUtf8(std::string(1, static_cast<char>(byte))));
    } else if (c >= 0xDC00 && c <= 0xDFFF && m_highSurrogate != 0) {
        const char32_t full = 0x10000 + ((m_highSurrogate - 0xD800u) << 10) + (c - 0xDC00);
        m_highSurrogate = 0;
        EmitCodePoint(full);
    } else if (c >= 0xD800 && c <= 0xDBFF) {
        if (m_highSurrogate != 0)
            EmitCodePoint(kReplacementChar); // the waiting high half, unpaired
        m_highSurrogate = static_cast<char16_t>(c);
    } else {
        EmitCodePoint(c); // a lone low half becomes U+FFFD there
    }
}

void CReader::OnSymbol(char symbol) {
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        OnByte(static_cast<std::uint8_t>(symbol), true);
        return;
    case '*':
        m_ignorable = true;
        return;
    default:
        break;
    }
    FlushAll();
    if (Top().dest != EDest::Text)
        return;
    switch (symbol) {
    case '~':
        EmitCodePoint(0x00A0);
        break;
    case '_':
        EmitCodePoint(0x2011);
        break;
    case '\n':
        EndParagraph();
        break;
    default: // \- (optional hyphen), \| \: (index marks) and unknown symbols leave nothing
        break;
    }
}

void CReader::FlushBytes() {
    if (m_pending.empty())
        return;
    std::string bytes;
    bytes.swap(m_pending);
    std::string utf8;
    if (Top().dest == EDest::FontTable) {
        // A name in its own font's code page.
        utf8 = Converter(CodePageOf(m_hasFontDef ? FindFont(m_fontDef) : nullptr)).ToUtf8(bytes);
    } else if (InSymbolFont()) {
        for (char b : bytes) {
            if (const char32_t c = SymbolFontChar(static_cast<std::uint8_t>(b)); c != 0)
                AppendUtf8(utf8, c);
            else
                utf8 += Converter(kRtfDefaultCodePage).ToUtf8(std::string(1, b));
        }
    } else {
        utf8 = Converter(CodePageOf(TextFont())).ToUtf8(bytes);
    }
    Emit(utf8);
}

void CReader::FlushAll() {
    FlushBytes();
    if (m_highSurrogate != 0)
        Emit(""); // reports the unpaired high half
}

void CReader::EmitCodePoint(char32_t c) {
    std::string utf8;
    AppendUtf8(utf8, c);
    Emit(utf8);
}

void CReader::Emit(std::string_view utf8) {
    std::string text;
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        AppendUtf8(text, kReplacementChar);
    }
    text += utf8;
    if (text.find('\0') != std::string::npos)
        std::erase(text, '\0');
    if (text.empty())
        return;
    switch (Top().dest) {
    case EDest::Text: {
        if (m_pendingCellTabs > 0) {
            text.insert(0, static_cast<std::size_t>(m_pendingCellTabs), '\t');
            m_pendingCellTabs = 0;
        }
        CRichCharFormat format = CurrentFormat();
        std::vector<CRichRun>& runs = m_paragraph.runs;
        if (!runs.empty() && !runs.back().picture && runs.back().format == format)
            runs.back().text += text;
        else
            runs.push_back({std::move(format), std::move(text), std::nullopt});
        break;
    }
    case EDest::FontTable:
        if (m_hasFontDef) {
            FontDef& font = m_fonts[m_fontDef];
            if (!font.named && font.name.size() + text.size() <= FontDef::kMaxNameBytes)
                font.name += text;
        }
        break;
    default:
        break;
    }
}

void CReader::EndParagraph() {
    m_pendingCellTabs = 0;
    m_paragraph.format = Top().para;
    m_doc.paragraphs.push_back(std::move(m_paragraph));
    m_paragraph = {};
}

void CReader::FinishPicture(const PictureState& picture) {
    if (picture.data.empty())
        return;
    if (picture.format != EPictureFormat::Png && picture.format != EPictureFormat::Jpeg) {
        m_dropped |= kRtfDroppedPicture;
        return;
    }
    if (Top().dest != EDest::Text)
        return;
    CRichPicture result;
    result.format = picture.format == EPictureFormat::Png ? CRichPicture::EFormat::Png
                                                          : CRichPicture::EFormat::Jpeg;
    result.data = picture.data;
    const auto scaled = [](long long goal, long long scale) {
        return goal > 0 && scale > 0 ? ClampInt(goal * scale / 100) : 0;
    };
    result.widthTwips = scaled(picture.widthGoal, picture.scaleX);
    result.heightTwips = scaled(picture.heightGoal, picture.scaleY);
    m_paragraph.runs.push_back({CurrentFormat(), std::string(), std::move(result)});
}

const FontDef* CReader::FindFont(int index) const {
    const auto found = m_fonts.find(index);
    return found == m_fonts.end() ? nullptr : &found->second;
}

const FontDef* CReader::TextFont() const {
    const int font = Top().chr.font;
    return FindFont(font < 0 ? m_defaultFont : font);
}

unsigned CReader::CodePageOf(const FontDef* font) const {
    unsigned codePage = m_docCodePage;
    if (font && font->codePage)
        codePage = font->codePage;
    else if (font && font->charset == kRtfSymbolCharset)
        codePage = kRtfDefaultCodePage;
    else if (font)
        codePage = CodePageOfCharset(font->charset, m_docCodePage);
    return IsSupportedCodePage(codePage) ? codePage : kRtfDefaultCodePage;
}

bool CReader::InSymbolFont() const {
    const FontDef* font = TextFont();
    return Top().dest == EDest::Text && font && !font->codePage &&
           font->charset == kRtfSymbolCharset && IsSymbolFace(CleanFace(font->name));
}

CRichCharFormat CReader::CurrentFormat() const {
    const CharState& chr = Top().chr;
    CRichCharFormat format;
    if (const FontDef* font = TextFont())
        format.face = CleanFace(font->name);
    format.sizeHalfPoints = chr.size;
    format.bold = chr.bold;
    format.italic = chr.italic;
    format.underline = chr.underline;
    if (static_cast<std::size_t>(chr.colour) < m_colours.size())
        format.colour = m_colours[static_cast<std::size_t>(chr.colour)];
    return format;
}

CCodePage& CReader::Converter(unsigned codePage) {
    std::unique_ptr<CCodePage>& converter = m_codePages[codePage];
    if (!converter)
        converter = std::make_unique<CCodePage>(codePage);
    return *converter;
}

CRichDocument ReadPlainText(std::string_view bytes) {
    CCodePage codePage(kRtfDefaultCodePage);
    return CRichDocument::FromPlainText(codePage.ToUtf8(bytes), CRichCharFormat());
}
} // namespace

CRichDocument ReadRtf(std::string_view rtf, CRtfReadReport* report) {
    CRtfReadReport ignored;
    CRtfReadReport& out = report ? *report : ignored;
    out = {};
    if (rtf.empty())
        return {};
    if (!rtf.starts_with("{\\rtf")) {
        out.notRtf = true;
        return ReadPlainText(rtf);
    }
    return CReader(rtf).Read(out);
}
