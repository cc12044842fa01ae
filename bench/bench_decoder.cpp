// Decoding speed of transmission text, timed alternately with a plain strtol scan of the same
// text.
#include "Interleaved.h"
#include "data/DataModule.h"
#include "data/TransmissionParser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
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

} // namespace

BENCHMARK_MAIN();
