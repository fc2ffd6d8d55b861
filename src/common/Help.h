#pragma once
// The Help command: the help file in the platform's help viewer at its contents, or, where that viewer
// is missing or the file is, the HTML rendering of the same help in the user's browser.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tavlo {

inline constexpr const wchar_t* kHelpFileName = L"TAVLO2.HLP";

// The help file in a folder: the folder, one backslash unless it already ends with one, the file name.
std::wstring HelpFileIn(const std::wstring& folder);
// The HTML contents page that is installed beside a help file: <its folder>\html\index.html.
std::wstring HtmlContentsFor(const std::wstring& helpFile);

// What decides whether this system's help viewer can show the help file.
struct HelpViewerFacts {
    bool wine = false;                // Wine's own viewer reads the format
    unsigned long windowsMajor = 0;   // systems before 6 shipped the full viewer
    bool viewerFound = false;         // the viewer program in the Windows folder
    std::uint64_t viewerBytes = 0;    // its size: later systems ship a small stand-in that only explains
};
bool HelpViewerUsable(const HelpViewerFacts& facts);
HelpViewerFacts ThisSystemHelpViewer();

// The ways of showing the help; tests replace them.
struct HelpLaunchers {
    std::function<bool()> viewerUsable;
    std::function<bool(HWND owner, const std::wstring& helpFile)> viewer;   // the viewer at the contents
    std::function<bool(HWND owner, const std::wstring& page)> browser;      // a page in the browser
};
HelpLaunchers SystemHelpLaunchers();

// True when `helpFile` or the HTML contents page beside it exists: the Help command has something to show.
bool HelpFilesPresent(const std::wstring& helpFile);

// Shows the contents of `helpFile` in the viewer when the file exists, the viewer is usable and it
// starts; otherwise the HTML contents page beside it, when that exists. True when either opened.
bool ShowHelpContents(HWND owner, const std::wstring& helpFile, const HelpLaunchers& launchers);
bool ShowHelpContents(HWND owner, const std::wstring& helpFile);
// The same for the help beside the running program.
bool ShowHelpContents(HWND owner);

} // namespace tavlo
