// kubo-cli: batch operations on altimeter data with the program's own core.
#include "CliArguments.h"
#include "CliCommand.h"
#include "KuboVersion.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {
std::vector<CliCommand>& Commands() {
    static std::vector<CliCommand> commands;
    return commands;
}

void PrintUsage(std::FILE* out) {
    std::fputs("usage: kubo-cli COMMAND [ARGS...]\n"
               "       kubo-cli --help | --version\n\ncommands:\n",
               out);
    std::vector<CliCommand> sorted(Commands());
    std::sort(sorted.begin(), sorted.end(), [](const CliCommand& a, const CliCommand& b) {
        return std::string_view(a.name) < std::string_view(b.name);
    });
    for (const CliCommand& command : sorted) {
        std::string_view usage = command.usage;
        while (!usage.empty()) {
            std::size_t end = usage.find('\n');
            std::fprintf(out, "  kubo-cli %.*s\n", static_cast<int>(usage.substr(0, end).size()),
                         usage.data());
            usage = end == std::string_view::npos ? std::string_view() : usage.substr(end + 1);
        }
    }
    std::fputs("\noptions may stand anywhere among the operands; -o is short for --output.\n"
               "exit status: 0 success, 1 bad input or a failed operation, 2 usage error.\n"
               "See kubo-cli(1) for what each command does.\n",
               out);
}
} // namespace

bool RegisterCliCommand(const CliCommand& command) {
    Commands().push_back(command);
    return true;
}

std::span<const CliCommand> CliCommands() {
    return Commands();
}

int main(int argc, char* argv[]) {
    // The commands take UTF-8 arguments; argv keeps pointing into args.
    std::vector<std::string> args = CliUtf8Arguments(argc, argv);
    std::vector<char*> utf8Argv;
    for (std::string& arg : args)
        utf8Argv.push_back(arg.data());
    utf8Argv.push_back(nullptr);
    argc = static_cast<int>(args.size());
    argv = utf8Argv.data();
    if (argc < 2) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::string_view first = argv[1];
    if (first == "--help" || first == "-h") {
        PrintUsage(stdout);
        return kExitOk;
    }
    if (first == "--version") {
        std::printf("kubo-cli %s\n", KUBO_VERSION_STRING);
        return kExitOk;
    }
    for (const CliCommand& command : Commands()) {
        if (first != command.name)
            continue;
        try {
            return command.run(std::span<char*>(argv + 2, static_cast<std::size_t>(argc - 2)));
        } catch (const std::bad_alloc&) {
            // The commands name the file where they can; this is the last resort.
            std::fprintf(stderr, "kubo-cli: %s: %s\n", command.name,
                         LoadString(str::NotEnoughMemory).c_str());
            return kExitFailure;
        }
    }
    std::fprintf(stderr, "kubo-cli: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return kExitUsage;
}
