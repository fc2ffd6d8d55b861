#pragma once
// The per-user settings store: text values addressed by application, section and key.
// RegistryStore is the real one; the settings logic only ever sees this interface.
#include <string>

namespace tavlo {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `defaultValue` when the key (or its section or application) is absent.
    virtual std::wstring Read(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                              const std::wstring& defaultValue) = 0;
    // Stores the text, creating the application and section as needed.
    virtual bool Write(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                       const std::wstring& value) = 0;
    // Removes one section with all its keys; false when it did not exist or could not be removed.
    virtual bool DeleteSection(const std::wstring& app, const std::wstring& section) = 0;
    // Removes the application with all its sections; false when it did not exist or could not be removed.
    virtual bool DeleteApplication(const std::wstring& app) = 0;
};

// An (application, section) pair of the store.
struct SettingsLocation {
    const wchar_t* application;
    const wchar_t* section;

    friend bool operator==(const SettingsLocation& a, const SettingsLocation& b)
    {
        return std::wstring(a.application) == b.application && std::wstring(a.section) == b.section;
    }
};

// Every value is written here.
inline constexpr SettingsLocation CurrentLocation{L"Vesmir's Soft", L"Tavlo2"};
// Left by earlier versions: read while it still holds a group, never written, removed at shutdown.
inline constexpr SettingsLocation LegacyLocation{L"Tavlo2", L"Tavlo2"};

} // namespace tavlo
