#include "framework/StringTableData.h"

namespace {
// Sorted by id. Lists are single strings with a line feed between entries.
constexpr StringTableEntry kStrings[] = {
    {5013, "feet"},
    {5014, "ft"},
    {5015, "m"},
    {5016, "m"},
    {5019, "Horizontal"},
    {5020, "Vertical"},
    {5021, "Data"},
    {5110, "Thin Solid Line\nDashed Line\nDot Line\nDash Dot Line\nDash Dot Dot\nMedium Solid "
           "Line\nThick Solid Line\nGrid Tick Mark\nGrid Line"},
    {5111, "No Symbol, Text Only\nPlus\nCross\nCircle\nSolid Circle\nSquare\nSolid Square\n"
           "Diamond\nSolid Diamond\nUpward Triangle\nSolid Upward Triangle\nDownward Triangle\n"
           "Solid Downward Triangle\nSmall Plus\nSmall Cross\nSmall Circle\nSmall Solid Circle\n"
           "Small Square\nSmall Solid Square\nSmall Diamond\nSmall Solid Diamond\nSmall Upward "
           "Triangle\nSmall Solid Upward Triangle\nSmall Downward Triangle\nSmall Solid Downward "
           "Triangle\nLarge Plus\nLarge Cross\nLarge Circle\nLarge Solid Circle\nLarge Square\n"
           "Large Solid Square\nLarge Diamond\nLarge Solid Diamond\nLarge Upward Triangle\nLarge "
           "Solid Upward Triangle\nLarge Downward Triangle\nLarge Solid Downward Triangle"},
    {5112, "Centers text inside graph\u2019s grid\nLeft inside edge of graph\nLeft outside edge of "
           "graph\nRight inside edge of graph\nRight outside edge of graph"},
    {5113, "Centers text inside graph\u2019s grid\nTop inside edge of graph\nTop outside edge and "
           "vertical\nTop outside edge and horizontal\nBottom inside edge of graph\nBottom outside "
           "edge and vertical\nBottom outside edge and horizontal"},
    {5114, "Centers text\nLeft justifies\nRight justifies"},
    {5115, "|c\n|l\n|L\n|r\n|R"},
    {5116, "|c\n|t\n|T\n|H\n|b\n|B\n|h"},
    {5117, "|c\n|l\n|r"},
    {5118, "Flight Annotations (%s)"},
    {5120, "Data Marker"},
    {5121, "Annotation Text"},
    {5122, "M%d"},
    {57344, "Kubo"},
};
} // namespace

std::span<const StringTableEntry> BuiltInStrings() { return kStrings; }
