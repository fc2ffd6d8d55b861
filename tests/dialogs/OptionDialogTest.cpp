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
        EXPECT_EQ(WindowText(dialog.obtExe(i)), ProgramText(TextNumber(8050 + i)));
        EXPECT_EQ(tips.Text(dialog.obtExe(i)), ProgramText(TextNumber(8060 + i)));
    }
    for (int i = 0; i < frmOption::kRowCount; ++i) {
        EXPECT_EQ(WindowText(dialog.ckb43(i)), ProgramText(TextNumber(8080 + i)));
        EXPECT_EQ(WindowText(dialog.ckb34(i)), ProgramText(TextNumber(8090 + i)));
        EXPECT_EQ(tips.Text(dialog.ckb43(i)), ProgramText(TextNumber(8100 + i)));
        EXPECT_EQ(tips.Text(dialog.ckb34(i)), ProgramText(TextNumber(8110 + i)));
    }

    struct Expect {
        HWND control;
        std::wstring_view caption;
        std::wstring_view tip;
    };
    const Expect table[] = {
        {dialog.ckbAuto(), ProgramText(program_text::AutoRun), ProgramText(program_text::AutoRunTip)},
        {dialog.ckbLog(), GeneralText(general_text::CopyLog), GeneralText(general_text::CopyLogTip)},
        {dialog.ckbHira(), ProgramText(program_text::Hiragana), ProgramText(program_text::HiraganaTip)},
        {dialog.ckbDblExp(), ProgramText(program_text::DoubleExtensions), ProgramText(program_text::DoubleExtensionsTip)},
        {dialog.ckbResize(), GeneralText(general_text::ResizeChildren), GeneralText(general_text::ResizeChildrenTip)},
        {dialog.ckbTip(), GeneralText(general_text::ShowTips), GeneralText(general_text::ShowTipsTip)},
        {dialog.ckbPreview(), ProgramText(program_text::PreviewOption), ProgramText(program_text::PreviewOptionTip)},
        {dialog.btnInit(), GeneralText(general_text::Defaults), GeneralText(general_text::DefaultsTip)},
        {dialog.btnCancel(), GeneralText(general_text::CancelButton), GeneralText(general_text::CancelButtonTip)},
        {dialog.btnOk(), GeneralText(general_text::OkButton), GeneralText(general_text::OkButtonTip)},
    };
    for (const Expect& e : table) {
        EXPECT_EQ(WindowText(e.control), e.caption);
        EXPECT_EQ(tips.Text(e.control), e.tip) << WindowText(e.control);
    }
    EXPECT_EQ(WindowText(dialog.lbl43()), L"[4->3]");
    EXPECT_EQ(WindowText(dialog.lbl34()), L"[3->4]");
    EXPECT_EQ(tips.Text(dialog.lbl43()), L"");
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
    options.Preview = true;
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
        EXPECT_TRUE(Checked(dialog.ckbPreview()));
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
    options.AutoExe = 8;
    ShowAnd([&] {
        EXPECT_EQ(SelectedMode(), 8) << "the last mode is in range";
        Click(dialog.btnCancel());
    });
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
        EXPECT_FALSE(Checked(dialog.ckbPreview())) << "the preview is off by default";
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

TEST_F(OptionDialogTest, NothingOverlapsAndEveryCaptionFitsAtALargeFont)
{
    options.Font_Name = L"ＭＳ ゴシック";
    options.Font_Size = 16;
    options.Font_Bold = true;
    options.Auto = true;
    ASSERT_TRUE(dialog.Form_Load());

    ExpectLaidOut(dialog.Handle(), {dialog.ckbAuto(), dialog.pnlAuto(), dialog.ckbLog(), dialog.ckbHira(),
                                    dialog.ckbDblExp(), dialog.lbl43(), dialog.lbl34(), dialog.pnl43(), dialog.pnl34(),
                                    dialog.ckbResize(), dialog.ckbTip(), dialog.btnInit(), dialog.btnCancel(),
                                    dialog.btnOk()});
    std::vector<HWND> modes;
    for (int i = 0; i < frmOption::kModeCount; ++i) modes.push_back(dialog.obtExe(i));
    ExpectLaidOut(dialog.pnlAuto(), modes);
    EXPECT_GE(TextExtent(dialog.ckbDblExp(), L"２").cy, 18) << "the stored 16-point font reached the controls";
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    for (HWND c : {dialog.ckbAuto(), dialog.ckbDblExp(), dialog.ckbResize(), dialog.obtExe(6), dialog.ckb43(2),
                   dialog.ckb34(2)})
        ExpectCaptionFits(c, check);
    for (HWND c : {dialog.btnInit(), dialog.lbl43()}) ExpectCaptionFits(c);
}

} // namespace
} // namespace tavlo
