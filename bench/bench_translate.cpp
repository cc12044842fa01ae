// Re-translation of a 1 M-sample flight after a formula edit through CDataBlock::GetDisplayData
// (translation, display arrays and the copies to the caller), timed alternately with native C++
// doing the default formulas' arithmetic. Reports samples/s (items_per_second).
#include "Interleaved.h"
#include "data/DataBlock.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
constexpr std::size_t kSamples = 1'000'000;
constexpr std::int32_t kRate = 100;
constexpr std::uint16_t kReference = 52000;
constexpr int kIterations = 15;
constexpr const char* kPressure = "(X/147.456)+10.555555";
constexpr const char* kAltitude = "ln(PA/PR) * (-29.153) * 293";

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

void MakeFlight(CDataBlock& flight, const char* pressure, const char* altitude) {
    flight.SetPressureFormula(pressure);
    flight.SetAltitudeFormula(altitude);
    flight.SetSampleRate(kRate);
    flight.SetReferenceRaw(kReference);
    flight.GetRawSamples() = MakeFlight();
}

// Every iteration translates anew, as after a formula edit, beside the native arithmetic of the
// default formulas.
void RetranslateBesideNative(benchmark::State& state, const char* pressure, const char* altitude) {
    CDataBlock flight;
    MakeFlight(flight, pressure, altitude);
    std::vector<float> time, altitudes;
    const std::vector<std::uint16_t> raw = MakeFlight();
    std::vector<float> nativeTime, nativeAltitude;
    double maximum = 0.0;
    bench::Interleave(
        state, "native", bench::Clock::kThreadCpu,
        [&] {
            flight.InvalidateDerived();
            if (flight.GetDisplayData(time, altitudes, false) != kSamples)
                state.SkipWithError("translation failed");
            benchmark::ClobberMemory();
        },
        [&] {
            TranslateNative(raw, nativeTime, nativeAltitude, maximum);
            benchmark::ClobberMemory();
        });
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSamples));
}

void BM_GetDisplayData(benchmark::State& state) {
    RetranslateBesideNative(state, kPressure, kAltitude);
}

// Assignments read in the same sample: nothing is carried between samples.
void BM_GetDisplayDataAssigning(benchmark::State& state) {
    RetranslateBesideNative(state, "p=X/147.456; p+10.555555", "r=PA/PR; ln(r) * (-29.153) * 293");
}

// A reference that follows the pressure slowly: every sample reads what the one before left.
void BM_GetDisplayDataCarrying(benchmark::State& state) {
    RetranslateBesideNative(state, kPressure, "PR=PR+(PA-PR)/1000; ln(PA/PR) * (-29.153) * 293");
}

// The native arithmetic must be the flight's to the bit, or the comparison is void.
bool NativeIsExact() {
    CDataBlock flight;
    MakeFlight(flight, kPressure, kAltitude);
    std::vector<float> time, altitude, refTime, refAltitude;
    double maximum = 0.0;
    TranslateNative(MakeFlight(), time, altitude, maximum);
    return flight.GetDisplayData(refTime, refAltitude, false) == kSamples && refTime == time &&
           refAltitude == altitude && flight.GetMaxAltitude() == maximum;
}
} // namespace

BENCHMARK(BM_GetDisplayData)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_GetDisplayDataAssigning)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_GetDisplayDataCarrying)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);

int main(int argc, char** argv) {
    if (!NativeIsExact()) {
        std::fprintf(stderr, "native arithmetic differs from the flight's translation\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
