#include "chart/ChartPictures.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <memory>

namespace chart {
bool ValidPictureSize(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide;
}

QImage RenderImage(QSize size, const PaintFunction& paint) {
    if (!ValidPictureSize(size))
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return image;
}

QByteArray RenderSvg(QSize size, const PaintFunction& paint) {
    if (!ValidPictureSize(size))
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Chart"));
    QPainter painter(&svg);
    paint(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return bytes;
}

PictureResult SaveImage(QSize size, const QString& path, const char* format,
                        const PaintFunction& paint) {
    QImage image = RenderImage(size, paint);
    if (image.isNull())
        return PictureResult::BadSize;
    // BMP and JPEG carry no alpha; the picture is opaque anyway.
    image = image.convertToFormat(QImage::Format_RGB32);
    // Qt reads the quality of a PNG as its compression: 92 would store it nearly uncompressed.
    const int quality = QByteArray(format).compare("JPEG", Qt::CaseInsensitive) == 0 ? 92 : -1;
    return image.save(path, format, quality) ? PictureResult::Done : PictureResult::WriteFailed;
}

PictureResult SaveSvg(QSize size, const QString& path, const PaintFunction& paint) {
    const QByteArray svg = RenderSvg(size, paint);
    if (svg.isEmpty())
        return PictureResult::BadSize;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(svg) != svg.size())
        return PictureResult::WriteFailed;
    return PictureResult::Done;
}

PictureResult SavePdf(QSize size, const QString& path, const PaintFunction& paint) {
    if (!ValidPictureSize(size))
        return PictureResult::BadSize;
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return PictureResult::WriteFailed;
    probe.close();
    QPdfWriter pdf(path);
    pdf.setResolution(96);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    // One page the size of the picture: 96 pixels to the inch.
    pdf.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0),
                              QPageSize::Point, QString(), QPageSize::ExactMatch));
    QPainter painter;
    if (!painter.begin(&pdf))
        return PictureResult::WriteFailed;
    paint(painter, QRect(QPoint(0, 0), size));
    return painter.end() ? PictureResult::Done : PictureResult::WriteFailed;
}

PictureResult CopyPicture(QSize size, ClipboardExtra extra, const PaintFunction& paint) {
    const QImage image = RenderImage(size, paint);
    if (image.isNull())
        return PictureResult::BadSize;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return PictureResult::NoClipboard;
    auto mime = std::make_unique<QMimeData>();
    mime->setImageData(image.convertToFormat(QImage::Format_RGB32));
    if (extra == ClipboardExtra::Jpeg) {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        if (image.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", 92))
            mime->setData(QStringLiteral("image/jpeg"), jpeg);
    } else if (extra == ClipboardExtra::Svg) {
        mime->setData(QStringLiteral("image/svg+xml"), RenderSvg(size, paint));
    }
    clipboard->setMimeData(mime.release()); // the clipboard takes ownership
    return PictureResult::Done;
}

bool PrintFitted(QPrinter& printer, QSize shape, const PaintFunction& paint) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area(QPoint(0, 0), page.size());
    QSize fitted = shape.isEmpty() ? area.size() : shape.scaled(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.left() + (area.width() - fitted.width()) / 2,
                       area.top() + (area.height() - fitted.height()) / 2, fitted.width(),
                       fitted.height());
    paint(painter, target);
    return painter.end();
}
} // namespace chart
