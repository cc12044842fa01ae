#include "chart/ZoomController.h"

#include "chart/ChartData.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"

#include <algorithm>
#include <array>

namespace {
void SetOne(CChartPropertyStore& store, int id, double value) {
    const std::array<double, 1> v = {value};
    store.SetDoubles(id, v);
}
} // namespace

void CZoomController::ZoomTo(CChartPropertyStore& store, const CPlotTransform& transform,
                             const QRectF& area, bool xy) {
    const QPointF a = transform.ToValue(area.topLeft());
    const QPointF b = transform.ToValue(area.bottomRight());
    SetOne(store, chart::kZoomMinX, std::min(a.x(), b.x()));
    SetOne(store, chart::kZoomMaxX, std::max(a.x(), b.x()));
    store.SetInt(chart::kZoomedX, 1);
    int automatic = store.GetInt(chart::kAutoWindow) & ~chart::kAutoWindowX;
    if (xy) {
        SetOne(store, chart::kZoomMinY, std::min(a.y(), b.y()));
        SetOne(store, chart::kZoomMaxY, std::max(a.y(), b.y()));
        store.SetInt(chart::kZoomedY, 1);
        automatic &= ~chart::kAutoWindowY;
    }
    store.SetInt(chart::kAutoWindow, automatic);
}

void CZoomController::FullView(CChartPropertyStore& store) {
    store.SetInt(chart::kZoomedX, 0);
    store.SetInt(chart::kZoomedY, 0);
}

void CZoomController::StoreShownWindow(CChartPropertyStore& store, const CChartData& data) {
    int automatic = 0;
    const ChartWindow w = data.Window(store, &automatic);
    SetOne(store, chart::kZoomMinX, w.xMin);
    SetOne(store, chart::kZoomMaxX, w.xMax);
    SetOne(store, chart::kZoomMinY, w.yMin);
    SetOne(store, chart::kZoomMaxY, w.yMax);
    store.SetInt(chart::kAutoWindow, automatic);
}
