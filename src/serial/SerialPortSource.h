// CSerialPortSource: a serial device (QSerialPort) as the read loop's ByteSource.
#pragma once

#include "framework/ByteSource.h"
#include "framework/CommTimeouts.h"
#include "framework/PortSetupBlock.h"
#include "framework/SerialPort.h"

#include <memory>
#include <string>

class QSerialPort;

class CSerialPortSource final : public ByteSource {
public:
    // The input queue of a device read: what the port buffers for the program. (Output has no
    // queue limit here; kubo-cli send waits for each write to leave.)
    static constexpr int kInputQueueBytes = 2048;

    // Opens device exclusively for reading and writing, applies setup (then the modem lines)
    // and keeps timeouts. device is a system path ("/dev/ttyUSB0", "COM3", "\\.\COM3"); where
    // ports are not numbered, "\\.\COM<n>" stands for the n-th numbered serial device
    // ("/dev/ttyS<n-1>"). kOpenFailed when the device cannot be opened, kSetupFailed (port
    // closed again) when the set-up is rejected; the result names the device and why.
    [[nodiscard]] static PortOpenResult
    Open(const std::string& device, const CPortSetupBlock& setup, const CommTimeouts& timeouts);

    // The device QSerialPort opens for a device name as Open takes it.
    [[nodiscard]] static std::string SystemLocation(const std::string& device);

    ~CSerialPortSource() override;

    // Returns what is waiting, else waits up to the shorter of timeoutMs and the read interval
    // time-out for bytes. A driver error (device gone, hang-up) reads as 0 bytes after the same
    // wait, so a polling caller never spins.
    [[nodiscard]] std::size_t Read(char* buffer, std::size_t maxBytes, int timeoutMs) override;
    [[nodiscard]] bool IsOpen() const override;

    // Writes all of data, waiting up to timeoutMs for it to leave. False on a write error or
    // when the time ran out.
    [[nodiscard]] bool Write(const char* data, std::size_t size, int timeoutMs);

    [[nodiscard]] QSerialPort& Port() { return *m_port; }

private:
    CSerialPortSource(std::unique_ptr<QSerialPort> port, const CommTimeouts& timeouts);

    std::unique_ptr<QSerialPort> m_port;
    CommTimeouts m_timeouts;
};
