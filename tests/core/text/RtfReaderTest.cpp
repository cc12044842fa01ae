#include "text/RtfReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A rich-text stream as a rich edit control writes it around body: font 0 Arial, 1 Arial CE
// (code page 1250), 2 Symbol.
std::string RichEdit(const std::string& body) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 "
           "Arial;}{\\f1\\fnil\\fcharset238 Arial CE;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
           "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 " +
           body + "\r\n}\r\n";
}

struct Snippet {
    const char* what;
    std::string rtf;
    std::string text;     // PlainText of what was read
    unsigned dropped = 0; // ERtfDropped bits
    bool truncated = false;
};

TEST(RtfReader, ReadsTheTextOfEachShape) {
    const std::string deep =
        "{\\rtf1 " + std::string(300, '{') + "deep" + std::string(300, '}') + "shallow\\par}";
    const std::vector<Snippet> snippets = {
        {"paragraphs", RichEdit("one\\par\r\ntwo\\par\r\n\\par"), "one\ntwo\n\n"},
        {"last paragraph with text", "{\\rtf1 a\\par b}", "a\nb\n"},
        {"last paragraph empty", "{\\rtf1 a\\par\\pard\\f0\\fs20 }", "a\n"},
        {"line, tab, escapes", RichEdit("a\\line b\\tab c \\{d\\}\\\\\\par"), "a\nb\tc {d}\\\n"},
        {"backslash newline", "{\\rtf1 a\\\nb\\\r\nc}", "a\nb\nc\n"},
        {"specials", "{\\rtf1 a\\~b\\-c\\_d\\emdash\\endash\\lquote\\rquote\\bullet\\page e}",
         "a\u00A0bc\u2011d\u2014\u2013\u2018\u2019\u2022\ne\n"},
        {"code pages per font", RichEdit("\\'e9\\f1 \\'9e\\'e1\\par"), "\u00E9\u017E\u00E1\n"},
        {"charsets 204 161 162 186",
         "{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset161 B;}{\\f2\\fcharset162 C;}"
         "{\\f3\\fcharset186 D;}}\\f0\\'e4\\f1\\'e1\\f2\\'fe\\f3\\'e0\\par}",
         "\u0434\u03B1\u015F\u0105\n"},
        {"ansicpg for fonts without a charset, cpg over charset",
         "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}{\\f1\\fcharset0 B;}"
         "{\\f2\\fcharset0\\cpg1250 C;}}\\f0\\'cf\\f1\\'cf\\f2\\'9e\\par}",
         "\u041F\u00CF\u017E\n"},
        {"double-byte code page", "{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0\\'82\\'a0}",
         "\u3042\n"},
        {"raw 8-bit text", "{\\rtf1\\ansi \xE9t\xE9\\par}", "\u00E9t\u00E9\n"},
        {"symbol font", RichEdit("\\f2 a\\'b3p\\u-3913?\\f0 a\\par"),
         "\u03B1\u2265\u03C0\u2022a\n"},
        {"other symbol fonts as Windows-1252",
         "{\\rtf1{\\fonttbl{\\f0\\fcharset2 Wingdings;}}\\f0 J\\'e9\\par}", "J\u00E9\n"},
        {"\\u with its fallback", RichEdit("\\u268?esk\\'e9 \\u8220\\ldblquote x\\par"),
         "\u010Cesk\u00E9 \u201Cx\n"},
        {"\\uc per group", "{\\rtf1{\\uc2\\u269\\'63\\'68x}\\uc0\\u269 y\\par}",
         "\u010Dx\u010Dy\n"},
        {"surrogate pairs", "{\\rtf1\\u-10179?\\u-8704?|\\u-10179?x\\u-8704?\\par}",
         "\U0001F600|\uFFFDx\uFFFD\n"},
        {"bullets without their \\pntext",
         RichEdit(
             "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}"
             "\\fi-720\\li720 one\\par{\\pntext\\f2\\'B7\\tab}two\\par\\pard three\\par"),
         "one\ntwo\nthree\n"},
        {"ignorable and unknown destinations",
         "{\\rtf1{\\*\\unknown skip}{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}"
         "{\\*\\bkmkstart b}x{\\foo kept}{\\listtext 1.\\tab}\\par}",
         "xkept\n"},
        {"alternative text of \\upr", "{\\rtf1{\\upr{ansi}{\\*\\ud{uni}}}\\par}", "uni\n"},
        {"field result kept, instruction dropped",
         RichEdit(
             "{\\field{\\*\\fldinst{HYPERLINK \"http://a\"}}{\\fldrslt{\\ul\\cf1 link}}}\\par"),
         "link\n", kRtfDroppedField},
        {"an embedded object's paragraph stays as an empty line",
         RichEdit("a\\par{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}"
                  "{\\result{\\pict\\wmetafile8 0102}}}\\par b\\par"),
         "a\n\nb\n", kRtfDroppedObject},
        {"tables as tab-separated rows", "{\\rtf1\\trowd a\\cell b\\cell\\row c\\par}", "a\tb\nc\n",
         kRtfDroppedTable},
        {"numbered paragraphs",
         "{\\rtf1\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}one\\par}", "one\n",
         kRtfDroppedNumbering},
        {"metafile picture", "{\\rtf1{\\pict\\wmetafile8 0102}\\par}", "\n", kRtfDroppedPicture},
        {"text after the last brace is ignored", "{\\rtf1 a}}}more", "a\n"},
        {"truncated in text", "{\\rtf1 abc\\par de", "abc\nde\n", 0, true},
        {"truncated in the font table", "{\\rtf1{\\fonttbl{\\f0 Ari", "", 0, true},
        {"truncated in a control word", "{\\rtf1 a\\u", "a\n", 0, true},
        {"nesting beyond the cap", deep, "shallow\n", kRtfDroppedNesting},
        {"empty", "", ""},
    };
    for (const Snippet& snippet : snippets) {
        CRtfReadReport report;
        const CRichDocument doc = ReadRtf(snippet.rtf, &report);
        EXPECT_EQ(doc.PlainText(), snippet.text) << snippet.what;
        EXPECT_EQ(report.dropped, snippet.dropped) << snippet.what;
        EXPECT_EQ(report.truncated, snippet.truncated) << snippet.what;
        EXPECT_FALSE(report.notRtf) << snippet.what;
    }
}

TEST(RtfReader, BytesThatAreNotRtfAreReadAsPlainText) {
    CRtfReadReport report;
    EXPECT_EQ(ReadRtf("plain\r\nt\xE9xt", &report).PlainText(), "plain\nt\u00E9xt\n");
    EXPECT_TRUE(report.notRtf);
}

TEST(RtfReader, KeepsCharacterAndParagraphFormats) {
    const CRichDocument doc = ReadRtf(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0"
        "{\\*\\panose 02020603}Times New Roman;}}{\\colortbl ;\\red255\\green0\\blue0;"
        "\\red0\\green128\\blue255;}\\pard\\qc\\fi-360\\li720\\ri144\\tx1440\\tx720\\tx1440"
        "\\f0\\fs20 a{\\b b}{\\i\\ul c\\ulnone d}\\cf2 e\\cf0\\plain f\\par"
        "\\pard\\qr\\f1\\fs28 g\\par\\pard\\qj h\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 3u);

    CRichParagraphFormat first;
    first.align = ERichAlign::Centre;
    first.firstIndentTwips = -360;
    first.leftIndentTwips = 720;
    first.rightIndentTwips = 144;
    first.tabStopsTwips = {720, 1440};
    EXPECT_EQ(doc.paragraphs[0].format, first);
    EXPECT_EQ(doc.paragraphs[1].format.align, ERichAlign::Right);
    EXPECT_EQ(doc.paragraphs[2].format.align, ERichAlign::Justify);

    const CRichCharFormat arial{"Arial", 20, false, false, false, std::nullopt};
    auto with = [&](auto change) {
        CRichCharFormat format = arial;
        change(format);
        return format;
    };
    const std::vector<CRichRun> runs = {
        {arial, "a", std::nullopt},
        {with([](CRichCharFormat& f) { f.bold = true; }), "b", std::nullopt},
        {with([](CRichCharFormat& f) { f.italic = f.underline = true; }), "c", std::nullopt},
        {with([](CRichCharFormat& f) { f.italic = true; }), "d", std::nullopt},
        {with([](CRichCharFormat& f) { f.colour = 0xFF8000; }), "e", std::nullopt},
        {{"Arial", 24, false, false, false, std::nullopt}, "f", std::nullopt},
    };
    EXPECT_EQ(doc.paragraphs[0].runs, runs);
    EXPECT_EQ(doc.paragraphs[1].runs.at(0).format.face, "Times New Roman");
    // A face is cut to whole characters within kMaxFaceBytes, without blanks at its ends.
    const std::string longFace = std::string(62, 'a') + " \\u269?";
    EXPECT_EQ(ReadRtf("{\\rtf1{\\fonttbl{\\f0 " + longFace + ";}} x}")
                  .paragraphs.at(0)
                  .runs.at(0)
                  .format.face,
              std::string(62, 'a'));
    EXPECT_EQ(doc.paragraphs[1].runs.at(0).format.sizeHalfPoints, 28);
}

TEST(RtfReader, KeepsPngAndJpegPictures) {
    const CRichDocument doc =
        ReadRtf("{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop x}\\pngblip\\picw10\\pich5\\picwgoal150"
                "\\pichgoal75 8950 4e\r\n47}}{\\nonshppict{\\pict\\wmetafile8 0102}}"
                "{\\pict\\jpegblip\\picwgoal300\\picscalex50\\bin3 \xFF\xD8}}\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    const std::vector<CRichRun>& runs = doc.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "a");
    ASSERT_TRUE(runs[1].picture && runs[2].picture);
    EXPECT_EQ(*runs[1].picture,
              (CRichPicture{CRichPicture::EFormat::Png, {0x89, 0x50, 0x4E, 0x47}, 150, 75}));
    EXPECT_EQ(*runs[2].picture,
              (CRichPicture{CRichPicture::EFormat::Jpeg, {0xFF, 0xD8, '}'}, 150, 0}));
}

} // namespace
