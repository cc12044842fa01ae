// RegistryTree: an in-memory hive (keys, typed values) and the key handle over it.
#pragma once

#include "framework/RegistryStore.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// Orders names without regard to ASCII case, as the registry compares key and value names.
struct RegNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

struct RegistryNode {
    std::map<std::string, std::unique_ptr<RegistryNode>, RegNameLess> subkeys;
    std::map<std::string, RegValue, RegNameLess> values;

    // The node at the backslash-separated path, created when create is set; null otherwise.
    RegistryNode* Find(std::string_view path, bool create);
};

// A key name that a hive file can hold: not empty, no backslash, brackets or control bytes.
[[nodiscard]] bool IsValidRegKeyName(std::string_view name);

// A handle on one node of a hive owned elsewhere (the hive outlives its handles). A read-only
// handle neither creates keys nor sets values; a writable one calls persist after each change
// and reports its result.
class CTreeRegistryKey : public RegistryKey {
public:
    using Persist = std::function<bool()>;
    CTreeRegistryKey(RegistryNode* node, bool writable, Persist persist)
        : m_node(node), m_writable(writable), m_persist(std::move(persist)) {}

    [[nodiscard]] std::unique_ptr<RegistryKey> OpenSubKey(std::string_view name) override;
    [[nodiscard]] std::optional<RegValue> QueryValue(std::string_view name) const override;
    [[nodiscard]] bool SetValue(std::string_view name, const RegValue& value) override;

private:
    RegistryNode* m_node;
    bool m_writable;
    Persist m_persist;
};
