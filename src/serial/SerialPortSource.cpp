#include "serial/SerialPortSource.h"

#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "serial/SerialPortSetup.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSerialPort>
#include <QThread>

#include <algorithm>
#include <charconv>
#include <string_view>

CSerialPortSource::CSerialPortSource(std::unique_ptr<QSerialPort> port,
                                     const CommTimeouts& timeouts)
    : m_port(std::move(port)), m_timeouts(timeouts) {}

CSerialPortSource::~CSerialPortSource() {
    if (m_port->isOpen())
        m_port->close();
}

std::string CSerialPortSource::SystemLocation(const std::string& device) {
#ifdef _WIN32
    return device;
#else
    constexpr std::string_view kNumbered = "\\\\.\\COM";
    if (!std::string_view(device).starts_with(kNumbered))
        return device;
    const char* first = device.data() + kNumbered.size();
    const char* last = device.data() + device.size();
    unsigned number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number == 0)
        return device;
    return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

PortOpenResult CSerialPortSource::Open(const std::string& device, const CPortSetupBlock& setup,
                                       const CommTimeouts& timeouts) {
    PortOpenResult result;
    result.device = SystemLocation(device);
    if (device.empty()) {
        result.reason = LoadString(str::NoSerialDevice);
        return result; // kOpenFailed
    }
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(QString::fromStdString(result.device));
    if (!port->open(QIODevice::ReadWrite)) {
        // Another program holding the device shows as Qt's lock failure, which reads like a
        // matter of file permissions; say what it is.
        const bool locked =
            port->error() == QSerialPort::PermissionError &&
            port->errorString() == QCoreApplication::translate(
                                       "QSerialPort", "Permission error while locking the device");
        result.reason =
            locked ? LoadString(str::SerialDeviceBusy) : port->errorString().toStdString();
        return result; // kOpenFailed
    }
    if (!ApplyPortSetup(*port, setup)) {
        // A value the driver refused has the system's words; one that was never tried has ours.
        result.reason = port->error() != QSerialPort::NoError
                            ? port->errorString().toStdString()
                            : LoadString(str::SerialSettingsRejected);
        port->close();
        result.status = PortOpenStatus::kSetupFailed;
        return result;
    }
    ApplyModemLines(*port, setup);
    port->setReadBufferSize(kInputQueueBytes);
    port->clearError();
    result.status = PortOpenStatus::kOpened;
    result.port.reset(new CSerialPortSource(std::move(port), timeouts));
    return result;
}

std::size_t CSerialPortSource::Read(char* buffer, std::size_t maxBytes, int timeoutMs) {
    if (maxBytes == 0 || !m_port->isOpen())
        return 0;
    if (m_port->bytesAvailable() == 0) {
        const int waitMs = ReadWaitMs(m_timeouts, timeoutMs);
        QDeadlineTimer deadline(waitMs);
        const bool ready = m_port->waitForReadyRead(waitMs);
        if (!ready && m_port->error() != QSerialPort::NoError &&
            m_port->error() != QSerialPort::TimeoutError) {
            // A hung-up device answers at once; wait out the time like silence would.
            m_port->clearError();
            QThread::msleep(static_cast<unsigned long>(deadline.remainingTime()));
        }
    }
    const qint64 available = m_port->bytesAvailable();
    if (available <= 0)
        return 0;
    const qint64 wanted = std::min<qint64>(available, static_cast<qint64>(maxBytes));
    const qint64 n = m_port->read(buffer, wanted);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool CSerialPortSource::IsOpen() const {
    return m_port->isOpen();
}

bool CSerialPortSource::Write(const char* data, std::size_t size, int timeoutMs) {
    if (!m_port->isOpen())
        return false;
    if (m_port->write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
        return false;
    QDeadlineTimer deadline(timeoutMs);
    while (m_port->bytesToWrite() > 0) {
        if (deadline.hasExpired() || !m_port->waitForBytesWritten(static_cast<int>(
                                         std::max<qint64>(deadline.remainingTime(), 1))))
            return false;
    }
    return true;
}
