#include "chart/AnnotationPainter.h"

#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartStyles.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace chart {
namespace {
constexpr double kMaxTurnedLabel = 90; // longest turned label, device-independent pixels

struct TextBlock {
    QStringList lines;
    QSizeF size;
};

TextBlock Measure(const QString& text, const QFontMetricsF& fm) {
    TextBlock block;
    block.lines = text.split(QLatin1Char('\n'));
    double width = 0;
    for (const QString& line : block.lines)
        width = std::max(width, fm.horizontalAdvance(line));
    block.size = QSizeF(width, fm.height() * static_cast<double>(block.lines.size()));
    return block;
}

void DrawBlock(QPainter& painter, const TextBlock& block, QPointF topLeft, Qt::Alignment align,
               const QFontMetricsF& fm) {
    double y = topLeft.y();
    for (const QString& line : block.lines) {
        QRectF r(topLeft.x(), y, block.size.width(), fm.height());
        painter.drawText(r, static_cast<int>(align | Qt::AlignVCenter) | Qt::TextDontClip, line);
        y += fm.height();
    }
}

QString LabelOf(const CChartPropertyStore& store, int id, std::size_t i) {
    return QString::fromStdString(store.TextAt(id, i));
}

void DrawAnnotationLine(QPainter& painter, QPointF a, QPointF b, int style, const QColor& colour,
                        double unit, bool horizontal) {
    if (style == kGridTick) {
        const double len = 8 * unit;
        painter.setPen(QPen(colour, unit));
        if (horizontal) {
            painter.drawLine(a, a + QPointF(len, 0));
            painter.drawLine(b, b - QPointF(len, 0));
        } else {
            painter.drawLine(a, a + QPointF(0, len));
            painter.drawLine(b, b - QPointF(0, len));
        }
        return;
    }
    painter.setPen(LinePen(style, colour, unit));
    painter.drawLine(a, b);
}

void TurnedText(QPainter& painter, const TextBlock& block, QPointF bottomCentre, bool upward,
                const QFontMetricsF& fm, double maxLen) {
    // Drawn reading upwards; anchored at the end nearest the plot.
    painter.save();
    painter.translate(bottomCentre);
    painter.rotate(-90);
    const double len = std::min(block.size.width(), maxLen);
    const double x = upward ? 0 : -len;
    QRectF r(x, -block.size.height() / 2, len, block.size.height());
    double y = r.top();
    for (const QString& line : block.lines) {
        painter.drawText(
            QRectF(r.left(), y, len, fm.height()),
            static_cast<int>((upward ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter),
            fm.elidedText(line, Qt::ElideRight, len));
        y += fm.height();
    }
    painter.restore();
}

// Where a label goes relative to its item's box (a line across the plot, or a point's symbol).
// Along x: before the box's outer start, inside at its start, centred, inside at its end, after
// its outer end. Along y the same from top to bottom. "Outer" edges lie beyond the tick labels
// where the box spans the plot, so that a label outside never covers them.
enum class Along { Before, AtStart, Centre, AtEnd, After };
struct Placement {
    char code;
    Along x;
    Along y;
    bool turned = false; // drawn reading upwards, at most kMaxTurnedLabel long
};

// The first placement of each kind is its default, for "|c" and unknown codes.
constexpr Placement kHorizontalLinePlacements[] = {
    {'c', Along::Centre, Along::Before}, {'l', Along::AtStart, Along::Before},
    {'L', Along::Before, Along::Centre}, {'r', Along::AtEnd, Along::Before},
    {'R', Along::After, Along::Centre},
};
constexpr Placement kVerticalLinePlacements[] = {
    {'c', Along::After, Along::Centre},        {'t', Along::After, Along::AtStart},
    {'T', Along::Centre, Along::Before, true}, {'H', Along::Centre, Along::Before},
    {'b', Along::After, Along::AtEnd},         {'B', Along::Centre, Along::After, true},
    {'h', Along::Centre, Along::After},
};
constexpr Placement kPointPlacements[] = {
    {'c', Along::Centre, Along::Before},
    {'l', Along::After, Along::Centre},
    {'r', Along::Before, Along::Centre},
};

template <std::size_t N>
const Placement& PlacementOf(const Placement (&table)[N], QChar code) {
    for (const Placement& placement : table)
        if (code == QLatin1Char(placement.code))
            return placement;
    return table[0];
}

// An item's box and the outer box its outside labels keep clear of.
struct LabelFrame {
    QRectF box;
    QRectF outer;
};

double Position(Along along, double start, double end, double outerStart, double outerEnd,
                double size, double gap) {
    switch (along) {
    case Along::Before:
        return outerStart - gap - size;
    case Along::AtStart:
        return start + gap;
    case Along::Centre:
        return (start + end) / 2 - size / 2;
    case Along::AtEnd:
        return end - gap - size;
    case Along::After:
        return outerEnd + gap;
    }
    return start;
}

void DrawLabel(QPainter& painter, const Placement& placement, const LabelFrame& frame,
               const TextBlock& block, const QFontMetricsF& fm, double unit) {
    const double gap = 3 * unit;
    if (placement.turned) {
        const bool above = placement.y == Along::Before;
        const QPointF anchor(frame.box.center().x(),
                             above ? frame.outer.top() - gap : frame.outer.bottom() + gap);
        TurnedText(painter, block, anchor, above, fm, kMaxTurnedLabel * unit);
        return;
    }
    const QSizeF size = block.size;
    const QPointF topLeft(Position(placement.x, frame.box.left(), frame.box.right(),
                                   frame.outer.left(), frame.outer.right(), size.width(), gap),
                          Position(placement.y, frame.box.top(), frame.box.bottom(),
                                   frame.outer.top(), frame.outer.bottom(), size.height(), gap));
    const Qt::Alignment align = placement.x == Along::Centre ? Qt::AlignHCenter
                                : placement.x == Along::Before || placement.x == Along::AtEnd
                                    ? Qt::AlignRight
                                    : Qt::AlignLeft;
    DrawBlock(painter, block, topLeft, align, fm);
}

void PaintHorizontalLines(QPainter& painter, const ChartLayout& layout,
                          const CChartPropertyStore& store, const QFontMetricsF& fm) {
    const QRectF plot = layout.plot;
    const ChartWindow& w = layout.window;
    const double u = layout.unit;
    for (std::size_t i = 0; i < store.Count(kHorzLineY); ++i) {
        const double value = store.DoubleAt(kHorzLineY, i);
        if (!(value >= w.yMin && value <= w.yMax))
            continue;
        const QColor colour = FromColorRef(store.IntAt(kHorzLineColour, i));
        // On a pixel centre, so that a thin line stays crisp.
        const double y = std::floor(layout.Transform().ToPixel(w.xMin, value).y()) + 0.5;
        painter.save();
        painter.setClipRect(plot);
        DrawAnnotationLine(painter, {plot.left(), y}, {plot.right(), y},
                           store.IntAt(kHorzLineStyle, i), colour, u, true);
        painter.restore();
        const Label label = ParseLabel(LabelOf(store, kHorzLineText, i));
        const LabelFrame frame{
            QRectF(QPointF(plot.left(), y), QPointF(plot.right(), y)),
            QRectF(QPointF(plot.left() - layout.yTickWidth - 3 * u, y), QPointF(plot.right(), y))};
        painter.setPen(colour);
        DrawLabel(painter, PlacementOf(kHorizontalLinePlacements, label.code), frame,
                  Measure(label.text, fm), fm, u);
    }
}

void PaintVerticalLines(QPainter& painter, const ChartLayout& layout,
                        const CChartPropertyStore& store, const QFontMetricsF& fm) {
    const QRectF plot = layout.plot;
    const ChartWindow& w = layout.window;
    const double u = layout.unit;
    for (std::size_t i = 0; i < store.Count(kVertLineX); ++i) {
        const double value = store.DoubleAt(kVertLineX, i);
        if (!(value >= w.xMin && value <= w.xMax))
            continue;
        const QColor colour = FromColorRef(store.IntAt(kVertLineColour, i));
        const double x = std::floor(layout.Transform().ToPixel(value, w.yMin).x()) + 0.5;
        painter.save();
        painter.setClipRect(plot);
        DrawAnnotationLine(painter, {x, plot.top()}, {x, plot.bottom()},
                           store.IntAt(kVertLineStyle, i), colour, u, false);
        painter.restore();
        const Label label = ParseLabel(LabelOf(store, kVertLineText, i));
        const LabelFrame frame{QRectF(QPointF(x, plot.top()), QPointF(x, plot.bottom())),
                               QRectF(QPointF(x, plot.top()), QPointF(x, layout.bottomBandTop))};
        painter.setPen(colour);
        DrawLabel(painter, PlacementOf(kVerticalLinePlacements, label.code), frame,
                  Measure(label.text, fm), fm, u);
    }
}

void PaintPoints(QPainter& painter, const ChartLayout& layout, const CChartPropertyStore& store,
                 const QFontMetricsF& fm) {
    const ChartWindow& w = layout.window;
    const double u = layout.unit;
    const std::size_t points = std::min(store.Count(kPointX), store.Count(kPointY));
    for (std::size_t i = 0; i < points; ++i) {
        const double px = store.DoubleAt(kPointX, i);
        const double py = store.DoubleAt(kPointY, i);
        if (!(px >= w.xMin && px <= w.xMax && py >= w.yMin && py <= w.yMax))
            continue;
        const QColor colour = FromColorRef(store.IntAt(kPointColour, i));
        const int symbol = store.IntAt(kPointSymbol, i);
        const QPointF at = layout.Transform().ToPixel(px, py);
        DrawSymbol(painter, symbol, at, colour, u);
        const double r = SymbolRadius(symbol) * u;
        const QRectF symbolBox(at - QPointF(r, r), at + QPointF(r, r));
        const Label label = ParseLabel(LabelOf(store, kPointText, i));
        painter.setPen(colour);
        DrawLabel(painter, PlacementOf(kPointPlacements, label.code), {symbolBox, symbolBox},
                  Measure(label.text, fm), fm, u);
    }
}
} // namespace

AnnotationMargins MeasureAnnotationMargins(const CChartPropertyStore& store,
                                           const QFontMetricsF& fm, double unit) {
    // Only lines reach outside the plot: horizontal ones sideways, vertical ones up and down.
    AnnotationMargins m;
    const double gap = 4 * unit;
    for (std::size_t i = 0; i < store.Count(kHorzLineY); ++i) {
        const Label label = ParseLabel(LabelOf(store, kHorzLineText, i));
        const Placement& placement = PlacementOf(kHorizontalLinePlacements, label.code);
        const double need = Measure(label.text, fm).size.width() + gap;
        if (placement.x == Along::Before)
            m.left = std::max(m.left, need);
        else if (placement.x == Along::After)
            m.right = std::max(m.right, need);
    }
    for (std::size_t i = 0; i < store.Count(kVertLineX); ++i) {
        const Label label = ParseLabel(LabelOf(store, kVertLineText, i));
        const Placement& placement = PlacementOf(kVerticalLinePlacements, label.code);
        const TextBlock block = Measure(label.text, fm);
        const double need = (placement.turned ? std::min(block.size.width(), kMaxTurnedLabel * unit)
                                              : block.size.height()) +
                            gap;
        if (placement.y == Along::Before)
            m.top = std::max(m.top, need);
        else if (placement.y == Along::After)
            m.bottom = std::max(m.bottom, need);
    }
    return m;
}

void PaintAnnotations(QPainter& painter, const ChartLayout& layout,
                      const CChartPropertyStore& store) {
    painter.save();
    painter.setFont(layout.labelFont);
    const QFontMetricsF fm(layout.labelFont, painter.device());
    PaintHorizontalLines(painter, layout, store, fm);
    PaintVerticalLines(painter, layout, store, fm);
    PaintPoints(painter, layout, store, fm);
    painter.restore();
}
} // namespace chart
