// CFileInput: an archive input that reads a file from disk.
#pragma once

#include "framework/ArchiveStream.h"
#include "framework/RegularFile.h"

#include <cstdio>
#include <memory>
#include <string>

class CFileInput : public CArchiveInput {
public:
    // Opens path for reading; throws CFileException (with the errno's cause) when it cannot,
    // CFileRefusal for a folder, pipe or device.
    explicit CFileInput(std::string path);

    std::size_t Read(std::uint8_t* data, std::size_t size) override;
    [[nodiscard]] std::uint64_t Remaining() const override { return m_size - m_position; }
    [[nodiscard]] std::uint64_t GetLength() const { return m_size; }
    [[nodiscard]] const std::string& GetPath() const { return m_path; }

private:
    std::string m_path;
    FilePtr m_file;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
};
