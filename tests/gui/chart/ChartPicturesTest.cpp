#include "ChartTestData.h"
#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class PicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        chart.resize(500, 300);
        charttest::SetSubsets(chart, {charttest::RandomWalk(5000, 1)});
        chart.SetText(chart::kMainTitle, "Flight");
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ChartComponent chart;
};
} // namespace

TEST_F(PicturesTest, FilesHaveTheAskedSizeAndFormat) {
    const QSize size(640, 360);
    ASSERT_EQ(chart.SaveBitmapFile(size, Path("a.bmp")), PictureResult::Done);
    ASSERT_EQ(chart.SaveJpegFile(size, Path("a.jpg")), PictureResult::Done);
    ASSERT_EQ(chart.SavePngFile(size, Path("a.png")), PictureResult::Done);
    for (const auto& [name, format] :
         {std::pair{"a.bmp", "bmp"}, std::pair{"a.jpg", "jpeg"}, std::pair{"a.png", "png"}}) {
        QImageReader reader(Path(name));
        EXPECT_EQ(reader.format(), QByteArray(format)) << name;
        EXPECT_EQ(reader.size(), size) << name;
    }

    ASSERT_EQ(chart.SaveMetafileFile(size, Path("a.svg")), PictureResult::Done);
    QFile svg(Path("a.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("viewBox=\"0 0 640 360\""));

    ASSERT_EQ(chart.SavePdfFile(size, Path("a.pdf")), PictureResult::Done);
    QFile pdf(Path("a.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

// The JPEG quality passed to the PNG writer turned its compression off (2.1 MB for a chart).
TEST_F(PicturesTest, PngIsWrittenCompressed) {
    const QSize size(1280, 720);
    ASSERT_EQ(chart.SavePngFile(size, Path("c.png")), PictureResult::Done);
    EXPECT_LT(QFileInfo(Path("c.png")).size(), size.width() * size.height() / 4);
}

TEST_F(PicturesTest, SizesOutOfRangeAreRefusedAndWriteNothing) {
    for (QSize bad : {QSize(0, 100), QSize(100, -1), QSize(kMaxPictureSide + 1, 10),
                      QSize(10, kMaxPictureSide + 1)}) {
        EXPECT_EQ(chart.SaveBitmapFile(bad, Path("bad.bmp")), PictureResult::BadSize);
        EXPECT_EQ(chart.SaveMetafileFile(bad, Path("bad.svg")), PictureResult::BadSize);
        EXPECT_EQ(chart.SavePdfFile(bad, Path("bad.pdf")), PictureResult::BadSize);
        EXPECT_EQ(chart.CopyJpeg(bad), PictureResult::BadSize);
        EXPECT_TRUE(chart.RenderImage(bad).isNull());
    }
    EXPECT_FALSE(QFile::exists(Path("bad.bmp")));
    EXPECT_FALSE(QFile::exists(Path("bad.svg")));
    EXPECT_FALSE(QFile::exists(Path("bad.pdf")));
    EXPECT_EQ(chart.SavePngFile(QSize(10, 10), dir.filePath("missing/dir/x.png")),
              PictureResult::WriteFailed);
}

TEST_F(PicturesTest, ClipboardCopiesCarryTheImageAndTheEncoding) {
    ASSERT_EQ(chart.CopyBitmap(QSize(320, 200)), PictureResult::Done);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(320, 200));
    ASSERT_EQ(chart.CopyJpeg(QSize(300, 100)), PictureResult::Done);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data(QStringLiteral("image/jpeg")).startsWith("\xFF\xD8"));
    ASSERT_EQ(chart.CopyMetafile(QSize(300, 100)), PictureResult::Done);
    mime = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("<svg"));
}

TEST_F(PicturesTest, PrintingDrawsOnThePage) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("print.pdf"));
    ASSERT_TRUE(chart.PrintTo(printer));
    EXPECT_GT(QFile(Path("print.pdf")).size(), 1000);
}
