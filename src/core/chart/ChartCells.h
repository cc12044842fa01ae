// Property ids of the chart component that core records write, and the cell interface they
// write through.
#pragma once

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

// Where a record puts per-index chart cells (the chart component implements it; tests record).
class CChartCells {
public:
    virtual ~CChartCells() = default;
    virtual void SetCellDouble(int property, int index, double value) = 0;
    virtual void SetCellInt(int property, int index, std::int32_t value) = 0;
    virtual void SetCellText(int property, int index, const std::string& text) = 0;
};
