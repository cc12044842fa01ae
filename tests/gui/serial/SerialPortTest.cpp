// The stored port set-up as QSerialPort settings, and opening devices that fail.
#ifndef _WIN32
#include "../../core/support/PtyPair.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "serial/SerialPortSetup.h"
#include "serial/SerialPortSource.h"

#include <QSerialPort>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SerialPortSetup, BlockFieldsMapToPortSettings) {
    CPortSetupBlock setup;
    setup.SetBaudRate(115200);
    setup.SetByteSize(7);
    setup.SetParity(2);
    setup.SetStopBits(2);
    setup.SetFlags(setup.GetFlags() | (1u << 2)); // CTS output flow
    QSerialPort port;
    ASSERT_TRUE(ApplyPortSetup(port, setup));
    EXPECT_EQ(port.baudRate(), 115200);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data7);
    EXPECT_EQ(port.parity(), QSerialPort::EvenParity);
    EXPECT_EQ(port.stopBits(), QSerialPort::TwoStop);
    EXPECT_EQ(port.flowControl(), QSerialPort::HardwareControl);

    CPortSetupBlock xonXoff;
    xonXoff.SetFlags(xonXoff.GetFlags() | (1u << 8) | (1u << 9));
    ASSERT_TRUE(ApplyPortSetup(port, xonXoff));
    EXPECT_EQ(port.flowControl(), QSerialPort::SoftwareControl);
}

TEST(SerialPortSetup, ValuesNoPortTakesAreRejected) {
    const auto rejects = [](auto change) {
        CPortSetupBlock setup;
        change(setup);
        QSerialPort port;
        return !ApplyPortSetup(port, setup);
    };
    EXPECT_TRUE(rejects([](CPortSetupBlock& s) { s.SetBaudRate(0); }));
    EXPECT_TRUE(rejects([](CPortSetupBlock& s) { s.SetBaudRate(0x80000000u); }));
    EXPECT_TRUE(rejects([](CPortSetupBlock& s) { s.SetByteSize(9); }));
    EXPECT_TRUE(rejects([](CPortSetupBlock& s) { s.SetByteSize(4); }));
    EXPECT_TRUE(rejects([](CPortSetupBlock& s) { s.SetParity(5); }));
    EXPECT_TRUE(rejects([](CPortSetupBlock& s) { s.SetStopBits(3); }));
}

TEST(SerialPortSetup, ReadWaitIsBoundedByTheIntervalTimeout) {
    CommTimeouts timeouts; // 400 ms interval
    EXPECT_EQ(ReadWaitMs(timeouts, 10), 10);
    EXPECT_EQ(ReadWaitMs(timeouts, 1000), 400);
    EXPECT_EQ(ReadWaitMs(timeouts, -5), 0);
    timeouts.ReadIntervalTimeout = 0;
    EXPECT_EQ(ReadWaitMs(timeouts, 1000), 1000);
}

TEST(SerialPortSource, NumberedPortNamesMapToSerialDevicesWhereThereAreNone) {
#ifdef _WIN32
    EXPECT_EQ(CSerialPortSource::SystemLocation("\\\\.\\COM3"), "\\\\.\\COM3");
#else
    EXPECT_EQ(CSerialPortSource::SystemLocation("\\\\.\\COM1"), "/dev/ttyS0");
    EXPECT_EQ(CSerialPortSource::SystemLocation("\\\\.\\COM12"), "/dev/ttyS11");
    EXPECT_EQ(CSerialPortSource::SystemLocation("\\\\.\\COM0"), "\\\\.\\COM0");
    EXPECT_EQ(CSerialPortSource::SystemLocation("\\\\.\\COMx"), "\\\\.\\COMx");
    EXPECT_EQ(CSerialPortSource::SystemLocation("/dev/ttyUSB0"), "/dev/ttyUSB0");
#endif
}

TEST(SerialPortSource, OpenFailuresAreToldApartAndSayWhy) {
    QTemporaryDir dir;
    const CommTimeouts timeouts;
    const std::string none = dir.filePath(QStringLiteral("none")).toStdString();
    const PortOpenResult missing = CSerialPortSource::Open(none, CPortSetupBlock(), timeouts);
    EXPECT_EQ(missing.status, PortOpenStatus::kOpenFailed);
    EXPECT_EQ(missing.device, none);
    EXPECT_FALSE(missing.reason.empty()); // the system's words
    const PortOpenResult unnamed = CSerialPortSource::Open("", CPortSetupBlock(), timeouts);
    EXPECT_EQ(unnamed.status, PortOpenStatus::kOpenFailed);
    EXPECT_EQ(unnamed.reason, LoadString(str::NoSerialDevice));

    PtyPair pty;
    ASSERT_TRUE(pty.IsOpen());
    CPortSetupBlock bad;
    bad.SetByteSize(9);
    PortOpenResult rejected = CSerialPortSource::Open(pty.SlaveName(), bad, timeouts);
    EXPECT_EQ(rejected.status, PortOpenStatus::kSetupFailed);
    EXPECT_EQ(rejected.port, nullptr);
    EXPECT_EQ(rejected.device, pty.SlaveName());
    EXPECT_EQ(rejected.reason, LoadString(str::SerialSettingsRejected));
    // The port was closed again: it opens afresh; a second open while it is held fails.
    PortOpenResult opened = CSerialPortSource::Open(pty.SlaveName(), CPortSetupBlock(), timeouts);
    ASSERT_EQ(opened.status, PortOpenStatus::kOpened);
    EXPECT_TRUE(opened.port->IsOpen());
    const PortOpenResult busy =
        CSerialPortSource::Open(pty.SlaveName(), CPortSetupBlock(), timeouts);
    EXPECT_EQ(busy.status, PortOpenStatus::kOpenFailed);
    EXPECT_EQ(busy.reason, LoadString(str::SerialDeviceBusy));
}

TEST(SerialPortSource, PseudoTerminalReadsWhatArrivesAndTimesOutOnSilence) {
    PtyPair pty;
    ASSERT_TRUE(pty.IsOpen());
    // The default set-up switches DTR and RTS on, which a pseudo-terminal refuses.
    PortOpenResult opened = CSerialPortSource::Open(pty.SlaveName(), CPortSetupBlock(), {});
    ASSERT_EQ(opened.status, PortOpenStatus::kOpened);
    ByteSource& port = *opened.port;
    char buffer[16];
    EXPECT_EQ(port.Read(buffer, sizeof buffer, 20), 0u);
    ASSERT_TRUE(pty.Send("126\n002\n010\n127\n"));
    std::string got;
    for (int pass = 0; pass < 100 && got.size() < 16; ++pass) {
        const std::size_t n = port.Read(buffer, 5, 20);
        EXPECT_LE(n, 5u);
        got.append(buffer, n);
    }
    EXPECT_EQ(got, "126\n002\n010\n127\n");
    pty.CloseMaster();
    EXPECT_EQ(port.Read(buffer, sizeof buffer, 20), 0u);
}

} // namespace
#endif
