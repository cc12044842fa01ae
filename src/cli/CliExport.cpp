// kubo-cli export: every flight of a raw text or project file as one translated or raw export.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"
#include "data/DataBlock.h"
#include "data/TextExport.h"
#include "framework/FileException.h"

#include <cstdio>
#include <iostream>

namespace {
constexpr const char* kUsage = "export --translated|--raw INPUT [-o OUTPUT] [--pressure F] "
                               "[--altitude F] [--date TEXT]";

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
    CCliProject project;
    if (!project.Load(input, {options->pressure, options->altitude, options->date}))
        return kExitFailure;
    const TextExport kind = options->raw ? TextExport::Raw : TextExport::Translated;

    // Every flight as one export, index 0 .. total - 1 in project order.
    if (!options->output) {
        WriteTextExport(project.Flights(), kind, std::cout);
        std::cout.flush();
        if (!std::cout) {
            ReportCliFileError("<stdout>", "write error");
            return kExitFailure;
        }
        return kExitOk;
    }
    try {
        ExportTextToFile(project.Flights(), kind, *options->output);
    } catch (const CFileException& error) {
        ReportCliFileError(*options->output, CliExceptionReason(error));
        return kExitFailure;
    }
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Export, "export", kUsage, RunExport)
