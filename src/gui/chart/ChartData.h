// CChartData: the subsets of the property store, indexed for drawing, and the view window.
#pragma once

#include "chart/SeriesIndex.h"

#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <vector>

class CChartPropertyStore;

// The data window shown: x from xMin to xMax, y from yMin to yMax (yMax at the top).
struct ChartWindow {
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
};

class CChartData {
public:
    // Rebuilds the indexes when the store's data changed since the last call. Subsets that the
    // x/y vectors cannot hold in full (count × points beyond their size) are left out; a
    // subset's trailing missing points (the padding of a shorter subset) are not indexed.
    void Update(const CChartPropertyStore& store);

    [[nodiscard]] int SubsetCount() const { return static_cast<int>(m_series.size()); }
    [[nodiscard]] int PointsPerSubset() const { return m_points; }
    [[nodiscard]] const CSeriesIndex& Series(int subset) const {
        return m_series[static_cast<std::size_t>(subset)];
    }
    [[nodiscard]] const DataExtent& Extent() const { return m_extent; }

    // The window shown: the stored zoom window where it is in force and valid (x when the x
    // zoom flag is set; y when the zoom style is x-and-y and the y flag is set) and not merely
    // the automatic full view stored earlier (chart::kAutoWindow), else all data.
    // automatic, when given, receives the chart::kAutoWindow bits of the axes showing all data.
    [[nodiscard]] ChartWindow Window(const CChartPropertyStore& store,
                                     int* automatic = nullptr) const;

private:
    std::uint64_t m_generation = 0;
    int m_points = 0;
    std::vector<CSeriesIndex> m_series;
    DataExtent m_extent;
};

// Maps between data values and logical pixels of one plotting rectangle.
class CPlotTransform {
public:
    CPlotTransform() = default;
    CPlotTransform(const QRectF& plot, const ChartWindow& window) : m_plot(plot), m_w(window) {}
    [[nodiscard]] QPointF ToPixel(double x, double y) const;
    [[nodiscard]] QPointF ToValue(QPointF pixel) const;
    [[nodiscard]] bool Inside(QPointF pixel) const;
    [[nodiscard]] const QRectF& Plot() const { return m_plot; }
    [[nodiscard]] const ChartWindow& Window() const { return m_w; }

private:
    QRectF m_plot;
    ChartWindow m_w;
};

// Tick values at multiples of 1, 2 or 5 × 10^k inside [min, max], at most about maxTicks.
[[nodiscard]] std::vector<double> NiceTicks(double min, double max, int maxTicks);
