#pragma once
// The built tavlo2.exe started as its own process, and the settings in the user's real registry
// location of the test prefix, for the end-to-end tests and the benchmarks.
#include "core/Paths.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tavlo::test {

inline const wchar_t kSettingsKey[] = L"Software\\Vesmir's Soft\\Tavlo2";

using Values = std::map<std::wstring, std::wstring>;

inline Values ReadAllSettings()
{
    Values values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameLen = 512, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        nameLen = 512;
        DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        RegEnumValueW(key, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes);
        data.resize(wcsnlen(data.c_str(), data.size()));
        values[name] = data;
    }
    RegCloseKey(key);
    return values;
}

inline void WriteAllSettings(const Values& values)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    if (values.empty()) return;
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    for (const auto& [name, data] : values)
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

inline std::wstring ProgramPath()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return GetFolderName(self) + L"\\tavlo2.exe";
}

struct VisibleWindows {
    DWORD pid;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM param)
{
    auto* v = reinterpret_cast<VisibleWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == v->pid && IsWindowVisible(hwnd)) v->found.push_back(hwnd);
    return TRUE;
}

inline std::vector<HWND> VisibleWindowsOf(DWORD pid)
{
    VisibleWindows v{pid, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&v));
    return v.found;
}

inline std::wstring TextOf(HWND hwnd)
{
    wchar_t buffer[512]{};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

inline std::wstring ClassOf(HWND hwnd)
{
    wchar_t buffer[256]{};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

class Program {
public:
    // Starts `program` (the built tavlo2.exe unless named) with `arguments`.
    explicit Program(const std::wstring& arguments, const std::wstring& program = ProgramPath())
    {
        std::wstring cmd = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        started_ = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
    }
    ~Program()
    {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool Started() const { return started_ != FALSE; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }
    bool Ended(DWORD ms = 0) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
    // The exit code once ended; STILL_ACTIVE before.
    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }

    // Waits for the process to end, remembering every visible window it showed meanwhile.
    bool WaitWatchingWindows(DWORD ms, std::vector<HWND>& seen) const
    {
        for (DWORD waited = 0; waited < ms; waited += 20) {
            for (HWND h : VisibleWindowsOf(Pid())) seen.push_back(h);
            if (Ended(20)) return true;
        }
        return false;
    }
    // The first visible top-level window whose class or title matches, waiting up to `ms`.
    HWND WaitForWindow(const std::wstring& classOrTitle, DWORD ms) const
    {
        for (DWORD waited = 0; waited < ms; waited += 50) {
            for (HWND h : VisibleWindowsOf(Pid()))
                if (ClassOf(h) == classOrTitle || TextOf(h) == classOrTitle) return h;
            if (Ended(50)) return nullptr;
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION pi_{};
    BOOL started_ = FALSE;
};

inline std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

} // namespace tavlo::test
