#include "DialogTestSupport.h"
#include "common/Catalogue.h"
#include "dialogs/frmAbout.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

using namespace test;

class AboutDialogTest : public DialogTest {
protected:
    void SetUp() override { dialog.SetStore(store.store()); }
    void ShowAnd(const std::function<void()>& work)
    {
        dialog.OnShown = [&] {
            work();
            EndShowing(dialog);
        };
        dialog.Show();
        dialog.OnShown = nullptr;
    }
    static int FontHeight(HWND control)
    {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    }

    frmAbout dialog;
};

TEST_F(AboutDialogTest, ShowsPictureTitleNameVersionAndContacts)
{
    ASSERT_TRUE(dialog.Form_Load());
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(WindowText(dialog.Handle()), L"About");
    EXPECT_EQ(WindowText(dialog.lblAboutTitle()), L"タブロ２");
    EXPECT_EQ(WindowText(dialog.lblAboutProgName()), L"Tavlo2 for Win32");
    EXPECT_EQ(WindowText(dialog.lblAboutVersion()), L"Ver.1.00");
    EXPECT_FALSE(WindowText(dialog.lblAboutName()).empty());
    EXPECT_EQ(WindowText(dialog.txtWeb()), GeneralText(general_text::ContactWeb));
    EXPECT_EQ(WindowText(dialog.txtMail()), GeneralText(general_text::ContactMail));
    EXPECT_EQ(WindowText(dialog.txtNetId()), GeneralText(general_text::ContactName));
    EXPECT_FALSE(WindowText(dialog.txtMail()).empty());
    EXPECT_EQ(WindowText(dialog.btnOk()), L"Ok");
    EXPECT_NE(SendMessageW(dialog.imgAbout(), STM_GETICON, 0, 0), 0);

    // Every text fits its control and nothing overlaps.
    ExpectLaidOut(dialog.Handle(), {dialog.imgAbout(), dialog.lblAboutTitle(), dialog.lblAboutProgName(),
                                    dialog.lblAboutVersion(), dialog.lblAboutName(), dialog.txtWeb(),
                                    dialog.txtMail(), dialog.txtNetId(), dialog.btnOk()});
    for (HWND c : {dialog.lblAboutTitle(), dialog.lblAboutName(), dialog.txtWeb(), dialog.btnOk()})
        ExpectCaptionFits(c);
}

TEST_F(AboutDialogTest, OpenedTwiceShowsWhereItWasHiddenAndStoresOnlyWhenUnloaded)
{
    ASSERT_TRUE(dialog.Form_Load());
    ShowAnd([&] {
        dialog.SetGeometry(TwipsRect{2250, 1800, dialog.Geometry().Width, dialog.Geometry().Height});
        Click(dialog.btnOk());
    });
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(store.Current(L"About_Left"), L"<absent>");
    TwipsRect seen{};
    ShowAnd([&] {
        seen = dialog.Geometry();
        // Escape closes it too.
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_NEAR(seen.Left, 2250, kPixelTwips);
    EXPECT_NEAR(seen.Top, 1800, kPixelTwips);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(store.Current(L"About_Left"), L"<absent>");

    // The close box unloads and stores; the next showing loads it again from the store.
    ShowAnd([&] { CloseBox(dialog.Handle()); });
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(store.Current(L"About_Left"), L"2250");
    EXPECT_EQ(store.Current(L"About_Top"), L"1800");
    store.SetCurrent(L"About_Left", L"3000");
    ShowAnd([&] {
        EXPECT_NEAR(dialog.Geometry().Left, 3000, kPixelTwips);
        EXPECT_EQ(WindowText(dialog.lblAboutVersion()), L"Ver.1.00");
        Click(dialog.btnOk());
    });
}

TEST_F(AboutDialogTest, ABadPositionCountsAsAbsentAndAFailedLoadIsPassedOverSilently)
{
    options.Font_Name = L"ＭＳ ゴシック";
    options.Font_Size = 20;
    store.SetCurrent(L"About_Left", L"left");
    store.SetCurrent(L"About_Top", L"2000");
    EXPECT_TRUE(dialog.Form_Load());
    EXPECT_TRUE(failures.texts.empty());
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_NEAR(dialog.Geometry().Left, 1000, kPixelTwips);
    EXPECT_NEAR(dialog.Geometry().Top, 2000, kPixelTwips);
    EXPECT_GE(FontHeight(dialog.lblAboutTitle()), 20);
    dialog.Unload();
    {
        test::RefuseWindowCreation refuse(L"Tavlo2.Dialog", 1);
        EXPECT_TRUE(dialog.Form_Load());
    }
    EXPECT_TRUE(failures.texts.empty());

    // With a good position the stored font reaches every text control.
    dialog.Unload();
    store.SetCurrent(L"About_Left", L"1500");
    ASSERT_TRUE(dialog.Form_Load());
    const int height = FontHeight(dialog.lblAboutTitle());
    EXPECT_GE(height, 25);
    for (HWND c : {dialog.btnOk(), dialog.lblAboutName(), dialog.lblAboutVersion(), dialog.lblAboutProgName(),
                   dialog.txtNetId(), dialog.txtMail(), dialog.txtWeb()})
        EXPECT_EQ(FontHeight(c), height);
}

TEST_F(AboutDialogTest, PositionIsKeptOnTheScreen)
{
    store.SetCurrent(L"About_Left", L"-200");
    store.SetCurrent(L"About_Top", L"9999999");
    ASSERT_TRUE(dialog.Form_Load());
    EXPECT_NEAR(dialog.Geometry().Left, 1000, kPixelTwips);
    EXPECT_NEAR(dialog.Geometry().Top, 1000, kPixelTwips);
    dialog.Unload();

    // A position on the screen, even at its very edge, stays.
    const float screenWidth = TwipsScale::Screen().XToTwips(GetSystemMetrics(SM_CXSCREEN));
    store.SetCurrent(L"About_Left", std::to_wstring(static_cast<int>(screenWidth) - 15));
    store.SetCurrent(L"About_Top", L"0");
    ASSERT_TRUE(dialog.Form_Load());
    EXPECT_NEAR(dialog.Geometry().Left, screenWidth - 15, kPixelTwips);
    EXPECT_NEAR(dialog.Geometry().Top, 0, kPixelTwips);
}

} // namespace
} // namespace tavlo
