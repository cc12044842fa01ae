// kubo-cli convert: a project file of any version rewritten as version 6.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"

namespace {
constexpr const char* kUsage = "convert IN.qlg -o OUT.qlg";

// The chart block and the session comments are written back byte for byte; a file older than
// version 6 gets empty user calculation texts.
int RunConvert(std::span<char*> args) {
    const std::optional<CliOptions> options = ParseCliOptions("convert", args, kOptOutput);
    if (!options)
        return kExitUsage;
    if (options->operands.size() != 1)
        return CliUsageError("convert", "give one IN.qlg", kUsage);
    if (!options->output)
        return CliUsageError("convert", "-o OUT.qlg is required", kUsage);

    CCliProject project;
    if (!project.LoadProject(options->operands.front(), {}))
        return kExitFailure;
    return project.Save(*options->output) ? kExitOk : kExitFailure;
}
} // namespace

KUBO_CLI_COMMAND(Convert, "convert", kUsage, RunConvert)
