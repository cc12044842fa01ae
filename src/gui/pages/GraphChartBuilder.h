// CGraphChartBuilder: the Graph page's chart content made from a list of flights, so that the
// page and an offscreen renderer draw flights alike.
#pragma once

#include "chart/ChartPropertyIds.h"

#include <array>
#include <cstdint>
#include <span>

class CDataBlock;
class ChartComponent;

// The page's own state that the chart content depends on.
struct GraphChartOptions {
    int timeDivisor = 60; // 60: the time axis in minutes; 1: in seconds
    int cursorMode = chart::kCursorFloatingXY;
    int zoomStyle = 0; // 0 horizontal zoom only, 1 horizontal and vertical
    bool measuring = false;
    // The unit named in the y-axis title; the altitudes themselves come in the unit of each
    // flight's document.
    bool feet = false;
};

// Works on a chart it does not own. Reset, ApplyInitialSettings and Build end with the chart
// reinitialised and its image dropped, ready to paint (on the screen or into a picture).
class CGraphChartBuilder {
public:
    // The colours new subsets get, by position modulo 8 (0x00BBGGRR).
    static constexpr std::array<std::int32_t, 8> kSubsetColours = {
        0x00FF00, 0x0000FF, 0xFF0000, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x00C000, 0x0000C0};
    static constexpr std::int32_t kNewSubsetStyle = 5; // medium solid line

    explicit CGraphChartBuilder(ChartComponent& chart) : m_chart(chart) {}

    // Every property back to its default, then the page's base settings: titles, fonts (with
    // " CE" appended when resourceLibrary is set), colours and the missing-point value.
    void Reset(bool resourceLibrary);
    // After a project's chart settings were imported over Reset: the switches the page relies
    // on, and the faces "Times New Roman" and "Arial" switched to or from their " CE" variant to
    // match resourceLibrary (other faces are left alone).
    void ApplyInitialSettings(bool resourceLibrary);
    // The flights as subsets in the order given (at least one flight; each must stay alive
    // during the call): labels, data padded as one subset-major array of the longest flight's
    // length (held per subset inside the chart), annotations numbered across the flights, axis
    // titles and the fixed settings. Styles and colours of the first oldCount positions are kept
    // as the chart holds them (the user may have changed them); later positions get the defaults.
    // A flight whose pressure formula fails is an empty subset. Returns the longest length.
    int Build(std::span<CDataBlock* const> flights, int oldCount, const GraphChartOptions& options);
    // Zoom style and the measurement switches (measuring: the drag draws a line and does not
    // zoom). The caller reinitialises.
    void ApplyInteractionMode(int zoomStyle, bool measuring);

private:
    void Finish();

    ChartComponent& m_chart;
};
