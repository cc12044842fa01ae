// The built-in English string table, sorted by id.
#pragma once

#include <span>

struct StringTableEntry {
    unsigned id;
    const char* text;              // UTF-8, English
    const char* comment = nullptr; // tells equal texts apart for translation, else null
};

// Sorted by ascending id, ids unique.
[[nodiscard]] std::span<const StringTableEntry> BuiltInStrings();
