// Translation speed of a 1 M-sample flight: compiled formulas (shared per raw value and sample by
// sample), the interpreter, muParser and native C++ arithmetic on the same formulas.
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
constexpr const char* kPressure = "(X/147.456)+10.555555";
constexpr const char* kAltitude = "ln(PA/PR) * (-29.153) * 293";
// The same translation with a variable assigned by the pressure formula for every sample.
constexpr const char* kStatefulPressure = "p=(X/147.456)+10.555555";
constexpr std::uint16_t kReference = 45000;
constexpr std::int32_t kRate = 100;

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

struct Output {
    std::vector<float> time;
    std::vector<float> altitude;
    double maximum = 0.0;
    explicit Output(std::size_t n) : time(n), altitude(n) {}
};

void Report(benchmark::State& state, std::size_t samples) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(samples));
}

void Translate(benchmark::State& state, const char* pressure, const char* altitude,
               TranslationMethod method, std::size_t samples) {
    const std::span<const std::uint16_t> raw(Flight().data(), samples);
    Output out(raw.size());
    for (auto _ : state) {
        const bool ok = TranslateSamples({pressure, altitude, kReference, raw}, kRate, out.time,
                                         out.altitude, out.maximum, method);
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
    Report(state, raw.size());
}

void BM_CompiledDefault(benchmark::State& state) {
    Translate(state, kPressure, kAltitude, TranslationMethod::kFastest, Flight().size());
}
BENCHMARK(BM_CompiledDefault)->Unit(benchmark::kMillisecond);

void BM_CompiledDefaultSequential(benchmark::State& state) {
    Translate(state, kPressure, kAltitude, TranslationMethod::kCompiledSequential, Flight().size());
}
BENCHMARK(BM_CompiledDefaultSequential)->Unit(benchmark::kMillisecond);

void BM_CompiledStateful(benchmark::State& state) {
    Translate(state, kStatefulPressure, kAltitude, TranslationMethod::kFastest, Flight().size());
}
BENCHMARK(BM_CompiledStateful)->Unit(benchmark::kMillisecond);

// A formula edit: every iteration translates with a text it has not seen before (compiling
// included), alternating between two spellings of the same altitude formula.
void BM_RetranslateAfterEdit(benchmark::State& state) {
    const std::span<const std::uint16_t> raw = Flight();
    Output out(raw.size());
    const std::string altitudes[2] = {kAltitude, std::string(kAltitude) + " "};
    int edit = 0;
    for (auto _ : state) {
        const bool ok = TranslateSamples({kPressure, altitudes[edit ^= 1], kReference, raw}, kRate,
                                         out.time, out.altitude, out.maximum);
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
    Report(state, raw.size());
}
BENCHMARK(BM_RetranslateAfterEdit)->Unit(benchmark::kMillisecond);

// The interpreter rescans both texts for every sample: a tenth of the flight is enough.
void BM_InterpretedDefault(benchmark::State& state) {
    Translate(state, kPressure, kAltitude, TranslationMethod::kInterpreted, Flight().size() / 10);
}
BENCHMARK(BM_InterpretedDefault)->Unit(benchmark::kMillisecond);

void BM_InterpretedStateful(benchmark::State& state) {
    Translate(state, kStatefulPressure, kAltitude, TranslationMethod::kInterpreted,
              Flight().size() / 10);
}
BENCHMARK(BM_InterpretedStateful)->Unit(benchmark::kMillisecond);

// The same arithmetic written in C++, with the same outputs.
void BM_NativeDefault(benchmark::State& state) {
    const std::vector<std::uint16_t>& raw = Flight();
    Output out(raw.size());
    for (auto _ : state) {
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
        benchmark::DoNotOptimize(out.maximum);
        benchmark::ClobberMemory();
    }
    Report(state, raw.size());
}
BENCHMARK(BM_NativeDefault)->Unit(benchmark::kMillisecond);

// muParser, both formulas per sample, as a library user would bind them.
void MuParser(benchmark::State& state, const char* pressureText) {
    const std::vector<std::uint16_t>& raw = Flight();
    Output out(raw.size());
    double x = 0.0;
    double pa = 0.0;
    double pr = 0.0;
    double p = 0.0;
    mu::Parser pressure;
    mu::Parser altitude;
    for (mu::Parser* parser : {&pressure, &altitude}) {
        parser->DefineVar("X", &x);
        parser->DefineVar("PA", &pa);
        parser->DefineVar("PR", &pr);
        parser->DefineVar("p", &p);
    }
    pressure.SetExpr(pressureText);
    altitude.SetExpr(kAltitude);
    for (auto _ : state) {
        x = kReference;
        pr = pressure.Eval();
        double maximum = 0.0;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            x = raw[i];
            pa = pressure.Eval();
            const double a = altitude.Eval();
            if (a > maximum)
                maximum = a;
            out.time[i] = SampleTime(kRate, i);
            out.altitude[i] = static_cast<float>(a);
        }
        out.maximum = maximum;
        benchmark::DoNotOptimize(out.maximum);
        benchmark::ClobberMemory();
    }
    Report(state, raw.size());
}

void BM_MuParserDefault(benchmark::State& state) {
    MuParser(state, kPressure);
}
BENCHMARK(BM_MuParserDefault)->Unit(benchmark::kMillisecond);

void BM_MuParserStateful(benchmark::State& state) {
    MuParser(state, kStatefulPressure);
}
BENCHMARK(BM_MuParserStateful)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
