// kubo-cli export: every flight of a raw text or project file as one translated or raw export.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"
#include "data/DataBlock.h"
#include "data/TextExport.h"
#include "framework/Exception.h"
#include "framework/FilePath.h"
#include "framework/Refusal.h"
#include "framework/StringIds.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
#include <system_error>

namespace {
constexpr const char* kUsage = "export --translated|--raw INPUT [-o OUTPUT] [--pressure F] "
                               "[--altitude F] [--date TEXT]";

// True when output names the input file (through another name or a link too).
bool IsSameFile(const std::string& input, const std::string& output) {
    std::error_code ec;
    return std::filesystem::equivalent(PathFromUtf8(input), PathFromUtf8(output), ec) && !ec;
}

// The export of every flight, index 0 .. total - 1 in project order, to stdout or through a
// temporary file renamed over OUTPUT once it is complete: a failure (a full disk among them)
// leaves an earlier OUTPUT as it was. OUTPUT may not be the INPUT file.
int RunExport(std::span<char*> args) {
    const std::optional<CliOptions> options =
        ParseCliOptions("export", args, kOptOutput | kOptFormulas | kOptDate | kOptFormat);
    if (!options)
        return kExitUsage;
    if (options->translated == options->raw)
        return CliUsageError("export", "give one of --translated and --raw", kUsage);
    if (options->operands.size() != 1)
        return CliUsageError("export", "give one INPUT file", kUsage);

    const std::string& input = options->operands.front();
    const CliFlightSettings settings{options->pressure, options->altitude, options->date};
    if (!CheckCliFormulas("export", settings))
        return kExitFailure;
    if (options->output && IsSameFile(input, *options->output)) {
        ReportCliFileError(*options->output, RefusalReason(str::OutputIsInput, input));
        return kExitFailure;
    }
    CCliProject project;
    if (!project.Load(input, settings))
        return kExitFailure;
    const TextExport kind = options->raw ? TextExport::Raw : TextExport::Translated;
    const std::vector<CDataBlock*> flights = project.Flights();

    try {
        if (!options->output) {
            WriteTextExport(flights, kind, std::cout);
            std::cout.flush();
            if (!std::cout) {
                ReportCliFileError("<stdout>", "write error");
                return kExitFailure;
            }
            return kExitOk;
        }
        ExportTextToFile(flights, kind, *options->output);
    } catch (const CException& error) {
        ReportCliFileError(*options->output, CliExceptionReason(error));
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        return ReportCliOutOfMemory(input);
    }
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Export, "export", kUsage, RunExport)
