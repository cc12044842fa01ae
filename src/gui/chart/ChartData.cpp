#include "chart/ChartData.h"

#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"

#include <algorithm>
#include <cmath>
#include <span>

void CChartData::Update(const CChartPropertyStore& store) {
    if (store.DataGeneration() == m_generation)
        return;
    m_generation = store.DataGeneration();
    m_series.clear();
    m_extent = {};
    m_points = 0;
    const int count = store.GetInt(chart::kSubsetCount);
    const int points = store.GetInt(chart::kPointsPerSubset);
    if (count <= 0 || points <= 0)
        return;
    const std::size_t n =
        std::min({static_cast<std::size_t>(count), store.HeldSubsets(chart::kXData),
                  store.HeldSubsets(chart::kYData)});
    const double nan = std::nan("");
    const double nullX =
        store.Count(chart::kNullXValue) ? store.DoubleAt(chart::kNullXValue, 0) : nan;
    const double nullY =
        store.Count(chart::kNullYValue) ? store.DoubleAt(chart::kNullYValue, 0) : nan;
    m_points = points;
    m_series.resize(n);
    for (std::size_t s = 0; s < n; ++s) {
        std::span<const float> x = store.SubsetFloats(chart::kXData, s);
        std::span<const float> y = store.SubsetFloats(chart::kYData, s);
        // Trailing missing points are the padding of a shorter subset: no part of the series.
        std::size_t length = std::min(x.size(), y.size());
        while (length > 0 &&
               CSeriesIndex::IsMissingPoint(x[length - 1], y[length - 1], nullX, nullY))
            --length;
        m_series[s].Build(x.first(length), y.first(length), nullX, nullY);
        m_extent.Add(m_series[s].Extent());
    }
}

namespace {
bool ValidRange(double a, double b) {
    return std::isfinite(a) && std::isfinite(b) && a < b;
}
} // namespace

ChartWindow CChartData::Window(const CChartPropertyStore& store, int* automatic) const {
    int fromData = chart::kAutoWindowX | chart::kAutoWindowY;
    ChartWindow w;
    if (m_extent.valid) {
        w = {m_extent.xMin, m_extent.xMax, m_extent.yMin, m_extent.yMax};
        if (!(w.xMin < w.xMax)) {
            w.xMin -= 0.5;
            w.xMax += 0.5;
        }
        const double pad = w.yMax > w.yMin ? (w.yMax - w.yMin) * 0.05 : 1.0;
        w.yMin -= pad;
        w.yMax += pad;
    }
    const int stored = store.GetInt(chart::kAutoWindow);
    const double x0 = store.DoubleAt(chart::kZoomMinX, 0, 0);
    const double x1 = store.DoubleAt(chart::kZoomMaxX, 0, 0);
    if (store.GetInt(chart::kZoomedX) != 0 && (stored & chart::kAutoWindowX) == 0 &&
        ValidRange(x0, x1)) {
        w.xMin = x0;
        w.xMax = x1;
        fromData &= ~chart::kAutoWindowX;
    }
    const double y0 = store.DoubleAt(chart::kZoomMinY, 0, 0);
    const double y1 = store.DoubleAt(chart::kZoomMaxY, 0, 0);
    if (store.GetInt(chart::kZoomStyle) == 3 && store.GetInt(chart::kZoomedY) != 0 &&
        (stored & chart::kAutoWindowY) == 0 && ValidRange(y0, y1)) {
        w.yMin = y0;
        w.yMax = y1;
        fromData &= ~chart::kAutoWindowY;
    }
    if (automatic)
        *automatic = fromData;
    return w;
}

QPointF CPlotTransform::ToPixel(double x, double y) const {
    const double px = m_plot.left() + (x - m_w.xMin) / (m_w.xMax - m_w.xMin) * m_plot.width();
    const double py = m_plot.top() + (m_w.yMax - y) / (m_w.yMax - m_w.yMin) * m_plot.height();
    return {px, py};
}

QPointF CPlotTransform::ToValue(QPointF pixel) const {
    const double w = std::max(m_plot.width(), 1e-9);
    const double h = std::max(m_plot.height(), 1e-9);
    const double x = m_w.xMin + (pixel.x() - m_plot.left()) / w * (m_w.xMax - m_w.xMin);
    const double y = m_w.yMax - (pixel.y() - m_plot.top()) / h * (m_w.yMax - m_w.yMin);
    return {x, y};
}

bool CPlotTransform::Inside(QPointF pixel) const {
    return pixel.x() >= m_plot.left() && pixel.x() <= m_plot.right() && pixel.y() >= m_plot.top() &&
           pixel.y() <= m_plot.bottom();
}

std::vector<double> NiceTicks(double min, double max, int maxTicks) {
    std::vector<double> ticks;
    if (!ValidRange(min, max) || maxTicks < 1)
        return ticks;
    const double raw = (max - min) / maxTicks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude * 10;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (magnitude * m >= raw) {
            step = magnitude * m;
            break;
        }
    }
    const double first = std::ceil(min / step);
    const double last = std::floor(max / step);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > 1000)
        return ticks;
    for (double k = first; k <= last; k += 1) {
        double v = k * step;
        if (std::fabs(v) < step * 1e-9)
            v = 0;
        ticks.push_back(v);
    }
    return ticks;
}
