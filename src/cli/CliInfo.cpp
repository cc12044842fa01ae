// kubo-cli info: one tab-separated line per flight of a raw text or project file.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Refusal.h"
#include "framework/StringIds.h"

#include <cstdio>
#include <new>
#include <string>

namespace {
constexpr const char* kUsage = "info INPUT";

// Output contract, per flight in project order: session name, flight name, sample count,
// sample rate (ms), reference raw value, version, annotation count, duration text (as the
// information page shows it), maximum altitude ("%.1f m"; "-1.0 m" when the pressure formula
// fails on the reference raw value), separated by tabs.
int RunInfo(std::span<char*> args) {
    const std::optional<CliOptions> options = ParseCliOptions("info", args, 0);
    if (!options)
        return kExitUsage;
    if (options->operands.size() != 1)
        return CliUsageError("info", "give one INPUT file", kUsage);

    const std::string& input = options->operands.front();
    CCliProject project;
    if (!project.Load(input, {}))
        return kExitFailure;
    const CMainDoc& doc = project.Document();
    for (const CDataBlock* flight : project.Flights()) {
        const CDataModule* session = flight->GetSession();
        std::string maximum;
        try {
            maximum = doc.FormatAltitude(flight->GetMaxAltitude());
        } catch (const std::bad_alloc&) {
            std::fflush(stdout);
            ReportCliFileError(input,
                               RefusalReason(str::NotEnoughMemoryForFlight, flight->GetName()));
            return kExitFailure;
        }
        std::printf("%s\t%s\t%zu\t%d\t%u\t%d\t%td\t%s\t%s\n",
                    session ? session->GetName().c_str() : "", flight->GetName().c_str(),
                    flight->GetRawSamples().size(), static_cast<int>(flight->GetSampleRate()),
                    static_cast<unsigned>(flight->GetReferenceRaw()),
                    static_cast<int>(flight->GetVersion()), flight->GetAnnotations().GetCount(),
                    flight->GetDurationText().c_str(), maximum.c_str());
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}
} // namespace

KUBO_CLI_COMMAND(Info, "info", kUsage, RunInfo)
