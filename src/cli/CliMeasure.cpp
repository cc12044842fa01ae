// kubo-cli measure: the summary of a measurement between two graph points, as the measurement
// pane copies it.
#include "CliCommand.h"
#include "CliOptions.h"
#include "calc/Measurement.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {
constexpr const char* kName = "measure";
constexpr const char* kUsage =
    "measure --from TIME,ALT --to TIME,ALT [--minutes] [--feet] "
    "[--calc1 FORMULA] [--title1 TEXT] [--calc2 FORMULA] [--title2 TEXT]";

struct MeasureArgs {
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> calc1;
    std::optional<std::string> title1;
    std::optional<std::string> calc2;
    std::optional<std::string> title2;
    bool minutes = false;
    bool feet = false;
};

struct ValueOption {
    std::string_view name;
    std::optional<std::string> MeasureArgs::*field;
};
constexpr ValueOption kValueOptions[] = {
    {"--from", &MeasureArgs::from},   {"--to", &MeasureArgs::to},
    {"--calc1", &MeasureArgs::calc1}, {"--title1", &MeasureArgs::title1},
    {"--calc2", &MeasureArgs::calc2}, {"--title2", &MeasureArgs::title2},
};

// Options as "--name VALUE" or "--name=VALUE"; a value may begin with '-' (a negative time).
// nullopt after a usage error has been reported.
std::optional<MeasureArgs> ParseArgs(std::span<char*> args) {
    MeasureArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--minutes" || arg == "--feet") {
            bool& flag = arg == "--feet" ? parsed.feet : parsed.minutes;
            if (flag) {
                CliUsageError(kName, std::string(arg) + " given twice", kUsage);
                return std::nullopt;
            }
            flag = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const ValueOption* match = nullptr;
        for (const ValueOption& option : kValueOptions)
            if (name == option.name)
                match = &option;
        if (!match) {
            CliUsageError(kName,
                          (arg.starts_with('-') ? "unknown option '" : "unexpected argument '") +
                              std::string(arg) + "'",
                          kUsage);
            return std::nullopt;
        }
        std::optional<std::string>& field = parsed.*(match->field);
        if (field) {
            CliUsageError(kName, std::string(name) + " given twice", kUsage);
            return std::nullopt;
        }
        if (equals != std::string_view::npos) {
            field = std::string(arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            field = std::string(args[++i]);
        } else {
            CliUsageError(kName, std::string(name) + " needs a value", kUsage);
            return std::nullopt;
        }
    }
    if (!parsed.from || !parsed.to) {
        CliUsageError(kName, parsed.from ? "missing --to" : "missing --from", kUsage);
        return std::nullopt;
    }
    return parsed;
}

// A whole, finite decimal number.
std::optional<double> ParseNumber(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

enum class PointError { None, Shape, Number };

// "TIME,ALT", split at the first comma.
PointError ParsePoint(const std::string& text, MeasurementPoint& point, std::string& reason) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        reason = "'" + text + "' is not TIME,ALT";
        return PointError::Shape;
    }
    const std::string time = text.substr(0, comma);
    const std::string altitude = text.substr(comma + 1);
    const std::optional<double> t = ParseNumber(time);
    const std::optional<double> a = ParseNumber(altitude);
    if (!t || !a) {
        reason = "'" + (t ? altitude : time) + "' is not a number";
        return PointError::Number;
    }
    point = {*t, *a};
    return PointError::None;
}

// Output contract: exactly the summary text the measurement pane copies, on stdout, exit 0.
// A TIME or ALT that is not a finite number: exit 1; usage errors (a point without a comma
// among them): exit 2; both reported on stderr only.
int RunMeasure(std::span<char*> args) {
    const std::optional<MeasureArgs> parsed = ParseArgs(args);
    if (!parsed)
        return kExitUsage;
    MeasurementPoint points[2];
    const std::string* texts[2] = {&*parsed->from, &*parsed->to};
    for (int i = 0; i < 2; ++i) {
        std::string reason;
        switch (ParsePoint(*texts[i], points[i], reason)) {
        case PointError::Shape:
            return CliUsageError(kName, (i == 0 ? "--from: " : "--to: ") + reason, kUsage);
        case PointError::Number:
            std::fprintf(stderr, "kubo-cli: %s: %s%s\n", kName,
                         i == 0 ? "--from: " : "--to: ", reason.c_str());
            return kExitFailure;
        case PointError::None:
            break;
        }
    }
    const std::array<UserCalculation, 2> calculations = {
        UserCalculation{parsed->calc1.value_or(""), parsed->title1.value_or("")},
        UserCalculation{parsed->calc2.value_or(""), parsed->title2.value_or("")}};
    const MeasurementTexts result = ComputeMeasurement(
        points[0], points[1], parsed->minutes ? 60 : 1, parsed->feet, calculations);
    const std::string text = BuildMeasurementText(result);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "kubo-cli: %s: cannot write the output\n", kName);
        return kExitFailure;
    }
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Measure, "measure", kUsage, RunMeasure)
