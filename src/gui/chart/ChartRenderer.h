// CChartRenderer: draws the whole chart into any painter; the one drawing path for the screen,
// printing and every picture export.
#pragma once

#include "chart/ChartData.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRectF>

#include <cstdint>
#include <vector>

class QPainter;
class QPaintDevice;
class CChartPropertyStore;

// Where the parts of the chart go inside the rectangle it is painted in (logical pixels).
struct ChartLayout {
    QRectF plot;
    ChartWindow window;
    std::vector<double> xTicks, yTicks;
    int xDecimals = 0, yDecimals = 0;
    QFont titleFont, subFont, labelFont;
    double unit = 1;     // logical pixels per device-independent pixel (96 dpi)
    double titleTop = 0; // baseline boxes are computed from these tops
    double subTop = 0;
    double yTickWidth = 0;    // width of the y tick labels
    double bottomBandTop = 0; // band for labels below the axis (codes h and B)
    double xTitleTop = 0;
    double legendTop = 0;
    bool legend = false;

    [[nodiscard]] CPlotTransform Transform() const { return {plot, window}; }
};

// A subset's line style and colour: the stored ones, or medium solid and the default colour.
[[nodiscard]] int SubsetLineStyle(const CChartPropertyStore& store, int subset);
[[nodiscard]] std::int32_t SubsetColour(const CChartPropertyStore& store, int subset);

class CChartRenderer {
public:
    CChartRenderer(const CChartPropertyStore& store, const CChartData& data)
        : m_store(store), m_data(data) {}

    // Draws every point and segment instead of the column reduction (reference drawings).
    void SetFullResolution(bool full) { m_fullResolution = full; }

    // The layout for rect on device (its resolution sizes fonts and lines).
    [[nodiscard]] ChartLayout Layout(const QRect& rect, const QPaintDevice* device) const;

    // Paints the chart into rect. On raster devices without scaling the lines are drawn column
    // by column at device resolution; elsewhere (printers, SVG, PDF) as vector paths.
    void paint(QPainter& painter, const QRect& rect) const;

private:
    void PaintAxes(QPainter& painter, const ChartLayout& layout) const;
    void PaintSeries(QPainter& painter, const ChartLayout& layout) const;
    void PaintSeriesRaster(QPainter& painter, const ChartLayout& layout) const;
    void PaintSeriesVector(QPainter& painter, const ChartLayout& layout) const;
    void PaintAnnotations(QPainter& painter, const ChartLayout& layout) const;
    void PaintCursor(QPainter& painter, const ChartLayout& layout) const;
    void PaintLegend(QPainter& painter, const ChartLayout& layout, const QRect& rect) const;
    void Spans(int subset, const ChartLayout& layout, int columns, int rows,
               std::vector<struct ColumnSpan>& spans) const;

    const CChartPropertyStore& m_store;
    const CChartData& m_data;
    bool m_fullResolution = false;
    // The raster paint's line layer, reused while the plot keeps its size in device pixels.
    mutable QImage m_layer;
};
