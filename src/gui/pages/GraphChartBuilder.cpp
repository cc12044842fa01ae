#include "pages/GraphChartBuilder.h"

#include "chart/ChartCells.h"
#include "chart/ChartComponent.h"
#include "data/DataBlock.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {
constexpr std::int32_t kGraphBackColour = 0xC0C0C0;
constexpr const char* kSerifFace = "Times New Roman";
constexpr const char* kSansFace = "Arial";
constexpr std::string_view kCentralEuropean = " CE";
// The interaction switches' values (see ChartPropertyIds.h).
constexpr int kZoomStyleX = 1;
constexpr int kZoomStyleXY = 3;

void SetOne(ChartComponent& chart, int property, double value) {
    chart.SetVector(property, std::span<const double>(&value, 1));
}

void SetNullValues(ChartComponent& chart) {
    SetOne(chart, chart::kNullYValue, chart::kDefaultNullValue);
    SetOne(chart, chart::kNullXValue, chart::kDefaultNullValue);
}

std::string Face(const char* base, bool resourceLibrary) {
    return resourceLibrary ? std::string(base) + std::string(kCentralEuropean) : std::string(base);
}

bool SameFace(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The face a font property should name: the " CE" variant of the two standard faces when the
// resource library is loaded, their base face otherwise; any other face as it is.
std::string WantedFace(const std::string& current, bool resourceLibrary) {
    const bool isVariant =
        current.size() >= kCentralEuropean.size() && current.ends_with(kCentralEuropean);
    const std::string base =
        isVariant ? current.substr(0, current.size() - kCentralEuropean.size()) : current;
    if (!SameFace(base, kSerifFace) && !SameFace(base, kSansFace))
        return current;
    return resourceLibrary ? base + std::string(kCentralEuropean) : base;
}

// The colour of button faces as a 0x00BBGGRR value.
std::int32_t ButtonFaceColour() {
    const QColor c = QGuiApplication::palette().color(QPalette::Button);
    return static_cast<std::int32_t>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

// The chart's per-subset ints (styles, colours) as read back, count items at most.
std::vector<std::int32_t> ReadBack(const ChartComponent& chart, int property) {
    std::vector<std::int32_t> values(chart.GetVector(property, nullptr));
    static_cast<void>(chart.GetVector(property, values.data()));
    return values;
}
} // namespace

void CGraphChartBuilder::Finish() {
    m_chart.Reinitialize();
    m_chart.ResetImage(0, 0);
}

void CGraphChartBuilder::Reset(bool resourceLibrary) {
    m_chart.ResetProperties();
    m_chart.SetInt(chart::kKeyRedraw, 1);
    m_chart.SetInt(chart::kNoRole2165, 1);
    m_chart.SetInt(chart::kNoRole2932, 0);
    m_chart.SetInt(chart::kNoRole2921, 1);
    m_chart.SetInt(chart::kNoRole2155, 1);
    m_chart.SetInt(chart::kNoRole2574, 1);
    m_chart.SetInt(chart::kNoRole3252, 0x7FFFFFFF);
    m_chart.SetInt(chart::kNoRole2632, 0);
    m_chart.SetInt(chart::kDeskColour, ButtonFaceColour());
    m_chart.SetInt(chart::kGraphBackColour, kGraphBackColour);
    m_chart.SetText(chart::kMainTitleFont, Face(kSerifFace, resourceLibrary));
    m_chart.SetText(chart::kSubTitleFont, Face(kSerifFace, resourceLibrary));
    m_chart.SetText(chart::kLabelFont, Face(kSansFace, resourceLibrary));
    SetNullValues(m_chart);
    m_chart.SetInt(chart::kNoRole3066, 1);
    m_chart.SetText(chart::kMainTitle, " ");
    m_chart.SetText(chart::kSubTitle, "");
    m_chart.SetText(chart::kXAxisTitle, "");
    m_chart.SetText(chart::kYAxisTitle, "");
    m_chart.SetInt(chart::kNoRole3100, 0);
    m_chart.SetInt(chart::kNoRole3032, 0);
    m_chart.SetInt(chart::kNoRole3615, 0);
    Finish();
}

void CGraphChartBuilder::ApplyInitialSettings(bool resourceLibrary) {
    m_chart.SetInt(chart::kKeyRedraw, 1);
    SetNullValues(m_chart);
    m_chart.SetInt(chart::kNoRole3066, 1);
    m_chart.SetInt(chart::kZoomOnDrag, 1);
    m_chart.SetInt(chart::kMoveDuringDrag, 0);
    m_chart.SetInt(chart::kClickPlacesCursor, 0);
    m_chart.SetInt(chart::kDragAsLine, 0);
    for (int property : {chart::kMainTitleFont, chart::kSubTitleFont, chart::kLabelFont}) {
        const std::string current = m_chart.GetText(property);
        const std::string wanted = WantedFace(current, resourceLibrary);
        if (wanted != current)
            m_chart.SetText(property, wanted);
    }
    Finish();
}

int CGraphChartBuilder::Build(std::span<CDataBlock* const> flights, int oldCount,
                              const GraphChartOptions& options) {
    const int count = static_cast<int>(flights.size());
    const auto divisor = static_cast<float>(options.timeDivisor);

    // The old data go first, so the new arrays never stand beside them.
    m_chart.SetSubsetVector(chart::kXData, {});
    m_chart.SetSubsetVector(chart::kYData, {});

    std::vector<std::int32_t> styles;
    std::vector<std::int32_t> colours;
    if (oldCount != 0) {
        styles = ReadBack(m_chart, chart::kSubsetLineStyles);
        colours = ReadBack(m_chart, chart::kSubsetColours);
    }
    styles.resize(static_cast<std::size_t>(count));
    colours.resize(static_cast<std::size_t>(count));
    std::string labels;
    for (int i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        labels += flights[at]->GetName() + '\t';
        // A position the chart never held keeps no value worth keeping either.
        if (i >= oldCount || at >= colours.size() || at >= styles.size()) {
            styles[at] = kNewSubsetStyle;
            colours[at] = kSubsetColours[at % kSubsetColours.size()];
        }
    }

    std::vector<std::vector<float>> xs(flights.size());
    std::vector<std::vector<float>> ys(flights.size());
    std::size_t points = 0;
    chart::AnnotationCellWriter annotations(m_chart);
    // Clear the annotation positions; the writer fills them again from slot 0.
    for (int property : {chart::kHorzLineY, chart::kVertLineX, chart::kPointX, chart::kPointY})
        m_chart.SetVector(property, std::span<const double>());
    for (std::size_t s = 0; s < flights.size(); ++s) {
        if (const std::optional<FlightDisplay> view = flights[s]->GetDisplayView(true)) {
            const std::size_t n = view->Size();
            // Copied, then converted in place in plain loops that vectorise; the arrays are
            // never zeroed first.
            xs[s].assign(view->time.begin(), view->time.end());
            ys[s].assign(view->altitude.begin(), view->altitude.end());
            if (view->timeOffset != 0.0f)
                for (float& x : xs[s])
                    x += view->timeOffset;
            if (divisor != 1.0f)
                for (float& x : xs[s])
                    x /= divisor;
            if (view->altitudeFactor != 1.0f || view->altitudeOffset != 0.0f)
                for (float& y : ys[s])
                    y = (y + view->altitudeOffset) * view->altitudeFactor;
            points = std::max(points, n);
        }
        for (const AnnotationMark& mark : flights[s]->GetAnnotationMarks(options.timeDivisor == 60))
            annotations.Put(static_cast<chart::AnnotationSlot>(mark.kind), mark.x, mark.y,
                            mark.style, mark.colour, mark.label);
    }

    m_chart.SetInt(chart::kSubsetCount, count);
    m_chart.SetInt(chart::kPointsPerSubset, static_cast<std::int32_t>(points));
    m_chart.SetInt(chart::kNoRole3415, 1);
    m_chart.SetVector(chart::kSubsetLabels, std::string_view(labels));
    m_chart.SetVector(chart::kSubsetLineStyles, std::span<const std::int32_t>(styles));
    m_chart.SetVector(chart::kSubsetColours, std::span<const std::int32_t>(colours));
    m_chart.SetSubsetVector(chart::kXData, std::move(xs));
    m_chart.SetSubsetVector(chart::kYData, std::move(ys));

    m_chart.SetText(
        chart::kXAxisTitle,
        LoadString(options.timeDivisor == 60 ? str::TimeAxisMinutes : str::TimeAxisSeconds));
    m_chart.SetText(chart::kYAxisTitle,
                    FormatString1(str::AltitudeAxis,
                                  LoadString(options.feet ? str::FeetLong : str::MetresLong)));

    m_chart.SetInt(chart::kZoomedX, 1);
    m_chart.SetInt(chart::kZoomedY, 1);
    m_chart.SetInt(chart::kNoRole2621, 0);
    m_chart.SetInt(chart::kNoRole2620, 0);
    m_chart.SetInt(chart::kNoRole2622, 1);
    m_chart.SetInt(chart::kZoomOnDrag, 1);
    m_chart.SetInt(chart::kCursorMode, options.cursorMode);
    ApplyInteractionMode(options.zoomStyle, options.measuring);

    m_chart.SetInt(chart::kNoRole3290, 1);
    m_chart.SetInt(chart::kNoRole3244, 70);
    m_chart.SetInt(chart::kNoRole3242, 70);
    const float fixedFloat = 0.7f;
    m_chart.SetVector(chart::kPageFloatSetting, std::span<const float>(&fixedFloat, 1));
    m_chart.SetInt(chart::kNoRole2932, 0);
    m_chart.SetInt(chart::kNoRole2175, 0);
    m_chart.SetVector(chart::kPageDoubleSetting, std::span<const double>());
    m_chart.SetInt(chart::kNoRole3065, 1);
    m_chart.SetInt(chart::kNoRole3408, 1);
    m_chart.SetInt(chart::kNoRole3653, 1);
    m_chart.SetInt(chart::kNoRole2921, 1);
    Finish();
    return static_cast<int>(points);
}

void CGraphChartBuilder::ApplyInteractionMode(int zoomStyle, bool measuring) {
    if (measuring) {
        m_chart.SetInt(chart::kZoomStyle, kZoomStyleXY);
        m_chart.SetInt(chart::kZoomOnDrag, 0);
        m_chart.SetInt(chart::kDragAsLine, 1);
        m_chart.SetInt(chart::kMoveDuringDrag, 1);
        m_chart.SetInt(chart::kClickPlacesCursor, 0);
        return;
    }
    m_chart.SetInt(chart::kZoomStyle, zoomStyle == 1 ? kZoomStyleXY : kZoomStyleX);
    m_chart.SetInt(chart::kZoomOnDrag, 1);
    m_chart.SetInt(chart::kDragAsLine, 0);
    m_chart.SetInt(chart::kMoveDuringDrag, 0);
    m_chart.SetInt(chart::kClickPlacesCursor, 0);
}
