// kubo-cli export: every flight of a raw text or project file as one translated or raw export.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"
#include "data/DataBlock.h"

#include <cstdio>
#include <fstream>
#include <iostream>

namespace {
constexpr const char* kUsage = "export --translated|--raw INPUT [-o OUTPUT] [--pressure F] "
                               "[--altitude F] [--date TEXT]";

// Writes the flights to out as the export command does: index 0 .. total - 1 in project order.
void WriteExport(const std::vector<CDataBlock*>& flights, TextExport kind, std::ostream& out) {
    const int total = static_cast<int>(flights.size());
    for (int index = 0; index < total; ++index)
        flights[static_cast<std::size_t>(index)]->ExportText(out, kind, index, total);
}

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

    if (!options->output) {
        WriteExport(project.Flights(), kind, std::cout);
        std::cout.flush();
        if (!std::cout) {
            ReportCliFileError("<stdout>", "write error");
            return kExitFailure;
        }
        return kExitOk;
    }
    // Text mode: lines end with the platform's line end.
    std::ofstream out(*options->output, std::ios::out | std::ios::trunc);
    if (!out) {
        ReportCliFileError(*options->output, "cannot create the file");
        return kExitFailure;
    }
    WriteExport(project.Flights(), kind, out);
    out.close();
    if (!out) {
        ReportCliFileError(*options->output, "write error");
        return kExitFailure;
    }
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Export, "export", kUsage, RunExport)
