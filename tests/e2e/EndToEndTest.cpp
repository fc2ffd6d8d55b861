// Starts the built tavlo2.exe as a user would, with the settings in the user's real registry location
// of the test prefix (saved before and put back after each test).
#include "ProgramProcess.h"
#include "TestSupport.h"
#include "app/frmTavlo.h"
#include "common/Catalogue.h"
#include "common/Clipboard.h"
#include "common/Handles.h"
#include "common/JournalStore.h"
#include "common/PathUtil.h"
#include "common/PlatformText.h"
#include "common/TextFile.h"
#include "core/Paths.h"
#include "engine/RenameEngine.h"
#include "engine/UndoJournal.h"
#include "settings/RegistryStore.h"
#include "settings/RegistryTestRoot.h"
#include "ui/Twips.h"
#include "ui/UiTexts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace tavlo {
namespace {


using namespace test; // TempDir and the program helpers

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = ReadAllSettings();
        WriteAllSettings({});
        ASSERT_TRUE(TempDir::Exists(ProgramPath())) << "build tavlo2.exe first";
    }
    void TearDown() override { WriteAllSettings(saved_); }
    void Set(const std::wstring& key, const std::wstring& value)
    {
        Values v = ReadAllSettings();
        v[key] = value;
        WriteAllSettings(v);
    }

    TempDir dir;

private:
    Values saved_;
};

TEST_F(EndToEnd, AutomaticRunRenamesWithoutAWindowAndCopiesTheLog)
{
    Set(L"Auto", L"True");
    Set(L"AutoExe", L"2");
    Set(L"AutoLog", L"True");
    const Values before = ReadAllSettings();
    std::wstring page = dir.Write(L"Page.html");
    const std::wstring pageHeader = L"[ " + ShortenPath(ExpandLongPath(page)) + L" ]\r\n";
    std::wstring photo = dir.Write(L"photo.jpeg");
    std::wstring movie = dir.Write(L"movie.avi");
    ClearClipboard();

    Program program(Quoted(page) + L" " + Quoted(photo) + L" " + movie);
    ASSERT_TRUE(program.Started());
    std::vector<HWND> seen;
    ASSERT_TRUE(program.WaitWatchingWindows(60000, seen)) << "still running";
    EXPECT_TRUE(seen.empty()) << "a window was shown: " << seen.size();

    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"Page.HTM", L"movie.avi", L"photo.JPG"}));
    std::optional<std::wstring> log = GetClipboardText();
    ASSERT_TRUE(log.has_value());
    const std::wstring expected = pageHeader +
                                  std::wstring(ProgramText(program_text::RenamedFrom)) + L"\r\n\u3000[ Page.HTM ]\r\n" +
                                  std::wstring(ProgramText(program_text::RenamedTo)) + L"\r\n";
    EXPECT_EQ(log->substr(0, expected.size()), expected);
    EXPECT_NE(log->find(L"\u3000[ photo.JPG ]\r\n"), std::wstring::npos);
    EXPECT_NE(log->find(std::wstring(ProgramText(program_text::NotEnabled)) + L"\r\n"), std::wstring::npos);
    const std::wstring closing = std::wstring(GeneralText(general_text::AllDone)) + L"\r\n";
    EXPECT_EQ(log->substr(log->size() - closing.size()), closing);

    EXPECT_EQ(ReadAllSettings(), before) << "an automatic run writes no setting";
}

TEST_F(EndToEnd, AutomaticRunInUpperCaseRenamesForReal)
{
    Set(L"Auto", L"True");
    Set(L"AutoExe", L"7");
    Set(L"AutoLog", L"False");
    std::wstring page = dir.Write(L"PAGE.html", "page");
    Program program(Quoted(page));
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(program.Ended(60000));
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"PAGE.HTML"});
    EXPECT_EQ(TempDir::ReadBytes(dir / L"PAGE.HTML"), "page");
}

TEST_F(EndToEnd, WithoutAutomaticRunTheWindowOpensWithTheFilesListed)
{
    Set(L"Auto", L"False");
    std::wstring page = dir.Write(L"Page.html");
    std::wstring memo = dir.Write(L"My Memo.doc");

    Program program(Quoted(page) + L" " + Quoted(memo) + L" " + Quoted(dir / L"missing.txt"));
    ASSERT_TRUE(program.Started());
    HWND frame = program.WaitForWindow(std::wstring(ProgramText(program_text::ProgramTitle)), 60000);
    ASSERT_NE(frame, nullptr);
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    ASSERT_NE(client, nullptr);
    HWND targets = FindWindowExW(client, nullptr, nullptr, std::wstring(ProgramText(program_text::TargetCaption)).c_str());
    ASSERT_NE(targets, nullptr);
    HWND list = FindWindowExW(targets, nullptr, L"ListBox", nullptr);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 100 && SendMessageW(list, LB_GETCOUNT, 0, 0) < 2; ++i) Sleep(50);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    wchar_t text[MAX_PATH * 2]{};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), ExpandLongPath(page));
    SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), ExpandLongPath(memo));

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Ended(30000));
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"My Memo.doc", L"Page.html"}));
    EXPECT_EQ(ReadAllSettings()[L"Version"], L"1.00") << "a normal close saves the settings";
}

// The screen's resolution for the programs started from here on, as the test prefix's registry holds
// it; 96 again when this goes.
class ScreenResolution {
public:
    explicit ScreenResolution(DWORD dpi) { Set(dpi); }
    ~ScreenResolution() { Set(96); }

private:
    static void Set(DWORD dpi)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        RegCloseKey(key);
    }
};

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

// On a screen of 150 % and 200 % the whole program is drawn larger in proportion: the tool strip's
// buttons are as tall as 375 twips make there, their captions fit them in the form font of that
// resolution, and the five windows lie whole in the client area.
TEST_F(EndToEnd, TheWholeProgramScalesWithTheScreensResolution)
{
    Set(L"Auto", L"False");
    for (int dpi : {144, 192}) {
        ScreenResolution resolution(static_cast<DWORD>(dpi));
        Program program(L"");
        ASSERT_TRUE(program.Started());
        HWND frame = program.WaitForWindow(std::wstring(ProgramText(program_text::ProgramTitle)), 60000);
        ASSERT_NE(frame, nullptr) << dpi;
        std::vector<HWND> all;
        EnumChildWindows(frame, CollectChildren, reinterpret_cast<LPARAM>(&all));

        LOGFONTW lf{};
        lf.lfHeight = -static_cast<LONG>(RoundHalfEven(9.75 * dpi / 72));
        lf.lfCharSet = SHIFTJIS_CHARSET;
        wcsncpy(lf.lfFaceName, ui_text::kDefaultFontName, LF_FACESIZE - 1);
        HFONT font = CreateFontIndirectW(&lf);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        int modeButtons = 0;
        for (HWND h : all) {
            const std::wstring caption = TextOf(h);
            if (ClassOf(h) != L"Button" || GetDlgCtrlID(h) < 1000 || GetDlgCtrlID(h) > 1010) continue;
            ++modeButtons;
            RECT rc{};
            GetClientRect(h, &rc);
            EXPECT_NEAR(rc.bottom, RoundHalfEven(375.0 * dpi / 1440), 1) << dpi;
            SIZE text{};
            GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
            EXPECT_LE(text.cx, rc.right - 4) << "caption " << modeButtons << " at " << dpi;
            EXPECT_LE(text.cy, rc.bottom - 2) << "caption " << modeButtons << " at " << dpi;
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(font);
        EXPECT_EQ(modeButtons, kModeCount + 1) << dpi; // and Cancel

        HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
        ASSERT_NE(client, nullptr);
        RECT area{};
        GetClientRect(client, &area);
        int children = 0;
        for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            ++children;
            RECT rc{};
            GetWindowRect(child, &rc);
            MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rc), 2);
            EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= area.right + 1 && rc.bottom <= area.bottom + 1)
                << TextOf(child).size() << " at " << dpi;
        }
        EXPECT_EQ(children, 5) << dpi;
        PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.Ended(30000));
    }
}

// Every visible control of every child window and of the tool strip, by the caption of its window:
// its rectangle in its window's client area, the window's client rectangle first.
std::map<std::wstring, std::vector<RECT>> ControlPlaces(HWND frame)
{
    std::map<std::wstring, std::vector<RECT>> places;
    std::vector<HWND> windows{GetDlgItem(frame, 900)};
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) windows.push_back(child);
    for (HWND window : windows) {
        std::vector<RECT>& list = places[TextOf(window)];
        RECT own{};
        GetClientRect(window, &own);
        list.push_back(own);
        for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            RECT rc{};
            GetWindowRect(c, &rc);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
            list.push_back(rc);
        }
    }
    return places;
}

// Moved to a screen of 200 %, every window's controls take the places and sizes a start on that screen
// gives them.
TEST_F(EndToEnd, AfterAChangeOfResolutionEveryControlIsWhereAStartThereWouldPutIt)
{
    Set(L"Auto", L"False");
    const std::wstring title = ProgramString(program_text::ProgramTitle);
    std::map<std::wstring, std::vector<RECT>> started;
    {
        ScreenResolution resolution(192);
        Program program(L"");
        HWND frame = program.WaitForWindow(title, 60000);
        ASSERT_NE(frame, nullptr);
        started = ControlPlaces(frame);
        PostMessageW(frame, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.Ended(30000));
    }
    Program program(L"");
    HWND frame = program.WaitForWindow(title, 60000);
    ASSERT_NE(frame, nullptr);
    SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(192, 192), 0);
    // The frame and the title bars are the system's and keep the old resolution's sizes here: each
    // window is given the client size the start had, so that its own layout alone decides.
    auto clientOf = [](HWND w) {
        RECT rc{};
        GetClientRect(w, &rc);
        return rc;
    };
    auto resize = [&](HWND w, const RECT& wanted) {
        RECT outer{}, inner = clientOf(w);
        GetWindowRect(w, &outer);
        SetWindowPos(w, nullptr, 0, 0, outer.right - outer.left + wanted.right - inner.right,
                     outer.bottom - outer.top + wanted.bottom - inner.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    RECT strip = started[L""].front();
    strip.bottom = clientOf(GetDlgItem(frame, 900)).bottom;
    resize(frame, RECT{0, 0, strip.right, clientOf(frame).bottom});
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        resize(child, started[TextOf(child)].front());
    const std::map<std::wstring, std::vector<RECT>> moved = ControlPlaces(frame);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Ended(30000));

    ASSERT_EQ(moved.size(), 6u);
    // Within 4 pixels: the system draws its own edges (a closed drop-down list's frame) by the metrics of
    // the resolution the process started at, three pixels apart at 200 %; a control left at the old
    // scale is off by half its size.
    constexpr LONG kSlack = 4;
    for (const auto& [caption, rects] : started) {
        const auto other = moved.find(caption);
        ASSERT_NE(other, moved.end());
        ASSERT_EQ(other->second.size(), rects.size()) << caption.size();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const RECT& a = rects[i];
            const RECT& b = other->second[i];
            EXPECT_TRUE(std::abs(a.left - b.left) <= kSlack && std::abs(a.top - b.top) <= kSlack &&
                        std::abs(a.right - b.right) <= kSlack && std::abs(a.bottom - b.bottom) <= kSlack)
                << "window " << caption.size() << " control " << i << ": started " << a.left << "," << a.top << ","
                << a.right << "," << a.bottom << " moved " << b.left << "," << b.top << "," << b.right << "," << b.bottom;
        }
    }
}

TEST_F(EndToEnd, AutomaticRunWithNoUsableFileStartsVisibly)
{
    Set(L"Auto", L"True");
    Program program(Quoted(dir / L"missing.html") + L" " + Quoted(dir.path()));
    ASSERT_TRUE(program.Started());
    HWND frame = program.WaitForWindow(std::wstring(ProgramText(program_text::ProgramTitle)), 60000);
    ASSERT_NE(frame, nullptr);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Ended(30000));
}

// tavlo2c.exe started in `folder` with standard output and standard error redirected to files, as a
// script would start it.
struct ConsoleResult {
    DWORD exitCode = STILL_ACTIVE;
    std::string out, err;
};

// tavlo2c.exe started and left running; Finish waits for it and reads what it wrote.
class ConsoleProcess {
public:
    ConsoleProcess(const std::wstring& arguments, const std::wstring& folder, const std::wstring& program = {})
    {
        static int counter = 0;
        const std::wstring base = GetFolderName(folder) + L"\\console-" + std::to_wstring(++counter);
        outPath_ = base + L"-out.txt";
        errPath_ = base + L"-err.txt";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileW(outPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        HANDLE err = CreateFileW(errPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = out;
        si.hStdError = err;
        std::wstring command = program.empty() ? L"\"" + GetFolderName(ProgramPath()) + L"\\tavlo2c.exe\" " + arguments
                                               : program + L" " + arguments;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi_)) pi_ = {};
        CloseHandle(out);
        CloseHandle(err);
    }
    ~ConsoleProcess() { Finish(); }
    ConsoleResult Finish()
    {
        if (pi_.hProcess) {
            if (WaitForSingleObject(pi_.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 99);
            GetExitCodeProcess(pi_.hProcess, &result_.exitCode);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
            pi_ = {};
            result_.out = TempDir::ReadBytes(outPath_);
            result_.err = TempDir::ReadBytes(errPath_);
            DeleteFileW(outPath_.c_str());
            DeleteFileW(errPath_.c_str());
        }
        return result_;
    }

private:
    PROCESS_INFORMATION pi_{};
    std::wstring outPath_, errPath_;
    ConsoleResult result_;
};

ConsoleResult RunConsole(const std::wstring& arguments, const std::wstring& folder, const std::wstring& program = {})
{
    return ConsoleProcess(arguments, folder, program).Finish();
}

TEST_F(EndToEnd, TheConsoleCommandWritesUtf8WhenRedirectedAndAnswersWithItsExitCode)
{
    // Names no code page 932 holds reach the file intact.
    dir.Write(L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1.TXT");
    dir.Write(L"\U0001F600.TXT");
    dir.Write(L"keep.html");
    const ConsoleResult run = RunConsole(L"lower *.TXT --utf8", dir.path());
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"keep.html", L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1.txt",
                                                      L"\U0001F600.txt"}));
    EXPECT_NE(run.out.find("\xE3\x80\x80[ \xF0\x9F\x98\x80.txt ]\r\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1.txt ]\r\n"), std::string::npos);
    EXPECT_NE(run.out.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    EXPECT_EQ(run.out.substr(run.out.size() - 2), "\r\n");

    EXPECT_EQ(RunConsole(L"lower nothing*.txt", dir.path()).exitCode, 1u);
    const ConsoleResult wrong = RunConsole(L"lower --fast *.TXT", dir.path());
    EXPECT_EQ(wrong.exitCode, 2u);
    EXPECT_EQ(wrong.out, "");
    EXPECT_NE(wrong.err.find("--fast"), std::string::npos);
}

// From a batch file run by the system's own cmd.exe, as a scheduled task would.
TEST_F(EndToEnd, TheConsoleCommandRunsFromABatchFile)
{
    dir.Write(L"a.TXT");
    dir.Write(L"b.TXT");
    const std::wstring console = GetFolderName(ProgramPath()) + L"\\tavlo2c.exe";
    TempDir::WriteBytes(dir / L"run.bat", "@echo off\r\n\"" + ToUtf8(console) + "\" lower *.TXT > nul && echo ok\r\n"
                                           "echo code %errorlevel%\r\n"
                                           "\"" + ToUtf8(console) + "\" lower missing*.TXT > nul 2> nul\r\n"
                                           "echo code %errorlevel%\r\n");
    const ConsoleResult batch = RunConsole(L"/c run.bat", dir.path(), L"cmd.exe");
    EXPECT_EQ(batch.out, "ok\r\ncode 0\r\ncode 1\r\n");
    EXPECT_TRUE(TempDir::Exists(dir / L"a.txt") && TempDir::Exists(dir / L"b.txt"));
}

// "/U" asks before deleting the settings; the question box is answered from here.
void AnswerUninstall(bool yes, bool expectDeleted, EndToEnd* test)
{
    Program program(L"/u");
    ASSERT_TRUE(program.Started());
    HWND box = program.WaitForWindow(L"#32770", 60000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"TAVLO2");
    PostMessageW(box, WM_COMMAND, yes ? IDYES : IDNO, 0);
    EXPECT_TRUE(program.Ended(30000));
    EXPECT_EQ(ReadAllSettings().empty(), expectDeleted);
    (void)test;
}

TEST_F(EndToEnd, UninstallOptionDeletesTheSettingsOnlyAfterYes)
{
    Set(L"Tip", L"False");
    AnswerUninstall(false, false, this);
    EXPECT_EQ(ReadAllSettings()[L"Tip"], L"False");
    AnswerUninstall(true, true, this);
}

// The undo journal of the test prefix's user, put back as it was after each test.
class UndoEndToEnd : public EndToEnd {
protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        saved_ = store_.Read();
        store_.Remove();
    }
    void TearDown() override
    {
        if (saved_ && !saved_->empty()) SaveBytesFile(DefaultJournalPath(), *saved_);
        else store_.Remove();
        EndToEnd::TearDown();
    }
    // Log -> Undo in a window of this process, its question answered yes.
    void UndoInTheWindow()
    {
        test::RegistryTestRoot root;
        RegistryStore store(root.path());
        frmTavlo frame(store);
        frame.SetQuitOnDestroy(false);
        frame.SetMessageBox([](const std::wstring&, UINT) { return IDYES; });
        ASSERT_TRUE(frame.Create());
        ASSERT_TRUE(frame.MDIForm_Load(L""));
        frame.mnuUndo_Click();
        frame.MDIForm_QueryUnload();
    }
    std::size_t Renamed(const std::wstring& ending)
    {
        std::size_t n = 0;
        for (const auto& name : dir.Names()) n += name.size() > ending.size() && name.substr(name.size() - ending.size()) == ending;
        return n;
    }

    JournalFileStore store_{DefaultJournalPath()};

private:
    std::optional<std::string> saved_;
};

TEST_F(UndoEndToEnd, TheAutomaticRunsExitCodeTellsWhetherEveryNamedFileGotItsName)
{
    Set(L"Auto", L"True");
    Set(L"AutoExe", L"0");
    Set(L"AutoLog", L"False");
    const std::wstring a = dir.Write(L"a.html"), b = dir.Write(L"b.html");
    Program all(Quoted(a) + L" " + Quoted(b));
    ASSERT_TRUE(all.Ended(60000));
    EXPECT_EQ(all.ExitCode(), 0u);

    const std::wstring c = dir.Write(L"c.html");
    Program some(Quoted(c) + L" " + Quoted(dir / L"missing.html") + L" " + Quoted(dir / L"a.htm"));
    ASSERT_TRUE(some.Ended(60000));
    EXPECT_EQ(some.ExitCode(), 1u) << "a named file is missing, another keeps a short extension";
    EXPECT_TRUE(TempDir::Exists(dir / L"c.htm"));
}

// The automatic run is ended in the middle (a crash, a power cut): a later start takes back what the
// journal holds of it.
TEST_F(UndoEndToEnd, ARunCutShortIsTakenBackByALaterStart)
{
    Set(L"Auto", L"True");
    Set(L"AutoExe", L"0");
    Set(L"AutoLog", L"False");
    std::wstring arguments;
    for (int i = 0; i < 300; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"f%03d.html", i);
        arguments += L" " + Quoted(dir.Write(name));
    }
    {
        Program program(arguments);
        ASSERT_TRUE(program.Started());
        for (int i = 0; i < 3000 && Renamed(L".htm") < 10; ++i) Sleep(5);
        TerminateProcess(program.Process(), 9);
        ASSERT_TRUE(program.Ended(10000));
    }
    const std::size_t cut = Renamed(L".htm");
    ASSERT_GE(cut, 10u);
    ASSERT_LT(cut, 300u) << "the run ended before it was cut";

    UndoInTheWindow();
    // Every rename was recorded before it happened: none stays.
    EXPECT_EQ(Renamed(L".htm"), 0u);
    EXPECT_EQ(dir.Names().size(), 300u);
}

// The console command and the window program share the journal: each takes back the other's run.
TEST_F(UndoEndToEnd, TheConsoleAndTheWindowTakeBackEachOthersRuns)
{
    dir.Write(L"a.TXT");
    ASSERT_EQ(RunConsole(L"lower a.TXT", dir.path()).exitCode, 0u);
    ASSERT_EQ(dir.Names(), std::vector<std::wstring>{L"a.txt"});
    UndoInTheWindow();
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"a.TXT"});

    Set(L"Auto", L"True");
    Set(L"AutoExe", L"6");
    Set(L"AutoLog", L"False");
    Program window(Quoted(dir / L"a.TXT"));
    ASSERT_TRUE(window.Ended(60000));
    ASSERT_EQ(dir.Names(), std::vector<std::wstring>{L"a.txt"});
    const ConsoleResult undo = RunConsole(L"--undo", dir.path());
    EXPECT_EQ(undo.exitCode, 0u);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"a.TXT"});
    EXPECT_NE(undo.out.find(ToUtf8(ProgramString(program_text::AllBack))), std::string::npos);
}

} // namespace
// Three writers at once (two consoles and an automatic run) with twenty runs stored and a fourth process
// holding the journal as an appender does: every run is journaled, and undo takes each back in turn.
TEST_F(UndoEndToEnd, WritersAtOnceBesideAHeldJournalAreEachTakenBack)
{
    std::vector<JournalRun> stored;
    for (int i = 0; i < 20; ++i)
        stored.push_back(JournalRun{.Id = "old" + std::to_string(i), .Time = L"2026-01-01 00:00:00", .Mode = 6,
                                    .Files = {JournalFile{L"C:\\nowhere\\a.TXT", L"C:\\nowhere\\a.txt", {}, {1, 2, 3}}},
                                    .Ended = true});
    ASSERT_TRUE(SaveBytesFile(DefaultJournalPath(), FormatJournal(stored)));
    FileHandle holder(CreateFileW(DefaultJournalPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);

    std::vector<std::wstring> folders;
    std::wstring windowArguments;
    for (int f = 0; f < 3; ++f) {
        folders.push_back(dir.MakeDir(L"d" + std::to_wstring(f)));
        for (int i = 0; i < 120; ++i) {
            const std::wstring file = folders[f] + L"\\f" + std::to_wstring(i) + L".TXT";
            TempDir::WriteBytes(file, "x");
            if (f == 2) windowArguments += L" " + Quoted(file);
        }
    }
    Set(L"Auto", L"True");
    Set(L"AutoExe", L"6");
    Set(L"AutoLog", L"False");
    {
        ConsoleProcess first(L"lower .", folders[0]), second(L"lower .", folders[1]);
        Program window(windowArguments);
        ASSERT_TRUE(window.Ended(120000));
        EXPECT_EQ(first.Finish().exitCode, 0u);
        EXPECT_EQ(second.Finish().exitCode, 0u);
    }
    holder.reset();
    for (int undo = 0; undo < 3; ++undo) EXPECT_EQ(RunConsole(L"--undo", dir.path()).exitCode, 0u) << undo;
    for (const std::wstring& folder : folders)
        for (const std::wstring& name : TempDir::ListNames(folder)) EXPECT_EQ(name.substr(name.size() - 4), L".TXT") << name;
    const std::optional<JournalRun> next = UndoJournal(store_).LastRun();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->Id.rfind("old", 0), 0u) << "the stored runs come next";
}

// Undo while another process still renames: it says so and takes nothing back; asked again, it takes
// back the run before. Once the run has ended, it is taken back whole.
TEST_F(UndoEndToEnd, ARunStillGoingIsNotTakenBack)
{
    const std::wstring before = dir.MakeDir(L"before"), going = dir.MakeDir(L"going");
    TempDir::WriteBytes(before + L"\\prev.TXT", "p");
    ASSERT_EQ(RunConsole(L"lower prev.TXT", before).exitCode, 0u);
    for (int i = 0; i < 1500; ++i) TempDir::WriteBytes(going + L"\\g" + std::to_wstring(i) + L".TXT", "g");
    ConsoleProcess run(L"lower .", going);
    auto renamed = [&] {
        std::size_t n = 0;
        for (const std::wstring& name : TempDir::ListNames(going)) n += name.substr(name.size() - 4) == L".txt";
        return n;
    };
    for (int i = 0; i < 6000 && renamed() < 20; ++i) Sleep(5);
    const ConsoleResult refused = RunConsole(L"--undo", dir.path());
    ASSERT_LT(renamed(), 1500u) << "the run ended before the undo";
    EXPECT_EQ(refused.exitCode, 1u);
    const std::wstring inProgress = ProgramString(program_text::UndoInProgress);
    EXPECT_NE(refused.err.find(ToUtf8(inProgress.substr(inProgress.find(L' ') + 1, 10))), std::string::npos) << refused.err;
    EXPECT_EQ(RunConsole(L"--undo", dir.path()).exitCode, 0u);
    EXPECT_EQ(TempDir::ListNames(before), std::vector<std::wstring>{L"prev.TXT"});

    EXPECT_EQ(run.Finish().exitCode, 0u);
    EXPECT_EQ(RunConsole(L"--undo", dir.path()).exitCode, 0u);
    EXPECT_EQ(renamed(), 0u);
}

// Automatic runs of case-only renames (two steps each on this volume) killed at moments spread over the
// run: after each, undo brings every file back under its old name and leaves no temporary name.
TEST_F(UndoEndToEnd, CaseOnlyRunsCutAnywhereAreTakenBackWhole)
{
    Set(L"Auto", L"True");
    Set(L"AutoExe", L"6");
    Set(L"AutoLog", L"False");
    std::wstring arguments;
    for (int i = 0; i < 200; ++i) arguments += L" " + Quoted(dir.Write(L"c" + std::to_wstring(i) + L".TXT", "c"));
    for (std::size_t cutAt : {1u, 7u, 40u, 111u, 170u}) {
        {
            Program program(arguments);
            ASSERT_TRUE(program.Started());
            for (int i = 0; i < 6000 && Renamed(L".txt") < cutAt; ++i) Sleep(1);
            TerminateProcess(program.Process(), 9);
            ASSERT_TRUE(program.Ended(10000));
        }
        const ConsoleResult undo = RunConsole(L"--undo", dir.path());
        EXPECT_EQ(undo.exitCode, 0u) << cutAt << undo.err;
        EXPECT_EQ(Renamed(L".TXT"), 200u) << "cut near " << cutAt;
        EXPECT_EQ(dir.Names().size(), 200u) << "no temporary name left";
    }
}

} // namespace tavlo
