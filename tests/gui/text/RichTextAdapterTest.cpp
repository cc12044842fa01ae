#include "text/RichTextAdapter.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {
CRichCharFormat Char(std::string face, int size, bool bold, bool italic, bool underline,
                     std::optional<std::uint32_t> colour) {
    return {std::move(face), size, bold, italic, underline, colour};
}

CRichParagraph Para(CRichParagraphFormat format, std::vector<CRichRun> runs) {
    return {std::move(format), std::move(runs)};
}

CRichPicture Png(int width, int height, int widthTwips, int heightTwips) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {CRichPicture::EFormat::Png, {bytes.begin(), bytes.end()}, widthTwips, heightTwips};
}
} // namespace

TEST(RichTextAdapter, EveryAttributeSurvivesTheQtDocument) {
    const CRichCharFormat plain = Char("", 20, false, false, false, std::nullopt);
    CRichDocument model;
    model.paragraphs = {
        Para({}, {{Char("Arial", 24, true, false, false, std::nullopt), "Bold ", {}},
                  {Char("Times New Roman", 27, false, true, true, 0x0000FFu), "italic red", {}},
                  {plain, "\ttab and\nbreak \xC4\x8C\xE2\x82\xAC \xF0\x9F\x98\x80", {}}}),
        Para({ERichAlign::Centre, 0, 0, 0, {}, false}, {{plain, "centred", {}}}),
        Para({ERichAlign::Right, -284, 1420, 568, {710, 2840, 5000}, false},
             {{Char("Courier New", 16, false, false, true, 0x00123456u), "right", {}}}),
        Para({ERichAlign::Justify, 0, 0, 0, {}, false}, {}), // an empty paragraph
        Para({ERichAlign::Left, -360, 720, 0, {}, true}, {{plain, "bullet one", {}}}),
        Para({ERichAlign::Left, -360, 720, 0, {}, true}, {{plain, "bullet two", {}}}),
        Para({ERichAlign::Left, 0, 0, 0, {}, false}, {{plain, "picture ", {}},
                                                      {plain, "", Png(4, 3, 0, 0)},
                                                      {plain, "", Png(2, 2, 1440, 720)},
                                                      {plain, " after", {}}}),
        Para({ERichAlign::Left, 0, 0, 0, {}, true}, {{plain, "a list of its own", {}}}),
    };
    model.paragraphs[7].format.leftIndentTwips = 360;

    QTextDocument doc;
    richtext::LoadDocument(model, doc);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.isUndoAvailable());
    EXPECT_EQ(doc.blockCount(), static_cast<int>(model.paragraphs.size()));
    // Consecutive bullets share a list; a bullet after a plain paragraph starts another.
    EXPECT_EQ(doc.findBlockByNumber(4).textList(), doc.findBlockByNumber(5).textList());
    EXPECT_NE(doc.findBlockByNumber(7).textList(), doc.findBlockByNumber(5).textList());

    const CRichDocument back = richtext::SaveDocument(doc);
    ASSERT_EQ(back.paragraphs.size(), model.paragraphs.size());
    for (std::size_t i = 0; i < model.paragraphs.size(); ++i)
        EXPECT_EQ(back.paragraphs[i], model.paragraphs[i]) << "paragraph " << i;
}

TEST(RichTextAdapter, EmptyDocumentsAndTextTheModelDoesNotHold) {
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Sans"), 10));
    EXPECT_TRUE(richtext::SaveDocument(doc).paragraphs.empty());
    richtext::LoadDocument({}, doc);
    EXPECT_TRUE(doc.isEmpty());

    // Text typed in the default font has no face and the default font's size; adjacent runs
    // of one format are one run; control characters and stray object characters go.
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("a"));
    QTextCharFormat other;
    other.setFontUnderline(false);
    cursor.insertText(QString::fromUtf16(u"b\u0001\uFFFCc"), other);
    const CRichDocument model = richtext::SaveDocument(doc);
    ASSERT_EQ(model.paragraphs.size(), 1u);
    ASSERT_EQ(model.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(model.paragraphs[0].runs[0].text, "abc");
    EXPECT_EQ(model.paragraphs[0].runs[0].format,
              (CRichCharFormat{"", 20, false, false, false, std::nullopt}));

    // Line feeds in model text stay line breaks inside the paragraph.
    CRichDocument breaks;
    breaks.paragraphs.push_back(Para({}, {{{}, "one\r\ntwo", {}}}));
    richtext::LoadDocument(breaks, doc);
    EXPECT_EQ(doc.blockCount(), 1);
}

TEST(RichTextAdapter, AnImagePastedInIsStoredAsPng) {
    QTextDocument doc;
    QImage image(3, 5, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pasted")), image);
    QTextCursor cursor(&doc);
    QTextImageFormat format;
    format.setName(QStringLiteral("pasted"));
    format.setWidth(30);
    cursor.insertImage(format);
    const CRichDocument model = richtext::SaveDocument(doc);
    ASSERT_EQ(model.paragraphs.size(), 1u);
    ASSERT_EQ(model.paragraphs[0].runs.size(), 1u);
    const std::optional<CRichPicture>& picture = model.paragraphs[0].runs[0].picture;
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->format, CRichPicture::EFormat::Png);
    EXPECT_EQ(picture->widthTwips, richtext::PixelsToTwips(30));
    EXPECT_EQ(picture->heightTwips, 0);
    const QImage decoded =
        QImage::fromData(picture->data.data(), static_cast<int>(picture->data.size()));
    EXPECT_EQ(decoded.size(), QSize(3, 5));
}
