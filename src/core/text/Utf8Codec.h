// Code points to and from UTF-8, for the RTF codec (strict: no surrogates, no overlong forms).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Appends c as UTF-8; a surrogate or a value above U+10FFFF appends U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// The code point at text[pos], moving pos past it. An invalid or cut sequence yields U+FFFD
// and moves pos by one byte. pos must be < text.size().
[[nodiscard]] char32_t NextUtf8(std::string_view text, std::size_t& pos);
