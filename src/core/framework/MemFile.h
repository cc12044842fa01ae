// CMemFile: a growable in-memory file (read/write position, length, whole-content access).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CMemFile {
public:
    enum class SeekFrom { Begin, Current, End };

    // growBy: the step in bytes by which the reserved capacity grows (at least 1).
    explicit CMemFile(std::size_t growBy = 1024) : m_growBy(growBy ? growBy : 1) {}

    [[nodiscard]] std::size_t GetLength() const { return m_data.size(); }
    [[nodiscard]] std::size_t GetPosition() const { return m_position; }
    // Truncates or zero-extends; the position is kept within the new length.
    void SetLength(std::size_t length);
    // Moves the position; a target before the start clamps to 0. Past the end is allowed: a
    // later write zero-fills the gap. Returns the new position.
    std::size_t Seek(std::int64_t offset, SeekFrom from);
    void SeekToBegin() { m_position = 0; }

    // Copies up to out.size() bytes from the position; returns the count copied.
    std::size_t Read(std::span<std::uint8_t> out);
    void Write(std::span<const std::uint8_t> data);

    // The whole content, independent of the position.
    [[nodiscard]] std::span<const std::uint8_t> Data() const { return m_data; }
    // Replaces the whole content and rewinds.
    void Assign(std::span<const std::uint8_t> data);

private:
    void Reserve(std::size_t size);

    std::vector<std::uint8_t> m_data;
    std::size_t m_position = 0;
    std::size_t m_growBy;
};
