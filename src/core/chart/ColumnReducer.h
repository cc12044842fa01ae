// The M4 reduction: per pixel column, the vertical extent that a subset's line covers there.
#pragma once

#include "chart/SeriesIndex.h"

#include <cmath>
#include <limits>
#include <vector>

// Data to plot-local device pixels: x' = (x - x0) * sx, y' = (y0 - y) * sy (y0 is the top).
struct PlotMapping {
    double x0 = 0, sx = 1, y0 = 0, sy = 1;
    [[nodiscard]] double X(float x) const { return (static_cast<double>(x) - x0) * sx; }
    [[nodiscard]] double Y(float y) const { return (y0 - static_cast<double>(y)) * sy; }
};

// The device-y range [lo, hi] the line covers in one column; empty when lo > hi.
struct ColumnSpan {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    [[nodiscard]] bool Empty() const { return lo > hi; }
    void Add(double y) {
        if (y < lo)
            lo = y;
        if (y > hi)
            hi = y;
    }
};

// Fills spans[0, columns) from the first, last, minimum and maximum point of each column (the
// columns walked left to right, each found from the previous one's point count, and the min/max
// pyramid; O(columns · log n) at worst), plus where the segments that leave the column cross its
// edges. Runs whose x is not monotonic are drawn point by point.
void ReduceColumns(const CSeriesIndex& series, const PlotMapping& map, int columns,
                   std::vector<ColumnSpan>& spans);

// The same spans from every point and segment, O(n): what a full-resolution drawing covers.
void FullColumns(const CSeriesIndex& series, const PlotMapping& map, int columns,
                 std::vector<ColumnSpan>& spans);
