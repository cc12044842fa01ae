// CSafeFile: writes a file through a temporary beside it, so that a failed save loses nothing.
#pragma once

#include "framework/ArchiveStream.h"

#include <cstdint>
#include <string>
#include <sys/types.h>

// The bytes go to a new temporary file beside the target, named "NAME.kubo-save-PID.tmp"
// (PID the process's id, a "-N" before ".tmp" when it exists already); Commit flushes it to
// disk and renames it over the target in one step. Until Commit succeeds the target is
// untouched; destroying an uncommitted file removes the temporary, and temporaries of the same
// target that a process left behind when it died are removed when the next one is made. A
// target that is a symbolic link writes the file the link ends at and keeps the link. A target
// that is a folder, device or pipe is refused (CFileRefusal), and so is an existing file that
// may not be written. Every failure throws CFileException carrying the target's name.
class CSafeFile : public CArchiveOutput {
public:
    explicit CSafeFile(std::string targetPath);
    ~CSafeFile() override;
    CSafeFile(const CSafeFile&) = delete;
    CSafeFile& operator=(const CSafeFile&) = delete;

    void Write(const std::uint8_t* data, std::size_t size) override;
    // Flushes, closes and renames over the target. Writing afterwards is an error.
    void Commit();

    [[nodiscard]] const std::string& GetTargetPath() const { return m_target; }
    // The file Commit replaces: the target with its symbolic links followed.
    [[nodiscard]] const std::string& GetWrittenPath() const { return m_written; }
    [[nodiscard]] const std::string& GetTempPath() const { return m_temp; }
    // What this process's temporaries of target begin with: "TARGET.kubo-save-PID".
    [[nodiscard]] static std::string TemporaryStem(const std::string& target);

    // Writes the whole of data to path through a CSafeFile.
    static void WriteAll(const std::string& path, std::span<const std::uint8_t> data);

protected:
    // The system write; returns the bytes written or -1 with errno set. Overridable so that
    // tests can make the disk fail at any byte.
    virtual ssize_t WriteSome(int fd, const std::uint8_t* data, std::size_t size);

private:
    [[noreturn]] void Fail(int error);
    void Discard() noexcept;
    static void RemoveStaleTemporaries(const std::string& target);

    std::string m_target;
    std::string m_written;
    std::string m_temp;
    int m_fd = -1;
    bool m_committed = false;
    std::uint64_t m_nWritten = 0;        // bytes in the temporary
    std::uint64_t m_nWriteBackStart = 0; // bytes before it have been handed to write-back
};
