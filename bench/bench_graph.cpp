// The Graph page with ten 1 M-sample flights: the rebuild after ticking one more flight (to the
// repainted chart), against the chart's first build; the program's memory per sample with every
// flight drawn, above the empty program's resident size (also for one 10 M-sample flight beside
// nine short ones, where padding to the longest must not be materialised); and kubo-cli picture
// of the ten flights, loading included.
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Hints.h"
#include "pages/DataViewGraph.h"
#include "pages/PESciEx.h"
#include "shell/MainDoc.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace {
constexpr int kFlights = 10;
constexpr std::size_t kSamples = 1'000'000;

// A flight of n samples with the default formulas: a slow climb and descent with noise, 20
// samples a second.
std::unique_ptr<CDataBlock> MakeFlight(int index, std::size_t n) {
    std::mt19937 rng(static_cast<std::uint32_t>(index) + 1);
    std::normal_distribution<double> noise(0.0, 2.0);
    auto flight = std::make_unique<CDataBlock>();
    flight->SetName("Flight " + std::to_string(index + 1), false, nullptr);
    flight->SetReferenceRaw(13500);
    flight->SetSampleRate(50);
    flight->SetPressureFormula(CMainDoc::kBuiltInPressureFormula);
    flight->SetAltitudeFormula(CMainDoc::kBuiltInAltitudeFormula);
    std::vector<std::uint16_t>& raw = flight->GetRawSamples();
    raw.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double shape = std::sin(3.14159265 * static_cast<double>(i) / static_cast<double>(n));
        raw[i] = static_cast<std::uint16_t>(13500 - 1500 * shape + noise(rng));
    }
    return flight;
}

// lengths: the flights' sample counts; empty: `flights` flights of kSamples.
void Fill(CMainDoc& doc, int flights, bool shown, const std::vector<std::size_t>& lengths = {}) {
    auto session = std::make_unique<CDataModule>(&doc);
    for (int i = 0; i < flights; ++i) {
        auto flight =
            MakeFlight(i, lengths.empty() ? kSamples : lengths[static_cast<std::size_t>(i)]);
        flight->SetShown(shown, false, nullptr);
        session->AppendFlight(std::move(flight));
    }
    doc.GetSessions().AddTail(std::move(session));
}

double Milliseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Ten flights shown, then the eleventh ticked: each iteration times the rebuild and repaint
// after the tick (and untimed, the untick).
void BM_TickOneMoreFlight(benchmark::State& state) {
    CMainDoc doc;
    Fill(doc, kFlights + 1, true);
    CDataBlock* extra = doc.GetSessions().GetHead()->GetFlights().GetTail();
    extra->SetShown(false, false, nullptr);
    CDataViewGraph page;
    doc.AddView(&page);
    page.resize(1600, 1000);
    page.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    page.RebuildChart();
    page.GetChart().repaint();
    const double first = Milliseconds(timer);

    double total = 0;
    for (auto _ : state) {
        extra->SetShown(true, false, nullptr);
        timer.restart();
        page.RebuildChart();
        page.GetChart().repaint();
        const double ms = Milliseconds(timer);
        state.SetIterationTime(ms / 1000);
        total += ms;
        state.PauseTiming();
        extra->SetShown(false, false, nullptr);
        page.RebuildChart();
        state.ResumeTiming();
    }
    const double each = total / static_cast<double>(state.iterations());
    state.counters["first_build_ms"] = first;
    state.counters["ratio_to_first"] = each / first;
    state.counters["budget_150ms"] = each <= 150 ? 1 : 0;
    doc.RemoveView(&page);
}

// Arg 0: ten flights of 1 M samples; arg 1: one of 10 M beside nine of 100.
std::vector<std::size_t> Lengths(std::int64_t shape) {
    if (shape == 0)
        return std::vector<std::size_t>(kFlights, kSamples);
    std::vector<std::size_t> lengths(kFlights, 100);
    lengths.front() = 10 * kSamples;
    return lengths;
}

bool WriteProject(const std::string& path, const std::vector<std::size_t>& lengths) {
    CMainDoc doc;
    Fill(doc, static_cast<int>(lengths.size()), true, lengths);
    return doc.OnSaveDocument(path);
}

#ifdef KUBO_PROGRAM_PATH
long ResidentKiB(qint64 pid, const char* field) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<int>(std::strlen(field))).trimmed().split(' ')[0].toLong();
    return -1;
}

// Starts the program offscreen (with its own settings folder), waits until its resident size has
// not changed for a second, and answers it and the peak, in KiB.
std::pair<long, long> SettledProgramSize(const QString& settings, const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), settings);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(KUBO_PROGRAM_PATH), arguments);
    if (!program.waitForStarted())
        return {-1, -1};
    long last = -1;
    int steady = 0;
    for (int i = 0; i < 600 && steady < 10; ++i) {
        QThread::msleep(100);
        const long now = ResidentKiB(program.processId(), "VmRSS:");
        steady = now == last ? steady + 1 : 0;
        last = now;
    }
    const long peak = ResidentKiB(program.processId(), "VmHWM:");
    program.kill();
    program.waitForFinished();
    return {last, peak};
}

void BM_ProgramMemoryPerSample(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string project = dir.filePath(QStringLiteral("ten.qlg")).toStdString();
    const std::vector<std::size_t> lengths = Lengths(state.range(0));
    if (!WriteProject(project, lengths)) {
        state.SkipWithError("the project could not be written");
        return;
    }
    double samples = 0;
    for (std::size_t n : lengths)
        samples += static_cast<double>(n);
    for (auto _ : state) {
        const auto empty = SettledProgramSize(dir.path(), {});
        const auto full = SettledProgramSize(dir.path(), {QString::fromStdString(project)});
        if (empty.first < 0 || full.first < 0) {
            state.SkipWithError("the program could not be measured");
            return;
        }
        const double perSample = static_cast<double>(full.first - empty.first) * 1024 / samples;
        state.counters["empty_MiB"] = static_cast<double>(empty.first) / 1024;
        state.counters["shown_MiB"] = static_cast<double>(full.first) / 1024;
        state.counters["bytes_per_sample"] = perSample;
        state.counters["peak_bytes_per_sample"] =
            static_cast<double>(full.second - empty.first) * 1024 / samples;
        state.counters["budget_20B"] = perSample <= 20 ? 1 : 0;
    }
}
#endif

#ifdef KUBO_CLI_PATH
// kubo-cli picture of ten shown 1 M-sample flights, from start to exit (loading, translating,
// drawing and writing the PNG).
void BM_CliPicture(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string project = dir.filePath(QStringLiteral("ten.qlg")).toStdString();
    if (!WriteProject(project, Lengths(0))) {
        state.SkipWithError("the project could not be written");
        return;
    }
    const QStringList arguments = {QStringLiteral("picture"), QString::fromStdString(project),
                                   QStringLiteral("-o"), dir.filePath(QStringLiteral("ten.png"))};
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess cli;
        cli.start(QStringLiteral(KUBO_CLI_PATH), arguments);
        if (!cli.waitForFinished(60000) || cli.exitCode() != 0) {
            state.SkipWithError("kubo-cli picture failed");
            return;
        }
        const double ms = Milliseconds(timer);
        state.SetIterationTime(ms / 1000);
        total += ms;
    }
    const double each = total / static_cast<double>(state.iterations());
    state.counters["budget_2s"] = each <= 2000 ? 1 : 0;
}
#endif
} // namespace

BENCHMARK(BM_TickOneMoreFlight)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
#ifdef KUBO_PROGRAM_PATH
BENCHMARK(BM_ProgramMemoryPerSample)->Unit(benchmark::kSecond)->Iterations(1)->Arg(0)->Arg(1);
#endif
#ifdef KUBO_CLI_PATH
BENCHMARK(BM_CliPicture)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
#endif

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
