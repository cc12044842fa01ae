// ByteSource: where the read loop takes received bytes from (a serial port, a file).
#pragma once

#include <cstddef>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to maxBytes of what is available into buffer and returns the number read.
    // Waits at most about timeoutMs for the first byte when none is waiting, so a caller that
    // polls does not spin; a file answers at once. 0: nothing arrived, the end of a file, or a
    // read error.
    [[nodiscard]] virtual std::size_t Read(char* buffer, std::size_t maxBytes, int timeoutMs) = 0;
    [[nodiscard]] virtual bool IsOpen() const = 0;
};
