// CCursorController: moves the data cursor (point and subset) by key or to a clicked point.
#pragma once

#include <QPointF>

class CChartPropertyStore;
class CChartData;
class CPlotTransform;

class CCursorController {
public:
    // Left/Right one point, Home/End first/last point, Page Up/Down a tenth of the points
    // shown, Up/Down the previous/next subset (wrapping); missing points are skipped. Returns
    // whether key is one of these (the cursor may still stay where it was at an end).
    static bool HandleKey(CChartPropertyStore& store, const CChartData& data,
                          const CPlotTransform& transform, int key);
    // Puts the cursor on the point of the cursor subset nearest to pixel; false when none.
    static bool PlaceAt(CChartPropertyStore& store, const CChartData& data,
                        const CPlotTransform& transform, QPointF pixel);
    // Keeps the cursor subset and point inside the data.
    static void Clamp(CChartPropertyStore& store, const CChartData& data);
};
