#include "framework/MemoryRegistryStore.h"

std::unique_ptr<RegistryKey> MemoryRegistryStore::OpenRoot(RegRoot root) {
    HiveState& hive = Hive(root);
    if (!hive.available)
        return nullptr;
    return std::make_unique<CTreeRegistryKey>(&hive.tree, hive.writable, [this] {
        ++m_writes;
        return true;
    });
}

void MemoryRegistryStore::Put(RegRoot root, std::string_view keyPath, std::string_view name,
                              RegValue value) {
    if (RegistryNode* node = Hive(root).tree.Find(keyPath, true))
        node->values.insert_or_assign(std::string(name), std::move(value));
}

std::optional<RegValue> MemoryRegistryStore::Get(RegRoot root, std::string_view keyPath,
                                                 std::string_view name) const {
    auto& hive = const_cast<MemoryRegistryStore*>(this)->Hive(root);
    const RegistryNode* node = hive.tree.Find(keyPath, false);
    if (!node)
        return std::nullopt;
    auto it = node->values.find(name);
    if (it == node->values.end())
        return std::nullopt;
    return it->second;
}
