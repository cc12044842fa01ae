#include "chart/SeriesIndex.h"

#include <algorithm>
#include <cmath>

void DataExtent::Add(const DataExtent& o) {
    if (!o.valid)
        return;
    if (!valid) {
        *this = o;
        return;
    }
    xMin = std::min(xMin, o.xMin);
    xMax = std::max(xMax, o.xMax);
    yMin = std::min(yMin, o.yMin);
    yMax = std::max(yMax, o.yMax);
}

void CSeriesIndex::Build(std::span<const float> x, std::span<const float> y, double nullX,
                         double nullY) {
    const std::size_t n = std::min(x.size(), y.size());
    m_x = x.first(n);
    m_y = y.first(n);
    m_nullX = nullX;
    m_nullY = nullY;
    m_runs.clear();
    m_monotonic = true;
    m_extent = {};
    std::size_t start = 0;
    bool inRun = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (IsMissing(i)) {
            if (inRun)
                m_runs.emplace_back(start, i);
            inRun = false;
            continue;
        }
        if (!inRun) {
            start = i;
            inRun = true;
        } else if (m_x[i] < m_x[i - 1]) {
            m_monotonic = false;
        }
        DataExtent point{m_x[i], m_x[i], m_y[i], m_y[i], true};
        m_extent.Add(point);
    }
    if (inRun)
        m_runs.emplace_back(start, n);
    m_pyramid.Build(m_y, [this](std::size_t i) { return IsMissing(i); });
}
