// FileByteSource: a ByteSource that reads a file from its current position to its end.
#pragma once

#include "framework/ByteSource.h"
#include "framework/RegularFile.h"

#include <optional>
#include <string>

class FileByteSource final : public ByteSource {
public:
    // path is UTF-8. Check IsOpen() for success. Anything but a regular file is refused
    // without waiting on it (GetRefusal).
    explicit FileByteSource(const std::string& path);

    [[nodiscard]] std::size_t Read(char* buffer, std::size_t maxBytes, int timeoutMs) override;
    [[nodiscard]] bool IsOpen() const override { return m_file != nullptr; }
    // True once a read has failed for another reason than reaching the end of the file.
    [[nodiscard]] bool HasFailed() const { return m_bFailed; }
    // The sentence saying why the path was refused (a folder, pipe or device), if it was.
    [[nodiscard]] const std::optional<std::string>& GetRefusal() const { return m_refusal; }

private:
    FilePtr m_file;
    bool m_bFailed = false;
    std::optional<std::string> m_refusal;
};
