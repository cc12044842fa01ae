#include "text/RtfWriter.h"

#include "text/RtfCharset.h"
#include "text/Utf8Codec.h"

#include <algorithm>
#include <cstdio>

namespace {
// The face of the only font entry when no run names one.
constexpr std::string_view kPlaceholderFace = "Arial";
constexpr std::size_t kHexBytesPerLine = 64;

class CWriter {
public:
    std::string Write(const CRichDocument& doc);

private:
    void Word(std::string_view word);
    void Word(std::string_view word, long long value);
    void Raw(std::string_view text);
    void Hex(std::uint8_t byte);
    void Char(char32_t c, bool inFontName);
    void Text(std::string_view utf8, bool inFontName);

    void FontTable(const CRichDocument& doc);
    void ColourTable(const CRichDocument& doc);
    void Paragraph(const CRichParagraph& paragraph);
    void CharFormat(const CRichCharFormat& format);
    void Picture(const CRichPicture& picture);

    std::string m_out;
    bool m_delimit = false; // a control word came last: literal text needs a space first
    std::vector<std::string> m_faces;
    std::vector<std::uint32_t> m_colours;
    int m_bulletFont = -1; // the Symbol entry bullets use; -1: no paragraph has a bullet
    // The character format in effect, as indexes into the tables.
    int m_font = 0;
    int m_size = CRichCharFormat::kDefaultSize;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    int m_colour = 0;
};

void CWriter::Word(std::string_view word) {
    m_out += '\\';
    m_out += word;
    m_delimit = true;
}

void CWriter::Word(std::string_view word, long long value) {
    Word(word);
    m_out += std::to_string(value);
}

void CWriter::Raw(std::string_view text) {
    m_out += text;
    m_delimit = false;
}

void CWriter::Hex(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\'%02x", byte);
    Raw(text);
}

void CWriter::Char(char32_t c, bool inFontName) {
    if (!inFontName && c == CRichRun::kTab) {
        Word("tab");
    } else if (!inFontName && c == CRichRun::kLineBreak) {
        Word("line");
    } else if (c == '\\' || c == '{' || c == '}') {
        Raw(std::string{'\\', static_cast<char>(c)});
    } else if (c >= 0x20 && c < 0x7F && !(inFontName && c == ';')) {
        if (m_delimit)
            m_out += ' ';
        Raw(std::string(1, static_cast<char>(c)));
    } else if (const std::uint8_t byte = Windows1252Byte(c); byte != 0) {
        Hex(byte);
    } else if (c > 0xFFFF) {
        Char(0xD800 + ((c - 0x10000) >> 10), inFontName);
        Char(0xDC00 + ((c - 0x10000) & 0x3FF), inFontName);
    } else if (c != 0) {
        Raw("\\u" +
            std::to_string(c < 0x8000 ? static_cast<long>(c) : static_cast<long>(c) - 65536) + "?");
    }
}

void CWriter::Text(std::string_view utf8, bool inFontName) {
    for (std::size_t pos = 0; pos < utf8.size();)
        Char(NextUtf8(utf8, pos), inFontName);
}

std::string CWriter::Write(const CRichDocument& doc) {
    Raw("{");
    Word("rtf1");
    Word("ansi");
    Word("ansicpg", kRtfDefaultCodePage);
    Word("deff", 0);
    FontTable(doc);
    ColourTable(doc);
    Word("viewkind", 4);
    Word("uc", 1);
    for (const CRichParagraph& paragraph : doc.paragraphs)
        Paragraph(paragraph);
    Raw("}");
    return std::move(m_out);
}

void CWriter::FontTable(const CRichDocument& doc) {
    bool bullets = false;
    for (const CRichParagraph& paragraph : doc.paragraphs) {
        for (const CRichRun& run : paragraph.runs)
            if (std::find(m_faces.begin(), m_faces.end(), run.format.face) == m_faces.end())
                m_faces.push_back(run.format.face);
        bullets = bullets || paragraph.format.bullet;
    }
    if (m_faces.empty())
        m_faces.emplace_back(kPlaceholderFace);
    Raw("{");
    Word("fonttbl");
    auto entry = [&](std::size_t index, int charset, std::string_view face) {
        Raw("{");
        Word("f", static_cast<long long>(index));
        Word("fnil");
        Word("fcharset", charset);
        Text(face, true);
        Raw(";}");
    };
    for (std::size_t i = 0; i < m_faces.size(); ++i)
        entry(i, 0, m_faces[i]);
    if (bullets) {
        m_bulletFont = static_cast<int>(m_faces.size());
        entry(m_faces.size(), kRtfSymbolCharset, "Symbol");
    }
    Raw("}\r\n");
}

void CWriter::ColourTable(const CRichDocument& doc) {
    for (const CRichParagraph& paragraph : doc.paragraphs)
        for (const CRichRun& run : paragraph.runs)
            if (run.format.colour && std::find(m_colours.begin(), m_colours.end(),
                                               *run.format.colour) == m_colours.end())
                m_colours.push_back(*run.format.colour);
    if (m_colours.empty())
        return;
    Raw("{");
    Word("colortbl");
    Raw(" ;");
    for (std::uint32_t colour : m_colours) {
        Word("red", colour & 0xFF);
        Word("green", (colour >> 8) & 0xFF);
        Word("blue", (colour >> 16) & 0xFF);
        Raw(";");
    }
    Raw("}\r\n");
}

void CWriter::Paragraph(const CRichParagraph& paragraph) {
    const CRichParagraphFormat& format = paragraph.format;
    Word("pard");
    if (format.bullet) {
        // As rich edit controls write a bullet: the bullet text for readers that do not number
        // paragraphs, then the numbering description.
        Raw("{");
        Word("pntext");
        Word("f", m_bulletFont);
        Raw("\\'b7");
        Word("tab");
        Raw("}{\\*");
        Word("pn");
        Word("pnlvlblt");
        Word("pnf", m_bulletFont);
        Word("pnindent", 0);
        Raw("{");
        Word("pntxtb");
        Raw("\\'b7}}");
    }
    switch (format.align) {
    case ERichAlign::Left:
        break;
    case ERichAlign::Centre:
        Word("qc");
        break;
    case ERichAlign::Right:
        Word("qr");
        break;
    case ERichAlign::Justify:
        Word("qj");
        break;
    }
    if (format.firstIndentTwips != 0)
        Word("fi", format.firstIndentTwips);
    if (format.leftIndentTwips != 0)
        Word("li", format.leftIndentTwips);
    if (format.rightIndentTwips != 0)
        Word("ri", format.rightIndentTwips);
    for (int tab : format.tabStopsTwips)
        Word("tx", tab);
    for (const CRichRun& run : paragraph.runs) {
        CharFormat(run.format);
        if (run.picture)
            Picture(*run.picture);
        else
            Text(run.text, false);
    }
    Word("par");
    Raw("\r\n");
}

void CWriter::CharFormat(const CRichCharFormat& format) {
    const int font =
        static_cast<int>(std::find(m_faces.begin(), m_faces.end(), format.face) - m_faces.begin());
    if (font != m_font) {
        m_font = font;
        Word("f", font);
    }
    const int size = std::clamp(format.sizeHalfPoints, 1, CRichCharFormat::kMaxSize);
    if (size != m_size) {
        m_size = size;
        Word("fs", size);
    }
    if (format.bold != m_bold) {
        m_bold = format.bold;
        Word(m_bold ? "b" : "b0");
    }
    if (format.italic != m_italic) {
        m_italic = format.italic;
        Word(m_italic ? "i" : "i0");
    }
    if (format.underline != m_underline) {
        m_underline = format.underline;
        Word(m_underline ? "ul" : "ulnone");
    }
    int colour = 0;
    if (format.colour)
        colour =
            1 + static_cast<int>(std::find(m_colours.begin(), m_colours.end(), *format.colour) -
                                 m_colours.begin());
    if (colour != m_colour) {
        m_colour = colour;
        Word("cf", colour);
    }
}

void CWriter::Picture(const CRichPicture& picture) {
    Raw("{");
    Word("pict");
    Word(picture.format == CRichPicture::EFormat::Png ? "pngblip" : "jpegblip");
    // \picw and \pich in hundredths of a millimetre, as word processors write them.
    const auto himetric = [](int twips) {
        return (static_cast<long long>(twips) * 2540 + 720) / 1440;
    };
    if (picture.widthTwips > 0) {
        Word("picw", himetric(picture.widthTwips));
        Word("picwgoal", picture.widthTwips);
    }
    if (picture.heightTwips > 0) {
        Word("pich", himetric(picture.heightTwips));
        Word("pichgoal", picture.heightTwips);
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < picture.data.size(); ++i) {
        if (i % kHexBytesPerLine == 0)
            m_out += "\r\n";
        m_out += kDigits[picture.data[i] >> 4];
        m_out += kDigits[picture.data[i] & 0xF];
    }
    Raw("}");
}
} // namespace

std::string WriteRtf(const CRichDocument& doc) {
    return CWriter().Write(doc);
}
