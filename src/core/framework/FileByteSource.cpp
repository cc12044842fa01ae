#include "framework/FileByteSource.h"

#include "framework/Refusal.h"

FileByteSource::FileByteSource(const std::string& path) {
    try {
        m_file = OpenRegularFile(path);
    } catch (const CFileRefusal& refusal) {
        m_refusal = refusal.what();
    } catch (const CFileException&) {
        // IsOpen() tells.
    }
}

std::size_t FileByteSource::Read(char* buffer, std::size_t maxBytes, int /*timeoutMs*/) {
    if (!m_file || maxBytes == 0 || m_bFailed)
        return 0;
    const std::size_t got = std::fread(buffer, 1, maxBytes, m_file.get());
    if (got < maxBytes && std::ferror(m_file.get()))
        m_bFailed = true;
    return got;
}
