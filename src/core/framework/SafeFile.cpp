#include "framework/SafeFile.h"

#include "framework/FileException.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
int OpenNew(const std::string& path) {
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int SyncFile(int fd) {
    return _commit(fd);
}
int CloseFile(int fd) {
    return _close(fd);
}
int ReplaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : (errno = EACCES, -1);
}
int ProcessId() {
    return _getpid();
}
#else
// 0666 before the umask, like any newly created file.
int OpenNew(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
int SyncFile(int fd) {
    return ::fsync(fd);
}
int CloseFile(int fd) {
    return ::close(fd);
}
int ReplaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}
int ProcessId() {
    return static_cast<int>(::getpid());
}
#endif
} // namespace

CSafeFile::CSafeFile(std::string targetPath) : m_target(std::move(targetPath)) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp = m_target + ".tmp" + std::to_string(ProcessId()) + "-" +
                 std::to_string(counter.fetch_add(1));
        m_fd = OpenNew(m_temp);
        if (m_fd >= 0)
            break;
        if (errno != EEXIST)
            throw CFileException::CannotCreate(errno, m_target);
    }
    if (m_fd < 0)
        throw CFileException(CFileException::genericException, m_target);
#ifndef _WIN32
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(m_target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(m_fd, st.st_mode & 07777);
#endif
}

CSafeFile::~CSafeFile() {
    if (!m_committed)
        Discard();
}

void CSafeFile::Discard() noexcept {
    if (m_fd >= 0) {
        CloseFile(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty())
        std::remove(m_temp.c_str());
}

void CSafeFile::Fail(int error) {
    Discard();
    m_committed = true; // nothing left to clean up
    throw CFileException(CFileException::CauseFromErrno(error), m_target);
}

ssize_t CSafeFile::WriteSome(int fd, const std::uint8_t* data, std::size_t size) {
#ifdef _WIN32
    return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
#else
    return ::write(fd, data, size);
#endif
}

void CSafeFile::Write(const std::uint8_t* data, std::size_t size) {
    if (m_fd < 0)
        throw CFileException(CFileException::genericException, m_target);
    while (size > 0) {
        const ssize_t written = WriteSome(m_fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail(written < 0 ? errno : ENOSPC);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void CSafeFile::Commit() {
    if (m_fd < 0)
        throw CFileException(CFileException::genericException, m_target);
    if (SyncFile(m_fd) != 0)
        Fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (CloseFile(fd) != 0)
        Fail(errno);
    if (ReplaceFile(m_temp, m_target) != 0)
        Fail(errno);
    m_committed = true;
}

void CSafeFile::WriteAll(const std::string& path, std::span<const std::uint8_t> data) {
    CSafeFile file(path);
    file.Write(data.data(), data.size());
    file.Commit();
}
