// Draws the horizontal-line, vertical-line and point annotations with their placed labels.
#pragma once

class QPainter;
class QFontMetricsF;
class CChartPropertyStore;
struct ChartLayout;

namespace chart {
// Room the labels placed outside the plot need, in logical pixels, per side.
struct AnnotationMargins {
    double left = 0, right = 0, top = 0, bottom = 0;
};
[[nodiscard]] AnnotationMargins MeasureAnnotationMargins(const CChartPropertyStore& store,
                                                         const QFontMetricsF& metrics, double unit);

// Lines and symbols are clipped to the plot; labels are placed by their alignment code:
// horizontal lines |c centre, |l |r left/right inside, |L |R left/right outside; vertical
// lines |c centre, |t |b top/bottom inside, |T |B top/bottom outside and turned, |H |h top/
// bottom outside and level; points |c centred above, |l right of, |r left of the symbol.
void PaintAnnotations(QPainter& painter, const ChartLayout& layout,
                      const CChartPropertyStore& store);
} // namespace chart
