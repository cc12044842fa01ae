// kubo-cli import: a raw text file decoded into a new version-6 project file.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"

namespace {
constexpr const char* kUsage =
    "import RAWFILE -o OUT.qlg [--pressure F] [--altitude F] [--date TEXT]";

// The project holds an empty chart block, four empty user calculation texts and one session
// "Session1" with empty comments holding the decoded flights.
int RunImport(std::span<char*> args) {
    const std::optional<CliOptions> options =
        ParseCliOptions("import", args, kOptOutput | kOptFormulas | kOptDate);
    if (!options)
        return kExitUsage;
    if (options->operands.size() != 1)
        return CliUsageError("import", "give one RAWFILE", kUsage);
    if (!options->output)
        return CliUsageError("import", "-o OUT.qlg is required", kUsage);

    const CliFlightSettings settings{options->pressure, options->altitude, options->date};
    if (!CheckCliFormulas("import", settings))
        return kExitFailure;
    CCliProject project;
    if (!project.LoadRawText(options->operands.front(), settings))
        return kExitFailure;
    return project.Save(*options->output) ? kExitOk : kExitFailure;
}
} // namespace

KUBO_CLI_COMMAND(Import, "import", kUsage, RunImport)
