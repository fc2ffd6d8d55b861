#include "common/Help.h"

#include "common/Fault.h"
#include "common/PathUtil.h"

#include <shellapi.h>
#include <versionhelpers.h>

namespace tavlo {

namespace {

// The genuine viewer is some hundreds of kilobytes; the stand-in of later systems a few dozen.
constexpr std::uint64_t kFullViewerMinBytes = 100 * 1024;

bool IsFile(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring HelpFileIn(const std::wstring& folder)
{
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path + kHelpFileName;
}

std::wstring HtmlContentsFor(const std::wstring& helpFile)
{
    std::size_t cut = helpFile.find_last_of(L'\\');
    std::wstring folder = cut == std::wstring::npos ? std::wstring() : helpFile.substr(0, cut + 1);
    return folder + L"html\\index.html";
}

bool HelpViewerUsable(const HelpViewerFacts& facts)
{
    if (facts.wine) return true;
    if (facts.windowsMajor != 0 && facts.windowsMajor < 6) return true;
    return facts.viewerFound && facts.viewerBytes >= kFullViewerMinBytes;
}

HelpViewerFacts ThisSystemHelpViewer()
{
    HelpViewerFacts facts;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    facts.wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    facts.windowsMajor = IsWindowsVistaOrGreater() ? 6 : 5;
    wchar_t windows[MAX_PATH + 1]{};
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        std::wstring viewer = std::wstring(windows) + L"\\winhlp32.exe";
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExW(viewer.c_str(), GetFileExInfoStandard, &data) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            facts.viewerFound = true;
            facts.viewerBytes = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    }
    return facts;
}

HelpLaunchers SystemHelpLaunchers()
{
    HelpLaunchers launchers;
    launchers.viewerUsable = [] { return HelpViewerUsable(ThisSystemHelpViewer()); };
    launchers.viewer = [](HWND owner, const std::wstring& helpFile) {
        return WinHelpW(owner, helpFile.c_str(), HELP_FINDER, 0) != FALSE;
    };
    launchers.browser = [](HWND owner, const std::wstring& page) {
        auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(owner, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        return result > 32;
    };
    return launchers;
}

bool HelpFilesPresent(const std::wstring& helpFile)
{
    return IsFile(helpFile) || IsFile(HtmlContentsFor(helpFile));
}

bool ShowHelpContents(HWND owner, const std::wstring& helpFile, const HelpLaunchers& launchers)
{
    try {
        if (IsFile(helpFile) && launchers.viewerUsable && launchers.viewerUsable() && launchers.viewer &&
            launchers.viewer(owner, helpFile))
            return true;
        std::wstring page = HtmlContentsFor(helpFile);
        return IsFile(page) && launchers.browser && launchers.browser(owner, page);
    } catch (...) {
        ReportFault("ShowHelpContents");
        return false;
    }
}

bool ShowHelpContents(HWND owner, const std::wstring& helpFile)
{
    return ShowHelpContents(owner, helpFile, SystemHelpLaunchers());
}

bool ShowHelpContents(HWND owner)
{
    std::wstring folder = GetProgramFolder();
    if (folder.empty()) return false;
    return ShowHelpContents(owner, HelpFileIn(folder));
}

} // namespace tavlo
