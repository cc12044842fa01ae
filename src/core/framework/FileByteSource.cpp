#include "framework/FileByteSource.h"

#include <filesystem>

namespace {
std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}
} // namespace

FileByteSource::FileByteSource(const std::string& path)
    : m_stream(PathFromUtf8(path), std::ios::in | std::ios::binary) {}

std::size_t FileByteSource::Read(char* buffer, std::size_t maxBytes, int /*timeoutMs*/) {
    if (!m_stream.is_open() || maxBytes == 0 || m_stream.bad() || m_stream.eof())
        return 0;
    m_stream.read(buffer, static_cast<std::streamsize>(maxBytes));
    return static_cast<std::size_t>(m_stream.gcount());
}
