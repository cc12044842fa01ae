// kubo-cli read: reads one transmission from the altimeter on a serial port into a project file.
#include "CliCommand.h"
#include "CliProject.h"
#include "CliSerialArgs.h"
#include "data/DataModule.h"
#include "framework/Archive.h"
#include "framework/CodePage.h"
#include "framework/CommTimeouts.h"
#include "framework/CommandIds.h"
#include "framework/Exception.h"
#include "framework/FilePath.h"
#include "framework/ReadWindow.h"
#include "framework/Refusal.h"
#include "framework/SafeFile.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/UiServices.h"
#include "serial/SerialPortSource.h"
#include "shell/MainDoc.h"

#include <QCoreApplication>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
}

// The Read Data window on a terminal: progress on stderr, Ctrl+C for Cancel, the final question
// answered by --separate.
class CliReadWindow final : public CReadWindow {
public:
    explicit CliReadWindow(bool separate) : m_separate(separate) {}

    void SetProgressRange(int upper) override { m_upper = upper; }
    void SetProgressPosition(std::int64_t position) override {
        if (m_upper <= 0)
            return;
        const std::int64_t tenth = std::min<std::int64_t>(position * 10 / m_upper, 10);
        if (tenth <= m_lastTenth)
            return;
        m_lastTenth = tenth;
        std::fprintf(stderr, "kubo-cli: read: %lld%%\n", static_cast<long long>(tenth * 10));
    }
    void SetStatusText(const std::string& text) override {
        std::fprintf(stderr, "kubo-cli: read: %s\n", text.c_str());
    }
    void ProcessEvents() override {}
    [[nodiscard]] bool IsCancelRequested() const override { return g_interrupted != 0; }
    [[nodiscard]] bool AskKeepSeparate(bool& separate) override {
        separate = m_separate;
        return true;
    }

private:
    bool m_separate;
    int m_upper = 0;
    std::int64_t m_lastTenth = 0;
};

// Messages go to stderr; the keep question is answered Yes, so what arrived is kept. The port
// opened is the one named on the command line, whatever device the document would name.
class CliReadUi final : public CUiServices {
public:
    CliReadUi(std::string port, bool separate) : m_port(std::move(port)), m_separate(separate) {}

    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon) override {
        if (buttons == MsgButtons::YesNo) {
            std::fprintf(stderr, "kubo-cli: read: warning: %s\n",
                         g_interrupted ? "interrupted" : "transmission incomplete");
            std::fprintf(stderr, "kubo-cli: read: keeping the flights received so far\n");
            return MsgResult::Yes;
        }
        std::fprintf(stderr, "kubo-cli: read: %s\n", text.c_str());
        return MsgResult::Ok;
    }
    using CUiServices::MessageBox;

    [[nodiscard]] std::unique_ptr<CReadWindow> CreateReadWindow() override {
        std::fputs("kubo-cli: read: Waiting for data .... (Ctrl+C stops)\n", stderr);
        return std::make_unique<CliReadWindow>(m_separate);
    }
    [[nodiscard]] PortOpenResult OpenSerialPort(const std::string&, const CPortSetupBlock& setup,
                                                const CommTimeouts& timeouts) override {
        return CSerialPortSource::Open(m_port, setup, timeouts);
    }

private:
    std::string m_port;
    bool m_separate;
};

constexpr const char* kUsage = "read --port DEVICE -o OUT.qlg [--separate] [--baud N]";

// Why the project cannot be written to path, or nullopt when it can: asked before the device
// is read, since a device that has sent its memory may have emptied it.
std::optional<std::string> OutputProblem(const std::string& path) {
    std::error_code ec;
    std::filesystem::path folder = PathFromUtf8(path).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
        return "the folder " + PathToUtf8(folder) + " does not exist";
    try {
        CSafeFile probe(path); // creates and, unused, removes a temporary beside path
    } catch (const CException& error) {
        return CliExceptionReason(error);
    }
    return std::nullopt;
}

// Writes the project to path; the reason when it cannot.
std::optional<std::string> SaveProject(CMainDoc& doc, const std::string& path) {
    try {
        std::unique_ptr<CSafeFile> file = doc.GetFileForSave(path);
        {
            CArchive ar(*file, path,
                        doc.GetAnsiCodePage().empty() ? CCodePage::kDefault
                                                      : std::string_view(doc.GetAnsiCodePage()));
            doc.Serialize(ar);
            ar.Flush();
        }
        file->Commit();
    } catch (const CException& error) {
        return CliExceptionReason(error);
    } catch (const std::bad_alloc&) {
        return RefusalReason(str::NotEnoughMemoryFor, path);
    }
    return std::nullopt;
}

// Received data is never thrown away: when OUT cannot be written after all, the project goes to
// "kubo-read-DATE-TIME.qlg" in OUT's folder, the home folder, the current folder or the
// temporary folder, the first that takes it. Its path, or nullopt when none did.
std::optional<std::string> SaveElsewhere(CMainDoc& doc, const std::string& out) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "kubo-read-%Y%m%d-%H%M%S", &local);
    std::vector<std::filesystem::path> folders{PathFromUtf8(out).parent_path()};
    if (const char* home = std::getenv("HOME"); home && *home)
        folders.emplace_back(home);
    folders.emplace_back(".");
    std::error_code ec;
    folders.push_back(std::filesystem::temp_directory_path(ec));
    for (const std::filesystem::path& folder : folders) {
        for (int n = 0; n < 100; ++n) {
            const std::filesystem::path candidate =
                folder / (std::string(stamp) + (n ? "-" + std::to_string(n) : "") + ".qlg");
            if (std::filesystem::exists(candidate, ec))
                continue;
            if (!SaveProject(doc, PathToUtf8(candidate)))
                return PathToUtf8(candidate);
            break;
        }
    }
    return std::nullopt;
}

int Usage(const std::string& message) {
    std::fprintf(stderr, "kubo-cli: read: %s (usage: kubo-cli %s)\n", message.c_str(), kUsage);
    return kExitUsage;
}

// Output: the project file OUT (version 6): one session holding every flight, or with
// --separate one session per flight. OUT is checked before the device is read. Exit 0 when OUT
// was written; 1 when OUT cannot be written (before reading), nothing was received, the port
// failed, or OUT failed after reading (the flights then go to another file, named on stderr);
// 2 for usage errors.
int RunRead(std::span<char*> args) {
    CliSerialArgs serial;
    std::string out;
    bool separate = false;
    const int argc = static_cast<int>(args.size());
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = args[static_cast<std::size_t>(i)];
        std::string error;
        if (serial.Take(argc, args.data(), i, error)) {
            if (!error.empty())
                return Usage(error);
        } else if (arg == "-o" || arg == "--output") {
            if (i + 1 >= argc)
                return Usage("-o needs a file name");
            out = args[static_cast<std::size_t>(++i)];
        } else if (arg == "--separate") {
            separate = true;
        } else {
            return Usage("unexpected argument '" + std::string(arg) + "'");
        }
    }
    if (serial.port.empty())
        return Usage("missing --port DEVICE");
    if (out.empty())
        return Usage("missing -o OUT.qlg");

    if (const std::optional<std::string> problem = OutputProblem(out)) {
        ReportCliFileError(out, *problem);
        return kExitFailure;
    }

    int qtArgc = 1;
    char qtName[] = "kubo-cli";
    char* qtArgv[] = {qtName, nullptr};
    QCoreApplication app(qtArgc, qtArgv);

    CliReadUi ui(serial.port, separate);
    CMainDoc doc(&ui);
    doc.SetPortSetup(serial.setup);

    // The document's Read Data command: the read, the questions, and the session or one
    // session per flight.
    g_interrupted = 0;
    const auto previous = std::signal(SIGINT, OnInterrupt);
    (void)doc.OnCmdMsg(cmd::DataReadData, nullptr);
    std::signal(SIGINT, previous);
    if (doc.GetSessions().IsEmpty()) {
        std::fputs("kubo-cli: read: no flights received; nothing written\n", stderr);
        return kExitFailure;
    }
    std::size_t flights = 0;
    for (const CDataModule* s : doc.GetSessions())
        flights += static_cast<std::size_t>(s->GetFlights().GetCount());
    if (const std::optional<std::string> problem = SaveProject(doc, out)) {
        const std::optional<std::string> fallback = SaveElsewhere(doc, out);
        if (!fallback) {
            ReportCliFileError(out, *problem + "; no other folder took the flights either");
            return kExitFailure;
        }
        std::fprintf(
            stderr, "kubo-cli: read: %s\n",
            FormatMessageText(LoadString(str::SavedElsewhere), {out, *problem, *fallback}).c_str());
        return kExitFailure;
    }
    std::fprintf(stderr, "kubo-cli: read: wrote %zu flight(s) in %zu session(s) to %s\n", flights,
                 static_cast<std::size_t>(doc.GetSessions().GetCount()), out.c_str());
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Read, "read", kUsage, RunRead)
