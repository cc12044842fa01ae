// Translation speed of a 1 M-sample flight through each translation method, every one timed
// alternately with a peer on the same samples: muParser evaluating the same formulas, or
// native C++ arithmetic. Three formula pairs: the default one; one that assigns intermediate
// values and reads them in the same sample (no state carried between samples); one whose
// altitude formula carries a variable from sample to sample.
#include "Interleaved.h"
#include "data/SampleTranslation.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <muParser.h>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {
constexpr std::uint16_t kReference = 45000;
constexpr std::int32_t kRate = 100;
constexpr int kIterations = 15;

// Our texts and muParser's spelling of the same statements (it separates them by commas).
struct Pair {
    const char* pressure;
    const char* altitude;
    const char* muPressure;
    const char* muAltitude;
};
constexpr Pair kDefault{"(X/147.456)+10.555555", "ln(PA/PR) * (-29.153) * 293",
                        "(X/147.456)+10.555555", "ln(PA/PR) * (-29.153) * 293"};
constexpr Pair kAssigning{"p=X/147.456; p+10.555555", "r=PA/PR; ln(r) * (-29.153) * 293",
                          "p=X/147.456, p+10.555555", "r=PA/PR, ln(r) * (-29.153) * 293"};
// A reference that follows the pressure slowly: each sample reads the PR the one before left.
constexpr Pair kCarrying{"(X/147.456)+10.555555", "PR=PR+(PA-PR)/1000; ln(PA/PR) * (-29.153) * 293",
                         "(X/147.456)+10.555555",
                         "PR=PR+(PA-PR)/1000, ln(PA/PR) * (-29.153) * 293"};

// A flight-like random walk: climbs and descents of varying steepness between raw values
// 30 000 and 50 000, with a little noise.
const std::vector<std::uint16_t>& Flight() {
    static const std::vector<std::uint16_t> raw = [] {
        std::vector<std::uint16_t> out(1'000'000);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> noise(-3, 3);
        std::uniform_int_distribution<int> slope(-6, 6);
        std::uniform_int_distribution<int> length(500, 20000);
        int v = kReference;
        int drift = 0;
        int left = 0;
        for (std::uint16_t& r : out) {
            if (left-- == 0) {
                drift = slope(random);
                left = length(random);
            }
            v += drift + noise(random);
            if (v < 30000 || v > 50000) {
                v = v < 30000 ? 30000 : 50000;
                drift = -drift;
            }
            r = static_cast<std::uint16_t>(v);
        }
        return out;
    }();
    return raw;
}

// Written through a reference and followed by ClobberMemory, so that the work cannot be dropped.
// (benchmark::DoNotOptimize on a double loses the store with this library and compiler.)
struct Output {
    std::vector<float> time;
    std::vector<float> altitude;
    double maximum = 0.0;
    explicit Output(std::size_t n) : time(n), altitude(n) {}
};

// muParser as a library user would bind it: both formulas per sample over shared variables.
class MuParserPair {
public:
    explicit MuParserPair(const Pair& pair) {
        for (mu::Parser* parser : {&m_pressure, &m_altitude}) {
            parser->DefineVar("X", &m_x);
            parser->DefineVar("PA", &m_pa);
            parser->DefineVar("PR", &m_pr);
            parser->DefineVar("p", &m_p);
            parser->DefineVar("r", &m_r);
        }
        m_pressure.SetExpr(pair.muPressure);
        m_altitude.SetExpr(pair.muAltitude);
    }

    void Translate(std::span<const std::uint16_t> raw, Output& out) {
        m_x = kReference;
        m_pr = m_pressure.Eval();
        double maximum = 0.0;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            m_x = raw[i];
            m_pa = m_pressure.Eval();
            const double a = m_altitude.Eval();
            if (a > maximum)
                maximum = a;
            out.time[i] = SampleTime(kRate, i);
            out.altitude[i] = static_cast<float>(a);
        }
        out.maximum = maximum;
        benchmark::ClobberMemory();
    }

private:
    mu::Parser m_pressure;
    mu::Parser m_altitude;
    double m_x = 0.0, m_pa = 0.0, m_pr = 0.0, m_p = 0.0, m_r = 0.0;
};

void Translate(const char* pressure, const char* altitude, TranslationMethod method, Output& out) {
    const bool ok = TranslateSamples({pressure, altitude, kReference, Flight()}, kRate, out.time,
                                     out.altitude, out.maximum, method);
    benchmark::DoNotOptimize(ok);
    benchmark::ClobberMemory();
}

// The peer must have done the same work: its maximum altitude agrees with ours (muParser
// folds constants in its own order, so to a few units in the last place).
bool SameWork(benchmark::State& state, const Output& ours, const Output& theirs) {
    if (std::fabs(ours.maximum - theirs.maximum) <= 1e-9 * std::fabs(ours.maximum))
        return true;
    state.SkipWithError("the peer computed something else");
    return false;
}

void BesideMuParser(benchmark::State& state, const Pair& pair, TranslationMethod method) {
    const std::size_t n = Flight().size();
    Output ours(n);
    Output theirs(n);
    MuParserPair mu(pair);
    bench::Interleave(
        state, "muparser", bench::Clock::kThreadCpu,
        [&] { Translate(pair.pressure, pair.altitude, method, ours); },
        [&] { mu.Translate(Flight(), theirs); });
    if (SameWork(state, ours, theirs))
        state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
}

// The default formulas written in C++, operations in the evaluator's order.
void TranslateNative(Output& out) {
    const std::vector<std::uint16_t>& raw = Flight();
    const double pr = (kReference / 147.456) + 10.555555;
    double maximum = 0.0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const double pa = (raw[i] / 147.456) + 10.555555;
        const double a = std::log(pa / pr) * (-29.153) * 293;
        if (a > maximum)
            maximum = a;
        out.time[i] = SampleTime(kRate, i);
        out.altitude[i] = static_cast<float>(a);
    }
    out.maximum = maximum;
    benchmark::ClobberMemory();
}

void BM_DefaultFastest(benchmark::State& state) {
    const std::size_t n = Flight().size();
    Output ours(n);
    Output theirs(n);
    bench::Interleave(
        state, "native", bench::Clock::kThreadCpu,
        [&] { Translate(kDefault.pressure, kDefault.altitude, TranslationMethod::kFastest, ours); },
        [&] { TranslateNative(theirs); });
    if (ours.altitude != theirs.altitude || ours.maximum != theirs.maximum)
        state.SkipWithError("native arithmetic differs from the translation");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
}

void BM_DefaultSequential(benchmark::State& state) {
    BesideMuParser(state, kDefault, TranslationMethod::kSequential);
}
void BM_AssigningFastest(benchmark::State& state) {
    BesideMuParser(state, kAssigning, TranslationMethod::kFastest);
}
void BM_AssigningSequential(benchmark::State& state) {
    BesideMuParser(state, kAssigning, TranslationMethod::kSequential);
}
// Compiled programs running on the evaluator's variable table, sample by sample.
void BM_AssigningOnTable(benchmark::State& state) {
    BesideMuParser(state, kAssigning, TranslationMethod::kCompiled);
}
void BM_CarryingFastest(benchmark::State& state) {
    BesideMuParser(state, kCarrying, TranslationMethod::kFastest);
}
void BM_CarryingOnTable(benchmark::State& state) {
    BesideMuParser(state, kCarrying, TranslationMethod::kCompiled);
}

// A formula edit: every iteration translates with a text it has not seen before (compiling
// included), alternating between two spellings of the assigning altitude formula; muParser
// parses the new text and evaluates the flight.
void BM_RetranslateAfterEdit(benchmark::State& state) {
    const std::size_t n = Flight().size();
    Output ours(n);
    Output theirs(n);
    const std::string altitudes[2] = {kAssigning.altitude, std::string(kAssigning.altitude) + " "};
    const std::string muAltitudes[2] = {kAssigning.muAltitude,
                                        std::string(kAssigning.muAltitude) + " "};
    int edit = 0;
    int muEdit = 0;
    bench::Interleave(
        state, "muparser", bench::Clock::kThreadCpu,
        [&] {
            Translate(kAssigning.pressure, altitudes[edit ^= 1].c_str(),
                      TranslationMethod::kFastest, ours);
        },
        [&] {
            Pair edited = kAssigning;
            edited.muAltitude = muAltitudes[muEdit ^= 1].c_str();
            MuParserPair(edited).Translate(Flight(), theirs);
        });
    if (SameWork(state, ours, theirs))
        state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
}
} // namespace

BENCHMARK(BM_DefaultFastest)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_DefaultSequential)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_AssigningFastest)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_AssigningSequential)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_AssigningOnTable)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_CarryingFastest)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_CarryingOnTable)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_RetranslateAfterEdit)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);

BENCHMARK_MAIN();
