#include "TestSupport.h"

#include "DriveWithoutMedium.h"
#include "common/FileEnum.h"
#include "core/Paths.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/ListRows.h"
#include "ui/Window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace tavlo {
namespace {

using test::TempDir;

// A plain top-level window to put the lists in.
class HostWindow {
public:
    HostWindow()
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wc{};
            // A parent of no Window class: it hands its controls' messages back to them itself.
            wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (auto answered = ReflectToControl(hwnd, msg, wParam, lParam)) return *answered;
                return DefWindowProcW(hwnd, msg, wParam, lParam);
            };
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"Tavlo2.ListTestHost";
            wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
            RegisterClassW(&wc);
            registered = true;
        }
        hwnd_ = CreateWindowExW(0, L"Tavlo2.ListTestHost", L"lists", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10,
                                400, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~HostWindow()
    {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SetAttributes(const std::wstring& path, DWORD attributes)
{
    ASSERT_TRUE(SetFileAttributesW(TempDir::Long(path).c_str(), attributes)) << "cannot set attributes";
}

std::vector<std::wstring> Rows(const FileList& list)
{
    std::vector<std::wstring> rows;
    for (int i = 0; i < list.ListCount(); ++i) rows.push_back(list.List(i));
    return rows;
}

// The rows the list box itself holds.
int BoxCount(HWND listBox)
{
    return static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0));
}

std::wstring ShortPath(const std::wstring& path)
{
    wchar_t buffer[1024]{};
    DWORD n = GetShortPathNameW(path.c_str(), buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

using test::DriveWithoutMedium;

class ListControlsTest : public testing::Test {
protected:
    HostWindow host;
    TempDir dir;
};

// ---- File list -----------------------------------------------------------------------------------

TEST_F(ListControlsTest, FileListShowsPlainFilesOnlyInNameOrder)
{
    dir.Write(L"b.txt");
    dir.Write(L"A.txt");
    dir.Write(L"c.doc");
    SetAttributes(dir.Write(L"readonly.txt"), FILE_ATTRIBUTE_READONLY);
    SetAttributes(dir.Write(L"archive.txt"), FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(dir.Write(L"hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(dir.Write(L"system.txt"), FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(dir.Write(L"hiddenreadonly.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    dir.MakeDir(L"folder.txt");
    dir.MakeDir(L"sub");

    FileList files;
    ASSERT_TRUE(files.Create(host.get()));
    ASSERT_TRUE(files.SetPath(dir.path()));
    const std::vector<std::wstring> expected{L"A.txt", L"archive.txt", L"b.txt", L"c.doc", L"readonly.txt"};
    EXPECT_EQ(Rows(files), expected);
    EXPECT_EQ(BoxCount(files.Handle()), 5);

    // No pattern brings back what is never listed.
    for (const wchar_t* pattern : {L"hidden*", L"system.txt", L"folder.txt", L"sub", L"*"}) {
        ASSERT_TRUE(files.SetPattern(pattern)) << pattern;
        for (const std::wstring& row : Rows(files))
            EXPECT_TRUE(row != L"hidden.txt" && row != L"system.txt" && row != L"hiddenreadonly.txt" &&
                        row != L"folder.txt" && row != L"sub")
                << pattern << " listed " << testing::PrintToString(row);
    }
    for (const wchar_t* name : {L"readonly.txt", L"hidden.txt", L"system.txt", L"hiddenreadonly.txt"})
        SetFileAttributesW(TempDir::Long(dir / name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ListControlsTest, FileListTwoMaskFilterAndLongNameMatching)
{
    for (const wchar_t* name : {L"x.html", L"page.htm", L"INDEX.HTM", L"old.htmx", L"memo.txt", L"long name.html"})
        dir.Write(name);

    FileList files;
    ASSERT_TRUE(files.Create(host.get()));
    ASSERT_TRUE(files.SetPath(dir.path()));
    ASSERT_TRUE(files.SetPattern(L"*.htm;*.html"));
    EXPECT_EQ(files.Pattern(), L"*.htm;*.html");
    EXPECT_EQ(Rows(files), (std::vector<std::wstring>{L"INDEX.HTM", L"long name.html", L"page.htm", L"x.html"}));

    // x.html has a short name ending in .HTM; the list goes by the long name only.
    ASSERT_TRUE(files.SetPattern(L"*.htm"));
    EXPECT_EQ(Rows(files), (std::vector<std::wstring>{L"INDEX.HTM", L"page.htm"}));
    EXPECT_EQ(BoxCount(files.Handle()), 2);
}

TEST_F(ListControlsTest, FileListCountsZeroForAnEmptyFolderOrNoMatch)
{
    FileList files;
    ASSERT_TRUE(files.Create(host.get()));
    ASSERT_TRUE(files.SetPath(dir.path()));
    EXPECT_EQ(files.ListCount(), 0);
    EXPECT_EQ(files.List(0), L"");

    dir.Write(L"a.txt");
    ASSERT_TRUE(files.Refresh());
    EXPECT_EQ(files.ListCount(), 1);
    ASSERT_TRUE(files.SetPattern(L"*.jpg"));
    EXPECT_EQ(files.ListCount(), 0);
    EXPECT_EQ(BoxCount(files.Handle()), 0);
}

TEST_F(ListControlsTest, FileListRefusesMissingFolderAndUnusablePattern)
{
    dir.Write(L"keep.txt");
    FileList files;
    ASSERT_TRUE(files.Create(host.get()));
    ASSERT_TRUE(files.SetPath(dir.path()));
    ASSERT_TRUE(files.SetPattern(L"*.txt"));

    EXPECT_FALSE(files.SetPath(dir / L"missing"));
    EXPECT_FALSE(files.SetPath(dir / L"keep.txt"));
    EXPECT_EQ(files.Path(), dir.path());
    EXPECT_EQ(Rows(files), std::vector<std::wstring>{L"keep.txt"});

    EXPECT_FALSE(files.SetPattern(L"a|b"));
    EXPECT_FALSE(files.SetPattern(L""));
    EXPECT_FALSE(files.SetPattern(L"*.txt;C:\\*.doc"));
    EXPECT_EQ(files.Pattern(), L"*.txt");
    EXPECT_EQ(Rows(files), std::vector<std::wstring>{L"keep.txt"});
}

TEST_F(ListControlsTest, FileListSelectionAndRefresh)
{
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) dir.Write(name);
    FileList files;
    ASSERT_TRUE(files.Create(host.get()));
    ASSERT_TRUE(files.SetPath(dir.path()));
    ASSERT_EQ(files.ListCount(), 4);

    EXPECT_TRUE(files.SetSelected(1, true));
    EXPECT_TRUE(files.SetSelected(3, true));
    EXPECT_FALSE(files.SetSelected(4, true));
    EXPECT_FALSE(files.Selected(0));
    EXPECT_TRUE(files.Selected(1));
    EXPECT_TRUE(files.Selected(3));
    EXPECT_EQ(files.SelectedCount(), 2);
    EXPECT_TRUE(files.SetSelected(1, false));
    EXPECT_EQ(files.SelectedCount(), 1);
    files.SetAllSelected(true);
    EXPECT_EQ(files.SelectedCount(), 4);

    // Refresh reads the folder again and starts with nothing selected.
    dir.Write(L"bb.txt");
    DeleteFileW(TempDir::Long(dir / L"d.txt").c_str());
    ASSERT_TRUE(files.Refresh());
    EXPECT_EQ(Rows(files), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"bb.txt", L"c.txt"}));
    EXPECT_EQ(files.SelectedCount(), 0);

    // A folder that went away: nothing to show, and the caller is told.
    TempDir gone;
    gone.Write(L"x.txt");
    ASSERT_TRUE(files.SetPath(gone.path()));
    DeleteFileW(TempDir::Long(gone / L"x.txt").c_str());
    RemoveDirectoryW(TempDir::Long(gone.path()).c_str());
    EXPECT_FALSE(files.Refresh());
    EXPECT_EQ(files.ListCount(), 0);
}

TEST_F(ListControlsTest, FileListUserSelectsWithShiftAndCtrlClicks)
{
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt"}) dir.Write(name);
    FileList files;
    ASSERT_TRUE(files.Create(host.get(), true, RECT{0, 0, 200, 300}));
    ASSERT_TRUE(files.SetPath(dir.path()));
    ShowWindow(host.get(), SW_SHOW);
    Pump();
    auto click = [&](int row, WPARAM keys) {
        RECT rc{};
        SendMessageW(files.Handle(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
        LPARAM at = MAKELPARAM(rc.left + 5, (rc.top + rc.bottom) / 2);
        // The list box reads the modifier keys from the keyboard state, not from the message.
        BYTE state[256]{};
        GetKeyboardState(state);
        state[VK_SHIFT] = (keys & MK_SHIFT) ? 0x80 : 0;
        state[VK_CONTROL] = (keys & MK_CONTROL) ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(files.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        SendMessageW(files.Handle(), WM_LBUTTONUP, keys, at);
        state[VK_SHIFT] = state[VK_CONTROL] = 0;
        SetKeyboardState(state);
    };
    click(1, 0);
    click(3, MK_SHIFT);
    click(4, MK_CONTROL);
    std::vector<bool> selected;
    for (int i = 0; i < files.ListCount(); ++i) selected.push_back(files.Selected(i));
    EXPECT_EQ(selected, (std::vector<bool>{false, true, true, true, true}));
    click(2, MK_CONTROL);
    EXPECT_FALSE(files.Selected(2));
    EXPECT_EQ(files.SelectedCount(), 3);
}

TEST_F(ListControlsTest, FileListReadsFoldersBeyondTheOldPathLimit)
{
    std::wstring deep = dir.path();
    for (int i = 0; i < 6; ++i) {
        deep += L"\\" + std::wstring(50, static_cast<wchar_t>(L'a' + i));
        ASSERT_TRUE(CreateDirectoryW(TempDir::Long(deep).c_str(), nullptr));
    }
    ASSERT_GT(deep.size(), 300u);
    TempDir::WriteBytes(deep + L"\\inside.txt", "x");

    FileList files;
    ASSERT_TRUE(files.Create(host.get()));
    ASSERT_TRUE(files.SetPath(deep));
    EXPECT_EQ(files.Path(), deep);
    EXPECT_EQ(Rows(files), std::vector<std::wstring>{L"inside.txt"});

    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(deep));
    EXPECT_EQ(folders.List(-2), deep.substr(0, deep.rfind(L'\\')));
}

// ---- Folder list ---------------------------------------------------------------------------------

TEST_F(ListControlsTest, FolderListAtADriveRootHasNoRowAboveIt)
{
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(L"C:\\"));
    EXPECT_EQ(folders.Path(), L"C:\\");
    EXPECT_EQ(folders.AncestorCount(), 1);
    EXPECT_EQ(folders.List(-1), L"C:\\");
    EXPECT_EQ(folders.List(-2), L"");
    EXPECT_EQ(folders.ListIndex(), -1);
    EXPECT_FALSE(folders.SetListIndex(-2));
    EXPECT_GT(folders.ListCount(), 0);
    EXPECT_EQ(folders.List(0).rfind(L"C:\\", 0), 0u);
}

TEST_F(ListControlsTest, FolderListRowsAreAncestorsThenSubfoldersInNameOrder)
{
    dir.MakeDir(L"beta");
    dir.MakeDir(L"Alpha");
    dir.MakeDir(L"gamma");
    SetAttributes(dir.MakeDir(L"hidden"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    SetAttributes(dir.MakeDir(L"system"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
    dir.Write(L"file.txt");

    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(dir.path()));
    EXPECT_EQ(folders.Path(), dir.path());
    ASSERT_EQ(folders.ListCount(), 3);
    EXPECT_EQ(folders.List(0), dir / L"Alpha");
    EXPECT_EQ(folders.List(1), dir / L"beta");
    EXPECT_EQ(folders.List(2), dir / L"gamma");
    EXPECT_EQ(folders.List(3), L"");

    // From the root down to the open folder, one row each.
    const std::vector<std::wstring> chain = FolderChain(dir.path());
    ASSERT_EQ(folders.AncestorCount(), static_cast<int>(chain.size()));
    for (int index = -folders.AncestorCount(); index <= -1; ++index)
        EXPECT_EQ(folders.List(index), chain[chain.size() + index]) << index;
    EXPECT_EQ(folders.List(-1), dir.path());
    EXPECT_EQ(folders.List(-folders.AncestorCount()), L"C:\\");

    EXPECT_EQ(BoxCount(folders.Handle()), static_cast<int>(chain.size()) + 3);
    EXPECT_EQ(folders.ListIndex(), -1);

    // Typing a letter moves the highlight to the next row that begins with it.
    SendMessageW(folders.Handle(), WM_CHAR, L'g', 0);
    EXPECT_EQ(folders.ListIndex(), 2);
    SendMessageW(folders.Handle(), WM_CHAR, L'A', 0);
    EXPECT_EQ(folders.ListIndex(), 0);
    for (const wchar_t* name : {L"hidden", L"system"})
        SetFileAttributesW(TempDir::Long(dir / name).c_str(), FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(ListControlsTest, FolderListWithoutSubfoldersVisitsTheOpenFolderAlone)
{
    dir.Write(L"only a file.txt");
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(dir.path()));
    EXPECT_EQ(folders.ListCount(), 0);
    std::vector<std::wstring> visited;
    for (int index = -1; index <= folders.ListCount() - 1; ++index) visited.push_back(folders.List(index));
    EXPECT_EQ(visited, std::vector<std::wstring>{dir.path()});
}

TEST_F(ListControlsTest, FolderListRefusesAMissingFolderAndKeepsItsPath)
{
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(dir.path()));
    int changes = 0;
    folders.OnChange = [&] { ++changes; };
    EXPECT_FALSE(folders.SetPath(dir / L"missing"));
    EXPECT_FALSE(folders.SetPath(dir.Write(L"a file")));
    EXPECT_FALSE(folders.SetPath(L""));
    EXPECT_FALSE(folders.SetPath(dir.path() + L"\\*"));
    EXPECT_EQ(folders.Path(), dir.path());
    EXPECT_EQ(changes, 0);
}

TEST_F(ListControlsTest, FolderListNormalisesWhatItIsGiven)
{
    std::wstring sub = dir.MakeDir(L"A Long Folder Name");
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(sub + L"\\"));
    EXPECT_EQ(folders.Path(), sub);
    ASSERT_TRUE(folders.SetPath(sub + L"\\..\\A Long Folder Name\\."));
    EXPECT_EQ(folders.Path(), sub);
    std::wstring shortForm = ShortPath(sub);
    ASSERT_FALSE(shortForm.empty());
    ASSERT_TRUE(folders.SetPath(shortForm));
    EXPECT_EQ(folders.Path(), sub);
    ASSERT_TRUE(folders.SetPath(L"c:\\"));
    EXPECT_EQ(folders.Path(), L"C:\\");
}

TEST_F(ListControlsTest, FolderListAnnouncesEveryPathChange)
{
    std::wstring alpha = dir.MakeDir(L"alpha");
    dir.MakeDir(L"beta");
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(dir.path()));
    std::vector<std::wstring> seen;
    folders.OnChange = [&] { seen.push_back(folders.Path()); };

    ASSERT_TRUE(folders.SetPath(dir.path()));
    EXPECT_TRUE(seen.empty()) << "the same folder again is no change";
    ASSERT_TRUE(folders.OpenRow(0));
    EXPECT_EQ(folders.Path(), alpha);
    EXPECT_EQ(folders.ListIndex(), -1);
    ASSERT_TRUE(folders.OpenRow(-2));
    EXPECT_EQ(folders.Path(), dir.path());
    EXPECT_FALSE(folders.OpenRow(5));
    EXPECT_EQ(seen, (std::vector<std::wstring>{alpha, dir.path()}));
}

TEST_F(ListControlsTest, FolderListOpensRowsByDoubleClickAndKeys)
{
    std::wstring alpha = dir.MakeDir(L"alpha");
    std::wstring beta = dir.MakeDir(L"beta");
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get(), true, RECT{0, 0, 300, 300}));
    ASSERT_TRUE(folders.SetPath(dir.path()));
    ShowWindow(host.get(), SW_SHOW);
    Pump();
    int changes = 0;
    folders.OnChange = [&] { ++changes; };

    // A double click on the row of beta.
    const int row = folders.AncestorCount() + 1;
    RECT rc{};
    SendMessageW(folders.Handle(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    LPARAM at = MAKELPARAM(rc.left + 30, (rc.top + rc.bottom) / 2);
    SendMessageW(folders.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(folders.Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(folders.ListIndex(), 1);
    EXPECT_EQ(folders.Path(), dir.path()) << "a single click only highlights";
    SendMessageW(folders.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(folders.Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(folders.Path(), beta);
    EXPECT_EQ(changes, 1);

    // Backspace opens the row above the highlighted one: from the open folder, its parent.
    SendMessageW(folders.Handle(), WM_CHAR, L'\b', 0);
    EXPECT_EQ(folders.Path(), dir.path());
    // Enter opens the highlighted row.
    ASSERT_TRUE(folders.SetListIndex(0));
    SendMessageW(folders.Handle(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(folders.Path(), alpha);
    EXPECT_EQ(changes, 3);

    // A window that takes the key itself keeps the list from acting on it.
    std::vector<wchar_t> keys;
    folders.OnKeyPress = [&](wchar_t c) {
        keys.push_back(c);
        return c == L'\b';
    };
    SendMessageW(folders.Handle(), WM_CHAR, L'\b', 0);
    EXPECT_EQ(folders.Path(), alpha);
    ASSERT_TRUE(folders.SetListIndex(-2));
    SendMessageW(folders.Handle(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(folders.Path(), dir.path());
    EXPECT_EQ(keys, (std::vector<wchar_t>{L'\b', L'\r'}));
}

TEST_F(ListControlsTest, FolderListRefreshFollowsTheDisk)
{
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    ASSERT_TRUE(folders.SetPath(dir.path()));
    EXPECT_EQ(folders.ListCount(), 0);
    dir.MakeDir(L"new");
    EXPECT_EQ(folders.ListCount(), 0);
    ASSERT_TRUE(folders.Refresh());
    ASSERT_EQ(folders.ListCount(), 1);

    // Opening a row whose folder went away fails, and the row goes.
    RemoveDirectoryW(TempDir::Long(dir / L"new").c_str());
    EXPECT_FALSE(folders.OpenRow(0));
    EXPECT_EQ(folders.Path(), dir.path());
    EXPECT_EQ(folders.ListCount(), 0);
}

// ---- Drive list ----------------------------------------------------------------------------------

TEST_F(ListControlsTest, DriveListShowsEveryDriveTheSystemReports)
{
    DriveList drives;
    ASSERT_TRUE(drives.Create(host.get()));
    const std::vector<std::wstring> roots = LogicalDriveRoots();
    ASSERT_EQ(drives.ListCount(), static_cast<int>(roots.size()));
    for (int i = 0; i < drives.ListCount(); ++i) {
        std::wstring lower = roots[static_cast<std::size_t>(i)].substr(0, 2);
        lower[0] = static_cast<wchar_t>(towlower(lower[0]));
        EXPECT_EQ(drives.List(i).substr(0, 2), lower);
    }
    EXPECT_EQ(SendMessageW(drives.Handle(), CB_GETCOUNT, 0, 0), drives.ListCount());
    // It starts on the drive of the current folder.
    EXPECT_EQ(drives.DriveName(), CurrentFolder().substr(0, 2));
    EXPECT_EQ(drives.Drive().substr(0, 1), std::wstring(1, static_cast<wchar_t>(towlower(CurrentFolder()[0]))));
}

TEST_F(ListControlsTest, DriveListRefusesADriveWithoutMediumAndKeepsTheDrive)
{
    DriveWithoutMedium empty;
    ASSERT_FALSE(empty.name().empty()) << "no drive letter could be mapped";
    DriveList drives;
    ASSERT_TRUE(drives.Create(host.get()));
    const std::wstring before = drives.Drive();
    int changes = 0;
    drives.OnChange = [&] { ++changes; };

    // The drive is listed, and the program cannot make it current.
    bool listed = false;
    for (int i = 0; i < drives.ListCount(); ++i) listed |= DriveOfText(drives.List(i)) == empty.name();
    EXPECT_TRUE(listed);
    EXPECT_FALSE(DriveIsReady(empty.name() + L"\\"));
    EXPECT_FALSE(drives.SetDrive(empty.name()));
    EXPECT_EQ(drives.Drive(), before);
    EXPECT_EQ(changes, 0);

    // Neither can a folder list open it.
    FolderList folders;
    ASSERT_TRUE(folders.Create(host.get()));
    const std::wstring path = folders.Path();
    EXPECT_FALSE(folders.SetPath(empty.name()));
    EXPECT_FALSE(folders.SetPath(empty.name() + L"\\"));
    EXPECT_EQ(folders.Path(), path);

    // A letter no drive has is refused the same way.
    DWORD used = GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter >= L'D'; --letter) {
        if (used & (1u << (letter - L'A'))) continue;
        EXPECT_FALSE(drives.SetDrive(std::wstring{letter, L':'}));
        break;
    }
    EXPECT_FALSE(drives.SetDrive(L"not a drive"));
    EXPECT_EQ(drives.Drive(), before);
}

TEST_F(ListControlsTest, DriveListChangesToAReadyDriveAndAnnouncesIt)
{
    DriveList drives;
    ASSERT_TRUE(drives.Create(host.get()));
    std::wstring other;
    for (const std::wstring& root : LogicalDriveRoots())
        if (root.substr(0, 2) != drives.DriveName() && DriveIsReady(root)) other = root.substr(0, 2);
    if (other.empty()) GTEST_SKIP() << "only one ready drive";

    const std::wstring start = drives.DriveName();
    int changes = 0;
    drives.OnChange = [&] { ++changes; };
    ASSERT_TRUE(drives.SetDrive(other + L"\\some\\folder"));
    EXPECT_EQ(drives.DriveName(), other);
    EXPECT_EQ(DriveOfText(drives.Drive()), other);
    auto shown = static_cast<int>(SendMessageW(drives.Handle(), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(drives.ListIndex(), shown);
    EXPECT_EQ(DriveOfText(drives.List(shown)), other);
    EXPECT_EQ(changes, 1);
    ASSERT_TRUE(drives.SetDrive(other));
    EXPECT_EQ(changes, 1) << "the same drive again is no change";
    ASSERT_TRUE(drives.SetDrive(start));
    EXPECT_EQ(changes, 2);
}

TEST_F(ListControlsTest, DriveListTakesTheUsersChoiceAndPassesKeys)
{
    DriveWithoutMedium empty;
    ASSERT_FALSE(empty.name().empty());
    DriveList drives;
    ASSERT_TRUE(drives.Create(host.get()));
    ShowWindow(host.get(), SW_SHOW);
    Pump();
    ASSERT_GE(drives.ListCount(), 2);
    ASSERT_TRUE(drives.SetDrive(L"C:"));
    std::vector<std::wstring> seen;
    drives.OnChange = [&] { seen.push_back(drives.DriveName()); };

    // Arrow keys in the closed box pick the next drive; a drive without medium can be picked too,
    // and the window hears of it.
    SetFocus(drives.Handle());
    const int start = drives.ListIndex();
    SendMessageW(drives.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(drives.ListIndex(), start + 1);
    EXPECT_EQ(seen[0], DriveOfText(drives.List(start + 1)));

    std::vector<wchar_t> keys;
    drives.OnKeyPress = [&](wchar_t c) {
        keys.push_back(c);
        return true;
    };
    SendMessageW(drives.Handle(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(keys, std::vector<wchar_t>{L'\r'});
}

// ---- Name order ------------------------------------------------------------------------------------

TEST_F(ListControlsTest, NamesSortWithoutCaseAndStayStable)
{
    std::vector<std::wstring> names{L"b.txt", L"B.txt", L"a.txt", L"C.txt", L"10.txt", L"2.txt", L"A.txt"};
    SortByName(names);
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[0], L"10.txt");
    EXPECT_EQ(names[1], L"2.txt");
    // Names that differ only in case sit together, in code order.
    EXPECT_EQ(names[2], L"A.txt");
    EXPECT_EQ(names[3], L"a.txt");
    EXPECT_EQ(names[4], L"B.txt");
    EXPECT_EQ(names[5], L"b.txt");
    EXPECT_EQ(names[6], L"C.txt");
}

} // namespace
} // namespace tavlo
