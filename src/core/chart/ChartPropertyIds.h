// Named property ids of the chart component (beyond the annotation cells of ChartCells.h).
#pragma once

#include "chart/ChartCells.h"

namespace chart {
// Data. x and y are floats, subset-major: index = subset * points + point.
inline constexpr int kSubsetCount = 2115;     // int
inline constexpr int kPointsPerSubset = 2120; // int
inline constexpr int kSubsetLabels = 2125;    // texts (TAB-separated when set as one text)
inline constexpr int kXData = 2135;           // floats
inline constexpr int kYData = 2140;           // floats
inline constexpr int kNullYValue = 3268;      // double: a y equal to it is a missing point
inline constexpr int kNullXValue = 3656;      // double: an x equal to it is a missing point

// Subset appearance: line style index (LineStyle) and colour 0x00BBGGRR, per subset.
inline constexpr int kSubsetLineStyles = 3271; // ints
inline constexpr int kSubsetColours = 2190;    // ints

// Titles and fonts.
inline constexpr int kMainTitle = 2105;     // text
inline constexpr int kSubTitle = 2110;      // text
inline constexpr int kXAxisTitle = 3000;    // text
inline constexpr int kYAxisTitle = 3005;    // text
inline constexpr int kMainTitleFont = 2445; // text: face name; a missing face falls back
inline constexpr int kSubTitleFont = 2485;  // text
inline constexpr int kLabelFont = 2525;     // text: axis titles, tick labels, legend, labels

// Colours, 0x00BBGGRR.
inline constexpr int kDeskColour = 2320;      // the area around the plot
inline constexpr int kGraphBackColour = 2335; // the plotting area

// Zoom. The windows are in data units; the flags say whether the window is in force (1) or
// the axis shows all data (0). After Reinitialize the windows hold what is shown.
inline constexpr int kZoomStyle = 3282; // int: 1 x only, 3 x and y
inline constexpr int kZoomMinX = 3248;  // double
inline constexpr int kZoomMaxX = 3249;  // double
inline constexpr int kZoomMinY = 3284;  // double
inline constexpr int kZoomMaxY = 3285;  // double
inline constexpr int kZoomedX = 3652;   // int flag
inline constexpr int kZoomedY = 3069;   // int flag
// Which stored windows are only the automatic full view (bits kAutoWindowX, kAutoWindowY), not
// a window chosen by a zoom or set by the holder: such a window follows the data even while its
// zoom flag is set, so setting the flags before data arrive never pins a made-up window.
// Reinitialize sets the bits; a zoom or a window set through SetVector clears its axis's bit.
inline constexpr int kAutoWindow = 4004; // int
inline constexpr int kAutoWindowX = 1;
inline constexpr int kAutoWindowY = 2;

// Data cursor.
inline constexpr int kCursorMode = 2617;   // int 0-5, CursorMode
inline constexpr int kCursorPoint = 2618;  // int: point index in the cursor subset
inline constexpr int kCursorSubset = 2619; // int

// Interaction switches (the graph page flips them for measurement mode and key handling).
// 1: a navigation key's effect is drawn at once (synchronous repaint); 2: the redraw is queued.
inline constexpr int kKeyRedraw = 2185;
// 1: mouse moves notify MouseMoved also while a drag is in progress; 0: only moves without a
// drag notify (the band alone follows the mouse).
inline constexpr int kMoveDuringDrag = 2918;
// 1: a left click without drag puts the data cursor on the nearest point of the cursor subset.
inline constexpr int kClickPlacesCursor = 2919;
// 1: the drag shows a straight line from the press point to the mouse instead of a zoom band.
inline constexpr int kDragAsLine = 2920;
// 1: releasing a drag zooms to it; 0: the release only notifies DragFinished (no zoom).
inline constexpr int kZoomOnDrag = 3210;

// Fixed settings the graph page sets without a role here; kept in the kind it sets them in.
inline constexpr int kPageFloatSetting = 3042;  // floats
inline constexpr int kPageDoubleSetting = 3080; // doubles
// Further ints the graph page sets to fixed values. They have no role in this component: they
// are stored and exported with the settings, so a chart that gives them one later finds them.
inline constexpr int kNoRole2155 = 2155;
inline constexpr int kNoRole2165 = 2165;
inline constexpr int kNoRole2175 = 2175;
inline constexpr int kNoRole2574 = 2574;
inline constexpr int kNoRole2620 = 2620;
inline constexpr int kNoRole2621 = 2621;
inline constexpr int kNoRole2622 = 2622;
inline constexpr int kNoRole2632 = 2632;
inline constexpr int kNoRole2921 = 2921;
inline constexpr int kNoRole2932 = 2932;
inline constexpr int kNoRole3032 = 3032;
inline constexpr int kNoRole3065 = 3065;
inline constexpr int kNoRole3066 = 3066;
inline constexpr int kNoRole3100 = 3100;
inline constexpr int kNoRole3242 = 3242;
inline constexpr int kNoRole3244 = 3244;
inline constexpr int kNoRole3252 = 3252;
inline constexpr int kNoRole3290 = 3290;
inline constexpr int kNoRole3408 = 3408;
inline constexpr int kNoRole3415 = 3415;
inline constexpr int kNoRole3615 = 3615;
inline constexpr int kNoRole3653 = 3653;

// Read only: the plotting rectangle in client pixels as 4 ints left, top, right, bottom.
inline constexpr int kPlotRect = 3049;

// Own settings of this component (not set by the pages; edited in the customise dialog).
inline constexpr int kGridLines = 4000;  // int: 0 none, 1 grid lines at the ticks (default)
inline constexpr int kShowLegend = 4001; // int: 1 legend of subset labels (default)
inline constexpr int kTextColour = 4002; // int colour of titles, ticks and axes
inline constexpr int kGridColour = 4003; // int colour of grid lines

// Notification codes.
enum Notification : int {
    kNotifyCursorMoved = 0x0F71,
    kNotifyDragStarted = 0x0F72,
    kNotifyDragFinished = 0x0F7E,
    kNotifyContextRequest = 0x0F80,
    kNotifyMouseMoved = 0x0F81,
    kNotifyMarkersRedraw = 0x0F83,
    kNotifySettingsChanged = 0x0F86,
};

// Cursor modes of kCursorMode.
enum CursorMode : int {
    kCursorNone = 0,
    kCursorXPoints = 1,
    kCursorCrosshair = 2,
    kCursorSquare = 3,
    kCursorFloatingY = 4,
    kCursorFloatingXY = 5,
};

// The missing-point value the pages use: 2^-126, the smallest normal float.
inline constexpr double kDefaultNullValue = 1.1754943508222875e-38;
} // namespace chart
