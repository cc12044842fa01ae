#include "serial/SerialPortSetup.h"

#include <QSerialPort>

#include <algorithm>
#include <limits>

namespace {
constexpr unsigned kModeDisabled = 0;
constexpr unsigned kModeEnabled = 1;
constexpr unsigned kRtsHandshake = 2;
} // namespace

bool ApplyPortSetup(QSerialPort& port, const CPortSetupBlock& setup) {
    const std::uint32_t baud = setup.GetBaudRate();
    if (baud == 0 || baud > static_cast<std::uint32_t>(std::numeric_limits<qint32>::max()))
        return false;
    if (!port.setBaudRate(static_cast<qint32>(baud)))
        return false;

    QSerialPort::DataBits dataBits{};
    switch (setup.GetByteSize()) {
    case 5:
        dataBits = QSerialPort::Data5;
        break;
    case 6:
        dataBits = QSerialPort::Data6;
        break;
    case 7:
        dataBits = QSerialPort::Data7;
        break;
    case 8:
        dataBits = QSerialPort::Data8;
        break;
    default:
        return false;
    }
    QSerialPort::Parity parity{};
    switch (setup.GetParity()) {
    case 0:
        parity = QSerialPort::NoParity;
        break;
    case 1:
        parity = QSerialPort::OddParity;
        break;
    case 2:
        parity = QSerialPort::EvenParity;
        break;
    case 3:
        parity = QSerialPort::MarkParity;
        break;
    case 4:
        parity = QSerialPort::SpaceParity;
        break;
    default:
        return false;
    }
    QSerialPort::StopBits stopBits{};
    switch (setup.GetStopBits()) {
    case 0:
        stopBits = QSerialPort::OneStop;
        break;
    case 1:
        stopBits = QSerialPort::OneAndHalfStop;
        break;
    case 2:
        stopBits = QSerialPort::TwoStop;
        break;
    default:
        return false;
    }
    QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
    if (setup.GetOutxCtsFlow() || setup.GetRtsControl() == kRtsHandshake)
        flow = QSerialPort::HardwareControl;
    else if (setup.GetOutX() || setup.GetInX())
        flow = QSerialPort::SoftwareControl;

    return port.setDataBits(dataBits) && port.setParity(parity) && port.setStopBits(stopBits) &&
           port.setFlowControl(flow);
}

void ApplyModemLines(QSerialPort& port, const CPortSetupBlock& setup) {
    const unsigned dtr = setup.GetDtrControl();
    if (dtr == kModeDisabled || dtr == kModeEnabled)
        (void)port.setDataTerminalReady(dtr == kModeEnabled);
    const unsigned rts = setup.GetRtsControl();
    if ((rts == kModeDisabled || rts == kModeEnabled) &&
        port.flowControl() != QSerialPort::HardwareControl)
        (void)port.setRequestToSend(rts == kModeEnabled);
    port.clearError();
}

int ReadWaitMs(const CommTimeouts& timeouts, int callerLimitMs) {
    const int limit = std::max(callerLimitMs, 0);
    if (timeouts.ReadIntervalTimeout == 0 ||
        timeouts.ReadIntervalTimeout == std::numeric_limits<std::uint32_t>::max())
        return limit;
    return static_cast<int>(
        std::min<std::uint32_t>(static_cast<std::uint32_t>(limit), timeouts.ReadIntervalTimeout));
}
