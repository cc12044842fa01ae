#include "text/RichTextAdapter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace richtext {
namespace {
// Format properties of our own. A picture keeps its encoded bytes, its kind and the size the
// model gave it, so that storing gives back exactly what was loaded.
enum : int {
    kPictureData = QTextFormat::UserProperty + 1,
    kPictureJpeg = QTextFormat::UserProperty + 2,
    kPictureWidthTwips = QTextFormat::UserProperty + 3,
    kPictureHeightTwips = QTextFormat::UserProperty + 4,
    kBulletFirstIndent = QTextFormat::UserProperty + 5, // block: twips
};

constexpr double kTwipsPerInch = 1440.0;
constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kParagraphSeparator = 0x2029;
constexpr char16_t kObjectReplacement = 0xFFFC;

double Dpi() {
    return ScreenDpi();
}

QString ToQString(const std::string& text) {
    QString out = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // Line feeds and carriage returns would start new blocks.
    for (QChar& c : out)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(kParagraphSeparator))
            c = QChar(kLineSeparator);
    return out;
}

// Text of a fragment as model text: U+2028 a line break; object replacement characters and
// control characters other than tab are left out.
std::string ToModelText(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text) {
        if (c == QChar(kLineSeparator) || c == QChar(kParagraphSeparator))
            clean += QLatin1Char(CRichRun::kLineBreak);
        else if (c == QLatin1Char(CRichRun::kTab) ||
                 (c.unicode() >= 0x20 && c != QChar(kObjectReplacement)))
            clean += c;
    }
    return clean.toStdString();
}

void AppendText(CRichParagraph& paragraph, const CRichCharFormat& format, std::string text) {
    if (text.empty())
        return;
    if (!paragraph.runs.empty() && !paragraph.runs.back().picture &&
        paragraph.runs.back().format == format) {
        paragraph.runs.back().text += text;
        return;
    }
    paragraph.runs.push_back({format, std::move(text), std::nullopt});
}

QString NewPictureName() {
    static std::atomic<unsigned> serial{0};
    return QStringLiteral("kubo-picture:%1").arg(++serial);
}

} // namespace

void InsertPicture(QTextCursor& cursor, const CRichPicture& picture,
                   const CRichCharFormat& format) {
    const QByteArray bytes(reinterpret_cast<const char*>(picture.data.data()),
                           static_cast<qsizetype>(picture.data.size()));
    const QString name = NewPictureName();
    cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name),
                                   QImage::fromData(bytes));
    QTextImageFormat image;
    image.merge(ToCharFormat(format));
    image.setName(name);
    if (picture.widthTwips > 0)
        image.setWidth(TwipsToPixels(picture.widthTwips));
    if (picture.heightTwips > 0)
        image.setHeight(TwipsToPixels(picture.heightTwips));
    image.setProperty(kPictureData, bytes);
    image.setProperty(kPictureJpeg, picture.format == CRichPicture::EFormat::Jpeg);
    image.setProperty(kPictureWidthTwips, picture.widthTwips);
    image.setProperty(kPictureHeightTwips, picture.heightTwips);
    cursor.insertImage(image);
}

namespace {

// The picture of an image fragment: the bytes it was loaded with or, for an image pasted or
// dropped in, its picture encoded as PNG. nullopt when the document has no such image.
std::optional<CRichPicture> PictureOf(const QTextImageFormat& image, const QTextDocument& doc) {
    CRichPicture picture;
    if (const QVariant data = image.property(kPictureData); data.isValid()) {
        const QByteArray bytes = data.toByteArray();
        picture.data.assign(bytes.begin(), bytes.end());
        picture.format = image.boolProperty(kPictureJpeg) ? CRichPicture::EFormat::Jpeg
                                                          : CRichPicture::EFormat::Png;
        picture.widthTwips = image.intProperty(kPictureWidthTwips);
        picture.heightTwips = image.intProperty(kPictureHeightTwips);
        return picture;
    }
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(image.name()));
    QImage decoded;
    if (resource.canConvert<QImage>())
        decoded = resource.value<QImage>();
    else if (resource.canConvert<QPixmap>())
        decoded = resource.value<QPixmap>().toImage();
    else if (resource.canConvert<QByteArray>())
        decoded = QImage::fromData(resource.toByteArray());
    if (decoded.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!decoded.save(&buffer, "PNG"))
        return std::nullopt;
    picture.data.assign(bytes.begin(), bytes.end());
    picture.widthTwips = image.width() > 0 ? PixelsToTwips(image.width()) : 0;
    picture.heightTwips = image.height() > 0 ? PixelsToTwips(image.height()) : 0;
    return picture;
}
} // namespace

int ScreenDpi() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
    return 96;
}

double TwipsToPixels(int twips) {
    return twips * Dpi() / kTwipsPerInch;
}

int PixelsToTwips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / Dpi()));
}

CRichCharFormat CharFormat(const QTextCharFormat& format, const QFont& defaultFont) {
    CRichCharFormat out;
    QString face;
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty())
            face = families.front();
    } else if (format.hasProperty(QTextFormat::FontFamily)) {
        face = format.stringProperty(QTextFormat::FontFamily);
    }
    QByteArray utf8 = face.toUtf8();
    while (static_cast<std::size_t>(utf8.size()) > CRichCharFormat::kMaxFaceBytes) {
        face.chop(1);
        utf8 = face.toUtf8();
    }
    out.face = utf8.toStdString();

    double points = defaultFont.pointSizeF();
    if (format.hasProperty(QTextFormat::FontPointSize))
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * 72.0 / Dpi();
    out.sizeHalfPoints = points > 0 ? std::clamp(static_cast<int>(std::lround(points * 2)), 1,
                                                 CRichCharFormat::kMaxSize)
                                    : CRichCharFormat::kDefaultSize;
    out.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                           : defaultFont.bold();
    out.italic = format.fontItalic();
    out.underline = format.fontUnderline();
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush) {
        const QColor colour = format.foreground().color();
        out.colour = static_cast<std::uint32_t>(colour.red()) |
                     static_cast<std::uint32_t>(colour.green()) << 8 |
                     static_cast<std::uint32_t>(colour.blue()) << 16;
    }
    return out;
}

QTextCharFormat ToCharFormat(const CRichCharFormat& format) {
    QTextCharFormat out;
    if (!format.face.empty())
        out.setFontFamilies(QStringList{QString::fromStdString(format.face)});
    out.setFontPointSize(format.sizeHalfPoints / 2.0);
    out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(format.italic);
    out.setFontUnderline(format.underline);
    if (format.colour) {
        const std::uint32_t c = *format.colour;
        out.setForeground(QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                 static_cast<int>((c >> 16) & 0xFF)));
    }
    return out;
}

CRichParagraphFormat ParagraphFormat(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    CRichParagraphFormat out;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        out.align = ERichAlign::Centre;
    else if (align & Qt::AlignJustify)
        out.align = ERichAlign::Justify;
    else if (align & Qt::AlignRight)
        out.align = ERichAlign::Right;

    const QTextDocument* doc = block.document();
    const double indentWidth = doc ? doc->indentWidth() : 0.0;
    double left = format.leftMargin() + format.indent() * indentWidth;
    const QTextList* list = block.textList();
    if (list)
        left += list->format().indent() * indentWidth;
    out.leftIndentTwips = PixelsToTwips(left);
    out.rightIndentTwips = PixelsToTwips(format.rightMargin());
    out.bullet = list != nullptr;
    out.firstIndentTwips = out.bullet && format.hasProperty(kBulletFirstIndent)
                               ? format.intProperty(kBulletFirstIndent)
                               : PixelsToTwips(format.textIndent());
    for (const QTextOption::Tab& tab : format.tabPositions())
        if (tab.position >= 0)
            out.tabStopsTwips.push_back(PixelsToTwips(tab.position));
    std::ranges::sort(out.tabStopsTwips);
    out.tabStopsTwips.erase(std::unique(out.tabStopsTwips.begin(), out.tabStopsTwips.end()),
                            out.tabStopsTwips.end());
    if (out.tabStopsTwips.size() > CRichParagraphFormat::kMaxTabStops)
        out.tabStopsTwips.resize(CRichParagraphFormat::kMaxTabStops);
    return out;
}

void SetParagraphFormat(QTextCursor& cursor, const CRichParagraphFormat& format) {
    const QTextBlock block = cursor.block();
    QTextList* list = block.textList();
    QTextBlockFormat out;
    switch (format.align) {
    case ERichAlign::Left:
        out.setAlignment(Qt::AlignLeft);
        break;
    case ERichAlign::Centre:
        out.setAlignment(Qt::AlignHCenter);
        break;
    case ERichAlign::Right:
        out.setAlignment(Qt::AlignRight);
        break;
    case ERichAlign::Justify:
        out.setAlignment(Qt::AlignJustify);
        break;
    }
    out.setLeftMargin(TwipsToPixels(format.leftIndentTwips));
    out.setRightMargin(TwipsToPixels(format.rightIndentTwips));
    if (format.bullet) {
        out.setTextIndent(0);
        out.setProperty(kBulletFirstIndent, format.firstIndentTwips);
    } else {
        out.setTextIndent(TwipsToPixels(format.firstIndentTwips));
    }
    QList<QTextOption::Tab> tabs;
    for (int stop : format.tabStopsTwips)
        tabs.append(QTextOption::Tab(TwipsToPixels(stop), QTextOption::LeftTab));
    out.setTabPositions(tabs);
    if (list)
        out.setObjectIndex(list->objectIndex());
    cursor.setBlockFormat(out);

    if (format.bullet && !list) {
        const QTextBlock previous = block.previous();
        if (QTextList* before = previous.isValid() ? previous.textList() : nullptr) {
            before->add(block);
        } else {
            QTextListFormat bullets;
            bullets.setStyle(QTextListFormat::ListDisc);
            bullets.setIndent(0);
            QTextCursor at(block);
            at.createList(bullets);
        }
    } else if (!format.bullet && list) {
        list->remove(block);
    }
}

void LoadDocument(const CRichDocument& model, QTextDocument& doc) {
    doc.clear();
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    bool first = true;
    for (const CRichParagraph& paragraph : model.paragraphs) {
        if (!first)
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        first = false;
        SetParagraphFormat(cursor, paragraph.format);
        for (const CRichRun& run : paragraph.runs) {
            if (run.picture)
                InsertPicture(cursor, *run.picture, run.format);
            else
                cursor.insertText(ToQString(run.text), ToCharFormat(run.format));
        }
    }
    doc.setUndoRedoEnabled(true);
    doc.setModified(false);
}

CRichDocument SaveDocument(const QTextDocument& doc) {
    CRichDocument model;
    if (doc.isEmpty())
        return model;
    const QFont defaultFont = doc.defaultFont();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        CRichParagraph& paragraph = model.paragraphs.emplace_back();
        paragraph.format = ParagraphFormat(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const CRichCharFormat runFormat = CharFormat(format, defaultFont);
            const QString text = fragment.text();
            if (!format.isImageFormat()) {
                AppendText(paragraph, runFormat, ToModelText(text));
                continue;
            }
            for (QChar c : text) {
                if (c != QChar(kObjectReplacement)) {
                    AppendText(paragraph, runFormat, ToModelText(QString(c)));
                } else if (std::optional<CRichPicture> picture =
                               PictureOf(format.toImageFormat(), doc)) {
                    paragraph.runs.push_back({runFormat, std::string(), std::move(picture)});
                }
            }
        }
    }
    return model;
}

} // namespace richtext
