// The built-in English string table, sorted by id.
#pragma once

#include <span>

struct StringTableEntry {
    unsigned id;
    const char* text; // UTF-8
};

// Sorted by ascending id, ids unique.
[[nodiscard]] std::span<const StringTableEntry> BuiltInStrings();
