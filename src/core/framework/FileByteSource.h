// FileByteSource: a ByteSource that reads a file from its current position to its end.
#pragma once

#include "framework/ByteSource.h"

#include <fstream>
#include <string>

class FileByteSource final : public ByteSource {
public:
    // path is UTF-8. Check IsOpen() for success.
    explicit FileByteSource(const std::string& path);

    [[nodiscard]] std::size_t Read(char* buffer, std::size_t maxBytes, int timeoutMs) override;
    [[nodiscard]] bool IsOpen() const override { return m_stream.is_open(); }
    // True once a read has failed for another reason than reaching the end of the file.
    [[nodiscard]] bool HasFailed() const { return m_stream.bad(); }

private:
    std::ifstream m_stream;
};
