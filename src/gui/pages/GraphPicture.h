// Graph pictures: the file formats a picture is written in, and the Graph page's chart of a list
// of flights drawn without a window (kubo-cli picture).
#pragma once

#include "chart/ChartComponent.h"
#include "pages/GraphChartBuilder.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class CDataBlock;

// The largest picture side the program writes, in pixels.
inline constexpr int kMaxGraphPictureSide = kMaxPictureSide;

enum class GraphPictureFormat { Bitmap, Metafile, Jpeg, Png, Svg, Pdf };

// The format a file name asks for by its extension, in any case: .bmp, .jpg or .jpeg, .png, .svg,
// .pdf. Anything else (the metafile's .wmf included: it is not written) is nullopt.
[[nodiscard]] std::optional<GraphPictureFormat> PictureFormatForPath(std::string_view path);

// The chart's picture at size written to path. Metafile and Svg both write SVG, the vector form
// this program has.
[[nodiscard]] PictureResult SaveGraphPicture(ChartComponent& chart, GraphPictureFormat format,
                                             QSize size, const QString& path);

// Why a picture was not written, for a message that names the file: what opening the file for
// writing says, else the result's own reason.
[[nodiscard]] std::string PictureFailureReason(PictureResult result, const QString& path);

// Draws flights (in the order given, at least one) as the Graph page draws them after opening a
// project: the page's base settings, then the stored chart settings (the project's chart block;
// empty: none), then the page's own switches and the data, and writes the picture. Needs a
// QApplication; no window is shown.
[[nodiscard]] PictureResult WriteFlightsPicture(std::span<CDataBlock* const> flights,
                                                std::span<const std::uint8_t> storedSettings,
                                                const GraphChartOptions& options, QSize size,
                                                GraphPictureFormat format, const QString& path);
