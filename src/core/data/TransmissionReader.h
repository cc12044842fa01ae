// CTransmissionReader: the read loop that fills a session from a serial port or a raw text file.
#pragma once

#include "data/TransmissionParser.h"
#include "framework/SerialPort.h"

#include <functional>
#include <memory>
#include <string>

class ByteSource;
class CDataModule;
class CUiServices;
class Clock;

class CTransmissionReader {
public:
    // Silence after the first byte that ends a port read, in milliseconds.
    static constexpr std::int64_t kSilenceLimitMs = 5000;
    // Longest wait for data in one pass of the loop.
    static constexpr int kPollMs = 10;

    // session receives the flights; ui shows the Read Data window and the questions; all three
    // are borrowed and must outlive the reader.
    CTransmissionReader(CDataModule& session, CUiServices& ui, Clock& clock);

    // The date text each flight gets when it starts (local date and time by default).
    void SetDateSource(CTransmissionParser::DateSource dateSource) {
        m_dateSource = std::move(dateSource);
    }

    // Opens the port through open; reports str::SerialOpenFailed or str::SerialSetupFailed with
    // the device and the system's reason, and returns false on failure. Otherwise reads in port
    // mode, the window naming the device, and closes the port.
    [[nodiscard]] bool ReadFromPort(const PortOpener& open, bool* separate);

    // Reads one transmission from source into the session: until it is complete, the parser
    // stops it, the user cancels, 5000 ms pass without data after the first byte (port), or
    // the source has no more bytes (file). Every flight is then finished. Returns whether the
    // user keeps the data: an incomplete read without flights is dropped, one with flights
    // asks str::KeepIncompleteData; two or more flights ask the final question, whose check box
    // *separate receives (false otherwise). The caller discards the session's flights when false. A
    // read that reaches CTransmissionParser::kMaxFlights flights, or runs out of memory, stops,
    // says so (str::TooManyFlights, str::ReadOutOfMemory) and keeps what came without
    // str::KeepIncompleteData.
    [[nodiscard]] bool ReadTransmission(ByteSource& source, bool isPort, bool* separate);

    // Raw text import: skips the file's first two lines and reads the rest as a transmission
    // in file mode (CRawTextSource: UTF-16 decoded, any line ends). A file that cannot be
    // opened or read, or is not a regular file, is reported and gives false. *separate (when
    // given) receives the final question's check box as ReadTransmission gives it.
    [[nodiscard]] bool ImportRawText(const std::string& path, bool* separate = nullptr);

    // The device name of a 0-based port index: "\\.\COM<index + 1>".
    [[nodiscard]] static std::string PortDeviceName(int portIndex);

private:
    CDataModule& m_session;
    CUiServices& m_ui;
    Clock& m_clock;
    CTransmissionParser::DateSource m_dateSource;
    std::string m_strSource; // what the Read Data window names; empty: nothing
};
