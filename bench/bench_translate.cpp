// A 1 M-sample flight with the default formulas through CDataBlock::GetDisplayData (translation,
// display arrays and the copies to the caller) beside native C++ doing the same arithmetic.
// Reports samples/s (items_per_second).
#include "data/DataBlock.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {
constexpr std::size_t kSamples = 1'000'000;
constexpr std::int32_t kRate = 100;
constexpr std::uint16_t kReference = 52000;

// A climb and descent around the reference with some noise, as a device would record it.
std::vector<std::uint16_t> MakeFlight() {
    std::vector<std::uint16_t> raw(kSamples);
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < kSamples; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double phase = static_cast<double>(i) / kSamples;
        const double climb = 8000.0 * std::sin(phase * 3.141592653589793);
        raw[i] = static_cast<std::uint16_t>(kReference - climb + ((noise >> 16) & 15));
    }
    return raw;
}

// The default formulas written out; the operations in the interpreter's order.
void TranslateNative(const std::vector<std::uint16_t>& raw, std::vector<float>& time,
                     std::vector<float>& altitude, double& maximum) {
    const std::size_t n = raw.size();
    time.resize(n);
    altitude.resize(n);
    const double pr = kReference / 147.456 + 10.555555;
    maximum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double pa = raw[i] / 147.456 + 10.555555;
        const double a = std::log(pa / pr) * -29.153 * 293;
        if (a > maximum)
            maximum = a;
        const auto ms = static_cast<std::int64_t>(kRate) * static_cast<std::int64_t>(i);
        time[i] = static_cast<float>(static_cast<double>(ms) * static_cast<double>(0.001f));
        altitude[i] = static_cast<float>(a);
    }
}

void MakeDefaultFlight(CDataBlock& flight) {
    flight.SetPressureFormula("(X/147.456)+10.555555");
    flight.SetAltitudeFormula("ln(PA/PR) * (-29.153) * 293");
    flight.SetSampleRate(kRate);
    flight.SetReferenceRaw(kReference);
    flight.GetRawSamples() = MakeFlight();
}

// Every iteration translates anew, as after a formula edit.
void BM_GetDisplayData(benchmark::State& state) {
    CDataBlock flight;
    MakeDefaultFlight(flight);
    std::vector<float> time, altitude;
    for (auto _ : state) {
        flight.InvalidateDerived();
        benchmark::DoNotOptimize(flight.GetDisplayData(time, altitude, false));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSamples));
}

// The same with a variable assigned for every sample, so that no result can be shared.
void BM_GetDisplayDataStateful(benchmark::State& state) {
    CDataBlock flight;
    MakeDefaultFlight(flight);
    flight.SetPressureFormula("p=(X/147.456)+10.555555");
    std::vector<float> time, altitude;
    for (auto _ : state) {
        flight.InvalidateDerived();
        benchmark::DoNotOptimize(flight.GetDisplayData(time, altitude, false));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSamples));
}

void BM_TranslateNative(benchmark::State& state) {
    const std::vector<std::uint16_t> raw = MakeFlight();
    std::vector<float> time, altitude;
    double maximum = 0.0;

    // The native arithmetic must be the flight's to the bit, or the comparison is void.
    CDataBlock flight;
    MakeDefaultFlight(flight);
    std::vector<float> refTime, refAltitude;
    TranslateNative(raw, time, altitude, maximum);
    if (flight.GetDisplayData(refTime, refAltitude, false) != kSamples || refTime != time ||
        refAltitude != altitude || flight.GetMaxAltitude() != maximum) {
        state.SkipWithError("native arithmetic differs from the flight's translation");
        return;
    }

    for (auto _ : state) {
        TranslateNative(raw, time, altitude, maximum);
        benchmark::DoNotOptimize(maximum);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSamples));
}
} // namespace

BENCHMARK(BM_GetDisplayData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetDisplayDataStateful)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateNative)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
