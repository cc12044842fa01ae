// CSeriesIndex: what a redraw needs to know of one subset, built once per data change.
#pragma once

#include "chart/MinMaxPyramid.h"

#include <cmath>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

struct DataExtent {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool valid = false;
    void Add(const DataExtent& o);
};

class CSeriesIndex {
public:
    // A run is a maximal range [first, last) of consecutive drawable points; a missing point
    // (x equal to nullX, y equal to nullY, or either not finite) ends a run and breaks the line.
    using Run = std::pair<std::size_t, std::size_t>;

    // x and y must outlive the index.
    void Build(std::span<const float> x, std::span<const float> y, double nullX, double nullY);

    [[nodiscard]] std::span<const float> X() const { return m_x; }
    [[nodiscard]] std::span<const float> Y() const { return m_y; }
    [[nodiscard]] const std::vector<Run>& Runs() const { return m_runs; }
    // True when x never decreases within any run, so columns can be found by bisection.
    [[nodiscard]] bool Monotonic() const { return m_monotonic; }
    [[nodiscard]] const CMinMaxPyramid& Pyramid() const { return m_pyramid; }
    [[nodiscard]] const DataExtent& Extent() const { return m_extent; }
    [[nodiscard]] bool IsMissing(std::size_t i) const {
        return IsMissingPoint(m_x[i], m_y[i], m_nullX, m_nullY);
    }
    [[nodiscard]] static bool IsMissingPoint(float x, float y, double nullX, double nullY) {
        return !std::isfinite(x) || !std::isfinite(y) || static_cast<double>(x) == nullX ||
               static_cast<double>(y) == nullY;
    }

private:
    std::span<const float> m_x, m_y;
    double m_nullX = 0, m_nullY = 0;
    std::vector<Run> m_runs;
    bool m_monotonic = true;
    CMinMaxPyramid m_pyramid;
    DataExtent m_extent;
};
