#include "pages/GraphPicture.h"

#include "pages/PESci.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cctype>
#include <vector>

std::optional<GraphPictureFormat> PictureFormatForPath(std::string_view path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "bmp")
        return GraphPictureFormat::Bitmap;
    if (extension == "jpg" || extension == "jpeg")
        return GraphPictureFormat::Jpeg;
    if (extension == "png")
        return GraphPictureFormat::Png;
    if (extension == "svg")
        return GraphPictureFormat::Svg;
    if (extension == "pdf")
        return GraphPictureFormat::Pdf;
    return std::nullopt;
}

PictureResult SaveGraphPicture(ChartComponent& chart, GraphPictureFormat format, QSize size,
                               const QString& path) {
    switch (format) {
    case GraphPictureFormat::Bitmap:
        return chart.SaveBitmapFile(size, path);
    case GraphPictureFormat::Metafile:
    case GraphPictureFormat::Svg:
        return chart.SaveMetafileFile(size, path);
    case GraphPictureFormat::Jpeg:
        return chart.SaveJpegFile(size, path);
    case GraphPictureFormat::Png:
        return chart.SavePngFile(size, path);
    case GraphPictureFormat::Pdf:
        return chart.SavePdfFile(size, path);
    }
    return PictureResult::WriteFailed;
}

std::string PictureFailureReason(PictureResult result, const QString& path) {
    if (result == PictureResult::BadSize)
        return QCoreApplication::translate("GraphPicture",
                                           "the size must be 1 to %1 pixels each way, and the "
                                           "picture must fit in memory")
            .arg(kMaxGraphPictureSide)
            .toStdString();
    if (result == PictureResult::NoClipboard)
        return QCoreApplication::translate("GraphPicture", "there is no clipboard").toStdString();
    // Appending leaves a file that was written intact and creates none that was not there.
    QFile probe(path);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::Append))
        return probe.errorString().toStdString();
    probe.close();
    if (!existed)
        probe.remove();
    return QCoreApplication::translate("GraphPicture",
                                       "the picture could not be encoded, or the disk is full")
        .toStdString();
}

PictureResult WriteFlightsPicture(std::span<CDataBlock* const> flights,
                                  std::span<const std::uint8_t> storedSettings,
                                  const GraphChartOptions& options, QSize size,
                                  GraphPictureFormat format, const QString& path) {
    CPESci chart;
    // The layout (plot rectangle, cursor clamping) follows the widget's size.
    chart.resize(size);
    CGraphChartBuilder builder(chart);
    builder.Reset(false);
    static_cast<void>(
        chart.ImportState(std::vector<std::uint8_t>(storedSettings.begin(), storedSettings.end())));
    builder.ApplyInitialSettings(false);
    static_cast<void>(builder.Build(flights, 0, options));
    return SaveGraphPicture(chart, format, size, path);
}
