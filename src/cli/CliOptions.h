// CliOptions: the options and operands shared by kubo-cli's file commands.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

// What a file command was given. Options may stand anywhere among the operands, as "--name
// VALUE" or "--name=VALUE"; "--" ends the options.
struct CliOptions {
    std::vector<std::string> operands;
    std::optional<std::string> output;   // -o / --output
    std::optional<std::string> pressure; // --pressure: pressure formula for the flights
    std::optional<std::string> altitude; // --altitude: altitude formula for the flights
    std::optional<std::string> date;     // --date: date text of decoded flights
    bool translated = false;             // --translated
    bool raw = false;                    // --raw
    std::optional<std::string> session;  // --session: a session number, 1-based
    std::optional<std::string> set;      // --set: the file that replaces a session's comments
    bool rtf = false;                    // --rtf
    std::optional<std::string> size;     // --size: WxH in pixels
    std::optional<std::string> flights;  // --flights: SESSION.FLIGHT[,SESSION.FLIGHT...]
    bool seconds = false;                // --seconds
    bool feet = false;                   // --feet
};

// The options a command takes, besides its operands.
enum CliOptionSet : unsigned {
    kOptOutput = 1u << 0,
    kOptFormulas = 1u << 1, // --pressure, --altitude
    kOptDate = 1u << 2,
    kOptFormat = 1u << 3,  // --translated, --raw
    kOptNotes = 1u << 4,   // --session, --set, --rtf
    kOptPicture = 1u << 5, // --size, --flights, --seconds, --feet
};

// Parses args for a command that accepts the options in `allowed`. On an unknown or repeated
// option, or one missing its value, writes "kubo-cli: COMMAND: reason" to stderr and returns
// nullopt (a usage error).
[[nodiscard]] std::optional<CliOptions> ParseCliOptions(const char* command, std::span<char*> args,
                                                        unsigned allowed);

// Writes "kubo-cli: COMMAND: reason (usage: kubo-cli USAGE)" to stderr; returns kExitUsage.
int CliUsageError(const char* command, const std::string& reason, const char* usage);
