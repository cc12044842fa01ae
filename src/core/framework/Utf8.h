// Small UTF-8 helpers for core text (std::string holds UTF-8).
#pragma once

#include <cstddef>
#include <string_view>

// The first `count` characters (code points) of text; never splits a multi-byte sequence.
// Bytes that are not valid UTF-8 count as one character each.
[[nodiscard]] std::string_view Utf8Prefix(std::string_view text, std::size_t count);
