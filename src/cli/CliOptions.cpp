#include "CliOptions.h"

#include "CliCommand.h"

#include <cstdio>
#include <string_view>

namespace {
struct ValueOption {
    std::string_view longName;
    std::string_view shortName; // empty: none
    unsigned set;
    std::optional<std::string> CliOptions::*field;
};

constexpr ValueOption kValueOptions[] = {
    {"--output", "-o", kOptOutput, &CliOptions::output},
    {"--pressure", {}, kOptFormulas, &CliOptions::pressure},
    {"--altitude", {}, kOptFormulas, &CliOptions::altitude},
    {"--date", {}, kOptDate, &CliOptions::date},
    {"--session", {}, kOptNotes, &CliOptions::session},
    {"--set", {}, kOptNotes, &CliOptions::set},
    {"--size", {}, kOptPicture, &CliOptions::size},
    {"--flights", {}, kOptPicture, &CliOptions::flights},
};

struct FlagOption {
    std::string_view name;
    unsigned set;
    bool CliOptions::*field;
};

constexpr FlagOption kFlagOptions[] = {
    {"--translated", kOptFormat, &CliOptions::translated},
    {"--raw", kOptFormat, &CliOptions::raw},
    {"--rtf", kOptNotes, &CliOptions::rtf},
    {"--seconds", kOptPicture, &CliOptions::seconds},
    {"--feet", kOptPicture, &CliOptions::feet},
};

void Complain(const char* command, const std::string& reason) {
    std::fprintf(stderr, "kubo-cli: %s: %s\n", command, reason.c_str());
}
} // namespace

std::optional<CliOptions> ParseCliOptions(const char* command, std::span<char*> args,
                                          unsigned allowed) {
    CliOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.operands.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const FlagOption* flag = nullptr;
        for (const FlagOption& option : kFlagOptions)
            if ((allowed & option.set) && arg == option.name)
                flag = &option;
        if (flag) {
            bool& value = options.*(flag->field);
            if (value) {
                Complain(command, std::string(arg) + " given twice");
                return std::nullopt;
            }
            value = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const ValueOption* match = nullptr;
        for (const ValueOption& option : kValueOptions)
            if ((allowed & option.set) && (name == option.longName ||
                                           (!option.shortName.empty() && name == option.shortName)))
                match = &option;
        if (!match) {
            Complain(command, "unknown option '" + std::string(arg) + "'");
            return std::nullopt;
        }
        std::optional<std::string>& field = options.*(match->field);
        if (field) {
            Complain(command, std::string(match->longName) + " given twice");
            return std::nullopt;
        }
        if (equals != std::string_view::npos) {
            field = std::string(arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            field = std::string(args[++i]);
        } else {
            Complain(command, std::string(name) + " needs a value");
            return std::nullopt;
        }
    }
    return options;
}

int CliUsageError(const char* command, const std::string& reason, const char* usage) {
    std::fprintf(stderr, "kubo-cli: %s: %s (usage: kubo-cli %s)\n", command, reason.c_str(), usage);
    return kExitUsage;
}
