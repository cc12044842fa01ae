// Project load and save of a 100 MB project, each timed alternately with a plain copy, read or
// write of the same bytes; loading from a file both warm and as the first load of a fresh
// process.
#include "Interleaved.h"
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Archive.h"
#include "framework/FileInput.h"
#include "framework/SafeFile.h"
#include "shell/MainDoc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
constexpr int kSessions = 10;
constexpr int kFlightsPerSession = 10;
constexpr std::size_t kSamplesPerFlight = 500'000; // 10 × 10 × 500 000 × 2 bytes = 100 MB

void Fill(CMainDoc& doc) {
    for (int s = 0; s < kSessions; ++s) {
        auto session = std::make_unique<CDataModule>(&doc);
        for (int f = 0; f < kFlightsPerSession; ++f) {
            auto flight = std::make_unique<CDataBlock>();
            flight->SetName("Flight " + std::to_string(f + 1), false, nullptr);
            flight->SetAltitudeFormula(CMainDoc::kBuiltInAltitudeFormula);
            flight->SetPressureFormula(CMainDoc::kBuiltInPressureFormula);
            auto& raw = flight->GetRawSamples();
            raw.resize(kSamplesPerFlight);
            for (std::size_t i = 0; i < raw.size(); ++i)
                raw[i] = static_cast<std::uint16_t>(30000 + (i * 7) % 5000);
            for (int a = 0; a < 5; ++a)
                flight->AppendAnnotation(CAnnotation::MakeDataMarker(nullptr, a + 1, a * 10.0));
            session->AppendFlight(std::move(flight));
        }
        doc.GetSessions().AddTail(std::move(session));
    }
}

const CMainDoc& Project() {
    static CMainDoc doc;
    static bool filled = (Fill(doc), true);
    (void)filled;
    return doc;
}

const std::vector<std::uint8_t>& ProjectBytes() {
    static const std::vector<std::uint8_t> bytes = [] {
        CMemoryOutput out;
        CArchive ar(out);
        const_cast<CMainDoc&>(Project()).Serialize(ar);
        ar.Flush();
        return out.Data();
    }();
    return bytes;
}

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(ProjectBytes().size()));
}

// --- The work and its peers ---

void LoadFile(const std::string& path) {
    CMainDoc doc;
    CFileInput in(path);
    CArchive ar(in, path);
    doc.Serialize(ar);
    benchmark::DoNotOptimize(doc.GetSessions().GetCount());
}

void PlainRead(const std::string& path, std::vector<std::uint8_t>& buffer) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), f));
    std::fclose(f);
}

void PlainWrite(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    ::fsync(fileno(f));
    std::fclose(f);
}

// A file written for the duration of a benchmark.
class TempFile {
public:
    explicit TempFile(const char* name, bool fill = true) : m_path(TempPath(name)) {
        if (fill)
            CSafeFile::WriteAll(m_path, ProjectBytes());
    }
    ~TempFile() { std::filesystem::remove(m_path); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// --- Cold: the first load in a fresh process ---

constexpr const char* kColdLoad = "--cold-load";
constexpr const char* kColdRead = "--cold-read";

// In a child process started with `option path`: the one load (or plain read) of path it
// makes, timed from opening the file to the document (or buffer) filled; its wall-clock
// seconds are printed to standard output.
int RunColdChild(const char* option, const std::string& path) {
    const double start = bench::Now(bench::Clock::kWall);
    if (std::strcmp(option, kColdLoad) == 0) {
        LoadFile(path);
    } else {
        std::vector<std::uint8_t> buffer(std::filesystem::file_size(path));
        PlainRead(path, buffer);
    }
    std::printf("%.9f\n", bench::Now(bench::Clock::kWall) - start);
    return 0;
}

// Starts this program as a child that runs RunColdChild and returns the seconds it reports.
double ColdChild(benchmark::State& state, const char* option, const std::string& path) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "'" + self + "' " + option + " '" + path + "'";
    std::FILE* child = ::popen(command.c_str(), "r");
    double seconds = 0.0;
    if (!child || std::fscanf(child, "%lf", &seconds) != 1)
        state.SkipWithError("the child process reported nothing");
    if (child)
        ::pclose(child);
    return seconds;
}

// --- Benchmarks: each timed alternately with its peer ---

void BM_SaveToMemory(benchmark::State& state) {
    auto& doc = const_cast<CMainDoc&>(Project());
    const auto& bytes = ProjectBytes();
    // One output buffer for all iterations: a fresh 100 MB vector per run would mostly measure
    // the kernel's first-touch page faults, not the archive.
    CMemoryOutput out;
    out.Data().reserve(bytes.size());
    std::vector<std::uint8_t> copy(bytes.size());
    bench::Interleave(
        state, "memcpy", bench::Clock::kThreadCpu,
        [&] {
            out.Data().clear();
            CArchive ar(out);
            doc.Serialize(ar);
            ar.Flush();
            benchmark::DoNotOptimize(out.Data().data());
        },
        [&] {
            std::memcpy(copy.data(), bytes.data(), bytes.size());
            benchmark::DoNotOptimize(copy.data());
        });
    SetBytes(state);
}

void BM_LoadFromMemory(benchmark::State& state) {
    const auto& bytes = ProjectBytes();
    std::vector<std::uint8_t> copy(bytes.size());
    bench::Interleave(
        state, "memcpy", bench::Clock::kThreadCpu,
        [&] {
            CMainDoc doc;
            CMemoryInput in(bytes);
            CArchive ar(in);
            doc.Serialize(ar);
            benchmark::DoNotOptimize(doc.GetSessions().GetCount());
        },
        [&] {
            std::memcpy(copy.data(), bytes.data(), bytes.size());
            benchmark::DoNotOptimize(copy.data());
        });
    SetBytes(state);
}

// Wall-clock time: the waits for the disk (fsync, rename) are part of a save.
void BM_SaveToFile(benchmark::State& state) {
    auto& doc = const_cast<CMainDoc&>(Project());
    const TempFile saved("kubo_bench_save.qlg", false);
    const TempFile plain("kubo_bench_plain.qlg", false);
    bench::Interleave(
        state, "plainwrite", bench::Clock::kWall,
        [&] {
            CSafeFile file(saved.Path());
            CArchive ar(file, saved.Path());
            doc.Serialize(ar);
            ar.Flush();
            file.Commit();
        },
        [&] { PlainWrite(plain.Path(), ProjectBytes()); });
    SetBytes(state);
}

// Warm: the process has loaded before; the file is in the page cache.
void BM_LoadFromFile(benchmark::State& state) {
    const TempFile file("kubo_bench_load.qlg");
    std::vector<std::uint8_t> buffer(ProjectBytes().size());
    bench::Interleave(
        state, "plainread", bench::Clock::kWall, [&] { LoadFile(file.Path()); },
        [&] { PlainRead(file.Path(), buffer); });
    SetBytes(state);
}

// Cold: the first load of a fresh process (its allocations and code not yet touched; the file
// itself is in the page cache, for the plain read alike), beside the first plain read of a
// fresh process.
void BM_LoadFromFileCold(benchmark::State& state) {
    const TempFile file("kubo_bench_cold.qlg");
    bench::Interleave(
        state, "plainread", bench::Clock::kWall,
        [&] { return ColdChild(state, kColdLoad, file.Path()); },
        [&] { return ColdChild(state, kColdRead, file.Path()); });
    SetBytes(state);
}
} // namespace

BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);
BENCHMARK(BM_LoadFromFileCold)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);

int main(int argc, char** argv) {
    if (argc == 3 && (std::strcmp(argv[1], kColdLoad) == 0 || std::strcmp(argv[1], kColdRead) == 0))
        return RunColdChild(argv[1], argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
