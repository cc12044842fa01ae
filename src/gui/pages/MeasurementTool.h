// CMeasurementTool: what the Graph page needs of the measurement tool pane.
#pragma once

struct MeasurementPoint;
class CPESciEx;
class QPainter;

// The pane implements it; the page reaches it through a lookup that may open the pane. Points
// are read from the chart at the mouse cursor; times are in the chart's time-axis unit.
class CMeasurementTool {
public:
    virtual ~CMeasurementTool() = default;

    // A drag started: From and To both become the point under the cursor.
    virtual void SetFromPoint(CPESciEx& chart) = 0;
    // The drag goes on: To becomes the point under the cursor.
    virtual void SetToPoint(CPESciEx& chart) = 0;
    // The same from the keyboard: the points are given in the chart's units.
    virtual void SetFromPoint(const MeasurementPoint& point) = 0;
    virtual void SetToPoint(const MeasurementPoint& point) = 0;
    // Draws the From and To markers over the chart that has just painted itself.
    virtual void DrawMarkers(CPESciEx& chart, QPainter& painter) = 0;
    // The time axis changed unit: From and To times are multiplied by factor (60 or 1/60).
    virtual void ScaleTimes(double factor) = 0;
};
