// Chart drawing: 10 subsets × 1 M points at 1920×1080 — building the min/max pyramids, one
// redraw into an image, and Qt Charts (QChartView + QLineSeries) drawing the same points.
#include "chart/ChartComponent.h"
#include "chart/ChartData.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <span>
#include <vector>

namespace {
constexpr int kSubsets = 10;
constexpr int kPoints = 1'000'000;
const QSize kSize(1920, 1080);

struct Data {
    std::vector<float> x, y;
};

const Data& Points() {
    static const Data data = [] {
        Data d;
        d.x.reserve(static_cast<std::size_t>(kSubsets) * kPoints);
        d.y.reserve(d.x.capacity());
        std::mt19937 rng(42);
        std::normal_distribution<float> step(0.0f, 1.0f);
        for (int s = 0; s < kSubsets; ++s) {
            float v = 400.0f + 50.0f * static_cast<float>(s);
            for (int i = 0; i < kPoints; ++i) {
                v += step(rng);
                d.x.push_back(static_cast<float>(i) * 0.05f); // 20 samples a second
                d.y.push_back(v);
            }
        }
        return d;
    }();
    return data;
}

void Load(ChartComponent& chart) {
    const Data& d = Points();
    chart.SetInt(chart::kSubsetCount, kSubsets);
    chart.SetInt(chart::kPointsPerSubset, kPoints);
    chart.SetVector(chart::kXData, std::span<const float>(d.x));
    chart.SetVector(chart::kYData, std::span<const float>(d.y));
    chart.SetText(chart::kMainTitle, "Benchmark");
    chart.SetText(chart::kXAxisTitle, "Time [min]");
    chart.SetText(chart::kYAxisTitle, "Altitude [m]");
    chart.resize(kSize);
    chart.Reinitialize();
}

void BM_QtChartsRedraw(benchmark::State& state) {
    const Data& d = Points();
    auto* chart = new QChart; // owned by the view
    chart->legend()->hide();
    for (int s = 0; s < kSubsets; ++s) {
        auto* series = new QLineSeries; // owned by the chart
        QList<QPointF> points;
        points.reserve(kPoints);
        const std::size_t base = static_cast<std::size_t>(s) * kPoints;
        for (int i = 0; i < kPoints; ++i)
            points.append(QPointF(d.x[base + static_cast<std::size_t>(i)],
                                  d.y[base + static_cast<std::size_t>(i)]));
        series->replace(points);
        chart->addSeries(series);
    }
    chart->createDefaultAxes();
    QChartView view(chart);
    view.setRenderHint(QPainter::Antialiasing, true);
    view.resize(kSize);
    // The scene lays out its axes and builds the line geometry only from the event loop; a view
    // never shown would render empty series.
    view.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter check(&image);
        image.fill(Qt::white);
        view.render(&check);
    }
    if (qEnvironmentVariableIsSet("KUBO_BENCH_SAVE"))
        image.save(qEnvironmentVariable("KUBO_BENCH_SAVE"));
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        view.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_BuildPyramids(benchmark::State& state) {
    const Data& d = Points();
    CChartPropertyStore store;
    store.SetInt(chart::kSubsetCount, kSubsets);
    store.SetInt(chart::kPointsPerSubset, kPoints);
    store.SetFloats(chart::kXData, d.x);
    store.SetFloats(chart::kYData, d.y);
    for (auto _ : state) {
        state.PauseTiming();
        CChartData data;
        store.SetInt(chart::kPointsPerSubset, kPoints); // marks the data changed
        state.ResumeTiming();
        data.Update(store);
        benchmark::DoNotOptimize(data.Extent());
    }
    state.counters["points"] = static_cast<double>(kSubsets) * kPoints;
}

void BM_Redraw(benchmark::State& state, bool zoomed) {
    ChartComponent chart;
    Load(chart);
    if (zoomed) {
        const double x0 = 10'000, x1 = 22'000;
        chart.SetVector(chart::kZoomMinX, std::span<const double>(&x0, 1));
        chart.SetVector(chart::kZoomMaxX, std::span<const double>(&x1, 1));
        chart.SetInt(chart::kZoomedX, 1);
        chart.Reinitialize();
    }
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter warm(&image);
        chart.paint(warm, QRect(QPoint(0, 0), kSize)); // builds the pyramids once
    }
    for (auto _ : state) {
        QPainter painter(&image);
        chart.paint(painter, QRect(QPoint(0, 0), kSize));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_RedrawAll(benchmark::State& state) {
    BM_Redraw(state, false);
}
void BM_RedrawZoomed(benchmark::State& state) {
    BM_Redraw(state, true);
}

// Reports how many times faster our redraw is than Qt Charts on the same points.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> annotated = runs;
        for (Run& run : annotated) {
            const double ms = run.GetAdjustedRealTime(); // every benchmark here is in ms
            if (run.benchmark_name().find("QtCharts") != std::string::npos)
                m_qtMs = ms;
            else if (run.benchmark_name().find("Redraw") != std::string::npos && m_qtMs > 0)
                run.counters["x_vs_qtcharts"] = m_qtMs / ms;
        }
        ConsoleReporter::ReportRuns(annotated);
    }

private:
    double m_qtMs = 0;
};
} // namespace

BENCHMARK(BM_QtChartsRedraw)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BuildPyramids)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawZoomed)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
