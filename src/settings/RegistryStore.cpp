#include "settings/RegistryStore.h"

#include "common/Handles.h"

#include <windows.h>

#include <optional>
#include <utility>
#include <vector>

namespace tavlo {
namespace {

// Opens or creates a key of the current user; an empty owner when refused.
RegKey OpenKey(const std::wstring& path, REGSAM access)
{
    HKEY key = nullptr;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) == ERROR_SUCCESS ? RegKey(key) : RegKey();
}
RegKey CreateKey(const std::wstring& path, REGSAM access)
{
    HKEY key = nullptr;
    return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                           nullptr) == ERROR_SUCCESS
               ? RegKey(key)
               : RegKey();
}

// An empty name, or one that starts or ends with a separator, would make the path address a parent
// key (deleting it would take every sibling along), so such names address nothing.
bool ValidName(const std::wstring& name)
{
    return !name.empty() && name.front() != L'\\' && name.back() != L'\\';
}

// The REG_SZ value's text, or nothing when it is absent or of another type.
std::optional<std::wstring> QueryText(HKEY key, const std::wstring& name)
{
    std::vector<BYTE> buf(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buf.size());
        LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, buf.data(), &size);
        if (rc == ERROR_MORE_DATA) {
            buf.resize(size + sizeof(wchar_t));
            continue;
        }
        if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        // The stored data need not end with a terminator; the text ends at the first one.
        std::wstring text(reinterpret_cast<const wchar_t*>(buf.data()), size / sizeof(wchar_t));
        if (auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
        return text;
    }
}

} // namespace

RegistryStore::RegistryStore(std::wstring root) : root_(std::move(root)) {}

std::wstring RegistryStore::Read(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                                 const std::wstring& defaultValue)
{
    if (!ValidName(app) || !ValidName(section)) return defaultValue;
    const RegKey k = OpenKey(root_ + L"\\" + app + L"\\" + section, KEY_QUERY_VALUE);
    if (!k) return defaultValue;
    return QueryText(k.get(), key).value_or(defaultValue);
}

bool RegistryStore::Write(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value)
{
    if (!ValidName(app) || !ValidName(section)) return false;
    const RegKey k = CreateKey(root_ + L"\\" + app + L"\\" + section, KEY_SET_VALUE);
    if (!k) return false;
    DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(k.get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

bool RegistryStore::DeleteSection(const std::wstring& app, const std::wstring& section)
{
    if (!ValidName(app) || !ValidName(section)) return false;
    const RegKey k = OpenKey(root_ + L"\\" + app, KEY_ALL_ACCESS);
    if (!k) return false;
    return RegDeleteTreeW(k.get(), section.c_str()) == ERROR_SUCCESS;
}

bool RegistryStore::DeleteApplication(const std::wstring& app)
{
    if (!ValidName(app)) return false;
    const RegKey k = OpenKey(root_, KEY_ALL_ACCESS);
    if (!k) return false;
    return RegDeleteTreeW(k.get(), app.c_str()) == ERROR_SUCCESS;
}

SettingsStore& SystemSettingsStore()
{
    static RegistryStore store(L"Software");
    return store;
}

} // namespace tavlo
