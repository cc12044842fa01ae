// The character sets of rich-text streams: font charsets, Windows code pages, the Symbol font.
#pragma once

#include <cstdint>

inline constexpr unsigned kRtfDefaultCodePage = 1252;
inline constexpr int kRtfSymbolCharset = 2;

// The Windows code page of a font's \fcharset: 0 → 1252, 238 → 1250, 204 → 1251, 161 → 1253,
// 162 → 1254, 186 → 1257, the Far East and other sets likewise; 1 (default) and unknown sets →
// documentCodePage. The symbol set (2) has no code page: see SymbolFontChar.
[[nodiscard]] unsigned CodePageOfCharset(int charset, unsigned documentCodePage);

// True for the code pages the reader decodes (single-byte Windows and DOS pages, the Far East
// double-byte pages, Mac Roman, UTF-8); others are read as kRtfDefaultCodePage.
[[nodiscard]] bool IsSupportedCodePage(unsigned codePage);

// The Unicode character the Symbol font draws for byte b: Greek letters, mathematical signs,
// arrows, card suits and bracket pieces. 0 where the glyph has no Unicode equivalent or the
// byte is the same as in Windows-1252 (digits, most punctuation): decode it as Windows-1252.
[[nodiscard]] char32_t SymbolFontChar(std::uint8_t b);

// The Windows-1252 byte of c, or 0 when Windows-1252 cannot hold it (and for U+0000).
[[nodiscard]] std::uint8_t Windows1252Byte(char32_t c);
