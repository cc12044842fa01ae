#include "chart/CursorController.h"

#include "chart/ChartData.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"

#include <Qt>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The nearest drawable point from `from` going in direction step (±1), or -1.
long long Walk(const CSeriesIndex& s, long long from, int step) {
    const auto n = static_cast<long long>(s.X().size());
    for (long long i = from; i >= 0 && i < n; i += step)
        if (!s.IsMissing(static_cast<std::size_t>(i)))
            return i;
    return -1;
}

long long VisibleCount(const CSeriesIndex& s, const ChartWindow& w) {
    long long count = 0;
    for (const auto& [first, last] : s.Runs())
        for (std::size_t i = first; i < last; ++i)
            count += (s.X()[i] >= w.xMin && s.X()[i] <= w.xMax) ? 1 : 0;
    return count;
}
} // namespace

void CCursorController::Clamp(CChartPropertyStore& store, const CChartData& data) {
    const int subsets = data.SubsetCount();
    if (subsets == 0)
        return;
    const int subset = std::clamp(store.GetInt(chart::kCursorSubset), 0, subsets - 1);
    const int points = static_cast<int>(data.Series(subset).X().size());
    const int point = std::clamp(store.GetInt(chart::kCursorPoint), 0, std::max(points - 1, 0));
    if (subset != store.GetInt(chart::kCursorSubset))
        store.SetInt(chart::kCursorSubset, subset);
    if (point != store.GetInt(chart::kCursorPoint))
        store.SetInt(chart::kCursorPoint, point);
}

bool CCursorController::HandleKey(CChartPropertyStore& store, const CChartData& data,
                                  const CPlotTransform& transform, int key) {
    const int subsets = data.SubsetCount();
    if (subsets == 0)
        return false;
    Clamp(store, data);
    int subset = store.GetInt(chart::kCursorSubset);
    long long point = store.GetInt(chart::kCursorPoint);
    const CSeriesIndex& s = data.Series(subset);
    const auto n = static_cast<long long>(s.X().size());
    long long target = point;
    switch (key) {
    case Qt::Key_Left:
        target = Walk(s, point - 1, -1);
        break;
    case Qt::Key_Right:
        target = Walk(s, point + 1, 1);
        break;
    case Qt::Key_Home:
        target = Walk(s, 0, 1);
        break;
    case Qt::Key_End:
        target = Walk(s, n - 1, -1);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const long long page = std::max(1LL, VisibleCount(s, transform.Window()) / 10);
        target = key == Qt::Key_PageUp ? Walk(s, std::max(0LL, point - page), -1)
                                       : Walk(s, std::min(n - 1, point + page), 1);
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        subset = (subset + (key == Qt::Key_Down ? 1 : subsets - 1)) % subsets;
        store.SetInt(chart::kCursorSubset, subset);
        Clamp(store, data);
        return true;
    default:
        return false;
    }
    if (target >= 0 && target != point)
        store.SetInt(chart::kCursorPoint, static_cast<int>(target));
    return true;
}

bool CCursorController::PlaceAt(CChartPropertyStore& store, const CChartData& data,
                                const CPlotTransform& transform, QPointF pixel) {
    if (data.SubsetCount() == 0)
        return false;
    Clamp(store, data);
    const CSeriesIndex& s = data.Series(store.GetInt(chart::kCursorSubset));
    double best = std::numeric_limits<double>::infinity();
    long long found = -1;
    for (const auto& [first, last] : s.Runs()) {
        for (std::size_t i = first; i < last; ++i) {
            const QPointF p = transform.ToPixel(s.X()[i], s.Y()[i]);
            const double d = std::hypot(p.x() - pixel.x(), p.y() - pixel.y());
            if (d < best) {
                best = d;
                found = static_cast<long long>(i);
            }
        }
    }
    if (found < 0)
        return false;
    store.SetInt(chart::kCursorPoint, static_cast<int>(found));
    return true;
}
