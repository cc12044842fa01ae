#ifdef _WIN32

#include "framework/WinRegistryStore.h"

#include <cstring>
#include <vector>
#include <windows.h>

namespace {
std::wstring Wide(std::string_view text) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

class WinKey : public RegistryKey {
public:
    WinKey(HKEY key, bool owned, bool writable)
        : m_key(key), m_owned(owned), m_writable(writable) {}
    ~WinKey() override {
        if (m_owned)
            RegCloseKey(m_key);
    }

    std::unique_ptr<RegistryKey> OpenSubKey(std::string_view name) override {
        HKEY sub = nullptr;
        const std::wstring wname = Wide(name);
        const LONG rc = m_writable ? RegCreateKeyExW(m_key, wname.c_str(), 0, nullptr, 0,
                                                     KEY_READ | KEY_WRITE, nullptr, &sub, nullptr)
                                   : RegOpenKeyExW(m_key, wname.c_str(), 0, KEY_READ, &sub);
        if (rc != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<WinKey>(sub, true, m_writable);
    }

    std::optional<RegValue> QueryValue(std::string_view name) const override {
        const std::wstring wname = Wide(name);
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(m_key, wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<std::uint8_t> data(size);
        if (RegQueryValueExW(m_key, wname.c_str(), nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        data.resize(size);
        if (type == REG_SZ) {
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                              size / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0')
                text.pop_back();
            return RegValue{Narrow(text)};
        }
        if (type == REG_DWORD && size == 4) {
            std::uint32_t v;
            std::memcpy(&v, data.data(), 4);
            return RegValue{v};
        }
        if (type == REG_BINARY)
            return RegValue{std::move(data)};
        return std::nullopt;
    }

    bool SetValue(std::string_view name, const RegValue& value) override {
        const std::wstring wname = Wide(name);
        if (auto* text = std::get_if<std::string>(&value)) {
            const std::wstring wide = Wide(*text);
            return RegSetValueExW(
                       m_key, wname.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        }
        if (auto* number = std::get_if<std::uint32_t>(&value))
            return RegSetValueExW(m_key, wname.c_str(), 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(number), 4) == ERROR_SUCCESS;
        const auto& bytes = std::get<std::vector<std::uint8_t>>(value);
        return RegSetValueExW(m_key, wname.c_str(), 0, REG_BINARY, bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }

private:
    HKEY m_key;
    bool m_owned;
    bool m_writable;
};
} // namespace

std::unique_ptr<RegistryKey> WinRegistryStore::OpenRoot(RegRoot root) {
    if (root == RegRoot::LocalMachine)
        return std::make_unique<WinKey>(HKEY_LOCAL_MACHINE, false, false);
    return std::make_unique<WinKey>(HKEY_CURRENT_USER, false, true);
}

#endif
