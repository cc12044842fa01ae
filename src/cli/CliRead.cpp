// kubo-cli read: reads one transmission from the altimeter on a serial port into a project file.
#include "CliCommand.h"
#include "CliSerialArgs.h"
#include "data/DataModule.h"
#include "framework/CommTimeouts.h"
#include "framework/CommandIds.h"
#include "framework/ReadWindow.h"
#include "framework/UiServices.h"
#include "serial/SerialPortSource.h"
#include "shell/MainDoc.h"

#include <QCoreApplication>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

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

int Usage(const std::string& message) {
    std::fprintf(stderr, "kubo-cli: read: %s (usage: kubo-cli %s)\n", message.c_str(), kUsage);
    return kExitUsage;
}

// Output: the project file OUT (version 6): one session holding every flight, or with
// --separate one session per flight. Exit 0 when a file was written, 1 when nothing was
// received, the port failed or the file could not be written, 2 for usage errors.
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
    if (!doc.OnSaveDocument(out))
        return kExitFailure;

    std::size_t flights = 0;
    for (const CDataModule* s : doc.GetSessions())
        flights += static_cast<std::size_t>(s->GetFlights().GetCount());
    std::fprintf(stderr, "kubo-cli: read: wrote %zu flight(s) in %zu session(s) to %s\n", flights,
                 static_cast<std::size_t>(doc.GetSessions().GetCount()), out.c_str());
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Read, "read", kUsage, RunRead)
