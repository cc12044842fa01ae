#include "chart/ChartCells.h"

namespace chart {
void AnnotationCellWriter::Put(AnnotationSlot slot, double x, double y, std::int32_t style,
                               std::int32_t colour, const std::string& label) {
    const int index = m_next[static_cast<std::size_t>(slot)]++;
    switch (slot) {
    case AnnotationSlot::HorizontalLine:
        m_cells.SetCellDouble(kHorzLineY, index, y);
        m_cells.SetCellInt(kHorzLineStyle, index, style);
        m_cells.SetCellInt(kHorzLineColour, index, colour);
        m_cells.SetCellInt(kHorzLineAxis, index, 0);
        m_cells.SetCellText(kHorzLineText, index, label);
        break;
    case AnnotationSlot::VerticalLine:
        m_cells.SetCellDouble(kVertLineX, index, x);
        m_cells.SetCellInt(kVertLineStyle, index, style);
        m_cells.SetCellInt(kVertLineColour, index, colour);
        m_cells.SetCellText(kVertLineText, index, label);
        break;
    case AnnotationSlot::Point:
        m_cells.SetCellDouble(kPointX, index, x);
        m_cells.SetCellDouble(kPointY, index, y);
        m_cells.SetCellInt(kPointSymbol, index, style);
        m_cells.SetCellInt(kPointColour, index, colour);
        m_cells.SetCellText(kPointText, index, label);
        break;
    }
}
} // namespace chart
