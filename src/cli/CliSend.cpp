// kubo-cli send: plays a raw text file to a serial port the way the altimeter sends it.
#include "CliCommand.h"
#include "CliProject.h"
#include "CliSerialArgs.h"
#include "data/RawTextSource.h"
#include "framework/CommTimeouts.h"
#include "framework/FileByteSource.h"
#include "serial/SerialPortSource.h"

#include <QCoreApplication>
#include <QThread>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

namespace {
constexpr const char* kUsage = "send --port DEVICE RAWFILE [--baud N]";
// Bytes written at a time; the pause after each keeps the pace of the baud rate (10 bits a
// character with 8 data bits, no parity and one stop bit).
constexpr std::size_t kChunkBytes = 64;
constexpr int kWriteTimeoutMs = 5000;
constexpr int kSkippedLines = 2;

int Usage(const std::string& message) {
    std::fprintf(stderr, "kubo-cli: send: %s (usage: kubo-cli %s)\n", message.c_str(), kUsage);
    return kExitUsage;
}

// Output: the transmission (the file after its name and date lines) written to the port at the
// baud rate's pace; a summary on stderr. Exit 0 when all of it was written, 1 when the file or
// the port failed, 2 for usage errors.
int RunSend(std::span<char*> args) {
    CliSerialArgs serial;
    std::string rawFile;
    const int argc = static_cast<int>(args.size());
    for (int i = 0; i < argc; ++i) {
        std::string error;
        if (serial.Take(argc, args.data(), i, error)) {
            if (!error.empty())
                return Usage(error);
        } else if (rawFile.empty() && args[static_cast<std::size_t>(i)][0] != '-') {
            rawFile = args[static_cast<std::size_t>(i)];
        } else {
            return Usage("unexpected argument '" + std::string(args[static_cast<std::size_t>(i)]) +
                         "'");
        }
    }
    if (serial.port.empty())
        return Usage("missing --port DEVICE");
    if (rawFile.empty())
        return Usage("missing RAWFILE");

    // Read as the raw import reads it: a regular file only, UTF-16 decoded, the name and date
    // lines (the program's, not the device's) skipped whatever their line ends.
    FileByteSource file(rawFile);
    if (!file.IsOpen()) {
        std::fprintf(stderr, "kubo-cli: %s: %s\n", rawFile.c_str(),
                     file.GetRefusal() ? CliReason(rawFile, *file.GetRefusal()).c_str()
                                       : "cannot open the file");
        return kExitFailure;
    }
    CRawTextSource source(file);
    source.SkipHeading(kSkippedLines);
    std::string text;
    std::array<char, 4096> block{};
    while (const std::size_t n = source.Read(block.data(), block.size(), 0))
        text.append(block.data(), n);
    if (file.HasFailed()) {
        std::fprintf(stderr, "kubo-cli: %s: cannot read the file\n", rawFile.c_str());
        return kExitFailure;
    }
    int qtArgc = 1;
    char qtName[] = "kubo-cli";
    char* qtArgv[] = {qtName, nullptr};
    QCoreApplication app(qtArgc, qtArgv);

    PortOpenResult opened = CSerialPortSource::Open(serial.port, serial.setup, CommTimeouts{});
    if (opened.status != PortOpenStatus::kOpened) {
        std::fprintf(stderr, "kubo-cli: send: %s %s\n",
                     opened.status == PortOpenStatus::kSetupFailed ? "cannot set up the serial port"
                                                                   : "cannot open the serial port",
                     serial.port.c_str());
        return kExitFailure;
    }
    auto& port = static_cast<CSerialPortSource&>(*opened.port);
    const double msPerByte = 10000.0 / serial.setup.GetBaudRate();
    for (std::size_t at = 0; at < text.size(); at += kChunkBytes) {
        const std::size_t size = std::min(kChunkBytes, text.size() - at);
        if (!port.Write(text.data() + at, size, kWriteTimeoutMs)) {
            std::fprintf(stderr, "kubo-cli: send: write to %s failed after %zu bytes\n",
                         serial.port.c_str(), at);
            return kExitFailure;
        }
        QThread::usleep(static_cast<unsigned long>(msPerByte * 1000.0 * static_cast<double>(size)));
    }
    std::fprintf(stderr, "kubo-cli: send: %zu bytes sent to %s\n", text.size(),
                 serial.port.c_str());
    return kExitOk;
}
} // namespace

KUBO_CLI_COMMAND(Send, "send", kUsage, RunSend)
