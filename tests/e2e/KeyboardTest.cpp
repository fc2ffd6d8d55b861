// The program worked from the keyboard alone: keystrokes typed on the X display as a person would
// (xdotool, which this platform starts like any program), the focus read back through the system's
// focus query for the program's thread.
#include "ProgramProcess.h"
#include "TestSupport.h"
#include "common/Catalogue.h"
#include "engine/RenameEngine.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tavlo {
namespace {

using namespace test;

// Runs xdotool with `arguments` and waits until it is done: a program of the host system cannot be
// waited for from here, so it leaves a mark when it ends. Keys of two runs never interleave.
void XDoTool(const std::string& arguments)
{
    static int calls = 0;
    const std::string mark = "/tmp/tavlo2-keys-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++calls);
    const std::string script = "xdotool " + arguments + "; touch " + mark;
    std::wstring command = L"Z:\\bin\\sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    const std::wstring markPath = L"Z:" + std::wstring(mark.begin(), mark.end());
    for (int i = 0; i < 400 && GetFileAttributesW(markPath.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(25);
    DeleteFileW(markPath.c_str());
}

// Types `keys` (xdotool key names, blank separated) where the keyboard focus is: the program's window.
void Type(const std::string& keys) { XDoTool("key --delay 80 " + keys); }

bool WaitFor(const std::function<bool()>& done, DWORD ms = 10000)
{
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = ReadAllSettings();
        WriteAllSettings({{L"Auto", L"False"}});
    }
    void TearDown() override { WriteAllSettings(saved_); }
    TempDir dir;

private:
    Values saved_;
};

TEST_F(KeyboardTest, EveryControlIsReachedAndPressedFromTheKeyboard)
{
    const std::wstring a = dir.Write(L"a.TXT"), b = dir.Write(L"b.TXT"), kept = dir.Write(L"noext");
    Program program(Quoted(a) + L" " + Quoted(b) + L" " + Quoted(kept));
    HWND frame = program.WaitForWindow(ProgramString(program_text::ProgramTitle), 60000);
    ASSERT_NE(frame, nullptr);
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    HWND targets = FindWindowExW(client, nullptr, nullptr, ProgramString(program_text::TargetCaption).c_str());
    ASSERT_NE(targets, nullptr);
    HWND list = FindWindowExW(targets, nullptr, L"ListBox", nullptr);
    HWND takeOut = FindWindowExW(targets, nullptr, L"Button", nullptr);
    HWND takeOutAll = FindWindowExW(targets, takeOut, L"Button", nullptr);
    // The tool strip (its id 900) and its mode buttons (1000 on).
    HWND strip = GetDlgItem(frame, 900);
    std::vector<HWND> modes;
    for (int i = 0; i < kModeCount; ++i) modes.push_back(GetDlgItem(strip, 1000 + i));
    ASSERT_NE(modes[kModeCount - 1], nullptr);
    auto focus = [&] { return FocusOf(frame); };
    auto active = [&] { return reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)); };

    // The keyboard goes to the main window; F6 reaches the tool strip, the arrow keys move along it,
    // past the disabled Cancel.
    XDoTool("search --name '^Tavlo2 for Win32$' windowfocus --sync key F6");
    ASSERT_TRUE(WaitFor([&] { return focus() == modes[0]; })) << "F6 did not reach the strip";
    Type("Right Right");
    EXPECT_TRUE(WaitFor([&] { return focus() == modes[2]; }));
    Type("Left Left Left Left Left");
    EXPECT_TRUE(WaitFor([&] { return focus() == modes[ModeNumber(Mode::LowerCase)]; })) << "round the end";
    // F6 goes back into the active window, onto one of its controls.
    Type("F6");
    EXPECT_TRUE(WaitFor([&] { return focus() && IsChild(active(), focus()); }));

    // Ctrl+F6 to the target window: its list takes the focus the first time; Tab and Shift+Tab move
    // through its buttons.
    for (int i = 0; i < 5 && active() != targets; ++i) {
        const HWND before = active();
        Type("ctrl+F6");
        WaitFor([&] { return active() != before; });
    }
    ASSERT_EQ(active(), targets);
    EXPECT_TRUE(WaitFor([&] { return focus() == list; }));
    Type("Tab Tab");
    EXPECT_TRUE(WaitFor([&] { return focus() == takeOutAll; }));
    Type("shift+Tab");
    EXPECT_TRUE(WaitFor([&] { return focus() == takeOut; }));
    // Away and back: the button that had the focus has it again.
    Type("ctrl+F6");
    ASSERT_TRUE(WaitFor([&] { return active() != targets; }));
    Type("ctrl+shift+F6");
    EXPECT_TRUE(WaitFor([&] { return active() == targets && focus() == takeOut; }));

    // The menu key on the list opens its context menu; Escape closes it.
    Type("shift+Tab Menu");
    EXPECT_TRUE(WaitFor([&] {
        for (HWND w : VisibleWindowsOf(program.Pid()))
            if (ClassOf(w) == L"#32768") return true;
        return false;
    })) << "no context menu";
    Type("Escape");

    // Space presses a mode button: 小文字 renames the two files it can, the third stays listed.
    Type("F6 space");
    EXPECT_TRUE(WaitFor([&] { return dir.Names() == std::vector<std::wstring>{L"a.txt", L"b.txt", L"noext"}; }));
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 1; }));
    // Enter presses the focused icon button: "take out all" empties the target list.
    Type("F6 Tab Tab Return");
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 0; }));

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Ended(30000));
}

} // namespace
} // namespace tavlo
