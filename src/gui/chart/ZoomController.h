// CZoomController: puts zoom windows into the property store.
#pragma once

#include <QRectF>

class CChartPropertyStore;
class CChartData;
class CPlotTransform;

class CZoomController {
public:
    // Zooms to the pixel area: the x window always, the y window too when xy is set; the
    // windows' zoom flags are set for the axes zoomed.
    static void ZoomTo(CChartPropertyStore& store, const CPlotTransform& transform,
                       const QRectF& area, bool xy);
    // Shows all data: both zoom flags cleared (the next window update shows everything).
    static void FullView(CChartPropertyStore& store);
    // Writes the window that is shown into the window properties, so they always read back
    // what the user sees.
    static void StoreShownWindow(CChartPropertyStore& store, const CChartData& data);
};
