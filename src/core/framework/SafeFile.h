// CSafeFile: writes a file through a temporary beside it, so that a failed save loses nothing.
#pragma once

#include "framework/ArchiveStream.h"

#include <string>
#include <sys/types.h>

// The bytes go to a new temporary file in the target's folder; Commit flushes it to disk and
// renames it over the target in one step. Until Commit succeeds the target is untouched;
// destroying an uncommitted file removes the temporary. Every failure throws CFileException
// carrying the target's name.
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
    [[nodiscard]] const std::string& GetTempPath() const { return m_temp; }

    // Writes the whole of data to path through a CSafeFile.
    static void WriteAll(const std::string& path, std::span<const std::uint8_t> data);

protected:
    // The system write; returns the bytes written or -1 with errno set. Overridable so that
    // tests can make the disk fail at any byte.
    virtual ssize_t WriteSome(int fd, const std::uint8_t* data, std::size_t size);

private:
    [[noreturn]] void Fail(int error);
    void Discard() noexcept;

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_committed = false;
};
