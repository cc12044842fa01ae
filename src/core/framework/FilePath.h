// Core's file names are UTF-8 strings; these convert them to and from std::filesystem::path.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Always through the UTF-8 form: on Windows a path holds UTF-16, and building one from a plain
// narrow string would read it in the ANSI code page, losing every character outside it.
[[nodiscard]] inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

[[nodiscard]] inline std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
