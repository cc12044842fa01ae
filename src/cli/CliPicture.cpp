// kubo-cli picture: the flights of a raw text or project file drawn as the Graph page draws
// them, into an image file, without a display.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "pages/GraphPicture.h"

#include <QApplication>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

namespace {
// OUTPUT's extension chooses the format (.png .jpg .jpeg .bmp .svg .pdf); the size defaults to
// 1200x800; LIST holds 1-based SESSION.FLIGHT pairs ("1.2,2.1"), drawn in project order as the
// page draws them; without it the flights shown in the graph are drawn, or all when none is.
constexpr const char* kUsage =
    "picture INPUT -o OUTPUT [--size WxH] [--seconds] [--feet] [--flights LIST]";
constexpr int kDefaultWidth = 1200;
constexpr int kDefaultHeight = 800;

// A whole number, sign allowed; nullopt when text is not one. Values beyond long long are
// clamped (they are out of any range anyway).
std::optional<long long> ParseWhole(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, value);
    if (result.ptr != end)
        return std::nullopt;
    if (result.ec == std::errc::result_out_of_range)
        return text.front() == '-' ? -1 : std::numeric_limits<long long>::max();
    if (result.ec != std::errc())
        return std::nullopt;
    return value;
}

struct SizeText {
    long long width;
    long long height;
};

std::optional<SizeText> ParseSize(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const std::optional<long long> width = ParseWhole(text.substr(0, x));
    const std::optional<long long> height = ParseWhole(text.substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    return SizeText{*width, *height};
}

struct FlightRef {
    long long session;
    long long flight;
};

// "1.2,2.1": comma-separated SESSION.FLIGHT pairs; blanks around an item are allowed.
std::optional<std::vector<FlightRef>> ParseFlights(std::string_view text) {
    std::vector<FlightRef> refs;
    while (true) {
        const std::size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        const std::size_t dot = item.find('.');
        if (dot == std::string_view::npos)
            return std::nullopt;
        const std::optional<long long> session = ParseWhole(item.substr(0, dot));
        const std::optional<long long> flight = ParseWhole(item.substr(dot + 1));
        if (!session || !flight)
            return std::nullopt;
        refs.push_back({*session, *flight});
        if (comma == std::string_view::npos)
            return refs;
        text.remove_prefix(comma + 1);
    }
}

// The flights to draw, in project order; reports a flight that does not exist.
std::optional<std::vector<CDataBlock*>>
ChooseFlights(CCliProject& project, const std::optional<std::vector<FlightRef>>& refs,
              const std::string& input) {
    std::vector<CDataBlock*> all = project.Flights();
    if (!refs) {
        std::vector<CDataBlock*> shown;
        std::copy_if(all.begin(), all.end(), std::back_inserter(shown),
                     [](const CDataBlock* flight) { return flight->IsShown(); });
        if (shown.empty())
            shown = all;
        if (shown.empty()) {
            ReportCliFileError(input, "no flight to draw");
            return std::nullopt;
        }
        return shown;
    }
    std::vector<bool> chosen(all.size(), false);
    const auto& sessions = project.Document().GetSessions();
    for (const FlightRef& ref : *refs) {
        const CDataModule* session =
            ref.session >= 1 && ref.session <= sessions.GetCount()
                ? sessions.GetAt(static_cast<std::ptrdiff_t>(ref.session - 1))
                : nullptr;
        const CDataBlock* flight =
            session && ref.flight >= 1 && ref.flight <= session->GetFlights().GetCount()
                ? session->GetFlights().GetAt(static_cast<std::ptrdiff_t>(ref.flight - 1))
                : nullptr;
        if (!flight) {
            ReportCliFileError(input, "there is no flight " + std::to_string(ref.session) + "." +
                                          std::to_string(ref.flight));
            return std::nullopt;
        }
        chosen[static_cast<std::size_t>(std::find(all.begin(), all.end(), flight) - all.begin())] =
            true;
    }
    std::vector<CDataBlock*> flights;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (chosen[i])
            flights.push_back(all[i]);
    return flights;
}

int RunPicture(std::span<char*> args) {
    const std::optional<CliOptions> options =
        ParseCliOptions("picture", args, kOptOutput | kOptPicture);
    if (!options)
        return kExitUsage;
    if (options->operands.size() != 1)
        return CliUsageError("picture", "give one INPUT file", kUsage);
    if (!options->output)
        return CliUsageError("picture", "give the OUTPUT file with -o", kUsage);
    std::optional<SizeText> size = SizeText{kDefaultWidth, kDefaultHeight};
    if (options->size && !(size = ParseSize(*options->size)))
        return CliUsageError("picture", "--size takes WIDTHxHEIGHT, such as 1200x800", kUsage);
    std::optional<std::vector<FlightRef>> refs;
    if (options->flights && !(refs = ParseFlights(*options->flights)))
        return CliUsageError("picture", "--flights takes SESSION.FLIGHT pairs, such as 1.2,2.1",
                             kUsage);

    const std::string& input = options->operands.front();
    const std::string& output = *options->output;
    const std::optional<GraphPictureFormat> format = PictureFormatForPath(output);
    if (!format) {
        ReportCliFileError(output, "unknown picture type: name it .png, .jpg, .bmp, .svg or .pdf");
        return kExitFailure;
    }
    const auto inRange = [](long long side) { return side >= 1 && side <= kMaxGraphPictureSide; };
    if (!inRange(size->width) || !inRange(size->height)) {
        std::fprintf(stderr, "kubo-cli: picture: the size must be 1 to %d pixels each way\n",
                     kMaxGraphPictureSide);
        return kExitFailure;
    }

    CCliProject project;
    if (!project.Load(input, {}))
        return kExitFailure;
    project.Document().SetShowFeet(options->feet ? 1 : 0);
    const std::optional<std::vector<CDataBlock*>> flights = ChooseFlights(project, refs, input);
    if (!flights)
        return kExitFailure;

    // Drawing needs no display: without a platform named, the offscreen one is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes (a missing runtime directory, font fallbacks) are no concern of a script.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "kubo-cli: picture: %s\n", qPrintable(text));
    });
    int argc = 1;
    char name[] = "kubo-cli";
    char* argv[] = {name, nullptr};
    const QApplication app(argc, argv);

    GraphChartOptions chartOptions;
    chartOptions.timeDivisor = options->seconds ? 1 : 60;
    chartOptions.feet = options->feet;
    const QString path = QString::fromStdString(output);
    const PictureResult result = WriteFlightsPicture(
        *flights, project.Document().GetChartState().GetData(), chartOptions,
        QSize(static_cast<int>(size->width), static_cast<int>(size->height)), *format, path);
    if (result != PictureResult::Done) {
        ReportCliFileError(output, PictureFailureReason(result, path));
        return kExitFailure;
    }
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Picture, "picture", kUsage, RunPicture)
