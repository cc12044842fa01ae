// The registry functions that all settings code uses: open a key path, read and write values.
#pragma once

#include "framework/RegistryStore.h"
#include "framework/StringArrayEx.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The key of the program's options, components separated by line feeds.
inline constexpr std::string_view kOptionsKeyPath = "Software\nTervane\nKubo\nOptions";

// Opens each line-feed-separated component below the previous key, creating missing ones;
// null when any step fails. The caller closes the key by destroying it.
[[nodiscard]] std::unique_ptr<RegistryKey> OpenRegKeyPath(std::string_view path,
                                                          RegistryStore& store, RegRoot root);

// Each read gives the default when the key is null, the value is missing or has another type.
[[nodiscard]] std::string ReadRegString(const RegistryKey* key, std::string_view name,
                                        std::string_view defaultValue);
[[nodiscard]] std::uint32_t ReadRegDword(const RegistryKey* key, std::string_view name,
                                         std::uint32_t defaultValue);
// Reports the stored size through size (when given; 0 for a missing value). Fails unless the
// value is binary. A capacity of 0 succeeds after reporting the size; otherwise fails when the
// stored size exceeds capacity, else copies the value into buffer.
[[nodiscard]] bool ReadRegBinary(const RegistryKey* key, std::string_view name,
                                 std::uint8_t* buffer, std::size_t capacity, std::size_t* size);
// Empties list, then, unless the text read is empty, appends every line-feed-separated piece
// in order, empty pieces included.
void ReadRegStringList(CStringArrayEx& list, const RegistryKey* key, std::string_view name,
                       std::string_view defaultValue);

// Each write reports success; a null key fails.
bool WriteRegString(RegistryKey* key, std::string_view name, std::string_view text);
bool WriteRegDword(RegistryKey* key, std::string_view name, std::uint32_t value);
bool WriteRegBinary(RegistryKey* key, std::string_view name, const std::uint8_t* data,
                    std::size_t size);
// The items joined with single line feeds (an empty list writes the empty text).
bool WriteRegStringList(RegistryKey* key, std::string_view name, const CStringArrayEx& list);
