#include "chart/SeriesIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
    const auto nullXf = static_cast<float>(nullX);
    const auto nullYf = static_cast<float>(nullY);
    // A float equals a double null value only when the double is a float value itself.
    const bool xNullIsFloat = static_cast<double>(nullXf) == nullX;
    const bool yNullIsFloat = static_cast<double>(nullYf) == nullY;
    constexpr float kMax = std::numeric_limits<float>::max();
    // This runs over every point of every subset on each rebuild. The first pass has no
    // branches, so that it vectorises: the extent, the order and whether any point is missing.
    float xMin = std::numeric_limits<float>::infinity();
    float xMax = -xMin;
    float yMin = xMin;
    float yMax = -xMin;
    bool anyMissing = false;
    bool ordered = true;
    for (std::size_t i = 0; i < n; ++i) {
        const float x = m_x[i];
        const float y = m_y[i];
        // Integer arithmetic on the comparisons keeps the loop free of branches.
        const int missing = int(!(std::fabs(x) <= kMax)) | int(!(std::fabs(y) <= kMax)) |
                            (int(xNullIsFloat) & int(x == nullXf)) |
                            (int(yNullIsFloat) & int(y == nullYf));
        anyMissing |= missing != 0;
        ordered &= i == 0 || x >= m_x[i - 1];
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    }
    if (!anyMissing) {
        m_monotonic = ordered;
        if (n > 0) {
            m_runs.emplace_back(0, n);
            m_extent = {xMin, xMax, yMin, yMax, true};
        }
        m_pyramid.Build(m_y, [](std::size_t) { return false; });
        return;
    }
    // With missing points: the runs between them, and the extent of the drawable points only.
    xMin = yMin = std::numeric_limits<float>::infinity();
    xMax = yMax = -xMin;
    std::size_t start = 0;
    bool inRun = false;
    for (std::size_t i = 0; i < n; ++i) {
        const float x = m_x[i];
        const float y = m_y[i];
        if (!std::isfinite(x) || !std::isfinite(y) || (xNullIsFloat && x == nullXf) ||
            (yNullIsFloat && y == nullYf)) {
            if (inRun)
                m_runs.emplace_back(start, i);
            inRun = false;
            continue;
        }
        if (!inRun) {
            start = i;
            inRun = true;
        } else if (x < m_x[i - 1]) {
            m_monotonic = false;
        }
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    }
    if (xMin <= xMax)
        m_extent = {xMin, xMax, yMin, yMax, true};
    if (inRun)
        m_runs.emplace_back(start, n);
    m_pyramid.Build(m_y, [this](std::size_t i) { return IsMissing(i); });
}
