#include "DialogTestSupport.h"

#include "DriveWithoutMedium.h"
#include "TestSupport.h"
#include "common/Catalogue.h"
#include "common/FileEnum.h"
#include "common/PathUtil.h"
#include "dialogs/frmDefault.h"
#include "core/Paths.h"
#include "core/Wildcard.h"
#include "ui/ListRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

using namespace test;

class DefaultDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        options.Tip = true;
        dialog.SetStore(store.store());
        folder = ExpandLongPath(dir.MakeDir(L"start"));
        dir.MakeDir(L"start\\inner");
        other = ExpandLongPath(dir.MakeDir(L"other"));
        options.Dir_In = folder;
        options.Dir_In_Yuko = true;
    }
    void ShowAnd(const std::function<void()>& work)
    {
        dialog.OnShown = [&] {
            work();
            EndShowing(dialog);
        };
        EditInDirDefault(dialog, options);
        dialog.OnShown = nullptr;
    }
    std::vector<HWND> FolderControls()
    {
        return {dialog.lblDrive(), dialog.drvDrive().Handle(), dialog.dlbDir().Handle(), dialog.txtDir()};
    }
    TwipsRect RectOf(HWND control) const
    {
        RECT rc = RectIn(control, GetParent(control));
        const TwipsScale& s = TwipsScale::Screen();
        return {s.XToTwips(rc.left), s.YToTwips(rc.top), s.XToTwips(rc.right - rc.left),
                s.YToTwips(rc.bottom - rc.top)};
    }

    TempDir dir;
    std::wstring folder;
    std::wstring other;
    frmDefault dialog;
};

TEST_F(DefaultDialogTest, TheCommandConfiguresTheDialogAndShowsTheFolder)
{
    ShowAnd([&] {
        EXPECT_EQ(WindowText(dialog.Handle()), L"Default");
        EXPECT_EQ(WindowText(dialog.lblDrive()), L"拡張子変更ファイル格納フォルダ名") << "no free space";
        EXPECT_EQ(dialog.dlbDir().Path(), folder);
        EXPECT_EQ(dialog.drvDrive().DriveName(), folder.substr(0, 2));
        EXPECT_EQ(WindowText(dialog.txtDir()), ShortenPath(folder));
        EXPECT_TRUE(Visible(dialog.cbxDrive()));
        EXPECT_TRUE(Checked(dialog.cbxDrive()));
        EXPECT_FALSE(Enabled(dialog.btnOk()));
        EXPECT_EQ(WindowText(dialog.btnOk()), GeneralText(general_text::OkButton));
        EXPECT_EQ(WindowText(dialog.btnCancel()), GeneralText(general_text::CancelButton));
        const ToolTip& tips = dialog.Tips();
        EXPECT_EQ(tips.Text(dialog.cbxDrive()), ProgramText(program_text::DefaultOffTip));
        EXPECT_EQ(tips.Text(dialog.drvDrive().Handle()), ProgramText(program_text::DefaultDriveTip));
        EXPECT_EQ(tips.Text(dialog.dlbDir().Handle()), ProgramText(program_text::DefaultFolderTip));
        EXPECT_EQ(tips.Text(dialog.txtDir()), ProgramText(program_text::DefaultTextTip));
        EXPECT_EQ(tips.Text(dialog.btnOk()), GeneralText(general_text::OkButtonTip));
        EXPECT_EQ(tips.Text(dialog.btnCancel()), GeneralText(general_text::CancelButtonTip));
        // The label starts beside the check box.
        const TwipsRect box = RectOf(dialog.cbxDrive());
        EXPECT_NEAR(RectOf(dialog.lblDrive()).Left, box.Left + box.Width + 60, kPixelTwips);
        Click(dialog.btnCancel());
    });
    EXPECT_FALSE(dialog.pblnOk);
}

TEST_F(DefaultDialogTest, ClearingTheCheckBoxDisablesTheChoiceAndOkStoresItOff)
{
    ShowAnd([&] {
        dialog.dlbDir().SetPath(other);
        Click(dialog.cbxDrive());
        EXPECT_TRUE(Enabled(dialog.btnOk()));
        for (HWND c : FolderControls()) EXPECT_FALSE(Enabled(c));
        EXPECT_FALSE(dialog.Yuko);
        Click(dialog.btnOk());
    });
    EXPECT_TRUE(dialog.pblnOk);
    EXPECT_FALSE(options.Dir_In_Yuko);
    EXPECT_EQ(options.Dir_In, other) << "the folder shown is kept";

    // The next showing starts from the options again, with the controls enabled.
    options.Dir_In_Yuko = true;
    ShowAnd([&] {
        for (HWND c : FolderControls()) EXPECT_TRUE(Enabled(c));
        Click(dialog.cbxDrive());
        Click(dialog.cbxDrive());
        for (HWND c : FolderControls()) EXPECT_TRUE(Enabled(c));
        Click(dialog.btnOk());
    });
    EXPECT_TRUE(options.Dir_In_Yuko);
}

TEST_F(DefaultDialogTest, CancelAndTheCloseBoxLeaveTheOptionsAsTheyWere)
{
    ShowAnd([&] {
        dialog.dlbDir().SetPath(other);
        Click(dialog.cbxDrive());
        Click(dialog.btnCancel());
    });
    EXPECT_EQ(options.Dir_In, folder);
    EXPECT_TRUE(options.Dir_In_Yuko);

    ShowAnd([&] {
        dialog.dlbDir().SetPath(other);
        EXPECT_TRUE(Enabled(dialog.btnOk()));
        CloseBox(dialog.Handle());
    });
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_FALSE(dialog.pblnOk);
    EXPECT_EQ(options.Dir_In, folder);

    // Reloaded for the next command, with the caller's values.
    ShowAnd([&] {
        EXPECT_EQ(dialog.dlbDir().Path(), folder);
        EXPECT_EQ(WindowText(dialog.lblDrive()), ProgramText(program_text::DefaultFolderLabel));
        EXPECT_EQ(dialog.Tips().Text(dialog.txtDir()), ProgramText(program_text::DefaultTextTip));
        EXPECT_FALSE(Enabled(dialog.btnOk()));
        Click(dialog.btnOk());
        EXPECT_TRUE(dialog.IsVisible()) << "OK needs a change first";
        Click(dialog.cbxDrive());
        Click(dialog.cbxDrive());
        Click(dialog.btnOk());
    });
    EXPECT_TRUE(dialog.pblnOk);
}

TEST_F(DefaultDialogTest, FolderChangesEnableOkAndFollowInTheTextBox)
{
    ShowAnd([&] {
        // Enter on the highlighted subfolder opens it; Backspace goes back up.
        SetFocus(dialog.dlbDir().Handle());
        ASSERT_EQ(dialog.dlbDir().ListCount(), 1);
        dialog.dlbDir().SetListIndex(0);
        SendMessageW(dialog.dlbDir().Handle(), WM_CHAR, L'\r', 0);
        EXPECT_EQ(dialog.dlbDir().Path(), folder + L"\\inner");
        EXPECT_TRUE(Enabled(dialog.btnOk()));
        EXPECT_EQ(WindowText(dialog.txtDir()), ShortenPath(folder + L"\\inner"));
        SendMessageW(dialog.dlbDir().Handle(), WM_CHAR, L'\b', 0);
        EXPECT_EQ(dialog.dlbDir().Path(), folder);
        // Enter in the drive list moves on to the folder list.
        SetFocus(dialog.drvDrive().Handle());
        SendMessageW(dialog.drvDrive().Handle(), WM_CHAR, L'\r', 0);
        EXPECT_EQ(GetFocus(), dialog.dlbDir().Handle());
        dialog.dlbDir().SetPath(other);
        Click(dialog.btnOk());
    });
    EXPECT_EQ(options.Dir_In, other);
}

TEST_F(DefaultDialogTest, AFolderThatIsGoneGivesTheCurrentFolder)
{
    options.Dir_In = dir / L"gone";
    ShowAnd([&] {
        EXPECT_EQ(dialog.dlbDir().Path(), CurrentFolder());
        EXPECT_EQ(dialog.DirName.get(), ExpandLongPath(CurrentFolder()));
        Click(dialog.btnCancel());
    });
    options.Dir_In = L"";
    ShowAnd([&] {
        EXPECT_EQ(dialog.dlbDir().Path(), CurrentFolder());
        Click(dialog.btnCancel());
    });
}

TEST_F(DefaultDialogTest, ADriveWithoutMediumLeavesTheDriveAndFolder)
{
    DriveWithoutMedium empty;
    ASSERT_FALSE(empty.name().empty()) << "no drive letter could be mapped";
    ShowAnd([&] {
        DriveList& drives = dialog.drvDrive();
        drives.Refresh();
        int row = -1;
        for (int i = 0; i < drives.ListCount(); ++i)
            if (DriveOfText(drives.List(i)) == empty.name()) row = i;
        ASSERT_GE(row, 0);
        // The user picks it.
        SendMessageW(drives.Handle(), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives.Handle()), CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(drives.Handle()));
        EXPECT_EQ(drives.DriveName(), folder.substr(0, 2));
        EXPECT_EQ(dialog.dlbDir().Path(), folder);
        EXPECT_TRUE(Enabled(dialog.btnOk()));
        Click(dialog.btnOk());
    });
    EXPECT_EQ(options.Dir_In, folder);
}

TEST_F(DefaultDialogTest, TheContextMenuCopiesTheInputFolderOrTheTemporaryFolder)
{
    dialog.SetInputFolderSource([this] { return other; });
    std::vector<std::wstring> offered;
    int choice = frmDefault::kIdMnuTmp;
    dialog.SetPopupTracker([&](HWND, HMENU menu, POINT) {
        offered.clear();
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[256]{};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            offered.push_back(text);
        }
        return choice;
    });
    ShowAnd([&] {
        // A right click on the folder text box.
        SendMessageW(dialog.txtDir(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
        EXPECT_EQ(offered, (std::vector<std::wstring>{L"現在の拡張子変更ファイル格納フォルダからコピー",
                                                      L"Ｗｉｎｄｏｗｓのテンポラリからコピー"}));
        std::wstring temp = GetTempFolder();
        if (temp.size() > 3 && temp.back() == L'\\') temp.pop_back();
        EXPECT_EQ(dialog.DirName.get(), ExpandLongPath(temp));
        EXPECT_TRUE(Enabled(dialog.btnOk()));

        choice = frmDefault::kIdMnuInDir;
        SendMessageW(dialog.dlbDir().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
        EXPECT_EQ(dialog.DirName.get(), other);

        // Nothing chosen: nothing changes.
        choice = 0;
        SendMessageW(dialog.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
        EXPECT_EQ(offered.size(), 2u);
        EXPECT_EQ(dialog.DirName.get(), other);
        Click(dialog.btnOk());
    });
    EXPECT_EQ(options.Dir_In, other);
}

TEST_F(DefaultDialogTest, WithoutTheSwitchTheBoxIsHiddenAndTheChoiceIsOn)
{
    dialog.pblnYukoMukouOk = false;
    dialog.pstr_lblDrive_Caption = std::wstring(L"Label");
    dialog.DirName = folder;
    dialog.Yuko = false;
    dialog.OnShown = [&] {
        EXPECT_FALSE(Visible(dialog.cbxDrive()));
        EXPECT_TRUE(dialog.Yuko);
        for (HWND c : FolderControls()) EXPECT_TRUE(Enabled(c));
        EXPECT_NEAR(RectOf(dialog.lblDrive()).Left, 60, kPixelTwips);
        // Free space is shown unless the caller says otherwise.
        const std::wstring label = WindowText(dialog.lblDrive());
        // (The figure itself moves while other programs write to the disk.)
        const std::wstring free = GetDiskFreeText(dialog.drvDrive().Drive());
        ASSERT_GT(free.size(), 4u);
        EXPECT_EQ(label.substr(0, 5 + 2), L"Label" + free.substr(0, 2));
        EXPECT_EQ(label.substr(label.size() - 4), free.substr(free.size() - 4));
        EXPECT_FALSE(Enabled(dialog.btnOk()));
        dialog.dlbDir().SetPath(other);
        Click(dialog.btnOk());
        EndShowing(dialog);
    };
    dialog.Show();
    EXPECT_TRUE(dialog.pblnOk);
    EXPECT_TRUE(dialog.Yuko);
}

TEST_F(DefaultDialogTest, LayoutFollowsTheSizeAndALowDialogKeepsTheListHeight)
{
    store.SetCurrent(L"Default_Width", L"6000");
    store.SetCurrent(L"Default_Height", L"5500");
    ASSERT_TRUE(dialog.Form_Load());
    dialog.DirName = folder;
    EXPECT_NEAR(dialog.Geometry().Width, 6000, kPixelTwips);
    EXPECT_NEAR(dialog.Geometry().Height, 5500, kPixelTwips);

    RECT client{};
    GetClientRect(dialog.Handle(), &client);
    const TwipsScale& s = TwipsScale::Screen();
    const float innerWidth = s.XToTwips(client.right), innerHeight = s.YToTwips(client.bottom);
    const TwipsRect lbl = RectOf(dialog.lblDrive()), drv = RectOf(dialog.drvDrive().Handle());
    const TwipsRect dlb = RectOf(dialog.dlbDir().Handle()), txt = RectOf(dialog.txtDir());
    const TwipsRect pnl = RectOf(dialog.pnlDefault());
    const float W = innerWidth - 120;
    const float H = innerHeight - pnl.Height - 300 - drv.Height - txt.Height - lbl.Height;
    EXPECT_NEAR(drv.Left, 60, kPixelTwips);
    EXPECT_NEAR(drv.Top, lbl.Top + lbl.Height + 60, 2 * kPixelTwips);
    EXPECT_NEAR(drv.Width, W, 2 * kPixelTwips);
    EXPECT_NEAR(dlb.Top, drv.Top + drv.Height + 60, 2 * kPixelTwips);
    EXPECT_NEAR(dlb.Height, H, 3 * kPixelTwips);
    EXPECT_NEAR(txt.Top, dlb.Top + H + 60, 3 * kPixelTwips);
    EXPECT_NEAR(txt.Width, W, 2 * kPixelTwips);
    EXPECT_NEAR(pnl.Top + pnl.Height, innerHeight, kPixelTwips) << "the button panel keeps to the bottom";
    EXPECT_LE(txt.Top + txt.Height, pnl.Top);
    const TwipsRect ok = RectOf(dialog.btnOk()), cancel = RectOf(dialog.btnCancel());
    EXPECT_LE(ok.Left + ok.Width, cancel.Left);
    EXPECT_LE(cancel.Left + cancel.Width, innerWidth);

    // Too low for the folder list: it keeps its height, the rest still follows the rule.
    SetWindowPos(dialog.Handle(), nullptr, 0, 0, s.XToPixels(6000), s.YToPixels(1700), SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(dialog.Handle(), &client);
    const TwipsRect lowDrv = RectOf(dialog.drvDrive().Handle());
    const float lowH = s.YToTwips(client.bottom) - RectOf(dialog.pnlDefault()).Height - 300 - lowDrv.Height -
                       RectOf(dialog.txtDir()).Height - RectOf(dialog.lblDrive()).Height;
    ASSERT_LT(lowH, 1);
    const TwipsRect lowDlb = RectOf(dialog.dlbDir().Handle());
    EXPECT_EQ(lowDlb.Height, dlb.Height);
    EXPECT_NEAR(lowDlb.Top, lowDrv.Top + lowDrv.Height + 60, 2 * kPixelTwips);
    EXPECT_NEAR(RectOf(dialog.txtDir()).Top, lowDlb.Top + lowH + 60, 3 * kPixelTwips);
}

TEST_F(DefaultDialogTest, AStoredSizeTooNarrowForALargeFontGrowsSoTheLabelShowsWhole)
{
    options.Font_Name = L"ＭＳ ゴシック";
    options.Font_Size = 16;
    store.SetCurrent(L"Default_Width", L"3000");
    ShowAnd([&] {
        ExpectCaptionFits(dialog.lblDrive());
        EXPECT_GT(dialog.Geometry().Width, 3000 + kPixelTwips);
        ExpectLaidOut(dialog.Handle(), {dialog.cbxDrive(), dialog.lblDrive(), dialog.drvDrive().Handle(),
                                        dialog.dlbDir().Handle(), dialog.txtDir(), dialog.pnlDefault()});
        ExpectLaidOut(dialog.pnlDefault(), {dialog.btnOk(), dialog.btnCancel()});
        Click(dialog.btnCancel());
    });
}

TEST_F(DefaultDialogTest, GeometryIsWrittenWithItsSize)
{
    ASSERT_TRUE(dialog.Form_Load());
    dialog.SetGeometry(TwipsRect{2400, 1800, 6000, 6600});
    dialog.Unload();
    EXPECT_EQ(store.Current(L"Default_Left"), L"2400");
    EXPECT_EQ(store.Current(L"Default_Top"), L"1800");
    EXPECT_EQ(store.Current(L"Default_Width"), L"6000");
    EXPECT_EQ(store.Current(L"Default_Height"), L"6600");
}

TEST_F(DefaultDialogTest, ASizeThatIsNoNumberCountsAsAbsent)
{
    store.SetCurrent(L"Default_Height", L"tall");
    EXPECT_TRUE(dialog.Form_Load());
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_NEAR(dialog.Geometry().Height, 4995, 30); // the design height
}

// A size no screen could hold would overflow the conversion to pixels: it counts as absent too.
TEST_F(DefaultDialogTest, ASizeNoScreenCouldHoldCountsAsAbsent)
{
    store.SetCurrent(L"Default_Width", L"3E+38");
    store.SetCurrent(L"Default_Height", L"-3E+38");
    EXPECT_TRUE(dialog.Form_Load());
    EXPECT_NEAR(dialog.Geometry().Width, 5000, 30);
    EXPECT_NEAR(dialog.Geometry().Height, 4995, 30);
}

} // namespace
} // namespace tavlo
