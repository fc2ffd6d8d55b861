#include "DialogTestSupport.h"
#include "common/Catalogue.h"
#include "dialogs/frmOption.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tavlo {
namespace {

using namespace test;

class OptionDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        options.Tip = true;
        options.Auto = false;
        options.AutoExe = 0;
        options.AutoLog = false;
        options.Hira = false;
        options.DblExp = false;
        options.Resize = false;
        options.Exp43 = {true, true, true, true, true, true};
        options.Exp34 = {true, true, true, true, true, true};
        dialog.SetStore(store.store());
    }
    // Shows the dialog modally and lets `work` act on it while it is on the screen.
    void ShowAnd(const std::function<void()>& work)
    {
        dialog.OnShown = [&] {
            work();
            EndShowing(dialog);
        };
        dialog.Show();
        dialog.OnShown = nullptr;
    }
    int SelectedMode() const
    {
        int selected = -1;
        for (int i = 0; i < frmOption::kModeCount; ++i)
            if (Checked(dialog.obtExe(i))) {
                EXPECT_EQ(selected, -1) << "two modes selected";
                selected = i;
            }
        return selected;
    }

    frmOption dialog;
};

TEST_F(OptionDialogTest, LoadSetsEveryCaptionAndTooltipFromTheCatalogues)
{
    ASSERT_TRUE(dialog.Form_Load());
    EXPECT_FALSE(dialog.IsVisible()) << "loaded hidden";
    EXPECT_EQ(WindowText(dialog.Handle()), L"Option");
    const ToolTip& tips = dialog.Tips();
    for (int i = 0; i < frmOption::kModeCount; ++i) {
        EXPECT_EQ(WindowText(dialog.obtExe(i)), ProgramText(static_cast<std::int16_t>(8050 + i)));
        EXPECT_EQ(tips.Text(dialog.obtExe(i)), ProgramText(static_cast<std::int16_t>(8060 + i)));
    }
    for (int i = 0; i < frmOption::kRowCount; ++i) {
        EXPECT_EQ(WindowText(dialog.ckb43(i)), ProgramText(static_cast<std::int16_t>(8080 + i)));
        EXPECT_EQ(WindowText(dialog.ckb34(i)), ProgramText(static_cast<std::int16_t>(8090 + i)));
        EXPECT_EQ(tips.Text(dialog.ckb43(i)), ProgramText(static_cast<std::int16_t>(8100 + i)));
        EXPECT_EQ(tips.Text(dialog.ckb34(i)), ProgramText(static_cast<std::int16_t>(8110 + i)));
    }
    EXPECT_EQ(WindowText(dialog.ckb43(0)), L"HTML->HTM");
    EXPECT_EQ(WindowText(dialog.ckb34(5)), L"TXT->TEXT");
    EXPECT_EQ(WindowText(dialog.obtExe(2)), L"４－＞３");

    struct Expect {
        HWND control;
        std::wstring_view caption;
        std::wstring_view tip;
    };
    const Expect table[] = {
        {dialog.ckbAuto(), ProgramText(8038), ProgramText(8041)},
        {dialog.ckbLog(), GeneralText(8060), GeneralText(8061)},
        {dialog.ckbHira(), ProgramText(8039), ProgramText(8042)},
        {dialog.ckbDblExp(), ProgramText(8040), ProgramText(8043)},
        {dialog.ckbResize(), GeneralText(8056), GeneralText(8057)},
        {dialog.ckbTip(), GeneralText(8058), GeneralText(8059)},
        {dialog.btnInit(), GeneralText(8042), GeneralText(8045)},
        {dialog.btnCancel(), GeneralText(8043), GeneralText(8046)},
        {dialog.btnOk(), GeneralText(8044), GeneralText(8047)},
    };
    for (const Expect& e : table) {
        EXPECT_EQ(WindowText(e.control), e.caption);
        EXPECT_EQ(tips.Text(e.control), e.tip) << WindowText(e.control);
    }
    EXPECT_EQ(WindowText(dialog.ckbLog()), L"結果をクリップボートにコピー");
    EXPECT_EQ(WindowText(dialog.lbl43()), L"[4->3]");
    EXPECT_EQ(WindowText(dialog.lbl34()), L"[3->4]");
    EXPECT_EQ(tips.Text(dialog.lbl43()), L"");
}

TEST_F(OptionDialogTest, LoadWithTipOffLeavesEveryTooltipEmpty)
{
    options.Tip = false;
    ASSERT_TRUE(dialog.Form_Load());
    for (HWND c : {dialog.ckbAuto(), dialog.obtExe(0), dialog.ckb43(3), dialog.btnOk(), dialog.ckbTip()})
        EXPECT_EQ(dialog.Tips().Text(c), L"");
    dialog.SetToolTip(true);
    EXPECT_EQ(dialog.Tips().Text(dialog.ckb34(3)), L"AIFをAIFFに変更します");
}

TEST_F(OptionDialogTest, ActivationShowsTheOptionsWithOkDisabled)
{
    options.Auto = true;
    options.AutoExe = 6;
    options.AutoLog = true;
    options.Hira = true;
    options.DblExp = false;
    options.Resize = true;
    options.Tip = false;
    options.Exp43 = {true, false, true, false, true, false};
    options.Exp34 = {false, false, false, true, true, true};
    bool shown = false;
    ShowAnd([&] {
        shown = true;
        EXPECT_TRUE(Visible(dialog.Handle()));
        EXPECT_TRUE(Checked(dialog.ckbAuto()));
        EXPECT_TRUE(Visible(dialog.pnlAuto()));
        EXPECT_TRUE(Visible(dialog.ckbLog()));
        EXPECT_EQ(SelectedMode(), 6);
        EXPECT_TRUE(Checked(dialog.ckbLog()));
        EXPECT_TRUE(Checked(dialog.ckbHira()));
        EXPECT_FALSE(Checked(dialog.ckbDblExp()));
        EXPECT_TRUE(Checked(dialog.ckbResize()));
        EXPECT_FALSE(Checked(dialog.ckbTip()));
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Checked(dialog.ckb43(i)), options.Exp43[i]) << i;
            EXPECT_EQ(Checked(dialog.ckb34(i)), options.Exp34[i]) << i;
        }
        EXPECT_FALSE(Enabled(dialog.btnOk()));
        Click(dialog.btnCancel());
    });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_TRUE(dialog.IsLoaded()) << "Cancel only hides";
}

TEST_F(OptionDialogTest, OkStaysDisabledUntilAControlIsClicked)
{
    ShowAnd([&] {
        // Enter asks for OK; with nothing changed there is nothing to apply and the dialog stays.
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(dialog.IsVisible());
        Click(dialog.btnOk());
        EXPECT_TRUE(dialog.IsVisible());
        Click(dialog.ckb34(2));
        EXPECT_TRUE(Enabled(dialog.btnOk()));
        Click(dialog.btnOk());
    });
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_FALSE(options.Exp34[2]);
    EXPECT_TRUE(options.Exp34[1]);

    // Every kind of option control enables OK.
    std::vector<HWND> controls;
    ShowAnd([&] {
        controls = {dialog.ckbAuto(), dialog.obtExe(4), dialog.ckbLog(), dialog.ckbHira(), dialog.ckbDblExp(),
                    dialog.ckbResize(), dialog.ckbTip(), dialog.ckb43(5), dialog.ckb34(0)};
        for (HWND c : controls) {
            EnableWindow(dialog.btnOk(), FALSE);
            Click(c);
            EXPECT_TRUE(Enabled(dialog.btnOk())) << WindowText(c);
        }
        Click(dialog.btnCancel());
    });
}

TEST_F(OptionDialogTest, ModeGroupFollowsTheAutoBoxAndHiddenValuesAreStillStored)
{
    options.Auto = false;
    options.AutoExe = 5;
    options.AutoLog = true;
    ShowAnd([&] {
        EXPECT_FALSE(Visible(dialog.pnlAuto()));
        EXPECT_FALSE(Visible(dialog.ckbLog()));
        EXPECT_EQ(SelectedMode(), 5) << "the hidden group holds the stored mode";
        Click(dialog.ckbAuto());
        EXPECT_TRUE(Visible(dialog.pnlAuto()));
        EXPECT_TRUE(Visible(dialog.obtExe(2)));
        EXPECT_TRUE(Visible(dialog.ckbLog()));
        Click(dialog.obtExe(2));
        Click(dialog.ckbLog());
        Click(dialog.ckbAuto());
        EXPECT_FALSE(Visible(dialog.pnlAuto()));
        EXPECT_FALSE(Visible(dialog.ckbLog()));
        Click(dialog.btnOk());
    });
    EXPECT_FALSE(options.Auto);
    EXPECT_EQ(options.AutoExe, 2);
    EXPECT_FALSE(options.AutoLog);
}

TEST_F(OptionDialogTest, CancelDiscardsAndTheNextShowingStartsFromMemory)
{
    ShowAnd([&] {
        Click(dialog.ckb43(1));
        Click(dialog.ckbHira());
        Click(dialog.obtExe(7));
        Click(dialog.btnCancel());
    });
    EXPECT_TRUE(options.Exp43[1]);
    EXPECT_FALSE(options.Hira);
    EXPECT_EQ(options.AutoExe, 0);

    ShowAnd([&] {
        EXPECT_TRUE(Checked(dialog.ckb43(1)));
        EXPECT_FALSE(Checked(dialog.ckbHira()));
        EXPECT_EQ(SelectedMode(), 0);
        EXPECT_FALSE(Enabled(dialog.btnOk()));
        Click(dialog.btnCancel());
    });
}

TEST_F(OptionDialogTest, AModeOutsideTheRangeShowsTheFirstAndOkStoresIt)
{
    options.AutoExe = 9;
    ShowAnd([&] {
        EXPECT_EQ(SelectedMode(), 0);
        Click(dialog.ckbHira());
        Click(dialog.btnOk());
    });
    EXPECT_EQ(options.AutoExe, 0);
    EXPECT_TRUE(options.Hira);

    options.AutoExe = -1;
    ShowAnd([&] {
        EXPECT_EQ(SelectedMode(), 0);
        Click(dialog.btnCancel());
    });
    EXPECT_EQ(options.AutoExe, -1) << "Cancel keeps even a value out of range";
}

TEST_F(OptionDialogTest, DefaultsFillTheControlsOnlyAndCountOnlyAfterOk)
{
    options.Auto = true;
    options.AutoExe = 3;
    options.AutoLog = false;
    options.Hira = false;
    options.DblExp = false;
    options.Resize = false;
    options.Exp43 = {false, false, false, false, false, false};
    options.Exp34 = {false, true, false, true, false, true};
    const OptionState before = options;

    ShowAnd([&] {
        Click(dialog.btnInit());
        EXPECT_TRUE(Enabled(dialog.btnOk()));
        EXPECT_FALSE(Checked(dialog.ckbAuto()));
        EXPECT_FALSE(Visible(dialog.pnlAuto()));
        EXPECT_FALSE(Visible(dialog.ckbLog()));
        EXPECT_EQ(SelectedMode(), 0);
        for (HWND c : {dialog.ckbLog(), dialog.ckbHira(), dialog.ckbDblExp(), dialog.ckbResize(), dialog.ckbTip()})
            EXPECT_TRUE(Checked(c)) << WindowText(c);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(Checked(dialog.ckb43(i)));
            EXPECT_TRUE(Checked(dialog.ckb34(i)));
        }
        Click(dialog.btnCancel());
    });
    EXPECT_EQ(options.Auto, before.Auto);
    EXPECT_EQ(options.AutoExe, before.AutoExe);
    EXPECT_EQ(options.Exp43, before.Exp43);
    EXPECT_EQ(options.Exp34, before.Exp34);
    EXPECT_EQ(options.DblExp, before.DblExp);

    ShowAnd([&] {
        Click(dialog.btnInit());
        Click(dialog.btnOk());
    });
    EXPECT_FALSE(options.Auto);
    EXPECT_EQ(options.AutoExe, 0);
    EXPECT_TRUE(options.AutoLog);
    EXPECT_TRUE(options.Hira);
    EXPECT_TRUE(options.DblExp);
    EXPECT_TRUE(options.Resize);
    EXPECT_TRUE(options.Tip);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(options.Exp43[i]);
        EXPECT_TRUE(options.Exp34[i]);
    }
}

TEST_F(OptionDialogTest, TurningTipOffClearsTheDialogsOwnTooltips)
{
    ASSERT_TRUE(dialog.Form_Load());
    ASSERT_EQ(dialog.Tips().Text(dialog.ckbHira()), ProgramText(8042));
    ShowAnd([&] {
        Click(dialog.ckbTip());
        Click(dialog.btnOk());
    });
    EXPECT_FALSE(options.Tip);
    EXPECT_EQ(dialog.Tips().Text(dialog.ckbHira()), L"");
    EXPECT_EQ(dialog.Tips().Text(dialog.btnOk()), L"");
    ShowAnd([&] {
        Click(dialog.ckbTip());
        Click(dialog.btnOk());
    });
    EXPECT_EQ(dialog.Tips().Text(dialog.ckbHira()), ProgramText(8042));
}

TEST_F(OptionDialogTest, NothingOverlapsAndEveryCaptionFitsAtALargeFont)
{
    options.Font_Name = L"ＭＳ ゴシック";
    options.Font_Size = 16;
    options.Font_Bold = true;
    options.Auto = true;
    ASSERT_TRUE(dialog.Form_Load());

    std::vector<HWND> controls = {dialog.ckbAuto(), dialog.pnlAuto(), dialog.ckbLog(), dialog.ckbHira(),
                                  dialog.ckbDblExp(), dialog.lbl43(), dialog.lbl34(), dialog.pnl43(), dialog.pnl34(),
                                  dialog.ckbResize(), dialog.ckbTip(), dialog.btnInit(), dialog.btnCancel(),
                                  dialog.btnOk()};
    RECT client{};
    GetClientRect(dialog.Handle(), &client);
    MapWindowPoints(dialog.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (std::size_t a = 0; a < controls.size(); ++a) {
        RECT ra = ScreenRect(controls[a]);
        EXPECT_GE(ra.left, client.left);
        EXPECT_LE(ra.right, client.right) << WindowText(controls[a]);
        EXPECT_LE(ra.bottom, client.bottom) << WindowText(controls[a]);
        for (std::size_t b = a + 1; b < controls.size(); ++b)
            EXPECT_FALSE(Overlap(ra, ScreenRect(controls[b])))
                << WindowText(controls[a]) << " / " << WindowText(controls[b]);
    }
    // Each caption fits its control at the control's own font.
    auto fits = [](HWND control, int reserved) {
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        std::wstring text = WindowText(control);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        RECT rc{};
        GetClientRect(control, &rc);
        EXPECT_GE(rc.right, size.cx + reserved) << text;
        EXPECT_GE(rc.bottom, tm.tmHeight) << text;
        return tm.tmHeight;
    };
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    int height = fits(dialog.ckbDblExp(), check);
    EXPECT_GE(height, 18) << "the stored 16-point font reached the controls";
    fits(dialog.ckbAuto(), check);
    fits(dialog.ckbResize(), check);
    fits(dialog.obtExe(6), check);
    fits(dialog.ckb43(2), check);
    fits(dialog.ckb34(2), check);
    fits(dialog.btnInit(), 0);
    fits(dialog.lbl43(), 0);
    for (int i = 0; i < frmOption::kModeCount; ++i)
        for (int j = i + 1; j < frmOption::kModeCount; ++j)
            EXPECT_FALSE(Overlap(ScreenRect(dialog.obtExe(i)), ScreenRect(dialog.obtExe(j))));
    RECT panel = ScreenRect(dialog.pnlAuto());
    RECT last = ScreenRect(dialog.obtExe(7));
    EXPECT_LE(last.right, panel.right);
    EXPECT_LE(last.bottom, panel.bottom);
}

} // namespace
} // namespace tavlo
