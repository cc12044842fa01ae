// chart-demo: three synthetic flights in the chart component, with annotations of every kind.
// Keys: 0-5 cursor mode, Z all, X zoom style, M measurement, S settings, P print, C copy,
// E save chart-demo.png/.svg/.pdf, arrows/Home/End/PgUp/PgDn data cursor.
#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartStyles.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>

#include <cmath>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {
struct Flight {
    std::string name;
    std::vector<float> minutes;
    std::vector<float> metres;
};

// A winch launch, thermals and a glide home, sampled every `period` seconds.
Flight MakeFlight(const std::string& name, double durationMin, double period, double ground,
                  double peak, unsigned seed) {
    Flight f{name, {}, {}};
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 0.6);
    double drift = 0;
    const auto samples = static_cast<std::size_t>(durationMin * 60.0 / period);
    // Soaring until three quarters of the flight, then a glide down to the field.
    auto soaring = [&](double t) {
        const double u = t / durationMin;
        return ground + peak * 0.35 + (peak * 0.65) * std::pow(std::sin((u - 0.02) * 2.2), 2) +
               60 * std::sin(t * 1.7) + 25 * std::sin(t * 5.3);
    };
    const double glideStart = 0.75 * durationMin;
    const double topOfGlide = soaring(glideStart);
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) * period / 60.0; // minutes
        double alt;
        if (t < 1.0)
            alt = ground + (peak * 0.35) * std::sin(t * M_PI / 2); // launch
        else if (t < glideStart)
            alt = soaring(t);
        else {
            const double g = (t - glideStart) / (durationMin - glideStart);
            alt = topOfGlide + (ground - topOfGlide) * g + 30 * std::sin(t * 2.1) * (1 - g);
        }
        drift = 0.98 * drift + noise(rng);
        f.minutes.push_back(static_cast<float>(t));
        f.metres.push_back(static_cast<float>(std::max(alt + drift, ground - 2)));
    }
    return f;
}

void Fill(ChartComponent& chart, const std::vector<Flight>& flights) {
    const float null = static_cast<float>(chart::kDefaultNullValue);
    std::size_t points = 0;
    std::string labels;
    for (const Flight& f : flights) {
        points = std::max(points, f.minutes.size());
        labels += f.name + '\t';
    }
    std::vector<float> x, y;
    std::vector<std::int32_t> styles, colours;
    for (std::size_t s = 0; s < flights.size(); ++s) {
        const Flight& f = flights[s];
        for (std::size_t i = 0; i < points; ++i) {
            x.push_back(i < f.minutes.size() ? f.minutes[i] : 0.0f);
            y.push_back(i < f.metres.size() ? f.metres[i] : null);
        }
        styles.push_back(chart::kMediumSolid);
        colours.push_back(chart::DefaultSubsetColour(static_cast<int>(s)));
    }
    const double nullValue = chart::kDefaultNullValue;
    chart.SetVector(chart::kNullYValue, std::span<const double>(&nullValue, 1));
    chart.SetVector(chart::kNullXValue, std::span<const double>(&nullValue, 1));
    chart.SetInt(chart::kSubsetCount, static_cast<int>(flights.size()));
    chart.SetInt(chart::kPointsPerSubset, static_cast<int>(points));
    chart.SetVector(chart::kSubsetLabels, labels);
    chart.SetVector(chart::kSubsetLineStyles, std::span<const std::int32_t>(styles));
    chart.SetVector(chart::kSubsetColours, std::span<const std::int32_t>(colours));
    chart.SetVector(chart::kXData, std::span<const float>(x));
    chart.SetVector(chart::kYData, std::span<const float>(y));
}

void Annotate(ChartComponent& chart, const Flight& first) {
    CChartCells& cells = chart;
    cells.SetCellDouble(chart::kHorzLineY, 0, 1500);
    cells.SetCellInt(chart::kHorzLineStyle, 0, chart::kDashed);
    cells.SetCellInt(chart::kHorzLineColour, 0, 0x0000C0);
    cells.SetCellInt(chart::kHorzLineAxis, 0, 0);
    cells.SetCellText(chart::kHorzLineText, 0, "|r  Airspace FL 50");
    cells.SetCellDouble(chart::kHorzLineY, 1, 420);
    cells.SetCellInt(chart::kHorzLineStyle, 1, chart::kThinSolid);
    cells.SetCellInt(chart::kHorzLineColour, 1, 0x006040);
    cells.SetCellText(chart::kHorzLineText, 1, "|l  Airfield");

    cells.SetCellDouble(chart::kVertLineX, 0, 1.0);
    cells.SetCellInt(chart::kVertLineStyle, 0, chart::kDotted);
    cells.SetCellInt(chart::kVertLineColour, 0, 0x804000);
    cells.SetCellText(chart::kVertLineText, 0, "|t  Release");
    cells.SetCellDouble(chart::kVertLineX, 1, 40.0);
    cells.SetCellInt(chart::kVertLineStyle, 1, chart::kDashDot);
    cells.SetCellInt(chart::kVertLineColour, 1, 0x800080);
    cells.SetCellText(chart::kVertLineText, 1, "|H  Final glide");

    const std::size_t marks[] = {first.minutes.size() / 4, first.minutes.size() / 2};
    for (int i = 0; i < 2; ++i) {
        const std::size_t at = marks[i];
        cells.SetCellDouble(chart::kPointX, i, first.minutes[at]);
        cells.SetCellDouble(chart::kPointY, i, first.metres[at]);
        cells.SetCellInt(chart::kPointSymbol, i, i == 0 ? 15 : 10);
        cells.SetCellInt(chart::kPointColour, i, 0);
        cells.SetCellText(chart::kPointText, i, i == 0 ? "|l  M1" : "|c  Best climb");
    }
}

void ApplyMeasurement(ChartComponent& chart, bool on, int zoomStyle) {
    chart.SetInt(chart::kZoomStyle, on ? 3 : zoomStyle);
    chart.SetInt(chart::kZoomOnDrag, on ? 0 : 1);
    chart.SetInt(chart::kDragAsLine, on ? 1 : 0);
    chart.SetInt(chart::kMoveDuringDrag, on ? 1 : 0);
    chart.SetInt(chart::kClickPlacesCursor, 0);
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kubo chart demo"));
    auto* chart = new ChartComponent(&window);
    window.setCentralWidget(chart);
    auto* status = new QLabel(&window);
    window.statusBar()->addWidget(status, 1);

    const std::vector<Flight> flights = {
        MakeFlight("Flight 1", 52, 1.0, 410, 1550, 1),
        MakeFlight("Flight 2", 38, 0.5, 405, 1200, 2),
        MakeFlight("Flight 3 (20 Hz)", 45, 0.05, 400, 1350, 3),
    };
    chart->SetText(chart::kMainTitle, "Gliding day at the club field");
    std::string counts;
    for (const Flight& f : flights)
        counts += (counts.empty() ? "" : " + ") + std::to_string(f.minutes.size());
    chart->SetText(chart::kSubTitle, "three flights, " + counts + " samples");
    chart->SetText(chart::kXAxisTitle, "Time [min]");
    chart->SetText(chart::kYAxisTitle, "Altitude [m]");
    chart->SetText(chart::kMainTitleFont, "Times New Roman");
    chart->SetText(chart::kSubTitleFont, "Times New Roman");
    chart->SetText(chart::kLabelFont, "Arial");
    chart->SetInt(chart::kDeskColour, chart::ToColorRef(window.palette().window().color()));
    chart->SetInt(chart::kGraphBackColour, 0xFFFFFF);
    chart->SetInt(chart::kCursorMode, chart::kCursorFloatingXY);
    Fill(*chart, flights);
    Annotate(*chart, flights.front());
    chart->Reinitialize();

    int zoomStyle = 1;
    bool measuring = false;
    std::vector<std::uint8_t> undo;
    QPointF from;
    auto where = [chart](QPoint p) {
        int px = p.x(), py = p.y();
        double x = 0, y = 0;
        const bool inside = chart->PixelToGraph(px, py, x, y, PixelDirection::ToValue);
        return std::pair{QPointF(x, y), inside};
    };
    QObject::connect(chart, &ChartComponent::notify, [&](int code) {
        const auto [v, inside] = where(chart->mapFromGlobal(QCursor::pos()));
        switch (code) {
        case chart::kNotifyMouseMoved:
            if (measuring && (QApplication::mouseButtons() & Qt::LeftButton))
                status->setText(QStringLiteral("Measuring [%1 min, %2 m] -> [%3 min, %4 m]")
                                    .arg(from.x(), 0, 'f', 2)
                                    .arg(from.y(), 0, 'f', 1)
                                    .arg(v.x(), 0, 'f', 2)
                                    .arg(v.y(), 0, 'f', 1));
            else if (inside)
                status->setText(
                    QStringLiteral("[%1 min, %2 m]").arg(v.x(), 0, 'f', 2).arg(v.y(), 0, 'f', 1));
            break;
        case chart::kNotifyCursorMoved: {
            float x = 0, y = 0;
            const int s = chart->GetInt(chart::kCursorSubset);
            const int p = chart->GetInt(chart::kCursorPoint);
            if (chart->GetDataCell(chart::kXData, s, p, x) &&
                chart->GetDataCell(chart::kYData, s, p, y))
                status->setText(QStringLiteral("Cursor: subset %1 point %2 [%3 min, %4 m]")
                                    .arg(s + 1)
                                    .arg(p)
                                    .arg(x, 0, 'f', 2)
                                    .arg(y, 0, 'f', 1));
            break;
        }
        case chart::kNotifyDragStarted:
            if (measuring) {
                from = v;
                undo = chart->ExportSettings();
            }
            break;
        case chart::kNotifyDragFinished:
            if (measuring) {
                static_cast<void>(chart->ImportSettings(undo));
                chart->Reinitialize();
            } else {
                chart->SetInt(chart::kZoomedY, chart->GetInt(chart::kZoomStyle) == 3 ? 1 : 0);
                chart->SetInt(chart::kZoomedX, 1);
            }
            break;
        case chart::kNotifySettingsChanged:
            status->setText(QStringLiteral("Settings changed"));
            break;
        default:
            break;
        }
    });
    QObject::connect(chart, &ChartComponent::contextMenuRequested, [&](QPoint global) {
        QMenu menu;
        menu.addAction(QStringLiteral("Zoom &All"), [chart] {
            chart->SetInt(chart::kZoomedX, 0);
            chart->SetInt(chart::kZoomedY, 0);
            chart->Reinitialize();
        });
        menu.addAction(QStringLiteral("&Copy Picture"),
                       [chart] { static_cast<void>(chart->CopyBitmap(chart->size())); });
        menu.addAction(QStringLiteral("Graph Settings..."),
                       [chart] { chart->ShowCustomizeDialog(); });
        menu.exec(global);
    });

    auto key = [&](const QKeySequence& seq, auto action) {
        auto* shortcut = new QShortcut(seq, &window);
        QObject::connect(shortcut, &QShortcut::activated, action);
    };
    for (int mode = 0; mode <= 5; ++mode)
        key(QKeySequence(Qt::Key_0 + mode), [chart, mode, status] {
            chart->SetInt(chart::kCursorMode, mode);
            chart->Reinitialize();
            status->setText(QStringLiteral("Cursor mode %1").arg(mode));
        });
    key(QKeySequence(Qt::Key_X), [&] {
        zoomStyle = zoomStyle == 1 ? 3 : 1;
        ApplyMeasurement(*chart, measuring, zoomStyle);
        status->setText(zoomStyle == 1 ? QStringLiteral("Horizontal zoom only")
                                       : QStringLiteral("Horizontal and vertical zoom"));
    });
    key(QKeySequence(Qt::Key_M), [&] {
        measuring = !measuring;
        ApplyMeasurement(*chart, measuring, zoomStyle);
        status->setText(measuring ? QStringLiteral("Measurement mode: drag between two points")
                                  : QStringLiteral("Zoom mode"));
    });
    key(QKeySequence(Qt::Key_S), [chart] { chart->ShowCustomizeDialog(); });
    key(QKeySequence(Qt::Key_P), [chart] { chart->PrintGraph(); });
    key(QKeySequence(Qt::Key_C), [chart] { static_cast<void>(chart->CopyBitmap(chart->size())); });
    key(QKeySequence(Qt::Key_E), [chart, status] {
        const QSize size = chart->size();
        const bool ok =
            chart->SavePngFile(size, QStringLiteral("chart-demo.png")) == PictureResult::Done &&
            chart->SaveMetafileFile(size, QStringLiteral("chart-demo.svg")) ==
                PictureResult::Done &&
            chart->SavePdfFile(size, QStringLiteral("chart-demo.pdf")) == PictureResult::Done;
        status->setText(ok ? QStringLiteral("Saved chart-demo.png, .svg and .pdf")
                           : QStringLiteral("Saving failed"));
    });
    status->setText(QStringLiteral("0-5 cursor mode · Z all · X zoom style · M measure · "
                                   "S settings · P print · C copy · E export"));
    window.resize(1100, 680);
    window.show();
    chart->setFocus();
    return QApplication::exec();
}
