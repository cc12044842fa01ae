#include "framework/SafeFile.h"

#include "framework/FileException.h"
#include "framework/FilePath.h"
#include "framework/Refusal.h"
#include "framework/RegularFile.h"
#include "framework/StringIds.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
// Names go through the wide-character API, so that any character a name holds is kept.
int OpenNew(const std::string& path) {
    return _wopen(PathFromUtf8(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}
void StartWriteBack(int, std::uint64_t, std::uint64_t) {}
int SyncFile(int fd) {
    return _commit(fd);
}
int CloseFile(int fd) {
    return _close(fd);
}
int ErrnoFromWin32(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    default:
        return EACCES;
    }
}
// An existing target is replaced with ReplaceFileW, which keeps its attributes, security and
// creation time; a new one gets the temporary's name with one move. Both are single steps on
// the same volume.
int RenameOver(const std::string& from, const std::string& to) {
    const std::wstring wideFrom = PathFromUtf8(from).wstring();
    const std::wstring wideTo = PathFromUtf8(to).wstring();
    if (GetFileAttributesW(wideTo.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileW(wideTo.c_str(), wideFrom.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
        return 0;
    if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    errno = ErrnoFromWin32(GetLastError());
    return -1;
}
int RemoveFile(const std::string& path) {
    return _wremove(PathFromUtf8(path).c_str());
}
int ProcessId() {
    return _getpid();
}
bool CanReplace(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(PathFromUtf8(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY);
}
bool ProcessIsGone(long pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return gone;
}
#else
// 0666 before the umask, like any newly created file.
int OpenNew(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
int SyncFile(int fd) {
    return ::fsync(fd);
}
// Asks the kernel to start writing [offset, offset + size) to disk without waiting for it, so
// that the disk works while the caller goes on producing bytes and Commit's flush has less left
// to wait for. Only a hint: where it is not available nothing changes.
void StartWriteBack(int fd, std::uint64_t offset, std::uint64_t size) {
#ifdef __linux__
    (void)::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                            SYNC_FILE_RANGE_WRITE);
#else
    (void)fd, (void)offset, (void)size;
#endif
}
int CloseFile(int fd) {
    return ::close(fd);
}
int RenameOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}
int RemoveFile(const std::string& path) {
    return std::remove(path.c_str());
}
int ProcessId() {
    return static_cast<int>(::getpid());
}
bool CanReplace(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0 || errno == ENOENT;
}
bool ProcessIsGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}
#endif

constexpr const char* kTempSuffix = ".tmp";
// Write-back is started for every this many bytes written.
constexpr std::uint64_t kWriteBackChunk = 8u << 20;
constexpr int kMaxLinks = 40;

// The file a chain of symbolic links ends at (path itself when it is none), so that saving
// replaces that file and the links stay links.
std::string ResolveLinks(const std::string& path) {
    std::filesystem::path at = PathFromUtf8(path);
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(at, ec))
            break;
        const std::filesystem::path next = std::filesystem::read_symlink(at, ec);
        if (ec)
            break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return PathToUtf8(at);
}

// A name of a temporary of target as this class makes them: target's name, ".kubo-save-",
// the process id, optionally "-" and a counter, ".tmp"; or the earlier form "NAME.tmp<pid>-<n>".
// The owner's process id, or -1 for another name.
long TemporaryOwner(std::string_view name, std::string_view target) {
    if (!name.starts_with(target))
        return -1;
    name.remove_prefix(target.size());
    const auto digits = [](std::string_view text) {
        std::size_t n = 0;
        while (n < text.size() && n < 10 && text[n] >= '0' && text[n] <= '9')
            ++n;
        return n;
    };
    std::string_view rest;
    long pid = -1;
    auto takePid = [&](std::string_view text) {
        const std::size_t n = digits(text);
        if (n == 0)
            return false;
        pid = std::stol(std::string(text.substr(0, n)));
        rest = text.substr(n);
        return true;
    };
    auto takeCounter = [&](std::string_view text) {
        if (!text.starts_with("-"))
            return text;
        const std::size_t n = digits(text.substr(1));
        return n == 0 ? std::string_view("?") : text.substr(1 + n);
    };
    if (name.starts_with(".kubo-save-")) {
        if (!takePid(name.substr(11)))
            return -1;
        return takeCounter(rest) == kTempSuffix ? pid : -1;
    }
    if (name.starts_with(".tmp")) {
        if (!takePid(name.substr(4)) || !rest.starts_with("-"))
            return -1;
        return takeCounter(rest).empty() ? pid : -1;
    }
    return -1;
}
} // namespace

void CSafeFile::RemoveStaleTemporaries(const std::string& target) {
    const std::filesystem::path path = PathFromUtf8(target);
    const std::string name = PathToUtf8(path.filename());
    std::filesystem::path folder = path.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const long owner = TemporaryOwner(PathToUtf8(it->path().filename()), name);
        if (owner > 0 && owner != ProcessId() && ProcessIsGone(owner) && it->is_regular_file(ec))
            std::filesystem::remove(it->path(), ec);
    }
}

CSafeFile::CSafeFile(std::string targetPath) : m_target(std::move(targetPath)) {
    m_written = ResolveLinks(m_target);
    if (const std::optional<unsigned> refusal = NonRegularFileRefusal(m_written))
        throw CFileRefusal(*refusal == str::IsAFolder ? CFileException::badPath
                                                      : CFileException::accessDenied,
                           m_target, *refusal);
    // A file that may not be written is not replaced either (as Windows refuses it).
    if (!CanReplace(m_written))
        throw CFileException(CFileException::accessDenied, m_target);
    RemoveStaleTemporaries(m_written);
    const std::string stem = TemporaryStem(m_written);
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp = stem +
                 (attempt == 0 ? std::string() : "-" + std::to_string(counter.fetch_add(1))) +
                 kTempSuffix;
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
    if (::stat(m_written.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(m_fd, st.st_mode & 07777);
#endif
}

std::string CSafeFile::TemporaryStem(const std::string& target) {
    return target + ".kubo-save-" + std::to_string(ProcessId());
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
        RemoveFile(m_temp);
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
        m_nWritten += static_cast<std::uint64_t>(written);
    }
    if (m_nWritten - m_nWriteBackStart >= kWriteBackChunk) {
        StartWriteBack(m_fd, m_nWriteBackStart, m_nWritten - m_nWriteBackStart);
        m_nWriteBackStart = m_nWritten;
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
    if (RenameOver(m_temp, m_written) != 0)
        Fail(errno);
    m_committed = true;
}

void CSafeFile::WriteAll(const std::string& path, std::span<const std::uint8_t> data) {
    CSafeFile file(path);
    file.Write(data.data(), data.size());
    file.Commit();
}
