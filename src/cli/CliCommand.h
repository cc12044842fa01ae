// The command table of kubo-cli: each command lives in its own source file and registers here.
#pragma once

#include <span>
#include <string_view>

// Exit codes of every command: 0 success, 1 bad input or failed operation, 2 usage error.
enum CliExit { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct CliCommand {
    const char* name;                  // as typed: "eval", "export" ...
    const char* usage;                 // one or more usage lines for --help, without "kubo-cli "
    int (*run)(std::span<char*> args); // the arguments after the command name
};

// Registers a command at start-up; use through KUBO_CLI_COMMAND in the command's source file.
bool RegisterCliCommand(const CliCommand& command);
[[nodiscard]] std::span<const CliCommand> CliCommands();

#define KUBO_CLI_COMMAND(ident, name, usage, fn)                                                   \
    namespace {                                                                                    \
    [[maybe_unused]] const bool kCliRegistered##ident = RegisterCliCommand({name, usage, fn});     \
    }
