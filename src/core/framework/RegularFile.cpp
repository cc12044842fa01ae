#include "framework/RegularFile.h"

#include "framework/FilePath.h"
#include "framework/Refusal.h"
#include "framework/StringIds.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
[[noreturn]] void Refuse(const std::string& path, unsigned refusal) {
    throw CFileRefusal(refusal == str::IsAFolder ? CFileException::badPath
                                                 : CFileException::accessDenied,
                       path, refusal);
}
} // namespace

std::optional<unsigned> NonRegularFileRefusal(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(path), ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return std::nullopt;
    return std::filesystem::is_directory(status) ? str::IsAFolder : str::NotARegularFile;
}

void RequireRegularFile(const std::string& path) {
    if (const std::optional<unsigned> refusal = NonRegularFileRefusal(path))
        Refuse(path, *refusal);
}

FilePtr OpenRegularFile(const std::string& path) {
    RequireRegularFile(path);
#ifdef _WIN32
    FilePtr file(_wfopen(PathFromUtf8(path).c_str(), L"rb"));
    if (!file)
        throw CFileException(CFileException::CauseFromErrno(errno), path);
    return file;
#else
    // The path may have been replaced by a pipe since it was looked at: open without waiting
    // for a writer and look again at what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw CFileException(CFileException::CauseFromErrno(errno), path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        Refuse(path, S_ISDIR(st.st_mode) ? str::IsAFolder : str::NotARegularFile);
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        throw CFileException(CFileException::CauseFromErrno(error), path);
    }
    return file;
#endif
}
