// The translated text export of a 4 M-sample flight with the default formulas, timed
// alternately with a plain copy of the same bytes (read and write in large blocks, as cat does)
// on the same disk. Reports bytes/s of export text; x_vs_cat above 1 means faster than the copy.
#include "Interleaved.h"
#include "data/DataBlock.h"
#include "data/TextExport.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
constexpr std::size_t kSamples = 4'000'000;
constexpr std::int32_t kRate = 100;
constexpr std::uint16_t kReference = 52000;
constexpr int kIterations = 9;

// A climb and descent around the reference with some noise, as a device would record it.
void MakeFlight(CDataBlock& flight) {
    flight.SetName("Bench", false, nullptr);
    flight.SetDate("01.01.2026 12:00");
    flight.SetPressureFormula("(X/147.456)+10.555555");
    flight.SetAltitudeFormula("ln(PA/PR) * (-29.153) * 293");
    flight.SetSampleRate(kRate);
    flight.SetReferenceRaw(kReference);
    std::vector<std::uint16_t>& raw = flight.GetRawSamples();
    raw.resize(kSamples);
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < kSamples; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double phase = static_cast<double>(i) / kSamples;
        const double climb = 8000.0 * std::sin(phase * 3.141592653589793);
        raw[i] = static_cast<std::uint16_t>(kReference - climb + ((noise >> 16) & 15));
    }
}

// What cat does: the whole of from copied to to in 128 KiB blocks; flushed to disk at the end
// when sync, as the safe file is before its rename.
bool Copy(const std::string& from, const std::string& to, bool sync) {
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = in >= 0 && out >= 0;
    std::vector<char> block(128 * 1024);
    while (ok) {
        const ssize_t got = ::read(in, block.data(), block.size());
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = ::write(out, block.data(), static_cast<std::size_t>(got)) == got;
    }
    if (ok && sync)
        ok = ::fsync(out) == 0;
    if (in >= 0)
        ::close(in);
    if (out >= 0)
        ::close(out);
    return ok;
}

// kubo-cli export -o: through the safe file (flushed to disk before the rename), or to
// standard output redirected to a file (a plain stream). The peer is the copy, with the flush
// to disk when peerSyncs.
void Export(benchmark::State& state, bool safeFile, bool peerSyncs) {
    CDataBlock flight;
    MakeFlight(flight);
    CDataBlock* const flights[] = {&flight};
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string exported = (dir / "kubo-bench-export.txt").string();
    const std::string copied = (dir / "kubo-bench-copy.txt").string();
    ExportTextToFile(flights, TextExport::Translated, exported);
    const auto bytes = std::filesystem::file_size(exported);
    const std::string streamed = (dir / "kubo-bench-stream.txt").string();
    bench::Interleave(
        state, peerSyncs ? "cat_fsync" : "cat", bench::Clock::kWall,
        [&] {
            if (safeFile) {
                ExportTextToFile(flights, TextExport::Translated, exported);
                return;
            }
            std::ofstream out(streamed, std::ios::binary);
            WriteTextExport(flights, TextExport::Translated, out);
            out.flush();
            if (!out)
                state.SkipWithError("write failed");
        },
        [&] {
            if (!Copy(exported, copied, peerSyncs))
                state.SkipWithError("copy failed");
        });
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove(exported);
    std::filesystem::remove(copied);
    std::filesystem::remove(streamed);
}

void BM_ExportTranslatedToFile(benchmark::State& state) {
    Export(state, true, false);
}

void BM_ExportTranslatedToStream(benchmark::State& state) {
    Export(state, false, false);
}

// The same durability on both sides: the export's file and the copy both wait for the disk.
void BM_ExportTranslatedToFileBesideSyncedCopy(benchmark::State& state) {
    Export(state, true, true);
}
} // namespace

BENCHMARK(BM_ExportTranslatedToFile)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);
BENCHMARK(BM_ExportTranslatedToStream)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);

BENCHMARK(BM_ExportTranslatedToFileBesideSyncedCopy)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kIterations);

BENCHMARK_MAIN();
