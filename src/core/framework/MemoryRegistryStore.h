// MemoryRegistryStore: both hives in memory, for tests and for runs that must not persist.
#pragma once

#include "framework/RegistryTree.h"

#include <array>

// By default the user hive can be written and the machine hive only read. Put/Get reach any
// value directly (paths separated by backslashes), whatever the hive's access.
class MemoryRegistryStore : public RegistryStore {
public:
    [[nodiscard]] std::unique_ptr<RegistryKey> OpenRoot(RegRoot root) override;

    void SetAvailable(RegRoot root, bool available) { Hive(root).available = available; }
    void SetWritable(RegRoot root, bool writable) { Hive(root).writable = writable; }

    void Put(RegRoot root, std::string_view keyPath, std::string_view name, RegValue value);
    [[nodiscard]] std::optional<RegValue> Get(RegRoot root, std::string_view keyPath,
                                              std::string_view name) const;
    // The number of values set through keys (not through Put).
    [[nodiscard]] int GetWriteCount() const { return m_writes; }

private:
    struct HiveState {
        RegistryNode tree;
        bool available = true;
        bool writable = true;
    };
    HiveState& Hive(RegRoot root) { return m_hives[root == RegRoot::CurrentUser ? 0 : 1]; }

    std::array<HiveState, 2> m_hives{HiveState{{}, true, true}, HiveState{{}, true, false}};
    int m_writes = 0;
};
