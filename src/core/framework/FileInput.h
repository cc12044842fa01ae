// CFileInput: an archive input that reads a file from disk.
#pragma once

#include "framework/ArchiveStream.h"

#include <cstdio>
#include <memory>
#include <string>

class CFileInput : public CArchiveInput {
public:
    // Opens path for reading; throws CFileException (with the errno's cause) when it cannot.
    explicit CFileInput(std::string path);

    std::size_t Read(std::uint8_t* data, std::size_t size) override;
    [[nodiscard]] std::uint64_t Remaining() const override { return m_size - m_position; }
    [[nodiscard]] std::uint64_t GetLength() const { return m_size; }
    [[nodiscard]] const std::string& GetPath() const { return m_path; }

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::string m_path;
    std::unique_ptr<std::FILE, Closer> m_file;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
};
