// RegistryStore: where settings live — typed values in a tree of keys, one tree per hive.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The two hives: the user's settings and the read-only machine-wide defaults.
enum class RegRoot { CurrentUser, LocalMachine };

// A value keeps its type: text, 32-bit number or binary block.
using RegValue = std::variant<std::string, std::uint32_t, std::vector<std::uint8_t>>;

// An open key. Destroying the handle closes it. Key and value names compare without regard to
// ASCII case.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // The subkey name, created when missing (where the hive can be written); null when it
    // cannot be opened or created.
    [[nodiscard]] virtual std::unique_ptr<RegistryKey> OpenSubKey(std::string_view name) = 0;
    [[nodiscard]] virtual std::optional<RegValue> QueryValue(std::string_view name) const = 0;
    // False when the hive cannot be written.
    [[nodiscard]] virtual bool SetValue(std::string_view name, const RegValue& value) = 0;
};

class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    // The root key of a hive, or null when the hive is not available.
    [[nodiscard]] virtual std::unique_ptr<RegistryKey> OpenRoot(RegRoot root) = 0;
};
