#include "chart/ColumnReducer.h"

#include <algorithm>
#include <span>

namespace {
// The column of a device x, with everything left of the plot as -1 and right of it as columns.
int ColumnOf(double devX, int columns) {
    if (!(devX >= 0.0))
        return -1;
    if (devX >= static_cast<double>(columns))
        return columns;
    return static_cast<int>(devX);
}

// Device y where the segment from point i to point j crosses the column edge at device x edge.
double CrossingAt(const CSeriesIndex& s, const PlotMapping& map, std::size_t i, std::size_t j,
                  int edge) {
    const double xi = map.X(s.X()[i]);
    const double xj = map.X(s.X()[j]);
    const double yi = map.Y(s.Y()[i]);
    const double yj = map.Y(s.Y()[j]);
    return yi + (yj - yi) * ((static_cast<double>(edge) - xi) / (xj - xi));
}

void FullRun(const CSeriesIndex& s, const PlotMapping& map, int columns, std::size_t first,
             std::size_t last, std::vector<ColumnSpan>& spans) {
    for (std::size_t i = first; i < last; ++i) {
        const int ci = ColumnOf(map.X(s.X()[i]), columns);
        if (ci >= 0 && ci < columns)
            spans[static_cast<std::size_t>(ci)].Add(map.Y(s.Y()[i]));
        if (i + 1 >= last)
            break;
        const int cj = ColumnOf(map.X(s.X()[i + 1]), columns);
        const int from = std::max(std::min(ci, cj) + 1, 0);
        const int to = std::min(std::max(ci, cj), columns);
        for (int edge = from; edge <= to; ++edge) {
            const double y = CrossingAt(s, map, i, i + 1, edge);
            if (edge - 1 >= 0)
                spans[static_cast<std::size_t>(edge - 1)].Add(y);
            if (edge < columns)
                spans[static_cast<std::size_t>(edge)].Add(y);
        }
    }
}

// Index of the first point in [from, last) whose column is at least c (last when none), for
// x non-decreasing. The search starts at guess and gallops outward, so a guess that is right or
// nearly right (the previous column's point count) costs one or two look-ups: a bisection from
// afar costs a chain of ~log n dependent cache misses per column, which dominates a redraw.
std::size_t FirstAtOrAfter(std::span<const float> x, const PlotMapping& map, int columns,
                           std::size_t from, std::size_t last, std::size_t guess, int c) {
    auto reached = [&](std::size_t i) { return ColumnOf(map.X(x[i]), columns) >= c; };
    std::size_t lo = from; // every index below lo has not reached c
    std::size_t hi = last; // index hi has reached c, or is last
    guess = std::clamp(guess, from, last);
    if (guess == last || reached(guess)) {
        hi = guess;
        for (std::size_t step = 1; hi > lo; step *= 2) {
            const std::size_t probe = hi - std::min(step, hi - lo);
            if (!reached(probe)) {
                lo = probe + 1;
                break;
            }
            hi = probe;
        }
    } else {
        lo = guess + 1;
        for (std::size_t step = 1; lo < hi; step *= 2) {
            const std::size_t probe = lo + std::min(step, hi - lo) - 1;
            if (reached(probe)) {
                hi = probe;
                break;
            }
            lo = probe + 1;
        }
    }
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (reached(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// Asks for the cache lines that a column's search and min/max will read, kAhead columns before
// it is reduced, so that their misses overlap instead of following one another.
constexpr std::size_t kAhead = 6;
inline void Prefetch(const float* p) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    static_cast<void>(p);
#endif
}

void ReduceRun(const CSeriesIndex& s, const PlotMapping& map, int columns, std::size_t first,
               std::size_t last, std::vector<ColumnSpan>& spans) {
    const auto x = s.X();
    const int cFirst = ColumnOf(map.X(x[first]), columns);
    const int cLast = ColumnOf(map.X(x[last - 1]), columns);
    const int cEnd = std::min(cLast, columns - 1);
    int c = std::max(cFirst, 0);
    std::size_t a = cFirst >= 0 ? first : FirstAtOrAfter(x, map, columns, first, last, first, c);
    std::size_t count = 0; // points in the previous column: the guess for this one
    for (; c <= cEnd; ++c) {
        const std::size_t b = FirstAtOrAfter(x, map, columns, a, last, a + count, c + 1);
        ColumnSpan& span = spans[static_cast<std::size_t>(c)];
        if (a < b) {
            const MinMax mm = s.Pyramid().Query(a, b);
            span.Add(map.Y(mm.max));
            span.Add(map.Y(mm.min));
        }
        if (a > first)
            span.Add(CrossingAt(s, map, a - 1, a, c));
        if (b > first && b < last)
            span.Add(CrossingAt(s, map, b - 1, b, c + 1));
        count = b - a;
        a = b;
        const std::size_t ahead = a + kAhead * count;
        if (ahead < last) {
            const std::size_t block = ahead / CMinMaxPyramid::kBlock * CMinMaxPyramid::kBlock;
            Prefetch(&x[ahead]);
            Prefetch(&s.Y()[block]);
            Prefetch(&s.Y()[std::min(block + CMinMaxPyramid::kBlock, last) - 1]);
        }
    }
}
} // namespace

void ReduceColumns(const CSeriesIndex& series, const PlotMapping& map, int columns,
                   std::vector<ColumnSpan>& spans) {
    spans.assign(static_cast<std::size_t>(std::max(columns, 0)), ColumnSpan{});
    if (columns <= 0)
        return;
    for (const auto& [first, last] : series.Runs()) {
        if (series.Monotonic())
            ReduceRun(series, map, columns, first, last, spans);
        else
            FullRun(series, map, columns, first, last, spans);
    }
}

void FullColumns(const CSeriesIndex& series, const PlotMapping& map, int columns,
                 std::vector<ColumnSpan>& spans) {
    spans.assign(static_cast<std::size_t>(std::max(columns, 0)), ColumnSpan{});
    if (columns <= 0)
        return;
    for (const auto& [first, last] : series.Runs())
        FullRun(series, map, columns, first, last, spans);
}
