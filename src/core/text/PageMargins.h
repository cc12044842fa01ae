// PageMargins: the printed margins of the session comments, their registry value and the
// hundredths of millimetres the page setup dialog shows.
#pragma once

#include <string_view>

class RegistryStore;

// The key of the comments editor's settings, components separated by line feeds.
inline constexpr std::string_view kRichEditorKeyPath = "Software\nTervane\nKubo\nRichEditor";

// A margin rectangle in twips (1/1440 inch), signed as stored.
struct PageMargins {
    int left = 1800;
    int top = 1440;
    int right = 1800;
    int bottom = 1440;

    bool operator==(const PageMargins&) const = default;
};

// value × numerator / denominator rounded to the nearest integer, halves away from zero, in
// 64 bits; saturated to the int range. A zero denominator gives 0.
[[nodiscard]] int MulDiv(int value, int numerator, int denominator);
// The multiple of 10 a page setup dialog shows: remainder 5 or more up, −5 or less down, else
// towards zero.
[[nodiscard]] int RoundToTenHmm(int hundredthsMm);
// Twips as the page setup dialog shows them (hundredths of millimetres, a multiple of 10):
// 1800 → 3180.
[[nodiscard]] int MarginTwipsToHmm(int twips);
// A page setup dialog's margin back to twips, rounded to a multiple of 10 first: 3180 → 1803.
[[nodiscard]] int MarginHmmToTwips(int hundredthsMm);

// Reads the binary value "PageMargins" (16 bytes: left, top, right, bottom as little-endian
// signed 32-bit numbers) under kRichEditorKeyPath of the user hive. A missing value, or one of
// any other size, leaves margins as they are.
void LoadPageMargins(PageMargins& margins, RegistryStore& store);
// Writes it back; false when the key cannot be opened or the value not written.
bool SavePageMargins(const PageMargins& margins, RegistryStore& store);
