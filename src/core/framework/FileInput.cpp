#include "framework/FileInput.h"

#include "framework/FileException.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

CFileInput::CFileInput(std::string path) : m_path(std::move(path)) {
    std::error_code ec;
    if (std::filesystem::is_directory(m_path, ec))
        throw CFileException(CFileException::accessDenied, m_path,
                             FormatString1(str::PathIsFolder, m_path));
    m_file.reset(std::fopen(m_path.c_str(), "rb"));
    if (!m_file)
        throw CFileException(CFileException::CauseFromErrno(errno), m_path);
    const auto size = std::filesystem::file_size(m_path, ec);
    if (ec)
        throw CFileException(CFileException::CauseFromErrno(ec.value()), m_path);
    m_size = size;
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
