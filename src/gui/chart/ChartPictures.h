// Pictures of the chart: image files, SVG, PDF, clipboard copies and printing.
#pragma once

#include "chart/ChartComponent.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

namespace chart {
using PaintFunction = std::function<void(QPainter&, const QRect&)>;

[[nodiscard]] bool ValidPictureSize(QSize size);
// Null for a refused size.
[[nodiscard]] QImage RenderImage(QSize size, const PaintFunction& paint);
[[nodiscard]] QByteArray RenderSvg(QSize size, const PaintFunction& paint);

// format is "BMP", "JPEG" or "PNG".
[[nodiscard]] PictureResult SaveImage(QSize size, const QString& path, const char* format,
                                      const PaintFunction& paint);
[[nodiscard]] PictureResult SaveSvg(QSize size, const QString& path, const PaintFunction& paint);
[[nodiscard]] PictureResult SavePdf(QSize size, const QString& path, const PaintFunction& paint);

// The clipboard gets the image; with jpeg or svg set, that encoding rides along as MIME data
// ("image/jpeg", "image/svg+xml").
enum class ClipboardExtra { None, Jpeg, Svg };
[[nodiscard]] PictureResult CopyPicture(QSize size, ClipboardExtra extra,
                                        const PaintFunction& paint);

// Paints on printer's page as vector output, the picture of proportions `shape` scaled to fit
// the printable area and centred.
[[nodiscard]] bool PrintFitted(QPrinter& printer, QSize shape, const PaintFunction& paint);
} // namespace chart
