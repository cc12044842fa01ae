#include "text/RtfWriter.h"

#include "text/RtfReader.h"
#include "text/Utf8Codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

CRichRun Text(std::string text, CRichCharFormat format = {}) {
    return {std::move(format), std::move(text), std::nullopt};
}

CRichParagraphFormat Aligned(ERichAlign align) {
    CRichParagraphFormat format;
    format.align = align;
    return format;
}

void ExpectRoundTrip(const CRichDocument& doc, const std::string& what) {
    const std::string rtf = WriteRtf(doc);
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        << what << ": " << rtf;
    CRtfReadReport report;
    EXPECT_EQ(ReadRtf(rtf, &report), doc) << what << ": " << rtf;
    EXPECT_FALSE(report.IsLossy() || report.truncated || report.notRtf) << what;
}

TEST(RtfWriter, WritesAnsiWithUnicodeEscapes) {
    CRichDocument doc;
    doc.paragraphs.push_back({{},
                              {Text("caf\u00E9 \u010D\u20AC\uFFFD\U0001F600\t{\\}\n",
                                    {"Arial", 20, false, false, false, std::nullopt})}});
    EXPECT_EQ(WriteRtf(doc),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 "
              "Arial;}}\r\n\\viewkind4\\uc1\\pard\\fs20 caf\\'e9 "
              "\\u269?\\'80\\u-3?\\u-10179?\\u-8704?\\tab\\{\\\\\\}\\line\\par\r\n}");
    // Empty text is still a stream, and reads back as no paragraphs.
    EXPECT_EQ(ReadRtf(WriteRtf({})), CRichDocument());
    EXPECT_TRUE(WriteRtf({}).starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
}

TEST(RtfWriter, EveryAttributeReadsBack) {
    const CRichCharFormat plain{"Arial", 20, false, false, false, std::nullopt};
    CRichDocument doc;
    CRichParagraphFormat bullet;
    bullet.bullet = true;
    bullet.firstIndentTwips = -360;
    bullet.leftIndentTwips = 360;
    CRichParagraphFormat indented;
    indented.align = ERichAlign::Right;
    indented.rightIndentTwips = 1440;
    indented.tabStopsTwips = {142, 710, 31680};
    doc.paragraphs = {
        {{},
         {Text("plain ", plain), Text("bold", {"Arial", 20, true, false, false, std::nullopt}),
          Text("italic", {"Arial", 20, false, true, false, std::nullopt}),
          Text("under", {"Arial", 20, false, false, true, std::nullopt}),
          Text("red", {"Arial", 20, false, false, false, 0x0000FF}),
          Text("black", {"Arial", 20, false, false, false, 0}),
          Text("big", {"Times New Roman", 72, true, true, true, 0xFF8000}), Text("default face"),
          Text("odd face", {"A;b{c}\\ \u017D", 1, false, false, false, {}}),
          Text("symbol face as text", {"Symbol", 20, false, false, false, std::nullopt})}},
        {Aligned(ERichAlign::Centre), {}},
        {bullet, {Text("item\ttab\nline", plain)}},
        {bullet, {Text("second", plain)}},
        {Aligned(ERichAlign::Justify), {Text("justified", plain)}},
        {indented,
         {Text("a", plain),
          {plain, "", CRichPicture{CRichPicture::EFormat::Png, {1, 2, 3}, 0, 0}},
          {plain, "", CRichPicture{CRichPicture::EFormat::Jpeg, {0xFF, 0xD8}, 1500, 750}},
          Text("b", plain)}},
    };
    ExpectRoundTrip(doc, "every attribute");
}

// Random text over every kind of character the writer treats differently, in random formats.
TEST(RtfWriter, RandomUnicodeTextReadsBack) {
    std::mt19937 random(20240611);
    auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    const std::vector<std::pair<char32_t, char32_t>> ranges = {
        {0x01, 0x1F},     {0x20, 0x7E},     {0x7F, 0xFF},     {0x100, 0x7FF},
        {0x2010, 0x20AC}, {0x8000, 0xD7FF}, {0xE000, 0xFFFF}, {0x10000, 0x10FFFF},
    };
    const std::vector<std::string> faces = {"", "Arial", "Courier New", "\u30E1\u30A4\u30EA\u30AA"};
    for (int n = 0; n < 200; ++n) {
        CRichDocument doc;
        for (int p = pick(0, 3); p > 0; --p) {
            CRichParagraph& paragraph = doc.paragraphs.emplace_back();
            paragraph.format.align = static_cast<ERichAlign>(pick(0, 3));
            paragraph.format.bullet = pick(0, 1) == 1;
            paragraph.format.firstIndentTwips = pick(-1440, 1440);
            for (int tab = pick(0, 40); tab > 0; --tab)
                if (paragraph.format.tabStopsTwips.size() < CRichParagraphFormat::kMaxTabStops)
                    paragraph.format.tabStopsTwips.push_back(
                        (paragraph.format.tabStopsTwips.empty()
                             ? 0
                             : paragraph.format.tabStopsTwips.back()) +
                        pick(1, 2000));
            for (int r = pick(0, 4); r > 0; --r) {
                CRichCharFormat format{faces[pick(0, 3)], pick(1, CRichCharFormat::kMaxSize),
                                       pick(0, 1) == 1,   pick(0, 1) == 1,
                                       pick(0, 1) == 1,   std::nullopt};
                if (pick(0, 1) == 1)
                    format.colour = static_cast<std::uint32_t>(pick(0, 0xFFFFFF));
                std::string text;
                for (int c = pick(1, 20); c > 0; --c) {
                    const auto& [low, high] = ranges[pick(0, 7)];
                    AppendUtf8(text,
                               low + static_cast<char32_t>(pick(0, static_cast<int>(high - low))));
                }
                std::vector<CRichRun>& runs = paragraph.runs;
                if (!runs.empty() && runs.back().format == format)
                    runs.back().text += text; // the reader joins runs of one format
                else
                    runs.push_back(Text(std::move(text), std::move(format)));
            }
        }
        ExpectRoundTrip(doc, "document " + std::to_string(n));
        if (HasFailure())
            break;
    }
}

} // namespace
