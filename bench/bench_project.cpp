// Project load and save throughput for a 100 MB project, beside a plain copy, read and write of
// the same bytes. Budget: at least 200 MB/s for load and save.
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Archive.h"
#include "framework/FileInput.h"
#include "framework/SafeFile.h"
#include "shell/MainDoc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
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

void BM_PlainCopy(benchmark::State& state) {
    const auto& bytes = ProjectBytes();
    std::vector<std::uint8_t> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
    }
    SetBytes(state);
}

void BM_SaveToMemory(benchmark::State& state) {
    auto& doc = const_cast<CMainDoc&>(Project());
    const std::size_t size = ProjectBytes().size();
    // One output buffer for all iterations: a fresh 100 MB vector per run would mostly measure
    // the kernel's first-touch page faults, not the archive.
    CMemoryOutput out;
    out.Data().reserve(size);
    for (auto _ : state) {
        out.Data().clear();
        CArchive ar(out);
        doc.Serialize(ar);
        ar.Flush();
        benchmark::DoNotOptimize(out.Data().data());
    }
    SetBytes(state);
}

void BM_LoadFromMemory(benchmark::State& state) {
    const auto& bytes = ProjectBytes();
    for (auto _ : state) {
        CMainDoc doc;
        CMemoryInput in(bytes);
        CArchive ar(in);
        doc.Serialize(ar);
        benchmark::DoNotOptimize(doc.GetSessions().GetCount());
    }
    SetBytes(state);
}

void BM_PlainFileWrite(benchmark::State& state) {
    const auto& bytes = ProjectBytes();
    const std::string path = TempPath("kubo_bench_plain.qlg");
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
        ::fsync(fileno(f));
        std::fclose(f);
    }
    std::filesystem::remove(path);
    SetBytes(state);
}

void BM_SaveToFile(benchmark::State& state) {
    auto& doc = const_cast<CMainDoc&>(Project());
    const std::string path = TempPath("kubo_bench_save.qlg");
    for (auto _ : state) {
        CSafeFile file(path);
        CArchive ar(file, path);
        doc.Serialize(ar);
        ar.Flush();
        file.Commit();
    }
    std::filesystem::remove(path);
    SetBytes(state);
}

void BM_PlainFileRead(benchmark::State& state) {
    const auto& bytes = ProjectBytes();
    const std::string path = TempPath("kubo_bench_read.qlg");
    CSafeFile::WriteAll(path, bytes);
    std::vector<std::uint8_t> buffer(bytes.size());
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), f));
        std::fclose(f);
    }
    std::filesystem::remove(path);
    SetBytes(state);
}

void BM_LoadFromFile(benchmark::State& state) {
    const std::string path = TempPath("kubo_bench_load.qlg");
    CSafeFile::WriteAll(path, ProjectBytes());
    for (auto _ : state) {
        CMainDoc doc;
        CFileInput in(path);
        CArchive ar(in, path);
        doc.Serialize(ar);
        benchmark::DoNotOptimize(doc.GetSessions().GetCount());
    }
    std::filesystem::remove(path);
    SetBytes(state);
}
} // namespace

BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);
// File figures in wall-clock time: the waits for the disk (fsync, rename) are part of a save.
BENCHMARK(BM_PlainFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainFileRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
