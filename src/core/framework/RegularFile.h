// Opening files for reading that refuses folders, pipes and devices before it could block on them.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

// The refusal for a path that exists but is not a regular file (str::IsAFolder or
// str::NotARegularFile); nullopt for a regular file (symbolic links followed) or a path that
// does not exist.
[[nodiscard]] std::optional<unsigned> NonRegularFileRefusal(const std::string& path);
// Throws CFileRefusal when NonRegularFileRefusal has a refusal for path.
void RequireRegularFile(const std::string& path);

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens path (UTF-8) for reading in binary mode. Anything but a regular file is refused with
// CFileRefusal without waiting: a pipe is opened without blocking and looked at before it is
// read. Other failures throw CFileException with the system's cause.
[[nodiscard]] FilePtr OpenRegularFile(const std::string& path);
