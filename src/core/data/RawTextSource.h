// CRawTextSource: the device transmission inside a raw text file, as the read loop takes it.
#pragma once

#include "framework/ByteSource.h"

#include <array>
#include <cstddef>

// Reads a raw text file through `file` (borrowed; it must outlive this source). A byte order
// mark decides the encoding: UTF-16 (little or big endian) is decoded to the single bytes the
// parser reads, every character outside ASCII becoming '?'; a UTF-8 mark is dropped; text
// without a mark passes unchanged. SkipHeading passes over the name and date lines, whose ends
// may be LF, CR LF or CR alone.
class CRawTextSource final : public ByteSource {
public:
    explicit CRawTextSource(ByteSource& file) : m_file(file) {}

    void SkipHeading(int lines);

    [[nodiscard]] std::size_t Read(char* buffer, std::size_t maxBytes, int timeoutMs) override;
    [[nodiscard]] bool IsOpen() const override { return m_file.IsOpen(); }

private:
    enum class Encoding { kUnknown, kBytes, kUtf16Little, kUtf16Big };
    // Looks at the file's first bytes for a byte order mark and steps over it.
    void DetectEncoding();
    // The next byte of the file, or -1 at its end.
    int NextRaw();
    // The next decoded character, or -1 at the end.
    int Next();

    ByteSource& m_file;
    Encoding m_encoding = Encoding::kUnknown;
    std::array<char, 4096> m_buffer{};
    std::size_t m_nStart = 0;
    std::size_t m_nEnd = 0;
    int m_nPushedBack = -1; // a decoded character read ahead, or -1
};
