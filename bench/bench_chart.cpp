// Chart drawing: 10 subsets × 1 M points at 1920×1080 — building the min/max pyramids, one
// redraw into an image, and Qt Charts (QChartView + QLineSeries) drawing the same points when it
// is installed. Redraws report min and median of repeated runs and their ratio to the peer.
#include "chart/ChartComponent.h"
#include "chart/ChartData.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#ifdef KUBO_BENCH_QTCHARTS
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#endif

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <span>
#include <string>
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

#ifdef KUBO_BENCH_QTCHARTS
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
#endif

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

// Qt Charts' redraw of the same points as measured on the reference machine, for runs where it
// is not installed.
constexpr double kRecordedQtChartsMs = 3'500;

double Min(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// Adds to each redraw aggregate how many times faster it is than Qt Charts' same aggregate
// measured in this run, or than the recorded figure when Qt Charts is not built.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> annotated = runs;
        for (Run& run : annotated) {
            if (run.run_type != Run::RT_Aggregate)
                continue;
            const double ms = run.GetAdjustedRealTime(); // every benchmark here is in ms
            const std::string name = run.benchmark_name();
            if (name.find("QtCharts") != std::string::npos)
                m_peerMs[run.aggregate_name] = ms;
            else if (name.find("Redraw") != std::string::npos && ms > 0) {
                const auto peer = m_peerMs.find(run.aggregate_name);
                const bool measured = peer != m_peerMs.end();
                run.counters[measured ? "x_vs_qtcharts" : "x_vs_qtcharts_recorded"] =
                    (measured ? peer->second : kRecordedQtChartsMs) / ms;
            }
        }
        ConsoleReporter::ReportRuns(annotated);
    }

private:
    std::map<std::string, double> m_peerMs;
};
} // namespace

#ifdef KUBO_BENCH_QTCHARTS
// Each run draws 10 M points through QGraphicsView for seconds: three single draws suffice.
BENCHMARK(BM_QtChartsRedraw)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ComputeStatistics("min", Min)
    ->DisplayAggregatesOnly();
#endif
BENCHMARK(BM_BuildPyramids)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAll)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ComputeStatistics("min", Min)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_RedrawZoomed)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ComputeStatistics("min", Min)
    ->DisplayAggregatesOnly();

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
#ifndef KUBO_BENCH_QTCHARTS
    std::printf("Qt Charts is not built; redraws are compared with its recorded %.0f ms.\n",
                kRecordedQtChartsMs);
#endif
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
