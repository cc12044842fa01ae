// The chart's annotation cells: their property ids, the interface they are written through and
// the writer that puts annotations into consecutive slots.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace chart {
// Horizontal-line annotations, one slot per index.
inline constexpr int kHorzLineY = 3213;      // double
inline constexpr int kHorzLineStyle = 3216;  // int: line style index
inline constexpr int kHorzLineColour = 3217; // int: 0x00BBGGRR
inline constexpr int kHorzLineAxis = 3003;   // int: 0 = first y axis
inline constexpr int kHorzLineText = 3214;   // text label
// Vertical-line annotations.
inline constexpr int kVertLineX = 3218;      // double
inline constexpr int kVertLineStyle = 3221;  // int
inline constexpr int kVertLineColour = 3222; // int
inline constexpr int kVertLineText = 3219;   // text label
// Point annotations.
inline constexpr int kPointX = 3291;      // double
inline constexpr int kPointY = 3292;      // double
inline constexpr int kPointSymbol = 3246; // int: symbol index 0-36
inline constexpr int kPointColour = 3236; // int
inline constexpr int kPointText = 3293;   // text label
} // namespace chart

// Where per-index chart cells go (the chart component implements it; tests record).
class CChartCells {
public:
    virtual ~CChartCells() = default;
    virtual void SetCellDouble(int property, int index, double value) = 0;
    virtual void SetCellInt(int property, int index, std::int32_t value) = 0;
    virtual void SetCellText(int property, int index, const std::string& text) = 0;
};

namespace chart {
// The annotation kinds, numbered as the records number theirs.
enum class AnnotationSlot : int { HorizontalLine = 0, VerticalLine = 1, Point = 2 };

// Puts annotations into the next free slot of their kind, starting at slot 0 for each kind; the
// graph side hands it the annotations of every shown flight in turn.
class AnnotationCellWriter {
public:
    // cells is not owned and must outlive the writer.
    explicit AnnotationCellWriter(CChartCells& cells) : m_cells(cells) {}

    // x on the time axis and y on the altitude axis, both in the units the chart shows; style is
    // the line style (lines) or the symbol (points); colour 0x00BBGGRR; label with its alignment
    // code. A horizontal line ignores x, a vertical line y.
    void Put(AnnotationSlot slot, double x, double y, std::int32_t style, std::int32_t colour,
             const std::string& label);
    // The slots of the kind written so far.
    [[nodiscard]] int Count(AnnotationSlot slot) const {
        return m_next[static_cast<std::size_t>(slot)];
    }

private:
    CChartCells& m_cells;
    std::array<int, 3> m_next{};
};
} // namespace chart
