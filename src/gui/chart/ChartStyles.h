// Drawing vocabulary of the chart: colour references, line styles, symbols, label alignment.
#pragma once

#include <QColor>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <cstdint>

class QPainter;

namespace chart {
// 0x00BBGGRR colour reference to QColor and back.
[[nodiscard]] QColor FromColorRef(std::int32_t ref);
[[nodiscard]] std::int32_t ToColorRef(const QColor& colour);

// The default colour of subset i (green, red, blue, cyan, magenta, yellow, dark green, dark red).
[[nodiscard]] std::int32_t DefaultSubsetColour(int subset);

// Line styles, the indexes of the line-style list.
enum LineStyle : int {
    kThinSolid = 0,
    kDashed = 1,
    kDotted = 2,
    kDashDot = 3,
    kDashDotDot = 4,
    kMediumSolid = 5,
    kThickSolid = 6,
    kGridTick = 7,
    kGridLine = 8,
};
inline constexpr int kLineStyleCount = 9;
inline constexpr int kSymbolCount = 37;

// Width in device-independent pixels (1 = one screen pixel at 96 dpi) of a line style.
[[nodiscard]] double LineWidth(int style);
// Dash pattern in units of the line width, empty for a solid line; unknown styles are solid.
[[nodiscard]] QVector<qreal> DashPattern(int style);
// A pen for the style; unit is device pixels per device-independent pixel.
[[nodiscard]] QPen LinePen(int style, const QColor& colour, double unit);
// Whether column col (device pixels from the plot's left) is drawn in a dashed style whose
// pattern is scaled to width px per unit.
[[nodiscard]] bool DashOn(const QVector<qreal>& pattern, double width, int col);

// Draws symbol (0-36: none, then plus, cross, circle, solid circle, square, solid square,
// diamond, solid diamond, up triangle, solid up triangle, down triangle, solid down triangle;
// 13-24 the small and 25-36 the large ones) centred on at; unknown indexes draw nothing.
void DrawSymbol(QPainter& painter, int symbol, QPointF at, const QColor& colour, double unit);
// Half the extent of a symbol in device-independent pixels (0 for none).
[[nodiscard]] double SymbolRadius(int symbol);

// A label text "|c  text" split into its alignment code letter ('c' when none) and body.
struct Label {
    QChar code = QLatin1Char('c');
    QString text;
};
[[nodiscard]] Label ParseLabel(const QString& label);
} // namespace chart
