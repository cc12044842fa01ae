// The Graph page end to end in the real main window: open a project, tick flights, zoom, Zoom Out,
// the crosshair and the context menu; measure with the measurement pane, annotate from the
// context menu. With KUBO_SCREENSHOT set, the window is saved there.
#include "calc/DataViewTrack.h"
#include "calc/ModalScript.h"
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/CommandIds.h"
#include "pages/DataViewGraph.h"
#include "pages/DataViewInfo.h"
#include "pages/PESciEx.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"
#include "shell/MainDocFiles.h"
#include "shell/ProjectPanes.h"
#include "shell/QtUiServices.h"
#include "shell/TreeCtrlEx.h"
#include "shell/ViewTree.h"
#include "text/RichEditorView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {
// A soaring flight as the altimeter records it: the default formulas' raw pressure numbers for
// a tow, thermals climbed in circles, glides between them and the landing; a sample a second.
std::unique_ptr<CDataBlock> SoaringFlight(const std::string& name, std::uint32_t seed,
                                          int minutes) {
    constexpr std::uint16_t kReference = 13500;
    const double pr = kReference / 147.456 + 10.555555;
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::uniform_real_distribution<double> lift(0.8, 3.2);
    std::vector<std::uint16_t> raw;
    const int total = minutes * 60;
    double h = 0;
    double rate = 5.5; // the tow
    int phase = 110;
    bool climbing = true;
    for (int t = 0; t < total; ++t) {
        if (--phase <= 0) {
            climbing = !climbing && t < total - 500;
            rate = climbing ? lift(rng) : -0.9 - 0.4 * std::abs(noise(rng));
            phase =
                climbing ? 60 + static_cast<int>(rng() % 180) : 80 + static_cast<int>(rng() % 160);
        }
        double step = rate + 0.4 * noise(rng);
        if (climbing && t > 110)
            step += 2.5 * std::sin(t * 2 * 3.14159265 / 24); // circling through the thermal
        if (t > total - 240)
            step = -h / std::max(1, total - t - 20);
        h = std::max(0.0, h + step);
        const double pa = pr * std::exp(-h / (29.153 * 293));
        raw.push_back(static_cast<std::uint16_t>(std::lround((pa - 10.555555) * 147.456)));
    }
    auto flight = std::make_unique<CDataBlock>();
    flight->SetName(name, false, nullptr);
    flight->SetReferenceRaw(kReference);
    flight->SetSampleRate(1000);
    flight->SetPressureFormula(CMainDoc::kBuiltInPressureFormula);
    flight->SetAltitudeFormula(CMainDoc::kBuiltInAltitudeFormula);
    flight->GetRawSamples() = std::move(raw);
    for (int m = 1; m <= 2; ++m) {
        auto marker = std::make_unique<CAnnotation>();
        marker->m_nKind = CAnnotation::kDataPoint;
        marker->m_nStyle = 15;
        marker->m_nAlignment = 1;
        marker->m_bBoundToData = true;
        marker->m_dTime = total * m / 3.0;
        marker->m_strText = "M" + std::to_string(m);
        flight->AppendAnnotation(std::move(marker));
    }
    return flight;
}

std::string WriteProject(const QTemporaryDir& dir) {
    CMainDoc doc;
    const int sessions[] = {2, 1}; // flights in each
    int number = 0;
    for (int flights : sessions) {
        auto session = std::make_unique<CDataModule>(&doc);
        for (int f = 0; f < flights; ++f, ++number)
            session->AppendFlight(
                SoaringFlight("Flight " + std::to_string(number + 1), 7 + number, 28 + 6 * number));
        doc.GetSessions().AddTail(std::move(session));
    }
    auto base = std::make_unique<CAnnotation>();
    base->m_nKind = CAnnotation::kHorizontalLine;
    base->m_nStyle = 1;
    base->m_nAlignment = 3;
    base->m_dAltitude = 1000;
    base->m_crColour = 0x00A00000;
    base->m_strText = "Cloud base";
    doc.GetSessions().GetHead()->GetFlights().GetHead()->AppendAnnotation(std::move(base));
    const std::string path = dir.filePath(QStringLiteral("season.qlg")).toStdString();
    EXPECT_TRUE(doc.OnSaveDocument(path));
    return path;
}

void Settle() {
    for (int i = 0; i < 6; ++i)
        QCoreApplication::processEvents();
}

struct GraphEndToEnd : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        app = std::make_unique<CMainApp>(doc, files, MakeProjectPanes(doc));
        ASSERT_TRUE(app->InitInstance(QString()));
        ui.SetMainWindow(app->GetMainFrame());
        tree = qobject_cast<CViewTree*>(app->GetMainFrame()->GetTreeView());
        page = qobject_cast<CDataViewGraph*>(app->GetMainFrame()->GetGraphPage());
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override {
        doc.SetModifiedFlag(false);
        app.reset();
    }
    QTreeWidgetItem* FlightItem(int session, int flight) {
        return tree->GetTreeCtrl().topLevelItem(session)->child(flight);
    }
    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        CPESciEx& chart = page->GetChart();
        QMouseEvent event(type, at, chart.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
    QPointF PlotPoint(double fx, double fy) {
        const QRectF plot = page->GetChart().ScreenTransform().Plot();
        return {plot.left() + fx * plot.width(), plot.top() + fy * plot.height()};
    }
    void ZoomDrag(double from, double to) {
        Mouse(QEvent::MouseButtonPress, PlotPoint(from, 0.5), Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, PlotPoint(to, 0.6), Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, PlotPoint(to, 0.6), Qt::LeftButton, Qt::NoButton);
    }

    QTemporaryDir dir;
    CQtUiServices ui;
    CMainDoc doc{&ui};
    CMainDocFiles files{doc};
    std::unique_ptr<CMainApp> app;
    CViewTree* tree = nullptr;
    CDataViewGraph* page = nullptr;
};
} // namespace

TEST_F(GraphEndToEnd, OpenTickZoomCrosshairAndContextMenu) {
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(WriteProject(dir))));
    CMainFrame& frame = *app->GetMainFrame();
    ASSERT_TRUE(frame.ExecuteCommand(cmd::ViewGraphPage));
    Settle();
    EXPECT_FALSE(page->IsChartVisible());

    // Ticking two flights at once: one synchronisation, one rebuild.
    int rebuilds = page->GetRebuildCount();
    tree->GetTreeCtrl().SetCheck(FlightItem(0, 0), 1);
    tree->GetTreeCtrl().SetCheck(FlightItem(1, 0), 1);
    Settle();
    EXPECT_EQ(page->GetRebuildCount(), rebuilds + 1);
    ASSERT_EQ(page->GetShownFlights().size(), 2U);
    EXPECT_EQ(page->GetChart().GetInt(chart::kSubsetCount), 2);
    EXPECT_TRUE(doc.IsModified());
    tree->GetTreeCtrl().expandAll();
    tree->GetTreeCtrl().SetItemSelection(FlightItem(1, 0), true, true, true);
    Settle();
    EXPECT_EQ(page->GetRebuildCount(), rebuilds + 1); // already shown: nothing to draw anew
    EXPECT_EQ(page->GetCurrentFlight(), page->GetShownFlights()[1]);

    // Zoom twice, then Zoom Out back to the first zoom.
    ZoomDrag(0.15, 0.75);
    const double firstMax = page->GetChart().Store().DoubleAt(chart::kZoomMaxX, 0);
    ZoomDrag(0.1, 0.9);
    EXPECT_EQ(page->GetZoomLevel(), 2);
    ASSERT_TRUE(frame.ExecuteCommand(cmd::ZoomOut));
    EXPECT_EQ(page->GetChart().Store().DoubleAt(chart::kZoomMaxX, 0), firstMax);

    // The crosshair on the second flight reads its name on the coordinate line.
    ASSERT_TRUE(frame.ExecuteCommand(cmd::CursorNone + chart::kCursorCrosshair));
    ASSERT_TRUE(frame.ExecuteCommand(cmd::CursorNextSubset));
    page->GetChart().SetInt(chart::kCursorPoint, 900);
    QTest::keyClick(&page->GetChart(), Qt::Key_Right);
    const auto* line = page->findChild<QLabel*>(QStringLiteral("static1066"));
    EXPECT_TRUE(line->text().endsWith(QStringLiteral("] Flight 3"))) << line->text().toStdString();

    // The right button opens the context menu (the screenshot shows it over the window).
    QImage shot;
    rebuilds = page->GetRebuildCount();
    QStringList menuItems;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            menuItems << action->text();
        shot = frame.grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap(frame.mapFromGlobal(menu->pos()), menu->grab());
        painter.end();
        menu->close();
    });
    Mouse(QEvent::MouseButtonPress, PlotPoint(0.55, 0.35), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(menuItems, (QStringList{"New Annotation", "Edit Annotations", "",
                                      "&Apply Offsets (Set [0,0])", "&Reset All Offsets"}));
    EXPECT_EQ(page->GetRebuildCount(), rebuilds);
    if (qEnvironmentVariableIsSet("KUBO_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(qEnvironmentVariable("KUBO_SCREENSHOT")));
    }

    // Deleting the selected flight in the tree: it leaves the graph with one rebuild.
    rebuilds = page->GetRebuildCount();
    ASSERT_TRUE(frame.ExecuteCommand(cmd::EditDelete));
    Settle();
    EXPECT_EQ(page->GetRebuildCount(), rebuilds + 1);
    EXPECT_EQ(page->GetShownFlights().size(), 1U);
}

TEST_F(GraphEndToEnd, MeasureCopyToInfoAndAnnotateFromTheContextMenu) {
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(WriteProject(dir))));
    CMainFrame& frame = *app->GetMainFrame();
    ASSERT_TRUE(frame.ExecuteCommand(cmd::ViewGraphPage));
    tree->GetTreeCtrl().SetCheck(FlightItem(0, 0), 1);
    tree->GetTreeCtrl().expandAll();
    tree->GetTreeCtrl().SetItemSelection(FlightItem(0, 0), true, true, true);
    Settle();
    CPESciEx& chart = page->GetChart();
    auto valueAt = [&chart](QPoint pixel) {
        double x = 0;
        double y = 0;
        static_cast<void>(
            chart.PixelToGraph(pixel.rx(), pixel.ry(), x, y, PixelDirection::ToValue));
        return std::pair{x, y};
    };

    // A drag in measurement mode opens the pane: From where it started, To where it ended.
    ASSERT_EQ(frame.GetTrackPane(false), nullptr);
    ASSERT_TRUE(frame.ExecuteCommand(cmd::MeasurementMode));
    const QPoint from = PlotPoint(0.2, 0.8).toPoint();
    const QPoint to = PlotPoint(0.6, 0.3).toPoint();
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, PlotPoint(0.4, 0.5), Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    auto* pane = dynamic_cast<CDataViewTrack*>(frame.GetTrackPane(false));
    ASSERT_NE(pane, nullptr);
    EXPECT_DOUBLE_EQ(pane->GetFrom().time, valueAt(from).first);
    EXPECT_DOUBLE_EQ(pane->GetFrom().altitude, valueAt(from).second);
    EXPECT_DOUBLE_EQ(pane->GetTo().time, valueAt(to).first);
    EXPECT_DOUBLE_EQ(pane->GetTo().altitude, valueAt(to).second);
    // The crosses are drawn over the chart once the drag has ended.
    const QImage drawn = chart.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(from + QPoint(5, 0)), QColor(255, 0, 0));
    EXPECT_EQ(drawn.pixelColor(to + QPoint(0, -5)), QColor(255, 0, 0));

    // The seconds switch: the same instants in the other unit, the same texts.
    auto text = [pane](int id) {
        return pane->findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id))->text();
    };
    const QString fromText = text(1052);
    const QString deltaText = text(1056);
    const double fromSeconds = pane->GetFrom().time * page->GetTimeDivisor();
    page->findChild<QCheckBox*>(QStringLiteral("check1067"))->click();
    EXPECT_NEAR(pane->GetFrom().time * page->GetTimeDivisor(), fromSeconds, 1e-9);
    EXPECT_EQ(text(1052), fromText);
    EXPECT_EQ(text(1056), deltaText);
    EXPECT_TRUE(page->IsMeasuring());

    // "Copy to Info" types the summary into the selected flight's session comments.
    auto* info = dynamic_cast<CDataViewInfo*>(frame.GetInfoPage());
    ASSERT_NE(info, nullptr);
    pane->findChild<QPushButton*>(QStringLiteral("button1013"))->click();
    const QString summary = QString::fromStdString(pane->BuildSummary()).trimmed();
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Measurement: [") + fromText));
    EXPECT_TRUE(info->Editor().toPlainText().contains(summary));

    // Right-click, New Annotation > Data Point > the selected flight, OK: a data point at the
    // clicked place, and the graph drawn anew with it.
    CDataBlock& flight = *page->GetShownFlights().at(0);
    const auto before = flight.GetAnnotations().GetCount();
    const QPoint clicked = PlotPoint(0.5, 0.5).toPoint();
    const auto [x, metres] = valueAt(clicked);
    const double seconds = x * page->GetTimeDivisor();
    doc.SetModifiedFlag(false);
    const int rebuilds = page->GetRebuildCount();
    QTimer::singleShot(0, [] {
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
            QTest::keyClick(QApplication::activePopupWidget(), key);
    });
    OnNextModal([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("edit1006"))->setText(QStringLiteral("Top"));
        qobject_cast<QDialog*>(dialog)->accept();
    });
    Mouse(QEvent::MouseButtonPress, clicked, Qt::RightButton, Qt::RightButton);
    ASSERT_EQ(flight.GetAnnotations().GetCount(), before + 1);
    const CAnnotation& added = *flight.GetAnnotations().GetTail();
    EXPECT_EQ(added.m_nKind, CAnnotation::kDataPoint);
    EXPECT_EQ(added.m_strText, "Top");
    EXPECT_NEAR(added.m_dTime, seconds, 0.05);
    EXPECT_NEAR(added.m_dAltitude, metres, 0.005);
    EXPECT_TRUE(doc.IsModified());
    Settle();
    EXPECT_EQ(page->GetRebuildCount(), rebuilds + 1);
}

// Without a mouse: + zooms into the middle half as a drag would (Zoom Out comes back), and in
// measurement mode Enter takes From, then To, at the data cursor.
TEST_F(GraphEndToEnd, ZoomAndMeasureFromTheKeyboard) {
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(WriteProject(dir))));
    CMainFrame& frame = *app->GetMainFrame();
    ASSERT_TRUE(frame.ExecuteCommand(cmd::ViewGraphPage));
    tree->GetTreeCtrl().SetCheck(FlightItem(0, 0), 1);
    Settle();
    CPESciEx& chart = page->GetChart();
    const double all =
        chart.ScreenTransform().Window().xMax - chart.ScreenTransform().Window().xMin;
    QTest::keyClick(&chart, Qt::Key_Plus);
    const ChartWindow zoomed = chart.ScreenTransform().Window();
    EXPECT_NEAR(zoomed.xMax - zoomed.xMin, all / 2, all / 100);
    EXPECT_EQ(page->GetZoomLevel(), 1);
    ASSERT_TRUE(frame.ExecuteCommand(cmd::ZoomOut));
    EXPECT_EQ(page->GetZoomLevel(), 0);

    ASSERT_TRUE(frame.ExecuteCommand(cmd::CursorNone + chart::kCursorXPoints));
    ASSERT_TRUE(frame.ExecuteCommand(cmd::MeasurementMode));
    const auto cursorTime = [&chart] {
        float x = 0;
        EXPECT_TRUE(chart.GetDataCell(chart::kXData, chart.GetInt(chart::kCursorSubset),
                                      chart.GetInt(chart::kCursorPoint), x));
        return static_cast<double>(x);
    };
    chart.SetInt(chart::kCursorPoint, 100);
    QTest::keyClick(&chart, Qt::Key_Return);
    const double from = cursorTime();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&chart, Qt::Key_Right);
    QTest::keyClick(&chart, Qt::Key_Return);
    auto* pane = dynamic_cast<CDataViewTrack*>(frame.GetTrackPane(false));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetFrom().time, from);
    EXPECT_EQ(pane->GetTo().time, cursorTime());
    EXPECT_GT(pane->GetTo().time, from);
    EXPECT_TRUE(chart.GetMarkerFlag());
}
