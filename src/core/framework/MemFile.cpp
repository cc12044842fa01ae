#include "framework/MemFile.h"

#include <algorithm>
#include <cstring>

void CMemFile::Reserve(std::size_t size) {
    if (size <= m_data.capacity())
        return;
    std::size_t steps = (size + m_growBy - 1) / m_growBy;
    m_data.reserve(steps * m_growBy);
}

void CMemFile::SetLength(std::size_t length) {
    Reserve(length);
    m_data.resize(length);
    m_position = std::min(m_position, length);
}

std::size_t CMemFile::Seek(std::int64_t offset, SeekFrom from) {
    std::int64_t base = 0;
    if (from == SeekFrom::Current)
        base = static_cast<std::int64_t>(m_position);
    else if (from == SeekFrom::End)
        base = static_cast<std::int64_t>(m_data.size());
    std::int64_t target = offset < 0 && -offset > base ? 0 : base + offset;
    m_position = static_cast<std::size_t>(target);
    return m_position;
}

std::size_t CMemFile::Read(std::span<std::uint8_t> out) {
    if (m_position >= m_data.size())
        return 0;
    std::size_t count = std::min(out.size(), m_data.size() - m_position);
    if (count)
        std::memcpy(out.data(), m_data.data() + m_position, count);
    m_position += count;
    return count;
}

void CMemFile::Write(std::span<const std::uint8_t> data) {
    if (data.empty())
        return;
    std::size_t end = m_position + data.size();
    if (end > m_data.size()) {
        Reserve(end);
        m_data.resize(end);
    }
    std::memcpy(m_data.data() + m_position, data.data(), data.size());
    m_position = end;
}

void CMemFile::Assign(std::span<const std::uint8_t> data) {
    m_data.clear();
    Reserve(data.size());
    m_data.assign(data.begin(), data.end());
    m_position = 0;
}
