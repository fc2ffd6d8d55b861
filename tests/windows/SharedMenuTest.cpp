#include "ui/FontData.h"
#include "windows/SharedMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

std::wstring Caption(HMENU menu, int position)
{
    wchar_t buf[128]{};
    GetMenuStringW(menu, position, buf, 128, MF_BYPOSITION);
    return buf;
}

TEST(SharedMenuBar, SevenEntriesInOrderWithTwoDropDowns)
{
    MenuHandle bar = BuildSharedMenuBar();
    ASSERT_TRUE(bar);
    ASSERT_EQ(GetMenuItemCount(bar.get()), 7);
    const wchar_t* captions[] = {L"E(&x)it", L"Fon(&t)", L"(&L)og", L"(&D)efault", L"(&O)ption", L"(&H)elp",
                                 L"(&A)bout"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(Caption(bar.get(), i), captions[i]) << i;

    // Exit, Font, Option, Help and About are commands of the bar itself.
    EXPECT_EQ(GetMenuItemID(bar.get(), 0), static_cast<UINT>(kCmdExit));
    EXPECT_EQ(GetMenuItemID(bar.get(), 1), static_cast<UINT>(kCmdFont));
    EXPECT_EQ(GetMenuItemID(bar.get(), 4), static_cast<UINT>(kCmdOption));
    EXPECT_EQ(GetMenuItemID(bar.get(), 5), static_cast<UINT>(kCmdHelp));
    EXPECT_EQ(GetMenuItemID(bar.get(), 6), static_cast<UINT>(kCmdAbout));

    HMENU log = GetSubMenu(bar.get(), 2);
    ASSERT_NE(log, nullptr);
    ASSERT_EQ(GetMenuItemCount(log), 4);
    EXPECT_EQ(Caption(log, 0), L"Log(&C)opy");
    EXPECT_EQ(Caption(log, 1), L"Log(&S)ave");
    EXPECT_EQ(GetMenuItemID(log, 0), static_cast<UINT>(kCmdLogCopy));
    EXPECT_EQ(GetMenuItemID(log, 1), static_cast<UINT>(kCmdLogSave));
    // Undo at the end, after a separator.
    EXPECT_EQ(Caption(log, 3), L"Undo(&U)");
    EXPECT_EQ(GetMenuItemID(log, 3), static_cast<UINT>(kCmdUndo));

    HMENU def = GetSubMenu(bar.get(), 3);
    ASSERT_NE(def, nullptr);
    ASSERT_EQ(GetMenuItemCount(def), 1);
    EXPECT_EQ(Caption(def, 0), L"InDirDefault");
    EXPECT_EQ(GetMenuItemID(def, 0), static_cast<UINT>(kCmdInDirDefault));
}

TEST(SharedMenuBar, EnablingSwitchesTheTopLevelOnly)
{
    MenuHandle bar = BuildSharedMenuBar();
    HMENU log = GetSubMenu(bar.get(), 2);
    EXPECT_TRUE(EnableTopLevelMenus(bar.get(), false));
    for (int i = 0; i < kSharedMenuTopCount; ++i) EXPECT_FALSE(IsTopLevelMenuEnabled(bar.get(), i)) << i;
    EXPECT_TRUE(IsTopLevelMenuEnabled(log, 0));
    EXPECT_TRUE(EnableTopLevelMenus(bar.get(), true));
    for (int i = 0; i < kSharedMenuTopCount; ++i) EXPECT_TRUE(IsTopLevelMenuEnabled(bar.get(), i)) << i;
    EXPECT_FALSE(EnableTopLevelMenus(nullptr, true));
}

TEST(SharedMenuBar, ItsEntriesAreFoundWhereverTheyStand)
{
    MenuHandle bar = BuildSharedMenuBar();
    EXPECT_EQ(SharedMenuPositions(bar.get()), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    // Entries of someone else in front and at the end are skipped.
    HMENU foreign = CreatePopupMenu();
    AppendMenuW(foreign, MF_STRING, 61536, L"Close");
    InsertMenuW(bar.get(), 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(foreign), L"-");
    AppendMenuW(bar.get(), MF_STRING, 61472, L"_");
    EXPECT_EQ(SharedMenuPositions(bar.get()), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(EnableTopLevelMenus(bar.get(), false));
    EXPECT_TRUE(IsTopLevelMenuEnabled(bar.get(), 0));
    EXPECT_FALSE(IsTopLevelMenuEnabled(bar.get(), 1));
    EXPECT_FALSE(IsTopLevelMenuEnabled(bar.get(), 7));
    EXPECT_TRUE(IsTopLevelMenuEnabled(bar.get(), 8));
    // A bar that lacks some of them still greys the rest, and says so.
    DeleteMenu(bar.get(), 2, MF_BYPOSITION);
    EXPECT_FALSE(EnableTopLevelMenus(bar.get(), true));
    EXPECT_TRUE(IsTopLevelMenuEnabled(bar.get(), 1));
}

TEST(SharedMenuBar, EveryWindowGetsItsOwnCopy)
{
    MenuHandle a = BuildSharedMenuBar();
    MenuHandle b = BuildSharedMenuBar();
    EnableTopLevelMenus(a.get(), false);
    EXPECT_FALSE(IsTopLevelMenuEnabled(a.get(), 0));
    EXPECT_TRUE(IsTopLevelMenuEnabled(b.get(), 0));
}

struct Recorder : MenuCommands {
    std::vector<std::string> calls;
    void Exit() override { calls.push_back("Exit"); }
    void PickFont() override { calls.push_back("Font"); }
    void CopyLog() override { calls.push_back("LogCopy"); }
    void SaveLog() override { calls.push_back("LogSave"); }
    void EditInputFolderDefault() override { calls.push_back("InDirDefault"); }
    void EditOptions() override { calls.push_back("Option"); }
    void ShowHelp() override { calls.push_back("Help"); }
    void ShowAbout() override { calls.push_back("About"); }
    void UndoLastRun() override { calls.push_back("Undo"); }
};

TEST(SharedMenuBar, EachCommandReachesItsOwnHandler)
{
    Recorder r;
    for (int id : {kCmdUndo, kCmdAbout, kCmdHelp, kCmdOption, kCmdInDirDefault, kCmdLogSave, kCmdLogCopy, kCmdFont,
                   kCmdExit})
        EXPECT_TRUE(DispatchSharedMenu(r, id));
    EXPECT_EQ(r.calls, (std::vector<std::string>{"Undo", "About", "Help", "Option", "InDirDefault", "LogSave",
                                                 "LogCopy", "Font", "Exit"}));
    EXPECT_FALSE(DispatchSharedMenu(r, kCmdFirstPopupItem));
    EXPECT_FALSE(DispatchSharedMenu(r, 0));
    EXPECT_EQ(r.calls.size(), 9u);
}

TEST(FormFont, StartsAsTheDefaultFaceAtNineAndThreeQuarterPoints)
{
    LOGFONTW lf = InitialFormFont(96);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ 明朝");
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(InitialFormFont(120).lfHeight, -16); // 16.25
}

TEST(FormFont, EachSettingThatCannotApplyIsSkipped)
{
    LOGFONTW base = InitialFormFont(96);
    LOGFONTW lf = ApplyFontSettings(base, FontSettings{L"", 0, true, true}, 96);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ 明朝");
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);

    lf = ApplyFontSettings(base, FontSettings{std::wstring(LF_FACESIZE, L'x'), 12, false, false}, 96);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ 明朝");
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_DOUBLE_EQ(FontPoints(lf, 96), 12);

    lf = ApplyFontSettings(lf, FontSettings{L"Arial", -3, false, false}, 96);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Arial");
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_FALSE(lf.lfItalic);
}

} // namespace
} // namespace tavlo
