// Decoding speed of transmission text, timed alternately with a plain strtol scan of the same
// text.
#include "Interleaved.h"
#include "data/DataModule.h"
#include "data/TransmissionParser.h"
#include "shell/MainDoc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <random>
#include <string>

namespace {

// Ten flights of 200 000 samples each as the device writes them ("%03d\n"), about 8 MB, with a
// data marker every 1000 samples.
const std::string& TransmissionText() {
    static const std::string text = [] {
        std::string out;
        char line[8];
        auto put = [&](int v) {
            std::snprintf(line, sizeof line, "%03d\n", v);
            out += line;
        };
        for (int v : {126, 3, 10, 127, 10, 0, 0, 255, 255, 255, 255, 255, 255, 255})
            put(v);
        std::mt19937 random(1);
        std::uniform_int_distribution<int> step(-20, 20);
        for (int flight = 0; flight < 10; ++flight) {
            put(127);
            put(180);
            put(0);
            put(1);
            for (int i = 0; i < 200'000; ++i) {
                int d = step(random) & 0xFF;
                if (d == 127 || d == 226)
                    d = 0;
                put(d);
                if (i % 1000 == 999) {
                    put(226);
                    put(30);
                }
            }
        }
        put(127);
        put(128);
        return out;
    }();
    return text;
}

// A plain strtol scan of every number, the least any decoder has to do.
void StrtolScan(const std::string& text) {
    const char* p = text.c_str();
    char* end = nullptr;
    long sum = 0;
    for (;;) {
        const long v = std::strtol(p, &end, 10);
        if (end == p)
            break;
        sum += v & 0xFF;
        p = end;
    }
    benchmark::DoNotOptimize(sum);
}

// The read loop's way: appends of at most the parser's free space, then every flight finished.
bool Decode(const std::string& text) {
    CDataModule session;
    CTransmissionParser parser(session, nullptr, [] { return std::string(); });
    std::size_t pos = 0;
    while (pos < text.size() && !parser.IsFinished()) {
        const std::size_t n = std::min(parser.GetFreeSpace(), text.size() - pos);
        pos += parser.Append(text.data() + pos, n);
    }
    parser.FinishFlights();
    benchmark::DoNotOptimize(session.GetFlights().GetCount());
    return parser.IsComplete();
}

// The decode timed alternately with the strtol scan of the same text, so that both see the
// same machine; the ratio is the scan's median time over the decode's.
void BM_DecodeTransmission(benchmark::State& state) {
    const std::string& text = TransmissionText();
    bool complete = true;
    bench::Interleave(
        state, "strtol", bench::Clock::kThreadCpu, [&] { complete = Decode(text) && complete; },
        [&] { StrtolScan(text); });
    if (!complete)
        state.SkipWithError("transmission not complete");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_DecodeTransmission)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(31);

// Heap bytes a flight costs while a transmission is read: a device that sends nothing but empty
// flights (127, reference, rate) must not make each one expensive. Reported as a counter; the
// time is that of decoding and finishing the flights.
void BM_EmptyFlightMemory(benchmark::State& state) {
    const int flights = static_cast<int>(state.range(0));
    std::string text = "126\n003\n010\n127\n000\n000\n000\n255\n255\n255\n255\n255\n255\n255\n";
    for (int i = 0; i < flights; ++i)
        text += "127\n001\n044\n010\n";
    text += "127\n128\n";
    CMainDoc doc; // the flights take copies of its formulas
    double bytesPerFlight = 0.0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto session = std::make_unique<CDataModule>(&doc);
        CTransmissionParser parser(*session, nullptr,
                                   [] { return std::string("06.12.2026 10:00:00"); });
        std::size_t pos = 0;
        while (pos < text.size() && !parser.IsFinished()) {
            const std::size_t n = std::min(parser.GetFreeSpace(), text.size() - pos);
            pos += parser.Append(text.data() + pos, n);
        }
        parser.FinishFlights();
        const std::size_t after = mallinfo2().uordblks;
        bytesPerFlight = static_cast<double>(after - before) /
                         static_cast<double>(session->GetFlights().GetCount());
        benchmark::DoNotOptimize(session.get());
    }
    state.counters["bytes_per_flight"] = bytesPerFlight;
}
BENCHMARK(BM_EmptyFlightMemory)->Arg(60000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
