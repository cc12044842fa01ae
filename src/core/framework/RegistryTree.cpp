#include "framework/RegistryTree.h"

#include <algorithm>

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool RegNameLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

bool IsValidRegKeyName(std::string_view name) {
    if (name.empty())
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '\\' || c == '[' || c == ']' || static_cast<unsigned char>(c) < 0x20 ||
               c == 0x7F;
    });
}

RegistryNode* RegistryNode::Find(std::string_view path, bool create) {
    RegistryNode* node = this;
    while (node && !path.empty()) {
        const std::size_t end = path.find('\\');
        const std::string_view name = path.substr(0, end);
        auto it = node->subkeys.find(name);
        if (it != node->subkeys.end()) {
            node = it->second.get();
        } else if (create && IsValidRegKeyName(name)) {
            node = node->subkeys.emplace(std::string(name), std::make_unique<RegistryNode>())
                       .first->second.get();
        } else {
            return nullptr;
        }
        path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
    }
    return node;
}

std::unique_ptr<RegistryKey> CTreeRegistryKey::OpenSubKey(std::string_view name) {
    if (!IsValidRegKeyName(name))
        return nullptr;
    RegistryNode* child = m_node->Find(name, m_writable);
    if (!child)
        return nullptr;
    return std::make_unique<CTreeRegistryKey>(child, m_writable, m_persist);
}

std::optional<RegValue> CTreeRegistryKey::QueryValue(std::string_view name) const {
    auto it = m_node->values.find(name);
    if (it == m_node->values.end())
        return std::nullopt;
    return it->second;
}

bool CTreeRegistryKey::SetValue(std::string_view name, const RegValue& value) {
    if (!m_writable)
        return false;
    auto it = m_node->values.find(name);
    if (it != m_node->values.end())
        it->second = value;
    else
        m_node->values.emplace(std::string(name), value);
    return !m_persist || m_persist();
}
