#include "framework/FileInput.h"

#include "framework/FileException.h"
#include "framework/RegularFile.h"

namespace {
// 64-bit positions on every platform.
int SeekTo(std::FILE* file, long long offset, int origin) {
#ifdef _WIN32
    return _fseeki64(file, offset, origin);
#else
    return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}
long long Position(std::FILE* file) {
#ifdef _WIN32
    return _ftelli64(file);
#else
    return static_cast<long long>(ftello(file));
#endif
}
} // namespace

CFileInput::CFileInput(std::string path) : m_path(std::move(path)) {
    m_file = OpenRegularFile(m_path);
    // The size of what was opened, not of whatever the path names by now.
    if (SeekTo(m_file.get(), 0, SEEK_END) != 0)
        throw CFileException(CFileException::badSeek, m_path);
    const long long size = Position(m_file.get());
    if (size < 0 || SeekTo(m_file.get(), 0, SEEK_SET) != 0)
        throw CFileException(CFileException::badSeek, m_path);
    m_size = static_cast<std::uint64_t>(size);
}

std::size_t CFileInput::Read(std::uint8_t* data, std::size_t size) {
    // The size was taken at opening; a file that shrinks meanwhile ends early, one that grows
    // is read no further than that size.
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, Remaining()));
    if (wanted == 0)
        return 0;
    const std::size_t got = std::fread(data, 1, wanted, m_file.get());
    if (got < wanted && std::ferror(m_file.get()))
        throw CFileException(CFileException::hardIO, m_path);
    m_position += got;
    if (got < wanted)
        m_size = m_position;
    return got;
}
