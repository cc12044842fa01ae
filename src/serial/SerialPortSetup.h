// The stored port set-up block and time-outs translated to QSerialPort settings.
#pragma once

#include "framework/CommTimeouts.h"
#include "framework/PortSetupBlock.h"

class QSerialPort;

// Applies baud rate, data bits, parity, stop bits and flow control of setup to port (open or
// not). False when the block holds a value the port cannot take (baud 0, 9 data bits, an
// unknown parity or stop-bit code) or the driver refuses one; the port is then left partly set.
// Flow control: CTS output flow or RTS handshake gives hardware flow control, XON/XOFF in
// either direction software flow control.
[[nodiscard]] bool ApplyPortSetup(QSerialPort& port, const CPortSetupBlock& setup);

// Sets the DTR and RTS lines of an open port as the block's enable/disable modes say
// (handshake and toggle modes are the driver's). A device without modem lines, such as a
// pseudo-terminal, refuses the change ("Inappropriate ioctl"); that is no failure of the set-up:
// the refusal is cleared from the port's error state and nothing is reported.
void ApplyModemLines(QSerialPort& port, const CPortSetupBlock& setup);

// The longest wait for a first byte that one read may make: the caller's limit, shortened to
// the read interval time-out when that is set. The total time-outs are 0 for a device read,
// so no read waits on bytes that are not there.
[[nodiscard]] int ReadWaitMs(const CommTimeouts& timeouts, int callerLimitMs);
