// The byte streams under an object archive: input and output interfaces and their memory forms.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

// A source of bytes that knows how many are left, so that a reader never allocates more than
// the input can fill.
class CArchiveInput {
public:
    virtual ~CArchiveInput() = default;
    // Copies up to size bytes; returns the count copied (0 at the end). Throws CFileException on
    // an I/O failure.
    virtual std::size_t Read(std::uint8_t* data, std::size_t size) = 0;
    // The bytes that Read can still deliver.
    [[nodiscard]] virtual std::uint64_t Remaining() const = 0;
};

// A sink of bytes. Write either takes all bytes or throws CFileException.
class CArchiveOutput {
public:
    virtual ~CArchiveOutput() = default;
    virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
};

// Reads from a span that must outlive the input.
class CMemoryInput : public CArchiveInput {
public:
    explicit CMemoryInput(std::span<const std::uint8_t> data) : m_data(data) {}
    std::size_t Read(std::uint8_t* data, std::size_t size) override {
        const std::size_t count = std::min(size, m_data.size() - m_position);
        if (count)
            std::memcpy(data, m_data.data() + m_position, count);
        m_position += count;
        return count;
    }
    [[nodiscard]] std::uint64_t Remaining() const override { return m_data.size() - m_position; }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
};

// Appends to a byte vector.
class CMemoryOutput : public CArchiveOutput {
public:
    void Write(const std::uint8_t* data, std::size_t size) override {
        m_data.insert(m_data.end(), data, data + size);
    }
    [[nodiscard]] const std::vector<std::uint8_t>& Data() const { return m_data; }
    [[nodiscard]] std::vector<std::uint8_t>& Data() { return m_data; }

private:
    std::vector<std::uint8_t> m_data;
};
