#include "chart/ChartRenderer.h"

#include "chart/AnnotationPainter.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"
#include "chart/ChartStyles.h"
#include "chart/ColumnReducer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
QFont MakeFont(const std::string& face, double points, bool bold, QFont::StyleHint hint) {
    QFont font(face.empty() ? QStringLiteral("Sans Serif") : QString::fromStdString(face));
    // A face that is not installed falls back to one of the same kind.
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString Trimmed(const CChartPropertyStore& store, int id) {
    return QString::fromStdString(store.GetText(id)).trimmed();
}

int Decimals(const std::vector<double>& ticks) {
    if (ticks.size() < 2)
        return 0;
    const double step = ticks[1] - ticks[0];
    return std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 9);
}

QString TickText(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

// Blends an opaque colour with coverage into a premultiplied ARGB32 pixel.
inline void Blend(QRgb& dst, QRgb src, double coverage) {
    const auto a = static_cast<std::uint32_t>(coverage * 255.0 + 0.5);
    if (a >= 255) {
        dst = src;
        return;
    }
    const std::uint32_t inv = 255 - a;
    auto mix = [&](int shift) {
        const std::uint32_t s = (src >> shift) & 0xFFU;
        const std::uint32_t d = (dst >> shift) & 0xFFU;
        return ((s * a + d * inv + 127) / 255) << shift;
    };
    dst = mix(24) | mix(16) | mix(8) | mix(0);
}

// Fills each column's span, widened by the line width, into layer with area coverage at the
// ends; columns within the width's reach join so that steep lines keep their width.
void DrawSpans(QImage& layer, const std::vector<ColumnSpan>& spans, QRgb colour, double width,
               const QVector<qreal>& dashes) {
    const int columns = layer.width();
    const int rows = layer.height();
    const int reachLeft = std::max(0, static_cast<int>(std::floor((width - 1) / 2)));
    const int reachRight = std::max(0, static_cast<int>(std::ceil((width - 1) / 2)));
    const double half = width / 2;
    uchar* const bits = layer.bits();
    const qsizetype stride = layer.bytesPerLine();
    for (int c = 0; c < columns; ++c) {
        ColumnSpan span;
        for (int k = std::max(0, c - reachRight); k <= std::min(columns - 1, c + reachLeft); ++k) {
            const ColumnSpan& s = spans[static_cast<std::size_t>(k)];
            if (!s.Empty()) {
                span.Add(s.lo);
                span.Add(s.hi);
            }
        }
        if (span.Empty() || !chart::DashOn(dashes, width, c))
            continue;
        const double top = std::max(span.lo - half, 0.0);
        const double bottom = std::min(span.hi + half, static_cast<double>(rows));
        if (!(top < bottom))
            continue;
        const int r0 = static_cast<int>(std::floor(top));
        const int r1 = std::min(rows, static_cast<int>(std::ceil(bottom)));
        for (int r = r0; r < r1; ++r) {
            const double cover = std::min(bottom, r + 1.0) - std::max(top, static_cast<double>(r));
            Blend(reinterpret_cast<QRgb*>(bits + r * stride)[c], colour, cover);
        }
    }
}
} // namespace

int SubsetLineStyle(const CChartPropertyStore& store, int subset) {
    const auto i = static_cast<std::size_t>(subset);
    return store.Count(chart::kSubsetLineStyles) > i ? store.IntAt(chart::kSubsetLineStyles, i)
                                                     : chart::kMediumSolid;
}

std::int32_t SubsetColour(const CChartPropertyStore& store, int subset) {
    const auto i = static_cast<std::size_t>(subset);
    return store.Count(chart::kSubsetColours) > i ? store.IntAt(chart::kSubsetColours, i)
                                                  : chart::DefaultSubsetColour(subset);
}

ChartLayout CChartRenderer::Layout(const QRect& rect, const QPaintDevice* device) const {
    ChartLayout l;
    l.unit = device != nullptr ? device->logicalDpiY() / 96.0 : 1.0;
    const double u = l.unit;
    l.titleFont = MakeFont(m_store.GetText(chart::kMainTitleFont), 13, true, QFont::Serif);
    l.subFont = MakeFont(m_store.GetText(chart::kSubTitleFont), 10, false, QFont::Serif);
    l.labelFont = MakeFont(m_store.GetText(chart::kLabelFont), 8.5, false, QFont::SansSerif);
    // The metrics must come from the device painted on, so a QPaintDevice pointer is needed.
    auto* dev = const_cast<QPaintDevice*>(device);
    const QFontMetricsF titleFm(l.titleFont, dev);
    const QFontMetricsF subFm(l.subFont, dev);
    const QFontMetricsF fm(l.labelFont, dev);
    const double pad = 6 * u;
    const double tick = 4 * u;
    const chart::AnnotationMargins outside = chart::MeasureAnnotationMargins(m_store, fm, u);

    double top = rect.top() + pad;
    l.titleTop = top;
    if (!Trimmed(m_store, chart::kMainTitle).isEmpty())
        top += titleFm.height() + 2 * u;
    l.subTop = top;
    if (!Trimmed(m_store, chart::kSubTitle).isEmpty())
        top += subFm.height() + 2 * u;
    top += std::max(outside.top, fm.height() / 2);

    double bottom = rect.bottom() + 1 - pad;
    l.legend = m_store.GetInt(chart::kShowLegend) != 0 && m_data.SubsetCount() > 0 &&
               m_store.Count(chart::kSubsetLabels) > 0;
    if (l.legend) {
        bottom -= fm.height() + 2 * u;
        l.legendTop = bottom + 2 * u;
    }
    if (!Trimmed(m_store, chart::kXAxisTitle).isEmpty()) {
        bottom -= fm.height();
        l.xTitleTop = bottom;
    } else {
        l.xTitleTop = bottom;
    }
    bottom -= outside.bottom;
    l.bottomBandTop = bottom;
    bottom -= fm.height() + tick + 2 * u;

    l.window = m_data.Window(m_store);
    // The y tick labels set the left margin; the ticks depend on the plot height only.
    l.yTicks = NiceTicks(l.window.yMin, l.window.yMax,
                         std::max(2, static_cast<int>((bottom - top) / (40 * u))));
    l.yDecimals = Decimals(l.yTicks);
    for (double v : l.yTicks)
        l.yTickWidth = std::max(l.yTickWidth, fm.horizontalAdvance(TickText(v, l.yDecimals)));
    double left = rect.left() + pad + l.yTickWidth + tick + 2 * u + outside.left;
    if (!Trimmed(m_store, chart::kYAxisTitle).isEmpty())
        left += fm.height() + 2 * u;
    const double right = rect.right() + 1 - pad - std::max(outside.right, 12 * u);

    l.plot = QRectF(
        QPointF(std::round(left), std::round(top)),
        QPointF(std::round(std::max(left + 1, right)), std::round(std::max(top + 1, bottom))));
    l.xTicks = NiceTicks(l.window.xMin, l.window.xMax,
                         std::max(2, static_cast<int>(l.plot.width() / (90 * u))));
    l.xDecimals = Decimals(l.xTicks);
    return l;
}

void CChartRenderer::paint(QPainter& painter, const QRect& rect) const {
    const ChartLayout layout = Layout(rect, painter.device());
    const double u = layout.unit;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(rect, chart::FromColorRef(m_store.GetInt(chart::kDeskColour)));
    const QColor text = chart::FromColorRef(m_store.GetInt(chart::kTextColour));

    painter.setPen(text);
    const QString title = Trimmed(m_store, chart::kMainTitle);
    if (!title.isEmpty()) {
        painter.setFont(layout.titleFont);
        const QFontMetricsF fm(layout.titleFont, painter.device());
        painter.drawText(QRectF(rect.left(), layout.titleTop, rect.width(), fm.height()),
                         Qt::AlignCenter, title);
    }
    const QString sub = Trimmed(m_store, chart::kSubTitle);
    if (!sub.isEmpty()) {
        painter.setFont(layout.subFont);
        const QFontMetricsF fm(layout.subFont, painter.device());
        painter.drawText(QRectF(rect.left(), layout.subTop, rect.width(), fm.height()),
                         Qt::AlignCenter, sub);
    }

    painter.fillRect(layout.plot, chart::FromColorRef(m_store.GetInt(chart::kGraphBackColour)));
    if (m_store.GetInt(chart::kGridLines) != 0) {
        const CPlotTransform t = layout.Transform();
        QPen grid(chart::FromColorRef(m_store.GetInt(chart::kGridColour)), u, Qt::DotLine);
        painter.setPen(grid);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (double v : layout.xTicks) {
            const double x = std::round(t.ToPixel(v, 0).x());
            painter.drawLine(QPointF(x, layout.plot.top()), QPointF(x, layout.plot.bottom()));
        }
        for (double v : layout.yTicks) {
            const double y = std::round(t.ToPixel(0, v).y());
            painter.drawLine(QPointF(layout.plot.left(), y), QPointF(layout.plot.right(), y));
        }
        painter.restore();
    }

    PaintSeries(painter, layout);
    chart::PaintAnnotations(painter, layout, m_store);
    PaintCursor(painter, layout);
    PaintAxes(painter, layout);
    PaintLegend(painter, layout, rect);
    painter.restore();
}

void CChartRenderer::PaintAxes(QPainter& painter, const ChartLayout& layout) const {
    const double u = layout.unit;
    const QColor text = chart::FromColorRef(m_store.GetInt(chart::kTextColour));
    const CPlotTransform t = layout.Transform();
    const QRectF plot = layout.plot;
    painter.setPen(QPen(text, u));
    painter.setBrush(Qt::NoBrush);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(plot);
    painter.restore();
    painter.setFont(layout.labelFont);
    const QFontMetricsF fm(layout.labelFont, painter.device());
    const double tick = 4 * u;
    for (double v : layout.xTicks) {
        const double x = std::round(t.ToPixel(v, 0).x());
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        const QString s = TickText(v, layout.xDecimals);
        const double w = fm.horizontalAdvance(s);
        painter.drawText(QRectF(x - w / 2 - 2, plot.bottom() + tick + u, w + 4, fm.height()),
                         Qt::AlignCenter, s);
    }
    for (double v : layout.yTicks) {
        const double y = std::round(t.ToPixel(0, v).y());
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        painter.drawText(QRectF(plot.left() - tick - 2 * u - layout.yTickWidth, y - fm.height() / 2,
                                layout.yTickWidth, fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter, TickText(v, layout.yDecimals));
    }
    const QString xTitle = Trimmed(m_store, chart::kXAxisTitle);
    if (!xTitle.isEmpty())
        painter.drawText(QRectF(plot.left(), layout.xTitleTop, plot.width(), fm.height()),
                         Qt::AlignCenter, xTitle);
    const QString yTitle = Trimmed(m_store, chart::kYAxisTitle);
    if (!yTitle.isEmpty()) {
        painter.save();
        const double x = plot.left() - tick - 4 * u - layout.yTickWidth - fm.height() / 2;
        painter.translate(x, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, -fm.height() / 2, plot.height(), fm.height()),
                         Qt::AlignCenter, yTitle);
        painter.restore();
    }
}

void CChartRenderer::Spans(int subset, const ChartLayout& layout, int columns, int rows,
                           std::vector<ColumnSpan>& spans) const {
    const ChartWindow& w = layout.window;
    PlotMapping map;
    map.x0 = w.xMin;
    map.sx = columns / (w.xMax - w.xMin);
    map.y0 = w.yMax;
    map.sy = rows / (w.yMax - w.yMin);
    if (m_fullResolution)
        FullColumns(m_data.Series(subset), map, columns, spans);
    else
        ReduceColumns(m_data.Series(subset), map, columns, spans);
}

void CChartRenderer::PaintSeries(QPainter& painter, const ChartLayout& layout) const {
    if (m_data.SubsetCount() == 0)
        return;
    const bool raster = painter.paintEngine() != nullptr &&
                        painter.paintEngine()->type() == QPaintEngine::Raster &&
                        painter.worldTransform().type() <= QTransform::TxTranslate;
    if (raster)
        PaintSeriesRaster(painter, layout);
    else
        PaintSeriesVector(painter, layout);
}

void CChartRenderer::PaintSeriesRaster(QPainter& painter, const ChartLayout& layout) const {
    const double dpr = painter.device()->devicePixelRatioF();
    const int columns = static_cast<int>(std::lround(layout.plot.width() * dpr));
    const int rows = static_cast<int>(std::lround(layout.plot.height() * dpr));
    if (columns <= 0 || rows <= 0)
        return;
    // The layer is kept between paints: allocating ~8 MB afresh costs more than clearing it.
    QImage& layer = m_layer;
    if (layer.width() != columns || layer.height() != rows)
        layer = QImage(columns, rows, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    std::vector<ColumnSpan> spans;
    for (int s = 0; s < m_data.SubsetCount(); ++s) {
        const int style = SubsetLineStyle(m_store, s);
        const std::int32_t ref = SubsetColour(m_store, s);
        Spans(s, layout, columns, rows, spans);
        const double width = chart::LineWidth(style) * layout.unit * dpr;
        DrawSpans(layer, spans, chart::FromColorRef(ref).rgba(), width, chart::DashPattern(style));
    }
    layer.setDevicePixelRatio(dpr);
    painter.drawImage(layout.plot.topLeft(), layer);
}

void CChartRenderer::PaintSeriesVector(QPainter& painter, const ChartLayout& layout) const {
    const QRectF plot = layout.plot;
    const int columns = std::max(1, static_cast<int>(std::ceil(plot.width())));
    const int rows = std::max(1, static_cast<int>(std::ceil(plot.height())));
    const CPlotTransform t = layout.Transform();
    const ChartWindow& w = layout.window;
    painter.save();
    painter.setClipRect(plot);
    std::vector<ColumnSpan> spans;
    for (int s = 0; s < m_data.SubsetCount(); ++s) {
        const int style = SubsetLineStyle(m_store, s);
        const std::int32_t ref = SubsetColour(m_store, s);
        painter.setPen(chart::LinePen(style, chart::FromColorRef(ref), layout.unit));
        const CSeriesIndex& series = m_data.Series(s);
        QPainterPath path;
        std::size_t visible = 0;
        for (const auto& [first, last] : series.Runs()) {
            for (std::size_t i = first; i < last; ++i)
                visible += (series.X()[i] >= w.xMin && series.X()[i] <= w.xMax) ? 1 : 0;
        }
        if (visible <= static_cast<std::size_t>(4 * columns)) {
            // Few points: the line itself, through every point.
            for (const auto& [first, last] : series.Runs()) {
                path.moveTo(t.ToPixel(series.X()[first], series.Y()[first]));
                for (std::size_t i = first + 1; i < last; ++i)
                    path.lineTo(t.ToPixel(series.X()[i], series.Y()[i]));
            }
        } else {
            // Many points: one vertical stroke per column through what the line covers there.
            Spans(s, layout, columns, rows, spans);
            bool open = false;
            double lastY = 0;
            for (int c = 0; c < columns; ++c) {
                const ColumnSpan& span = spans[static_cast<std::size_t>(c)];
                if (span.Empty()) {
                    open = false;
                    continue;
                }
                const double x = plot.left() + c + 0.5;
                const bool down = std::fabs(lastY - span.lo) <= std::fabs(lastY - span.hi);
                const double a = plot.top() + (down ? span.lo : span.hi);
                const double b = plot.top() + (down ? span.hi : span.lo);
                if (open)
                    path.lineTo(x, a);
                else
                    path.moveTo(x, a);
                path.lineTo(x, b);
                lastY = b - plot.top();
                open = true;
            }
        }
        painter.drawPath(path);
    }
    painter.restore();
}

void CChartRenderer::PaintCursor(QPainter& painter, const ChartLayout& layout) const {
    const int mode = m_store.GetInt(chart::kCursorMode);
    if (mode < chart::kCursorXPoints || mode > chart::kCursorSquare)
        return;
    const int subset = m_store.GetInt(chart::kCursorSubset);
    const int point = m_store.GetInt(chart::kCursorPoint);
    if (subset < 0 || subset >= m_data.SubsetCount() || point < 0 ||
        point >= static_cast<int>(m_data.Series(subset).X().size()))
        return;
    const CSeriesIndex& series = m_data.Series(subset);
    const auto p = static_cast<std::size_t>(point);
    if (series.IsMissing(p))
        return;
    const CPlotTransform t = layout.Transform();
    const QPointF at = t.ToPixel(series.X()[p], series.Y()[p]);
    const double u = layout.unit;
    painter.save();
    painter.setClipRect(layout.plot.adjusted(-u, -u, u, u));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 40, 40), u, Qt::DashLine));
    if (mode == chart::kCursorXPoints || mode == chart::kCursorCrosshair)
        painter.drawLine(QPointF(at.x(), layout.plot.top()), QPointF(at.x(), layout.plot.bottom()));
    if (mode == chart::kCursorCrosshair)
        painter.drawLine(QPointF(layout.plot.left(), at.y()), QPointF(layout.plot.right(), at.y()));
    painter.setPen(QPen(QColor(40, 40, 40), 1.5 * u));
    if (mode == chart::kCursorXPoints) {
        for (int s = 0; s < m_data.SubsetCount(); ++s) {
            const CSeriesIndex& other = m_data.Series(s);
            if (p < other.X().size() && !other.IsMissing(p))
                painter.drawEllipse(t.ToPixel(other.X()[p], other.Y()[p]), 3.5 * u, 3.5 * u);
        }
    } else if (mode == chart::kCursorSquare) {
        painter.drawRect(QRectF(at.x() - 5 * u, at.y() - 5 * u, 10 * u, 10 * u));
    }
    painter.restore();
}

void CChartRenderer::PaintLegend(QPainter& painter, const ChartLayout& layout,
                                 const QRect& rect) const {
    if (!layout.legend)
        return;
    const double u = layout.unit;
    painter.setFont(layout.labelFont);
    const QFontMetricsF fm(layout.labelFont, painter.device());
    const double sample = 18 * u;
    const double spacing = 14 * u;
    double total = 0;
    const int n = m_data.SubsetCount();
    std::vector<QString> labels;
    for (int s = 0; s < n; ++s) {
        labels.push_back(QString::fromStdString(m_store.TextAt(chart::kSubsetLabels, s)));
        total += sample + 4 * u + fm.horizontalAdvance(labels.back()) + (s + 1 < n ? spacing : 0);
    }
    double x = rect.left() + std::max(0.0, (rect.width() - total) / 2);
    const double y = layout.legendTop + fm.height() / 2;
    const QColor text = chart::FromColorRef(m_store.GetInt(chart::kTextColour));
    for (int s = 0; s < n; ++s) {
        const int style = SubsetLineStyle(m_store, s);
        const std::int32_t ref = SubsetColour(m_store, s);
        painter.setPen(chart::LinePen(style, chart::FromColorRef(ref), u));
        painter.drawLine(QPointF(x, y), QPointF(x + sample, y));
        x += sample + 4 * u;
        painter.setPen(text);
        const double w = fm.horizontalAdvance(labels[static_cast<std::size_t>(s)]);
        painter.drawText(QRectF(x, layout.legendTop, w + 2, fm.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, labels[static_cast<std::size_t>(s)]);
        x += w + spacing;
    }
}
