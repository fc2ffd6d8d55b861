#include "common/Catalogue.h"
#include "UiTestSupport.h"
#include "settings/ValueEncoding.h"
#include "windows/FrameRules.h"
#include "windows/ChildForm.h"
#include "windows/SharedMenu.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace tavlo {
namespace {

using test::FrameTest;
using test::PumpMessages;
using test::RectIn;

// A child window with a list and a context menu of its own.
class ProbeChild : public ChildForm {
public:
    ProbeChild(ChildHost& host, SettingsStore& store)
        : ChildForm(host, store, ChildFormSpec{L"Probe_", program_text::TargetCaption, L"probe load error"})
    {
    }
    HWND list = nullptr;
    std::vector<int> popupCommands;

protected:
    void CreateControls() override
    {
        list = CreateControl(L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, {}, nullptr, WS_EX_CLIENTEDGE);
        AddFontControl(list);
        AddContextControl(list);
        AddToolTipControl(list, L"probe tip");
    }
    std::vector<PopupItem> PopupItems() const override
    {
        return {{kCmdFirstPopupItem, std::wstring(GeneralText(general_text::SelectAll))},
                {0, {}},
                {kCmdFirstPopupItem + 1, std::wstring(GeneralText(general_text::ClearSelection))}};
    }
    bool OnPopupCommand(int id) override
    {
        popupCommands.push_back(id);
        return true;
    }
};

class ChildFormTest : public FrameTest {};

TEST_F(ChildFormTest, GeometryIsWrittenAtCloseAndReadBackAtTheNextStart)
{
    store.SetCurrent(L"Resize", L"False");
    ASSERT_TRUE(Open());
    frame->FileWindow().SetGeometry(TwipsRect{300, 450, 4500, 3000});
    frame->StatusWindow().SetGeometry(TwipsRect{1500, 0, 6000, 2400});
    EXPECT_EQ(frame->FileWindow().Geometry(), (TwipsRect{300, 450, 4500, 3000}));
    Close();

    EXPECT_EQ(store.Current(L"File_Left"), L"300");
    EXPECT_EQ(store.Current(L"File_Top"), L"450");
    EXPECT_EQ(store.Current(L"File_Width"), L"4500");
    EXPECT_EQ(store.Current(L"File_Height"), L"3000");
    EXPECT_EQ(store.Current(L"Status_Left"), L"1500");
    for (const wchar_t* prefix : {L"InDir_", L"InFile_", L"OutFile_"})
        EXPECT_NE(store.Current(std::wstring(prefix) + L"Height"), L"<absent>") << prefix;

    ASSERT_TRUE(Open());
    EXPECT_EQ(frame->FileWindow().Geometry(), (TwipsRect{300, 450, 4500, 3000}));
    EXPECT_EQ(frame->StatusWindow().Geometry(), (TwipsRect{1500, 0, 6000, 2400}));
}

TEST_F(ChildFormTest, LegacyValuesAreReadWhileTheLegacyProbeHoldsOne)
{
    store.SetCurrent(L"Resize", L"False");
    store.SetCurrent(L"OutFile_Left", L"15");
    store.SetCurrent(L"OutFile_Top", L"30");
    store.SetLegacy(L"OutFile_Left", L"600");
    store.SetLegacy(L"OutFile_Top", L"750");
    store.SetLegacy(L"OutFile_Width", L"3000");
    store.SetLegacy(L"OutFile_Height", L"1500");
    // A legacy probe of -9999 counts as absent: this window reads the current location.
    store.SetLegacy(L"Status_Left", L"-9999");
    store.SetLegacy(L"Status_Top", L"9000");
    store.SetCurrent(L"Status_Left", L"90");
    store.SetCurrent(L"Status_Top", L"120");
    ASSERT_TRUE(Open(false));
    EXPECT_EQ(frame->OutFileWindow().Geometry(), (TwipsRect{600, 750, 3000, 1500}));
    TwipsRect status = frame->StatusWindow().Geometry();
    EXPECT_FLOAT_EQ(status.Left, 90);
    EXPECT_FLOAT_EQ(status.Top, 120);
    Close();
    // Written to the current location only.
    EXPECT_EQ(store.Current(L"OutFile_Left"), L"600");
    EXPECT_EQ(store.Current(L"OutFile_Height"), L"1500");
}

TEST_F(ChildFormTest, WithResizeOnNoChildKeyIsReadOrWritten)
{
    store.SetCurrent(L"Resize", L"True");
    store.SetCurrent(L"File_Left", L"7777");
    store.SetCurrent(L"File_Width", L"oops"); // would be a load error if it were read
    ASSERT_TRUE(Open());
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_NE(frame->FileWindow().Geometry().Left, 7777);
    Close();
    EXPECT_EQ(store.Current(L"File_Left"), L"7777");
    EXPECT_EQ(store.Current(L"InDir_Left"), L"<absent>");
}

TEST_F(ChildFormTest, AMaximisedMainWindowKeepsTheChildKeysUnwritten)
{
    store.SetCurrent(L"Resize", L"False");
    ASSERT_TRUE(Open());
    ShowWindow(frame->Handle(), SW_MAXIMIZE);
    PumpMessages();
    ASSERT_EQ(frame->WindowState(), 2);
    Close();
    EXPECT_EQ(store.Current(L"File_Left"), L"<absent>");
    EXPECT_EQ(store.Current(L"Main_WindowState"), L"2");
}

// A value that does not convert counts as absent: the window takes its default and the program
// starts, in the current location and the legacy one alike.
TEST_F(ChildFormTest, ABadStoredValueCountsAsAbsent)
{
    store.SetCurrent(L"Resize", L"False");
    for (const wchar_t* key : {L"InDir_Top", L"InFile_Left", L"File_Width", L"Status_Height", L"OutFile_Height"})
        store.SetCurrent(key, L"12x");
    store.SetLegacy(L"File_Left", L"abc");
    ASSERT_TRUE(Open(false));
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_TRUE(frame->OutFileWindow().Exists());

    const float width = frame->FileWindow().Geometry().Width;
    Close();
    EXPECT_EQ(store.Current(L"File_Width"), SingleToText(width)) << "the next close writes a good value";
}

// A size no screen could hold would overflow the conversion to pixels: it counts as absent too.
TEST_F(ChildFormTest, AStoredSizeNoScreenCouldHoldCountsAsAbsent)
{
    store.SetCurrent(L"Resize", L"False");
    ASSERT_TRUE(Open(false));
    const TwipsRect usual = frame->StatusWindow().Geometry();
    Close();
    store.SetCurrent(L"Status_Width", L"3E+38");
    store.SetCurrent(L"Status_Height", L"-3E+38");
    ASSERT_TRUE(Open(false));
    EXPECT_NEAR(frame->StatusWindow().Geometry().Width, usual.Width, 30);
    EXPECT_NEAR(frame->StatusWindow().Geometry().Height, usual.Height, 30);
}

// A window that cannot be made is the load's error, named for that window; those after it are never made.
TEST_F(ChildFormTest, AWindowThatCannotBeMadeShowsItsLoadError)
{
    const wchar_t* texts[] = {L"Tavlo2 mdiinDir Form_Load ERR", L"Tavlo2 mdiinFile Form_Load ERR",
                              L"Tavlo2 mdiFile Form_Load ERR", L"Tavlo2 mdiStatus Form_Load ERR",
                              L"Tavlo2 mdiOutFile Form_Load ERR"};
    for (int n = 1; n <= 5; ++n) {
        failures.texts.clear();
        {
            test::RefuseWindowCreation refuse(L"Tavlo2.Child", n);
            EXPECT_FALSE(Open(false));
        }
        EXPECT_EQ(failures.texts, std::vector<std::wstring>{texts[n - 1]});
        if (n < 5) {
            EXPECT_FALSE(frame->OutFileWindow().Exists());
        }
        frame.reset();
    }
}

TEST_F(ChildFormTest, DuringAnAutomaticRunTheLoadDoesNothingOfItsOwn)
{
    ASSERT_TRUE(Open(false));
    options.Resize = false;
    options.AutoRunning = true;
    ProbeChild probe(*frame, store.store());
    EXPECT_TRUE(probe.Load());
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_EQ(test::WindowText(probe.Handle()), L"");
    EXPECT_EQ(GetMenuItemCount(probe.PopupMenu()), 0);
    EXPECT_EQ(probe.Tips().Text(probe.list), L"");

    options.AutoRunning = false;
    probe.Unload();
    test::RefuseWindowCreation refuse(L"Tavlo2.Child", 1);
    EXPECT_FALSE(probe.Load());
    EXPECT_EQ(failures.texts, std::vector<std::wstring>{L"probe load error"});
}

TEST_F(ChildFormTest, TheLoadSetsCaptionContextMenuAndTips)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(test::WindowText(frame->InDirWindow().Handle()), ProgramText(program_text::InDirCaption));
    EXPECT_EQ(test::WindowText(frame->InFileWindow().Handle()), ProgramText(program_text::InFileCaption));
    EXPECT_EQ(test::WindowText(frame->FileWindow().Handle()), ProgramText(program_text::TargetCaption));
    EXPECT_EQ(test::WindowText(frame->StatusWindow().Handle()), ProgramText(program_text::LogCaption));
    EXPECT_EQ(test::WindowText(frame->OutFileWindow().Handle()), ProgramText(program_text::ResultCaption));

    options.Tip = true;
    ProbeChild probe(*frame, store.store());
    ASSERT_TRUE(probe.Load());
    HMENU popup = probe.PopupMenu();
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    wchar_t buf[64]{};
    GetMenuStringW(popup, 0, buf, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(buf), L"全て選択");
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(probe.Tips().Text(probe.list), L"probe tip");
}

TEST_F(ChildFormTest, AnUnloadedWindowLoadsAgainWithNewControls)
{
    ASSERT_TRUE(Open());
    options.Tip = true;
    ProbeChild probe(*frame, store.store());
    ASSERT_TRUE(probe.Load());
    HWND firstList = probe.list;
    probe.Unload();
    EXPECT_FALSE(probe.Exists());
    EXPECT_FALSE(IsWindow(firstList));
    ASSERT_TRUE(probe.Load());
    EXPECT_TRUE(IsWindow(probe.list));
    EXPECT_EQ(probe.Tips().Text(probe.list), L"probe tip");
    probe.SetToolTip(false);
    EXPECT_EQ(probe.Tips().Text(probe.list), L"");
    EXPECT_EQ(GetMenuItemCount(probe.PopupMenu()), 3);
}

TEST_F(ChildFormTest, TipsGoAndComeBackExactly)
{
    ASSERT_TRUE(Open());
    mdiFile& file = frame->FileWindow();
    file.SetToolTip(true);
    EXPECT_EQ(file.Tips().Text(file.lstFile()), ProgramText(program_text::TargetListTip));
    file.SetToolTip(false);
    EXPECT_EQ(file.Tips().Text(file.lstFile()), L"");
    file.SetToolTip(true);
    EXPECT_EQ(file.Tips().Text(file.lstFile()), ProgramText(program_text::TargetListTip));
    EXPECT_EQ(frame->StatusWindow().Tips().Text(frame->StatusWindow().lstKekka()), ProgramText(program_text::LogTip));
    EXPECT_EQ(frame->OutFileWindow().Tips().Text(frame->OutFileWindow().lstOutFile()), ProgramText(program_text::ResultListTip));
}

TEST_F(ChildFormTest, MenuEnabledGreysTheMenuBarButNotTheContextMenu)
{
    ASSERT_TRUE(Open());
    ProbeChild probe(*frame, store.store());
    ASSERT_TRUE(probe.Load());
    probe.Menu_Enabled(false);
    for (int i = 0; i < kSharedMenuTopCount; ++i) EXPECT_FALSE(IsTopLevelMenuEnabled(probe.MenuBar(), i)) << i;
    EXPECT_TRUE(IsTopLevelMenuEnabled(probe.PopupMenu(), 0));
    EXPECT_TRUE(IsTopLevelMenuEnabled(probe.PopupMenu(), 2));
    // The other windows keep theirs.
    EXPECT_TRUE(IsTopLevelMenuEnabled(frame->FileWindow().MenuBar(), 0));
    probe.Menu_Enabled(true);
    for (int i = 0; i < kSharedMenuTopCount; ++i) EXPECT_TRUE(IsTopLevelMenuEnabled(probe.MenuBar(), i)) << i;
}

TEST_F(ChildFormTest, MenuEnabledFindsItsEntriesBesideAMaximisedChildsOwn)
{
    ASSERT_TRUE(Open());
    mdiStatus& status = frame->StatusWindow();
    SendMessageW(frame->MdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(status.Handle()), 0);
    SendMessageW(frame->MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(status.Handle()), 0);
    PumpMessages();
    HMENU bar = status.MenuBar();
    ASSERT_EQ(GetMenu(frame->Handle()), bar);
    ASSERT_GT(GetMenuItemCount(bar), kSharedMenuTopCount); // the child's system menu and buttons
    std::vector<int> positions = SharedMenuPositions(bar);
    ASSERT_EQ(positions.size(), static_cast<std::size_t>(kSharedMenuTopCount));

    status.Menu_Enabled(false);
    for (int p : positions) EXPECT_FALSE(IsTopLevelMenuEnabled(bar, p)) << p;
    // The maximised child's own entries in the bar keep their state.
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        if (std::find(positions.begin(), positions.end(), i) == positions.end()) {
            EXPECT_TRUE(IsTopLevelMenuEnabled(bar, i)) << i;
        }
    }
    status.Menu_Enabled(true);
    for (int p : positions) EXPECT_TRUE(IsTopLevelMenuEnabled(bar, p)) << p;
    SendMessageW(frame->MdiClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(status.Handle()), 0);
}

TEST_F(ChildFormTest, TheActiveChildsMenuBarIsShownInTheFrame)
{
    ASSERT_TRUE(Open());
    HWND client = frame->MdiClient();
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame->StatusWindow().Handle()), 0);
    PumpMessages();
    EXPECT_EQ(GetMenu(frame->Handle()), frame->StatusWindow().MenuBar());
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame->FileWindow().Handle()), 0);
    PumpMessages();
    EXPECT_EQ(GetMenu(frame->Handle()), frame->FileWindow().MenuBar());
}

TEST_F(ChildFormTest, MenuItemsOfAChildForwardToTheMainWindow)
{
    ASSERT_TRUE(Open());
    SendMessageW(frame->OutFileWindow().Handle(), WM_COMMAND, MAKEWPARAM(kCmdHelp, 0), 0);
    ASSERT_EQ(helpPaths.size(), 1u);
    // The frame's own menu bar while a child is active: the child's handler runs, once.
    SendMessageW(frame->MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame->FileWindow().Handle()), 0);
    SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(kCmdHelp, 0), 0);
    EXPECT_EQ(helpPaths.size(), 2u);
}

TEST_F(ChildFormTest, TheFontReachesTheWindowsControls)
{
    ASSERT_TRUE(Open());
    options.Font_Name = L"ＭＳ ゴシック";
    options.Font_Size = 14;
    options.Font_Bold = true;
    options.Font_Italic = false;
    mdiStatus& status = frame->StatusWindow();
    status.SetFontData(FormFontOf(options));
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(status.lstKekka(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font, status.Font());
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ ゴシック");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfHeight, -static_cast<LONG>(RoundHalfEven(14.0 * TwipsScale::Screen().DpiY() / 72)));
}

TEST_F(ChildFormTest, TheListFillsTheWindowWithASixtyTwipMargin)
{
    store.SetCurrent(L"Resize", L"False");
    ASSERT_TRUE(Open());
    mdiOutFile& out = frame->OutFileWindow();
    out.SetGeometry(TwipsRect{0, 0, 4500, 3000});
    PumpMessages();
    const TwipsScale& s = TwipsScale::Screen();
    RECT client{};
    GetClientRect(out.Handle(), &client);
    RECT list = RectIn(out.lstOutFile(), out.Handle());
    EXPECT_EQ(list.left, s.XToPixels(60));
    EXPECT_EQ(list.top, s.YToPixels(60));
    EXPECT_EQ(list.right - list.left, s.XToPixels(CInt(s.XToTwips(client.right) - 120)));
    EXPECT_EQ(list.bottom - list.top, s.YToPixels(CInt(s.YToTwips(client.bottom) - 120)));

    // Minimised there is no room for any list: it keeps its size.
    RECT before = list;
    ShowWindow(out.Handle(), SW_MINIMIZE);
    PumpMessages();
    GetClientRect(out.Handle(), &client);
    ASSERT_LE(s.XToTwips(client.right), 120);
    list = RectIn(out.lstOutFile(), out.Handle());
    EXPECT_EQ(list.right - list.left, before.right - before.left);
    EXPECT_EQ(list.bottom - list.top, before.bottom - before.top);
}

TEST_F(ChildFormTest, TheCloseBoxLeavesTheWindowInPlace)
{
    ASSERT_TRUE(Open());
    SendMessageW(frame->FileWindow().Handle(), WM_CLOSE, 0, 0);
    SendMessageW(frame->FileWindow().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(frame->FileWindow().Handle()));
}

// Closes a context menu as soon as it opens, noting which one it was.
struct MenuWatch {
    static inline HMENU opened = nullptr;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
    {
        if (msg == WM_INITMENUPOPUP) {
            opened = reinterpret_cast<HMENU>(wParam);
            PostMessageW(hwnd, WM_CANCELMODE, 0, 0);
            EndMenu();
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
};

TEST_F(ChildFormTest, TheRightButtonOpensTheContextMenuOverTheWindowAndItsList)
{
    ASSERT_TRUE(Open());
    ProbeChild probe(*frame, store.store());
    ASSERT_TRUE(probe.Load());
    probe.Show();
    probe.SetGeometry(TwipsRect{0, 0, 4000, 3000});
    PumpMessages();
    SetWindowSubclass(probe.Handle(), &MenuWatch::Proc, 7, 0);

    MenuWatch::opened = nullptr;
    SendMessageW(probe.list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(probe.list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(MenuWatch::opened, nullptr);

    SendMessageW(probe.list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(MenuWatch::opened, probe.PopupMenu());

    MenuWatch::opened = nullptr;
    SendMessageW(probe.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));
    PumpMessages();
    EXPECT_EQ(MenuWatch::opened, probe.PopupMenu());
    RemoveWindowSubclass(probe.Handle(), &MenuWatch::Proc, 7);

    SendMessageW(probe.Handle(), WM_COMMAND, MAKEWPARAM(kCmdFirstPopupItem + 1, 0), 0);
    EXPECT_EQ(probe.popupCommands, std::vector<int>{kCmdFirstPopupItem + 1});
}

} // namespace
} // namespace tavlo
