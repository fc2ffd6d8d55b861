#include "common/Help.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace tavlo {
namespace {

using test::TempDir;

TEST(HelpPathsTest, HelpFileSitsInTheFolderWithOneBackslash)
{
    EXPECT_EQ(HelpFileIn(L"C:\\Program Files\\Tavlo2"), L"C:\\Program Files\\Tavlo2\\TAVLO2.HLP");
    EXPECT_EQ(HelpFileIn(L"D:\\"), L"D:\\TAVLO2.HLP");
    EXPECT_EQ(HelpFileIn(L"\\\\server\\share\\"), L"\\\\server\\share\\TAVLO2.HLP");
    EXPECT_EQ(HtmlContentsFor(L"C:\\Tools\\TAVLO2.HLP"), L"C:\\Tools\\html\\index.html");
    EXPECT_EQ(HtmlContentsFor(L"D:\\TAVLO2.HLP"), L"D:\\html\\index.html");
}

TEST(HelpViewerTest, ViewerIsUsedWhereTheSystemReadsTheFormat)
{
    HelpViewerFacts wine;
    wine.wine = true;
    wine.windowsMajor = 10;
    EXPECT_TRUE(HelpViewerUsable(wine));

    HelpViewerFacts old;
    old.windowsMajor = 5;
    EXPECT_TRUE(HelpViewerUsable(old));

    HelpViewerFacts standIn;
    standIn.windowsMajor = 10;
    standIn.viewerFound = true;
    standIn.viewerBytes = 12 * 1024;
    EXPECT_FALSE(HelpViewerUsable(standIn));

    HelpViewerFacts installed = standIn;
    installed.viewerBytes = 280 * 1024;
    EXPECT_TRUE(HelpViewerUsable(installed));

    HelpViewerFacts none;
    none.windowsMajor = 10;
    EXPECT_FALSE(HelpViewerUsable(none));
}

// Records which way the help was shown, with answers chosen by the test.
struct RecordingLaunchers {
    bool usable = true;
    bool viewerStarts = true;
    bool browserStarts = true;
    std::vector<std::wstring> viewerCalls;
    std::vector<std::wstring> browserCalls;

    HelpLaunchers Get()
    {
        HelpLaunchers l;
        l.viewerUsable = [this] { return usable; };
        l.viewer = [this](HWND, const std::wstring& file) {
            viewerCalls.push_back(file);
            return viewerStarts;
        };
        l.browser = [this](HWND, const std::wstring& page) {
            browserCalls.push_back(page);
            return browserStarts;
        };
        return l;
    }
};

class HelpRouteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        helpFile_ = dir_.Write(L"TAVLO2.HLP", "?_\x03");
        dir_.MakeDir(L"html");
        page_ = dir_.Write(L"html\\index.html", "<h1>x</h1>");
    }
    TempDir dir_;
    std::wstring helpFile_;
    std::wstring page_;
    RecordingLaunchers rec_;
};

TEST_F(HelpRouteTest, ViewerShowsAnExistingHelpFileAndTheBrowserStaysClosed)
{
    EXPECT_TRUE(ShowHelpContents(nullptr, helpFile_, rec_.Get()));
    EXPECT_EQ(rec_.viewerCalls, std::vector<std::wstring>{helpFile_});
    EXPECT_TRUE(rec_.browserCalls.empty());
}

TEST_F(HelpRouteTest, BrowserOpensTheContentsPageWhenTheViewerDoesNotStart)
{
    rec_.viewerStarts = false;
    EXPECT_TRUE(ShowHelpContents(nullptr, helpFile_, rec_.Get()));
    EXPECT_EQ(rec_.viewerCalls.size(), 1u);
    EXPECT_EQ(rec_.browserCalls, std::vector<std::wstring>{page_});
}

TEST_F(HelpRouteTest, BrowserOpensTheContentsPageWhenTheHelpFileIsMissingOrTheViewerUnusable)
{
    DeleteFileW(helpFile_.c_str());
    EXPECT_TRUE(ShowHelpContents(nullptr, helpFile_, rec_.Get()));
    EXPECT_TRUE(rec_.viewerCalls.empty());
    EXPECT_EQ(rec_.browserCalls, std::vector<std::wstring>{page_});

    RecordingLaunchers unusable;
    unusable.usable = false;
    dir_.Write(L"TAVLO2.HLP", "?_\x03");
    EXPECT_TRUE(ShowHelpContents(nullptr, helpFile_, unusable.Get()));
    EXPECT_TRUE(unusable.viewerCalls.empty());
    EXPECT_EQ(unusable.browserCalls, std::vector<std::wstring>{page_});
}

TEST_F(HelpRouteTest, NothingOpensWithoutEitherRendering)
{
    rec_.viewerStarts = false;
    DeleteFileW(page_.c_str());
    EXPECT_FALSE(ShowHelpContents(nullptr, helpFile_, rec_.Get()));
    EXPECT_TRUE(rec_.browserCalls.empty());

    RecordingLaunchers refused;
    refused.viewerStarts = false;
    refused.browserStarts = false;
    dir_.Write(L"html\\index.html", "<h1>x</h1>");
    EXPECT_FALSE(ShowHelpContents(nullptr, helpFile_, refused.Get()));
    EXPECT_EQ(refused.browserCalls.size(), 1u);
}

TEST_F(HelpRouteTest, AFolderNamedLikeTheHelpFileIsNoHelpFile)
{
    DeleteFileW(helpFile_.c_str());
    dir_.MakeDir(L"TAVLO2.HLP");
    EXPECT_TRUE(ShowHelpContents(nullptr, helpFile_, rec_.Get()));
    EXPECT_TRUE(rec_.viewerCalls.empty());
    EXPECT_EQ(rec_.browserCalls.size(), 1u);
}

// ---- The built help in Wine's viewer ---------------------------------------------------------------

std::wstring TestProgramFolder()
{
    wchar_t path[MAX_PATH + 1]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\'));
}

// The <h1> of an HTML page written in UTF-8.
std::wstring PageHeading(const std::wstring& page)
{
    std::string bytes = TempDir::ReadBytes(page);
    std::size_t open = bytes.find("<h1>");
    std::size_t close = bytes.find("</h1>");
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    std::string heading = bytes.substr(open + 4, close - open - 4);
    std::wstring wide(heading.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, heading.data(), static_cast<int>(heading.size()), wide.data(),
                                static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

// The text of the viewer's rich edit control. WM_GETTEXT reaches a window of another process (where
// GetWindowText gives only a caption); the buffer is generous because the control counts its length
// without the line ends it copies out, and copies nothing into a buffer too small.
BOOL CALLBACK CollectRichText(HWND window, LPARAM out)
{
    wchar_t cls[64]{};
    GetClassNameW(window, cls, 64);
    if (std::wstring(cls).rfind(L"RichEdit", 0) == 0) {
        std::wstring text(1 << 16, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_ABORTIFHUNG, 2000, &copied))
            return TRUE;
        text.resize(static_cast<std::size_t>(copied));
        reinterpret_cast<std::wstring*>(out)->append(text + L"\n");
    }
    return TRUE;
}

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? n : 0);
    return out;
}

template <class Check>
bool WaitFor(Check check, std::chrono::seconds limit)
{
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (check()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return check();
}

TEST(HelpViewerEndToEndTest, HelpCommandOpensTheViewerOnTheContentsPage)
{
    std::wstring folder = TestProgramFolder();
    std::wstring helpFile = HelpFileIn(folder);
    ASSERT_TRUE(TempDir::Exists(helpFile)) << "build the tavlo_help target first";
    std::wstring contentsTitle = PageHeading(HtmlContentsFor(helpFile));
    ASSERT_FALSE(contentsTitle.empty());
    ASSERT_TRUE(HelpViewerUsable(ThisSystemHelpViewer())) << "this test runs under Wine";

    RecordingLaunchers neverBrowser;
    HelpLaunchers launchers = SystemHelpLaunchers();
    launchers.browser = neverBrowser.Get().browser;
    ASSERT_TRUE(ShowHelpContents(nullptr, helpFile, launchers));
    EXPECT_TRUE(neverBrowser.browserCalls.empty());

    HWND viewer = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (viewer = FindWindowW(L"MS_WINHELP", nullptr)) != nullptr; },
                        std::chrono::seconds(20)));
    std::wstring shown;
    bool onContents = WaitFor(
        [&] {
            shown.clear();
            EnumChildWindows(viewer, CollectRichText, reinterpret_cast<LPARAM>(&shown));
            return shown.rfind(contentsTitle, 0) == 0;
        },
        std::chrono::seconds(20));
    EXPECT_TRUE(onContents) << "the viewer shows: " << Utf8(shown);

    WinHelpW(nullptr, helpFile.c_str(), HELP_QUIT, 0);
    if (!WaitFor([] { return FindWindowW(L"MS_WINHELP", nullptr) == nullptr; }, std::chrono::seconds(10)))
        PostMessageW(viewer, WM_CLOSE, 0, 0);
}

} // namespace
} // namespace tavlo
