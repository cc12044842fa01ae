#include "framework/Registry.h"

#include <cstring>

std::unique_ptr<RegistryKey> OpenRegKeyPath(std::string_view path, RegistryStore& store,
                                            RegRoot root) {
    std::unique_ptr<RegistryKey> key = store.OpenRoot(root);
    while (key) {
        const std::size_t end = path.find('\n');
        key = key->OpenSubKey(path.substr(0, end));
        if (end == std::string_view::npos)
            break;
        path.remove_prefix(end + 1);
    }
    return key;
}

std::string ReadRegString(const RegistryKey* key, std::string_view name,
                          std::string_view defaultValue) {
    if (key)
        if (auto value = key->QueryValue(name))
            if (auto* text = std::get_if<std::string>(&*value))
                return *text;
    return std::string(defaultValue);
}

std::uint32_t ReadRegDword(const RegistryKey* key, std::string_view name,
                           std::uint32_t defaultValue) {
    if (key)
        if (auto value = key->QueryValue(name))
            if (auto* number = std::get_if<std::uint32_t>(&*value))
                return *number;
    return defaultValue;
}

bool ReadRegBinary(const RegistryKey* key, std::string_view name, std::uint8_t* buffer,
                   std::size_t capacity, std::size_t* size) {
    if (size)
        *size = 0;
    if (!key)
        return false;
    const std::optional<RegValue> value = key->QueryValue(name);
    if (!value)
        return false;
    if (size)
        *size = std::visit(
            [](const auto& v) -> std::size_t {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::string>)
                    return v.size() + 1; // with its terminating zero
                else if constexpr (std::is_same_v<T, std::uint32_t>)
                    return sizeof v;
                else
                    return v.size();
            },
            *value);
    const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&*value);
    if (!bytes)
        return false;
    if (capacity < 1)
        return true;
    if (bytes->size() > capacity)
        return false;
    if (!bytes->empty())
        std::memcpy(buffer, bytes->data(), bytes->size());
    return true;
}

void ReadRegStringList(CStringArrayEx& list, const RegistryKey* key, std::string_view name,
                       std::string_view defaultValue) {
    const std::string text = ReadRegString(key, name, defaultValue);
    list.RemoveAll();
    if (text.empty())
        return;
    std::string_view rest = text;
    while (true) {
        const std::size_t end = rest.find('\n');
        list.Add(std::string(rest.substr(0, end)));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
}

bool WriteRegString(RegistryKey* key, std::string_view name, std::string_view text) {
    return key && key->SetValue(name, RegValue{std::string(text)});
}

bool WriteRegDword(RegistryKey* key, std::string_view name, std::uint32_t value) {
    return key && key->SetValue(name, RegValue{value});
}

bool WriteRegBinary(RegistryKey* key, std::string_view name, const std::uint8_t* data,
                    std::size_t size) {
    return key && key->SetValue(name, RegValue{std::vector<std::uint8_t>(data, data + size)});
}

bool WriteRegStringList(RegistryKey* key, std::string_view name, const CStringArrayEx& list) {
    std::string text;
    for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
        if (i)
            text += '\n';
        text += list.GetAt(i);
    }
    return WriteRegString(key, name, text);
}
