// The Graph page over a document: its chart content, controls, commands and hint reactions.
#include "../../core/support/FakeUi.h"
#include "GraphTestProject.h"
#include "calc/Measurement.h"
#include "calc/TextHelpers.h"
#include "chart/ChartPropertyIds.h"
#include "framework/CmdUI.h"
#include "framework/CommandIds.h"
#include "framework/Hints.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "pages/DataViewGraph.h"
#include "pages/GraphChartBuilder.h"
#include "pages/GraphSliders.h"
#include "pages/MeasurementTool.h"
#include "pages/PESciEx.h"
#include "pages/SaveGraphImageDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using graphtest::Project;
using graphtest::Ramp;

namespace {
const float kNull = static_cast<float>(chart::kDefaultNullValue);

class FakeTool : public CMeasurementTool {
public:
    void SetFromPoint(CPESciEx&) override { ++from; }
    void SetToPoint(CPESciEx&) override { ++to; }
    void SetFromPoint(const MeasurementPoint&) override { ++from; }
    void SetToPoint(const MeasurementPoint&) override { ++to; }
    void DrawMarkers(CPESciEx&, QPainter&) override { ++draws; }
    void ScaleTimes(double factor) override { scale *= factor; }
    int from = 0, to = 0, draws = 0;
    double scale = 1;
};

class GraphPage : public ::testing::Test {
protected:
    void SetUp() override {
        page = std::make_unique<CDataViewGraph>();
        project.doc.AddView(page.get());
        page->resize(900, 600);
        page->show();
        Settle();
    }

    static void Settle() {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }
    // HINT_GRAPH_DATA as the tree's synchronisation sends it, and the event loop's turn.
    void Refresh() {
        project.doc.UpdateAllViews(nullptr, HINT_GRAPH_DATA);
        Settle();
    }
    void Select(CDataBlock* flight) { page->OnUpdate(nullptr, HINT_SELECTION, flight); }
    void Command(unsigned id) { ASSERT_TRUE(page->OnCmdMsg(id, nullptr)); }
    std::optional<bool> Enabled(unsigned id) {
        CCmdUI ui(id);
        if (!page->OnCmdMsg(id, &ui))
            return std::nullopt;
        return ui.GetEnabled();
    }
    CPESciEx& Chart() { return page->GetChart(); }
    float Cell(int property, int subset, int point) {
        float v = -1;
        EXPECT_TRUE(Chart().GetDataCell(property, subset, point, v));
        return v;
    }
    double One(int property) {
        double v = 0;
        EXPECT_EQ(Chart().GetVector(property, nullptr), 1U);
        static_cast<void>(Chart().GetVector(property, &v));
        return v;
    }
    std::vector<std::int32_t> Ints(int property) {
        std::vector<std::int32_t> v(Chart().GetVector(property, nullptr));
        static_cast<void>(Chart().GetVector(property, v.data()));
        return v;
    }
    template <typename W>
    W* Control(const char* name) {
        W* w = page->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString CoordinateLine() { return Control<QLabel>("static1066")->text(); }
    QPointF PlotPoint(double fx, double fy) {
        const QRectF plot = Chart().ScreenTransform().Plot();
        return {plot.left() + fx * plot.width(), plot.top() + fy * plot.height()};
    }
    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, Chart().mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&Chart(), &event);
    }
    void Drag(QPointF from, QPointF to) {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    std::pair<double, double> WindowX() { return {One(chart::kZoomMinX), One(chart::kZoomMaxX)}; }

    FakeUi ui;
    Project project{&ui};
    std::unique_ptr<CDataViewGraph> page;
};
} // namespace

TEST_F(GraphPage, SubsetsArePaddedColouredByPositionAndAnnotatedAcrossFlights) {
    CDataModule& session = project.AddSession();
    CDataBlock& a = project.AddFlight(session, "A", Ramp(10), 6000);
    CDataBlock& b = project.AddFlight(session, "B", Ramp(25), 6000);
    project.AddFlight(session, "hidden", Ramp(5), 1000, false);
    Project::Annotate(a, CAnnotation::kHorizontalLine, 0, 50, "base");
    Project::Annotate(a, CAnnotation::kDataPoint, 12, 15, "M1");
    Project::Annotate(b, CAnnotation::kDataPoint, 30, 20, "M2");
    Refresh();

    EXPECT_EQ(page->GetShownFlights(), (std::vector<CDataBlock*>{&a, &b}));
    EXPECT_EQ(Chart().GetInt(chart::kSubsetCount), 2);
    EXPECT_EQ(Chart().GetInt(chart::kPointsPerSubset), 25);
    EXPECT_FLOAT_EQ(Cell(chart::kXData, 0, 9), 0.9f); // minutes
    EXPECT_EQ(Cell(chart::kYData, 1, 24), 34.0f);
    EXPECT_EQ(Cell(chart::kXData, 0, 10), 0.0f); // padding
    EXPECT_EQ(Cell(chart::kYData, 0, 24), kNull);
    EXPECT_EQ(Chart().GetText(chart::kSubsetLabels), "A\tB\t");
    EXPECT_EQ(Ints(chart::kSubsetLineStyles), (std::vector<std::int32_t>{5, 5}));
    EXPECT_EQ(Ints(chart::kSubsetColours), (std::vector<std::int32_t>{0x00FF00, 0x0000FF}));
    // The point slots are numbered across the flights.
    const CChartPropertyStore& store = Chart().Store();
    ASSERT_EQ(store.Count(chart::kPointX), 2U);
    EXPECT_EQ(store.DoubleAt(chart::kPointX, 1), 0.5);
    EXPECT_EQ(store.TextAt(chart::kPointText, 1), "|c  M2");
    EXPECT_EQ(store.DoubleAt(chart::kHorzLineY, 0), 50.0);
    EXPECT_EQ(Chart().GetText(chart::kXAxisTitle), LoadString(str::TimeAxisMinutes));
    EXPECT_EQ(Chart().GetText(chart::kYAxisTitle), "Altitude [m]");

    // A colour changed in Graph Settings stays with its position; new positions cycle the table.
    const std::array<std::int32_t, 2> changed = {0x00FF00, 0x123456};
    Chart().SetVector(chart::kSubsetColours, std::span<const std::int32_t>(changed));
    for (int i = 0; i < 7; ++i)
        project.AddFlight(session, "more", Ramp(3));
    Refresh();
    const std::vector<std::int32_t> colours = Ints(chart::kSubsetColours);
    ASSERT_EQ(colours.size(), 9U);
    EXPECT_EQ(colours[1], 0x123456);
    EXPECT_EQ(colours[2], 0xFF0000);
    EXPECT_EQ(colours[8], 0x00FF00);
}

TEST_F(GraphPage, WithoutShownFlightsTheChartIsHiddenUntouchedAndItsCommandsOff) {
    project.AddFlight(project.AddSession(), "hidden", Ramp(5), 1000, false);
    const std::uint64_t generation = Chart().Store().Generation();
    Refresh();
    EXPECT_EQ(Chart().Store().Generation(), generation);
    EXPECT_TRUE(Control<QLabel>("static1010")->isVisible());
    EXPECT_FALSE(Chart().isVisible());
    EXPECT_FALSE(Control<QLabel>("static1066")->isVisible());
    for (unsigned id :
         {cmd::GraphSavePicture, cmd::GraphCopyPicture, cmd::EditCopy, cmd::GraphSettings,
          cmd::ZoomHorizontal, cmd::ZoomOut, cmd::ZoomAll, cmd::CursorNone, cmd::CursorNextSubset,
          cmd::GraphApplyOffsets, cmd::FilePrintSetup})
        EXPECT_EQ(Enabled(id), false) << id;
    EXPECT_EQ(Enabled(cmd::MeasurementMode), true);
    EXPECT_EQ(Enabled(cmd::FilePrint), true);
}

TEST_F(GraphPage, TheCoordinateLineReadsTheCursorOrTheMouse) {
    std::vector<std::uint16_t> raw = Ramp(20);
    raw[13] = 12344;
    CDataBlock& flight = project.AddFlight(project.AddSession(), "Flight 2", raw, 5000);
    Refresh();
    Command(cmd::CursorNone + chart::kCursorCrosshair);
    Chart().SetInt(chart::kCursorPoint, 13);
    Q_EMIT Chart().notify(chart::kNotifyCursorMoved);
    EXPECT_EQ(CoordinateLine(), QStringLiteral("[1 min 5.0 sec, 123.4 m] Flight 2"));

    Command(cmd::CursorNone + chart::kCursorXPoints);
    Q_EMIT Chart().notify(chart::kNotifyCursorMoved);
    EXPECT_EQ(CoordinateLine(), QString());
    const QPointF at = PlotPoint(0.5, 0.5);
    const QPointF value = Chart().ScreenTransform().ToValue(at.toPoint());
    Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(CoordinateLine().toStdString(),
              "[" + FormatSeconds(RoundTo(value.x() * 60, 10)) + ", " +
                  project.doc.FormatAltitude(RoundTo(value.y(), 10)) + "]");

    // Feet: the title, the unit beside the offset and the values follow the Options.
    Select(&flight);
    project.doc.SetShowFeet(1);
    project.doc.UpdateAllViews(nullptr, HINT_SETTINGS);
    Settle();
    EXPECT_EQ(Chart().GetText(chart::kYAxisTitle), "Altitude [feet]");
    EXPECT_EQ(Control<QLabel>("static1048")->text(), QStringLiteral("ft"));
    EXPECT_EQ(Cell(chart::kYData, 0, 13), 123.44f * CMainDoc::kFeetFactor);
}

TEST(GraphSliders, RangesWidenPastTheOffsetAndStepsAreWholeUnits) {
    struct Case {
        SliderSetup setup;
        SliderSetup expected;
    };
    const Case cases[] = {
        {TimeOffsetSlider(4000, 1000), {-3600, 4400, 1, 4000}},
        {TimeOffsetSlider(-12.7f, 2500), {-3600, 3600, 2, -12}},
        {TimeOffsetSlider(0, 500), {-3600, 3600, 1, 0}}, // a step of at least 1
        {TimeOffsetSlider(3e30f, 1000), {-3600, 2147483647, 1, 2147483647}},
        {AltitudeOffsetSlider(-1500), {-10000, 16500, 10, 15000}},
        {AltitudeOffsetSlider(2.5f), {-10000, 10000, 10, -25}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.setup.minimum, c.expected.minimum);
        EXPECT_EQ(c.setup.maximum, c.expected.maximum);
        EXPECT_EQ(c.setup.lineStep, c.expected.lineStep);
        EXPECT_EQ(c.setup.position, c.expected.position);
    }
}

TEST_F(GraphPage, OffsetsGoThroughTheEditsAndSlidersIntoTheFlightWithOneRebuildEach) {
    CDataModule& session = project.AddSession();
    CDataBlock& flight = project.AddFlight(session, "A", Ramp(100), 1000);
    project.AddFlight(session, "B", Ramp(100), 1000);
    Refresh();
    auto* check = Control<QCheckBox>("check1049");
    auto* timeEdit = Control<QLineEdit>("edit1043");
    auto* altitudeEdit = Control<QLineEdit>("edit1045");
    auto* timeSlider = Control<QSlider>("slider1042");
    EXPECT_FALSE(check->isEnabled());

    // Loading the controls for a newly selected flight changes nothing.
    project.doc.SetModifiedFlag(false);
    Select(&flight);
    EXPECT_TRUE(check->isEnabled());
    EXPECT_FALSE(timeEdit->isEnabled());
    EXPECT_FALSE(project.doc.IsModified());

    int rebuilds = page->GetRebuildCount();
    auto expectOneRebuild = [&] {
        EXPECT_EQ(page->GetRebuildCount(), rebuilds); // deferred, not at once
        Settle();
        EXPECT_EQ(page->GetRebuildCount(), ++rebuilds);
    };
    check->click();
    EXPECT_TRUE(timeEdit->isEnabled());
    EXPECT_TRUE(flight.IsPendingOffsetActive());
    EXPECT_TRUE(project.doc.IsModified());
    expectOneRebuild();

    timeEdit->setText(QStringLiteral("30"));
    Q_EMIT timeEdit->editingFinished();
    EXPECT_EQ(flight.GetPendingTimeOffset(), 30.0f);
    expectOneRebuild();
    EXPECT_EQ(Cell(chart::kXData, 0, 0), 0.5f);
    EXPECT_EQ(timeSlider->value(), 30);

    timeSlider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(timeEdit->text(), QStringLiteral("31"));
    EXPECT_EQ(flight.GetPendingTimeOffset(), 31.0f);
    expectOneRebuild();
    Control<QSlider>("slider1044")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(flight.GetPendingAltitudeOffset(), -1.0f);
    EXPECT_EQ(altitudeEdit->text(), QStringLiteral("-1"));
    expectOneRebuild();
    EXPECT_EQ(Cell(chart::kYData, 0, 0), 9.0f);

    // Committing what the flight holds already changes nothing and rebuilds nothing.
    project.doc.SetModifiedFlag(false);
    Q_EMIT altitudeEdit->editingFinished();
    Settle();
    EXPECT_EQ(page->GetRebuildCount(), rebuilds);
    EXPECT_FALSE(project.doc.IsModified());

    // Not a number: said so, and the flight keeps its offsets.
    timeEdit->setText(QStringLiteral("abc"));
    Q_EMIT timeEdit->editingFinished();
    ASSERT_EQ(ui.Messages().size(), 1U);
    EXPECT_EQ(ui.Messages()[0].text, LoadString(str::EnterNumber));
    EXPECT_EQ(flight.GetPendingTimeOffset(), 31.0f);
    EXPECT_EQ(timeEdit->text(), QStringLiteral("31"));
}

TEST_F(GraphPage, ZoomHistoryHoldsFiftyWindowsAndZoomOutStepsBackThroughThem) {
    project.AddFlight(project.AddSession(), "A", Ramp(1000), 1000);
    Refresh();
    EXPECT_EQ(Enabled(cmd::ZoomOut), false);
    std::vector<std::pair<double, double>> windows;
    for (int i = 0; i < 51; ++i) {
        Drag(PlotPoint(0.1, 0.5), PlotPoint(0.9, 0.5));
        windows.push_back(WindowX());
    }
    EXPECT_EQ(page->GetZoomLevel(), 50);
    EXPECT_EQ(Chart().GetInt(chart::kZoomedX), 1);
    for (int level = 50; level > 2; --level)
        Command(cmd::ZoomOut);
    EXPECT_EQ(WindowX(), windows[1]);
    Command(cmd::ZoomOut);
    EXPECT_EQ(page->GetZoomLevel(), 1);
    EXPECT_EQ(WindowX(), windows[0]);
    Command(cmd::ZoomOut); // at level 1: everything
    EXPECT_EQ(page->GetZoomLevel(), 0);
    EXPECT_EQ(WindowX().first, 0.0);
    EXPECT_NEAR(WindowX().second, 999.0 / 60.0, 1e-5);
    EXPECT_EQ(Enabled(cmd::ZoomOut), false);
}

TEST_F(GraphPage, TheSecondsSwitchConvertsTitleDataWindowAndHistory) {
    project.AddFlight(project.AddSession(), "A", Ramp(1000), 1000);
    Refresh();
    Drag(PlotPoint(0.1, 0.5), PlotPoint(0.9, 0.5));
    const auto first = WindowX();
    Drag(PlotPoint(0.1, 0.5), PlotPoint(0.9, 0.5));
    const auto second = WindowX();

    Control<QCheckBox>("check1067")->click();
    EXPECT_EQ(page->GetTimeDivisor(), 1);
    EXPECT_EQ(Chart().GetText(chart::kXAxisTitle), LoadString(str::TimeAxisSeconds));
    EXPECT_FLOAT_EQ(Cell(chart::kXData, 0, 7), 7.0f);
    EXPECT_DOUBLE_EQ(WindowX().first, second.first * 60);
    EXPECT_DOUBLE_EQ(WindowX().second, second.second * 60);
    EXPECT_FALSE(page->IsMeasuring());
    Command(cmd::ZoomOut);
    EXPECT_DOUBLE_EQ(WindowX().first, first.first * 60);

    Control<QCheckBox>("check1067")->click();
    EXPECT_EQ(Chart().GetText(chart::kXAxisTitle), LoadString(str::TimeAxisMinutes));
    EXPECT_DOUBLE_EQ(WindowX().second, first.second);
}

TEST_F(GraphPage, AFlightBeingRemovedIsOutOfReachAtOnceAndTheGraphRebuildsOnce) {
    CDataModule& session = project.AddSession();
    CDataBlock& a = project.AddFlight(session, "A", Ramp(10));
    CDataBlock& b = project.AddFlight(session, "B", Ramp(10));
    CDataBlock& c = project.AddFlight(session, "C", Ramp(10));
    CDataModule& other = project.AddSession();
    project.AddFlight(other, "D", Ramp(10));
    Refresh();
    Select(&b);
    const int rebuilds = page->GetRebuildCount();

    // One user action deletes two flights and a session.
    ASSERT_TRUE(session.RemoveFlight(&b, true, true, nullptr));
    ASSERT_TRUE(session.RemoveFlight(&c, true, true, nullptr));
    ASSERT_TRUE(project.doc.RemoveSession(&other, true, true, nullptr));
    EXPECT_EQ(page->GetShownFlights(), (std::vector<CDataBlock*>{&a, nullptr, nullptr, nullptr}));
    EXPECT_EQ(page->GetCurrentFlight(), nullptr);
    EXPECT_FALSE(Control<QCheckBox>("check1049")->isEnabled());
    // Until the rebuild the chart still shows them, but names and commands reach none.
    Command(cmd::CursorNone + chart::kCursorCrosshair);
    Chart().SetInt(chart::kCursorSubset, 1);
    Q_EMIT Chart().notify(chart::kNotifyCursorMoved);
    EXPECT_TRUE(CoordinateLine().endsWith(QStringLiteral("] ")));
    Command(cmd::GraphApplyOffsets);
    page->ResetAllOffsets();

    Settle();
    EXPECT_EQ(page->GetRebuildCount(), rebuilds + 1);
    EXPECT_EQ(page->GetShownFlights(), std::vector<CDataBlock*>{&a});
    EXPECT_EQ(Chart().GetInt(chart::kSubsetCount), 1);
}

TEST_F(GraphPage, ContextMenuListsTheCurrentFlightFirstAndSetsTheOriginAtThePoint) {
    CDataModule& session = project.AddSession();
    CDataBlock& a = project.AddFlight(session, "A", Ramp(600));
    CDataBlock& b = project.AddFlight(session, "B", Ramp(600));
    CDataBlock& unshown = project.AddFlight(session, "C", Ramp(600), 1000, false);
    Refresh();
    Select(&unshown);

    std::vector<QString> items;
    CDataViewGraph::Services services;
    services.runPopup = [&items](QMenu& menu, QPoint) -> QAction* {
        QMenu* annotations = menu.actions()[0]->menu();
        for (QAction* item : annotations->actions()[0]->menu()->actions()) {
            items.push_back(item->isSeparator() ? QStringLiteral("-") : item->text());
            EXPECT_FALSE(item->isEnabled() && !item->isSeparator()); // no annotation editor yet
        }
        for (QAction* item : menu.actions())
            if (item->data().toUInt() == cmd::GraphResetOffsets)
                return item;
        return nullptr;
    };
    page->SetServices(services);
    ASSERT_TRUE(a.SetPendingOffset(true, 5, 5));
    page->ShowContextMenu(Chart().mapToGlobal(PlotPoint(0.5, 0.5).toPoint()));
    EXPECT_EQ(items, (std::vector<QString>{"C", "-", "A", "B"}));
    EXPECT_FALSE(a.IsPendingOffsetActive());                  // Reset All Offsets was chosen
    page->ShowContextMenu(Chart().mapToGlobal(QPoint(1, 1))); // outside the plot: nothing
    EXPECT_EQ(items.size(), 4U);

    // Apply Offsets (Set [0,0]) at 125.04 s, 310.006 m, with both axes zoomed.
    Command(cmd::ZoomBoth);
    Settle();
    const double width = WindowX().second - WindowX().first;
    page->ApplyOffsetsAt(125.04, 310.006);
    for (CDataBlock* flight : {&a, &b}) {
        EXPECT_EQ(flight->GetAppliedTimeOffset(), -125.0f);
        EXPECT_EQ(flight->GetAppliedAltitudeOffset(), -310.01f);
    }
    EXPECT_DOUBLE_EQ(WindowX().first, -width / 2);
    EXPECT_DOUBLE_EQ(WindowX().second, width / 2);
    EXPECT_DOUBLE_EQ(One(chart::kZoomMinY), -One(chart::kZoomMaxY));

    // With an annotation editor the items work; an added annotation redraws the graph.
    std::vector<unsigned> asked;
    services.annotate = [&](CDataBlock& flight, unsigned base, double, double) {
        asked.push_back(base + (&flight == &unshown ? 0 : 1));
        return true;
    };
    services.runPopup = [](QMenu& menu, QPoint) -> QAction* {
        QAction* horizontal = menu.actions()[0]->menu()->actions()[1];
        return horizontal->menu()->actions()[0]; // the current flight, C
    };
    page->SetServices(services);
    const int rebuilds = page->GetRebuildCount();
    page->ShowContextMenu(Chart().mapToGlobal(PlotPoint(0.5, 0.5).toPoint()));
    EXPECT_EQ(asked, std::vector<unsigned>{cmd::AnnotationNewHorizontal});
    Settle();
    EXPECT_EQ(page->GetRebuildCount(), rebuilds + 1);
}

TEST_F(GraphPage, MeasurementModeDrawsALineWithoutZoomingAndFeedsTheTool) {
    project.AddFlight(project.AddSession(), "A", Ramp(300));
    FakeTool tool;
    bool open = false;
    CDataViewGraph::Services services;
    services.measurementTool = [&](bool create) -> CMeasurementTool* {
        open = open || create;
        return open ? &tool : nullptr;
    };
    page->SetServices(services);
    Refresh();
    const auto window = WindowX();

    Command(cmd::MeasurementMode);
    EXPECT_TRUE(page->IsMeasuring());
    EXPECT_EQ(Chart().GetInt(chart::kZoomOnDrag), 0);
    EXPECT_EQ(Chart().GetInt(chart::kDragAsLine), 1);
    EXPECT_EQ(Chart().GetInt(chart::kMoveDuringDrag), 1);
    EXPECT_EQ(Chart().GetInt(chart::kZoomStyle), 3);
    EXPECT_EQ(Enabled(cmd::ZoomHorizontal), false);

    Drag(PlotPoint(0.2, 0.2), PlotPoint(0.6, 0.7));
    EXPECT_EQ(tool.from, 1);
    EXPECT_EQ(tool.to, 1);
    EXPECT_TRUE(Chart().GetMarkerFlag());
    EXPECT_EQ(WindowX(), window);
    EXPECT_EQ(Chart().GetInt(chart::kZoomedX), 1); // the undo block put it back
    Chart().repaint();
    EXPECT_GE(tool.draws, 1);

    // The time unit switch converts the tool's times and leaves the mode as it was.
    Control<QCheckBox>("check1067")->click();
    EXPECT_EQ(tool.scale, 60.0);
    EXPECT_TRUE(page->IsMeasuring());
    Command(cmd::MeasurementMode);
    EXPECT_EQ(Chart().GetInt(chart::kZoomOnDrag), 1);
    EXPECT_EQ(Chart().GetInt(chart::kZoomStyle), 1);
}

TEST_F(GraphPage, InitialUpdateTakesTheProjectsChartSettingsAndTheFontRule) {
    ChartComponent stored;
    stored.SetText(chart::kMainTitle, "Stored");
    stored.SetText(chart::kLabelFont, "arial CE");
    stored.SetText(chart::kSubTitleFont, "Courier");
    stored.SetInt(chart::kZoomOnDrag, 0); // saved in measurement mode
    project.doc.GetChartState().SetData(stored.ExportSettings());
    project.AddFlight(project.AddSession(), "A", Ramp(10));
    page->OnInitialUpdate();
    EXPECT_TRUE(project.doc.GetChartState().IsEmpty());
    EXPECT_EQ(Chart().GetText(chart::kMainTitle), "Stored");
    EXPECT_EQ(Chart().GetText(chart::kLabelFont), "arial");
    EXPECT_EQ(Chart().GetText(chart::kSubTitleFont), "Courier");
    EXPECT_EQ(Chart().GetInt(chart::kZoomOnDrag), 1);
    Settle();
    EXPECT_EQ(Chart().GetInt(chart::kSubsetCount), 1);
    // Saving takes the chart's settings through the document's link.
    EXPECT_FALSE(page->ExportChartState().empty());

    ChartComponent chart;
    CGraphChartBuilder builder(chart);
    builder.Reset(true);
    EXPECT_EQ(chart.GetText(chart::kMainTitleFont), "Times New Roman CE");
    EXPECT_EQ(chart.GetText(chart::kLabelFont), "Arial CE");
    builder.ApplyInitialSettings(false);
    EXPECT_EQ(chart.GetText(chart::kMainTitleFont), "Times New Roman");
}

TEST_F(GraphPage, PictureDialogRemembersItsChoicesAndRefusesAbsurdSizes) {
    CSaveGraphImageDlg::Remembered() = {};
    {
        CSaveGraphImageDlg first(&ui);
        for (const char* name : {"radio1064", "radio1108", "radio1310"})
            EXPECT_TRUE(first.findChild<QRadioButton*>(QLatin1String(name))->isChecked()) << name;
        EXPECT_FALSE(first.findChild<QRadioButton*>(QStringLiteral("radio1109"))->isEnabled());
        EXPECT_FALSE(first.findChild<QRadioButton*>(QStringLiteral("radioPdf"))->isEnabled());
        auto* width = first.findChild<QLineEdit*>(QStringLiteral("edit1362"));
        EXPECT_EQ(width->text(), QStringLiteral("200"));
        EXPECT_FALSE(width->isEnabled());
    }
    // Each refusal shows the message and keeps the dialog open; 800 x 600 is taken.
    CSaveGraphImageDlg dialog(&ui);
    auto* height = dialog.findChild<QLineEdit*>(QStringLiteral("edit1123"));
    dialog.findChild<QRadioButton*>(QStringLiteral("radio1065"))->click();
    dialog.findChild<QRadioButton*>(QStringLiteral("radio1110"))->click();
    dialog.findChild<QRadioButton*>(QStringLiteral("radio1311"))->click();
    EXPECT_TRUE(height->isEnabled());
    dialog.findChild<QLineEdit*>(QStringLiteral("edit1362"))->setText(QStringLiteral("800"));
    for (const char* refused : {"0", "-3", "20001", "abc", ""}) {
        height->setText(QLatin1String(refused));
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << refused;
    }
    EXPECT_EQ(ui.Messages().size(), 5U);
    EXPECT_EQ(ui.Messages().back().text, LoadString(str::PictureSizeRefused));
    height->setText(QStringLiteral("600"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // The next dialog of the run offers the same; Cancel changes nothing.
    CSaveGraphImageDlg again(&ui);
    EXPECT_TRUE(again.findChild<QRadioButton*>(QStringLiteral("radio1065"))->isChecked());
    EXPECT_TRUE(again.findChild<QRadioButton*>(QStringLiteral("radio1110"))->isChecked());
    EXPECT_EQ(again.findChild<QLineEdit*>(QStringLiteral("edit1123"))->text(),
              QStringLiteral("600"));
    again.reject();
    EXPECT_EQ(CSaveGraphImageDlg::Remembered().height, 600);
    CSaveGraphImageDlg::Remembered() = {};
}

TEST_F(GraphPage, SavePictureWritesTheChosenFileOrSaysWhyItCouldNot) {
    project.AddFlight(project.AddSession(), "A", Ramp(10));
    Refresh();
    CSaveGraphImageDlg::Remembered() = {CSaveGraphImageDlg::kFile, CSaveGraphImageDlg::kPng,
                                        CSaveGraphImageDlg::kSpecificSize, 320, 240};
    CDataViewGraph::Services services;
    int dialogs = 0;
    services.runDialog = [&dialogs](QDialog& dialog) {
        ++dialogs;
        dialog.accept();
        return dialog.result();
    };
    page->SetServices(std::move(services));
    QTemporaryDir dir;
    const std::string png = dir.filePath(QStringLiteral("graph.png")).toStdString();
    const std::string missing = dir.filePath(QStringLiteral("no/such/graph.png")).toStdString();
    ui.QueueSaveFile(png);
    ui.QueueSaveFile(missing);
    ui.QueueSaveFile(std::nullopt);
    for (int i = 0; i < 3; ++i)
        Command(cmd::GraphSavePicture);
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(320, 240));
    ASSERT_EQ(ui.Messages().size(), 1U);
    EXPECT_NE(ui.Messages()[0].text.find(missing), std::string::npos);
    EXPECT_NE(ui.Messages()[0].text.find("No such file"), std::string::npos);
    CSaveGraphImageDlg::Remembered() = {};
}
