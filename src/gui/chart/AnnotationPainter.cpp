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
} // namespace

AnnotationMargins MeasureAnnotationMargins(const CChartPropertyStore& store,
                                           const QFontMetricsF& fm, double unit) {
    AnnotationMargins m;
    const double gap = 4 * unit;
    for (std::size_t i = 0; i < store.Count(kHorzLineY); ++i) {
        const Label label = ParseLabel(LabelOf(store, kHorzLineText, i));
        const TextBlock block = Measure(label.text, fm);
        if (label.code == QLatin1Char('L'))
            m.left = std::max(m.left, block.size.width() + gap);
        else if (label.code == QLatin1Char('R'))
            m.right = std::max(m.right, block.size.width() + gap);
    }
    for (std::size_t i = 0; i < store.Count(kVertLineX); ++i) {
        const Label label = ParseLabel(LabelOf(store, kVertLineText, i));
        const TextBlock block = Measure(label.text, fm);
        const double turned = std::min(block.size.width(), kMaxTurnedLabel * unit) + gap;
        const double level = block.size.height() + gap;
        switch (label.code.toLatin1()) {
        case 'T':
            m.top = std::max(m.top, turned);
            break;
        case 'H':
            m.top = std::max(m.top, level);
            break;
        case 'B':
            m.bottom = std::max(m.bottom, turned);
            break;
        case 'h':
            m.bottom = std::max(m.bottom, level);
            break;
        default:
            break;
        }
    }
    return m;
}

void PaintAnnotations(QPainter& painter, const ChartLayout& layout,
                      const CChartPropertyStore& store) {
    const QRectF plot = layout.plot;
    const CPlotTransform transform = layout.Transform();
    const ChartWindow& w = layout.window;
    const double u = layout.unit;
    const double gap = 3 * u;
    painter.save();
    painter.setFont(layout.labelFont);
    const QFontMetricsF fm(layout.labelFont, painter.device());

    for (std::size_t i = 0; i < store.Count(kHorzLineY); ++i) {
        const double value = store.DoubleAt(kHorzLineY, i);
        if (!(value >= w.yMin && value <= w.yMax))
            continue;
        const QColor colour = FromColorRef(store.IntAt(kHorzLineColour, i));
        // On a pixel centre, so that a thin line stays crisp.
        const double y = std::floor(transform.ToPixel(w.xMin, value).y()) + 0.5;
        painter.save();
        painter.setClipRect(plot);
        DrawAnnotationLine(painter, {plot.left(), y}, {plot.right(), y},
                           store.IntAt(kHorzLineStyle, i), colour, u, true);
        painter.restore();
        const Label label = ParseLabel(LabelOf(store, kHorzLineText, i));
        const TextBlock block = Measure(label.text, fm);
        painter.setPen(colour);
        const double above = y - gap - block.size.height();
        const double centred = y - block.size.height() / 2;
        switch (label.code.toLatin1()) {
        case 'l':
            DrawBlock(painter, block, {plot.left() + gap, above}, Qt::AlignLeft, fm);
            break;
        case 'L':
            DrawBlock(painter, block,
                      {plot.left() - layout.yTickWidth - 2 * gap - block.size.width(), centred},
                      Qt::AlignRight, fm);
            break;
        case 'r':
            DrawBlock(painter, block, {plot.right() - gap - block.size.width(), above},
                      Qt::AlignRight, fm);
            break;
        case 'R':
            DrawBlock(painter, block, {plot.right() + gap, centred}, Qt::AlignLeft, fm);
            break;
        default:
            DrawBlock(painter, block, {plot.center().x() - block.size.width() / 2, above},
                      Qt::AlignHCenter, fm);
            break;
        }
    }

    for (std::size_t i = 0; i < store.Count(kVertLineX); ++i) {
        const double value = store.DoubleAt(kVertLineX, i);
        if (!(value >= w.xMin && value <= w.xMax))
            continue;
        const QColor colour = FromColorRef(store.IntAt(kVertLineColour, i));
        const double x = std::floor(transform.ToPixel(value, w.yMin).x()) + 0.5;
        painter.save();
        painter.setClipRect(plot);
        DrawAnnotationLine(painter, {x, plot.top()}, {x, plot.bottom()},
                           store.IntAt(kVertLineStyle, i), colour, u, false);
        painter.restore();
        const Label label = ParseLabel(LabelOf(store, kVertLineText, i));
        const TextBlock block = Measure(label.text, fm);
        painter.setPen(colour);
        const double half = block.size.width() / 2;
        switch (label.code.toLatin1()) {
        case 't':
            DrawBlock(painter, block, {x + gap, plot.top() + gap}, Qt::AlignLeft, fm);
            break;
        case 'T':
            TurnedText(painter, block, {x, plot.top() - gap}, true, fm, kMaxTurnedLabel * u);
            break;
        case 'H':
            DrawBlock(painter, block, {x - half, plot.top() - gap - block.size.height()},
                      Qt::AlignHCenter, fm);
            break;
        case 'b':
            DrawBlock(painter, block, {x + gap, plot.bottom() - gap - block.size.height()},
                      Qt::AlignLeft, fm);
            break;
        case 'B':
            TurnedText(painter, block, {x, layout.bottomBandTop + gap}, false, fm,
                       kMaxTurnedLabel * u);
            break;
        case 'h':
            DrawBlock(painter, block, {x - half, layout.bottomBandTop + gap}, Qt::AlignHCenter, fm);
            break;
        default:
            DrawBlock(painter, block, {x + gap, plot.center().y() - block.size.height() / 2},
                      Qt::AlignLeft, fm);
            break;
        }
    }

    const std::size_t points = std::min(store.Count(kPointX), store.Count(kPointY));
    for (std::size_t i = 0; i < points; ++i) {
        const double px = store.DoubleAt(kPointX, i);
        const double py = store.DoubleAt(kPointY, i);
        if (!(px >= w.xMin && px <= w.xMax && py >= w.yMin && py <= w.yMax))
            continue;
        const QColor colour = FromColorRef(store.IntAt(kPointColour, i));
        const int symbol = store.IntAt(kPointSymbol, i);
        const QPointF at = transform.ToPixel(px, py);
        DrawSymbol(painter, symbol, at, colour, u);
        const double r = SymbolRadius(symbol) * u;
        const Label label = ParseLabel(LabelOf(store, kPointText, i));
        const TextBlock block = Measure(label.text, fm);
        painter.setPen(colour);
        const double centred = at.y() - block.size.height() / 2;
        switch (label.code.toLatin1()) {
        case 'l':
            DrawBlock(painter, block, {at.x() + r + gap, centred}, Qt::AlignLeft, fm);
            break;
        case 'r':
            DrawBlock(painter, block, {at.x() - r - gap - block.size.width(), centred},
                      Qt::AlignRight, fm);
            break;
        default:
            DrawBlock(painter, block,
                      {at.x() - block.size.width() / 2, at.y() - r - gap - block.size.height()},
                      Qt::AlignHCenter, fm);
            break;
        }
    }
    painter.restore();
}
} // namespace chart
