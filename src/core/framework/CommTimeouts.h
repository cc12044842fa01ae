// CommTimeouts: the serial port's read and write time-outs, in milliseconds.
#pragma once

#include <cstdint>

// The fixed time-outs of a device read: 400 ms between two received bytes, no totals.
struct CommTimeouts {
    std::uint32_t ReadIntervalTimeout = 400;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;
};
