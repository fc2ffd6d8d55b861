#include "DialogTestSupport.h"
#include "common/Catalogue.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOption.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

using namespace test;

// A plain top-level window standing in for the main window.
class OwnerWindow {
public:
    OwnerWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Tavlo2.DialogTestOwner";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~OwnerWindow() { DestroyWindow(hwnd_); }
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

class DialogFormTest : public DialogTest {};

TEST_F(DialogFormTest, ShowingDisablesTheOwnerUntilTheDialogIsHidden)
{
    OwnerWindow owner;
    frmAbout about;
    about.SetStore(store.store());
    about.SetOwner(owner.get());
    bool ownerEnabledMeanwhile = true;
    HWND ownerSeen = nullptr;
    about.OnShown = [&] {
        ownerEnabledMeanwhile = Enabled(owner.get());
        ownerSeen = GetWindow(about.Handle(), GW_OWNER);
        EXPECT_TRUE(about.IsModal());
        // A second request to show while shown does not nest.
        about.Show();
        PostMessageW(about.btnOk(), BM_CLICK, 0, 0);
    };
    about.Show();
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_EQ(ownerSeen, owner.get());
    EXPECT_FALSE(about.IsModal());
    EXPECT_FALSE(about.IsVisible());
    EXPECT_TRUE(Enabled(owner.get()));

    // Unloaded by its close box while shown: the owner is enabled again as well.
    about.OnShown = [&] { PostMessageW(about.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); };
    about.Show();
    EXPECT_FALSE(about.IsLoaded());
    EXPECT_TRUE(Enabled(owner.get()));
}

TEST_F(DialogFormTest, AQuitDuringTheShowingEndsItAndReachesTheMainLoop)
{
    frmAbout about;
    about.SetStore(store.store());
    about.OnShown = [] { PostQuitMessage(7); };
    about.Show();
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    about.Hide();
}

// On a monitor of twice the resolution a dialog takes the suggested rectangle and lays out its
// controls, in a font twice as tall, at twice the size.
TEST_F(DialogFormTest, ADpiChangeRescalesTheDialog)
{
    frmOption option;
    option.SetStore(store.store());
    ASSERT_TRUE(option.Form_Load());
    auto fontHeight = [](HWND control) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf.lfHeight;
    };
    RECT outer{}, ok{};
    GetWindowRect(option.Handle(), &outer);
    GetWindowRect(option.btnOk(), &ok);
    const LONG font = fontHeight(option.btnOk());
    const int dpi = TwipsScale::Screen().DpiY();
    RECT suggested{outer.left, outer.top, outer.left + 2 * (outer.right - outer.left),
                   outer.top + 2 * (outer.bottom - outer.top)};
    SendMessageW(option.Handle(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT okNow{};
    GetWindowRect(option.btnOk(), &okNow);
    EXPECT_NEAR(fontHeight(option.btnOk()), 2 * font, 1);
    EXPECT_NEAR(okNow.bottom - okNow.top, 2 * (ok.bottom - ok.top), 2);
    EXPECT_NEAR(okNow.right - okNow.left, 2 * (ok.right - ok.left), 2);
    option.Unload();
}

TEST_F(DialogFormTest, PositionIsReadWhereTheProbeSaysAndWrittenToTheCurrentLocation)
{
    store.SetLegacy(L"Option_Left", L"2100");
    store.SetLegacy(L"Option_Top", L"1650");
    store.SetCurrent(L"Option_Left", L"600");
    store.SetCurrent(L"Option_Top", L"450");
    {
        frmOption dialog;
        dialog.SetStore(store.store());
        ASSERT_TRUE(dialog.Form_Load());
        EXPECT_NEAR(dialog.Geometry().Left, 2100, kPixelTwips);
        EXPECT_NEAR(dialog.Geometry().Top, 1650, kPixelTwips);
        dialog.Unload();
    }
    EXPECT_EQ(store.Current(L"Option_Left"), L"2100");
    EXPECT_EQ(store.Current(L"Option_Top"), L"1650");

    // A legacy probe of -9999 sends the reading to the current location.
    store.SetLegacy(L"Option_Left", L"-9999");
    store.SetCurrent(L"Option_Left", L"600");
    frmOption dialog;
    dialog.SetStore(store.store());
    ASSERT_TRUE(dialog.Form_Load());
    EXPECT_NEAR(dialog.Geometry().Left, 600, kPixelTwips);
    EXPECT_NEAR(dialog.Geometry().Top, 1650, kPixelTwips);
}

TEST_F(DialogFormTest, BadStoredPositionsCountAsAbsentAndAnUnmadeDialogReportsItsText)
{
    frmOption dialog;
    dialog.SetStore(store.store());
    store.SetCurrent(L"Option_Left", L"1,2,3");
    store.SetLegacy(L"Option_Top", L"x");
    EXPECT_TRUE(dialog.Form_Load());
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_NEAR(dialog.Geometry().Left, 1000, 30);
    dialog.Unload();

    test::RefuseWindowCreation refuse(L"Tavlo2.Dialog", 1);
    EXPECT_FALSE(dialog.Form_Load());
    EXPECT_EQ(failures.texts, std::vector<std::wstring>{L"Tavlo2 frmOption Form_Load ERR"});
}

TEST_F(DialogFormTest, TheCloseBoxDiscardsLikeCancelAndTheNextShowingLoadsAgain)
{
    options.Hira = false;
    frmOption dialog;
    dialog.SetStore(store.store());
    ASSERT_TRUE(dialog.Form_Load());
    dialog.OnShown = [&] {
        Click(dialog.ckbHira());
        dialog.SetGeometry(TwipsRect{1800, 1200, dialog.Geometry().Width, dialog.Geometry().Height});
        CloseBox(dialog.Handle());
    };
    dialog.Show();
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_FALSE(options.Hira);
    EXPECT_EQ(store.Current(L"Option_Left"), L"1800");
    EXPECT_EQ(store.Current(L"Option_Top"), L"1200");

    store.SetCurrent(L"Option_Top", L"900");
    dialog.OnShown = [&] {
        EXPECT_EQ(WindowText(dialog.Handle()), L"Option");
        EXPECT_NEAR(dialog.Geometry().Top, 900, kPixelTwips);
        EXPECT_FALSE(Checked(dialog.ckbHira()));
        Click(dialog.btnCancel());
    };
    dialog.Show();
    EXPECT_TRUE(dialog.IsLoaded());
}

// The options dialog inside the program: a change of the tooltip choice reaches every window.
class DialogsInTheFrameTest : public FrameTest {};

TEST_F(DialogsInTheFrameTest, TurningTipOffClearsTheTooltipsOfAllWindowsAtOnce)
{
    store.SetCurrent(L"Tip", L"True");
    ASSERT_TRUE(Open());
    ASSERT_TRUE(options.Tip);
    frmOption& dialog = frame->OptionDialog();
    frmMenuMente& aliases = frame->MenuMenteDialog();
    frmDefault& folder = frame->DefaultDialog();
    ASSERT_EQ(frame->Tips().Text(frame->btnExe(0)), ProgramText(program_text::ModeTipFirst));
    ASSERT_EQ(aliases.Tips().Text(aliases.btnUp()), GeneralText(general_text::MoveUpTip));
    ASSERT_EQ(dialog.Tips().Text(dialog.ckbAuto()), ProgramText(program_text::AutoRunTip));

    dialog.OnShown = [&] {
        EXPECT_FALSE(Enabled(frame->Handle())) << "the main window waits";
        Click(dialog.ckbTip());
        Click(dialog.btnOk());
    };
    frame->mnuOption_Click();
    dialog.OnShown = nullptr;
    EXPECT_FALSE(options.Tip);
    EXPECT_TRUE(Enabled(frame->Handle()));
    EXPECT_EQ(frame->Tips().Text(frame->btnExe(0)), L"");
    EXPECT_EQ(frame->Tips().Text(frame->btnCancel()), L"");
    EXPECT_EQ(aliases.Tips().Text(aliases.btnUp()), L"");
    EXPECT_EQ(folder.Tips().Text(folder.btnOk()), L"");
    EXPECT_EQ(dialog.Tips().Text(dialog.ckbAuto()), L"");
    for (ChildForm* child : frame->Children()) {
        for (HWND control = GetWindow(child->Handle(), GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
            EXPECT_EQ(child->Tips().Text(control), L"") << WindowText(child->Handle());
    }

    // And back on: the texts return.
    dialog.OnShown = [&] {
        Click(dialog.ckbTip());
        Click(dialog.btnOk());
    };
    frame->mnuOption_Click();
    EXPECT_TRUE(options.Tip);
    EXPECT_EQ(frame->Tips().Text(frame->btnExe(0)), ProgramText(program_text::ModeTipFirst));
    EXPECT_EQ(aliases.Tips().Text(aliases.btnUp()), GeneralText(general_text::MoveUpTip));
    EXPECT_EQ(folder.Tips().Text(folder.btnOk()), GeneralText(general_text::OkButtonTip));
    EXPECT_EQ(dialog.Tips().Text(dialog.ckbAuto()), ProgramText(program_text::AutoRunTip));
    Close();
}

} // namespace
} // namespace tavlo
