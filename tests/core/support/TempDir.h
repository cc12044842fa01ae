// A folder of its own for one test, named by prefix, process and test; removed with its contents.
#pragma once

#include "framework/FilePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>

class TempDir {
public:
    explicit TempDir(const std::string& prefix)
        : m_path(std::filesystem::temp_directory_path() /
                 (prefix + "_" + std::to_string(getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        RemoveAll(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() { RemoveAll(m_path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Dir() const { return m_path; }
    // The UTF-8 path of name in the folder, as the core takes file names.
    [[nodiscard]] std::string Path(const std::string& name) const {
        return PathToUtf8(m_path / PathFromUtf8(name));
    }
    // Writes bytes to the named file in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_path / PathFromUtf8(name), std::ios::binary) << bytes;
        return Path(name);
    }
    [[nodiscard]] static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    // Files a test made read-only are made writable first: Windows deletes no read-only file.
    static void RemoveAll(const std::filesystem::path& path) {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
        if (!ec)
            return;
        for (std::filesystem::recursive_directory_iterator it(path, ec), end; !ec && it != end;
             it.increment(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path, ec);
    }

    std::filesystem::path m_path;
};
