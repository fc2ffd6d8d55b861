#pragma once
// A private key under HKEY_CURRENT_USER for tests of the registry store, removed afterwards, with
// direct registry access to check what the store really wrote.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tavlo::test {

class RegistryTestRoot {
public:
    RegistryTestRoot()
    {
        static unsigned counter = 0;
        path_ = std::wstring(kParent) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(++counter);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }
    ~RegistryTestRoot()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kParent); // only succeeds once no other test root is left
    }
    RegistryTestRoot(const RegistryTestRoot&) = delete;
    RegistryTestRoot& operator=(const RegistryTestRoot&) = delete;

    const std::wstring& path() const { return path_; }

    bool KeyExists(const std::wstring& subPath) const
    {
        HKEY k = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Full(subPath).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }

    // The value's type and raw text (REG_SZ and REG_EXPAND_SZ only), read around the store.
    struct Raw {
        DWORD type = REG_NONE;
        std::wstring text;
    };
    std::optional<Raw> Get(const std::wstring& subPath, const std::wstring& name) const
    {
        DWORD type = 0, size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, Full(subPath).c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                         nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<BYTE> buf(size + sizeof(wchar_t));
        if (RegGetValueW(HKEY_CURRENT_USER, Full(subPath).c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                         buf.data(), &size) != ERROR_SUCCESS)
            return std::nullopt;
        Raw raw;
        raw.type = type;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            raw.text.assign(reinterpret_cast<const wchar_t*>(buf.data()), size / sizeof(wchar_t));
            while (!raw.text.empty() && raw.text.back() == L'\0') raw.text.pop_back();
        }
        return raw;
    }

    // Stores raw bytes of any type, bypassing the store.
    void Set(const std::wstring& subPath, const std::wstring& name, DWORD type, const void* data, DWORD bytes) const
    {
        HKEY k = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, Full(subPath).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                            nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExW(k, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(k);
    }

    std::vector<std::wstring> ValueNames(const std::wstring& subPath) const
    {
        std::vector<std::wstring> names;
        HKEY k = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Full(subPath).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return names;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD len = 256;
            if (RegEnumValueW(k, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            names.emplace_back(name, len);
        }
        RegCloseKey(k);
        return names;
    }

private:
    static constexpr const wchar_t* kParent = L"Software\\Tavlo2Tests";
    std::wstring Full(const std::wstring& subPath) const { return subPath.empty() ? path_ : path_ + L"\\" + subPath; }

    std::wstring path_;
};

} // namespace tavlo::test
