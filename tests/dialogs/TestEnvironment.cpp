// Hiding a top-level window that Wine leaves to a window manager waits up to two seconds for one to
// answer, and the test display has none. This program's windows are therefore its own to manage;
// the setting is read when the first window of the process is made, so it is written before any.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

class UnmanagedWindows : public testing::Environment {
public:
    void SetUp() override
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\test_dialogs.exe\\X11 Driver", 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        const wchar_t value[] = L"N";
        RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
        RegCloseKey(key);
    }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new UnmanagedWindows);

} // namespace
