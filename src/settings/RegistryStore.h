#pragma once
// The settings store over the registry: HKEY_CURRENT_USER\<root>\<application>\<section>, one
// REG_SZ value per key.
#include "settings/SettingsStore.h"

#include <string>

namespace tavlo {

class RegistryStore final : public SettingsStore {
public:
    // `root` is the key under HKEY_CURRENT_USER that holds the applications.
    explicit RegistryStore(std::wstring root = L"Software");

    std::wstring Read(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                      const std::wstring& defaultValue) override;
    bool Write(const std::wstring& app, const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override;
    bool DeleteSection(const std::wstring& app, const std::wstring& section) override;
    bool DeleteApplication(const std::wstring& app) override;

    const std::wstring& root() const { return root_; }

private:
    std::wstring root_;
};

// The process's store: HKEY_CURRENT_USER\Software.
SettingsStore& SystemSettingsStore();

} // namespace tavlo
