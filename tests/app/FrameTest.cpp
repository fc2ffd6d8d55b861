#include "TestSupport.h"
#include "UiTestSupport.h"
#include "app/Program.h"
#include "common/Catalogue.h"
#include "windows/SharedMenu.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

using test::FrameTest;
using test::PumpMessages;
using test::RectIn;
using test::WindowText;

class MainWindowTest : public FrameTest {
protected:
    const TwipsScale& s = TwipsScale::Screen();

    // A length in twips as a window can take it: whole pixels.
    TwipsRect Snapped(TwipsRect r)
    {
        return TwipsRect{s.XToTwips(s.XToPixels(r.Left)), s.YToTwips(s.YToPixels(r.Top)),
                         s.XToTwips(s.XToPixels(r.Width)), s.YToTwips(s.YToPixels(r.Height))};
    }
    RECT InClient(ChildForm& child) { return RectIn(child.Handle(), frame->MdiClient()); }
    RECT Cancel() { return RectIn(frame->btnCancel(), frame->pnlKelmo()); }
    // Where the Cancel button's left edge belongs for the present inner width.
    int ExpectedCancelLeft()
    {
        RECT c = Cancel();
        return s.XToPixels(CInt(frame->InnerWidth() - 60 - s.XToTwips(c.right - c.left)));
    }
};

TEST_F(MainWindowTest, CaptionsComeFromTheCatalogues)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(WindowText(frame->Handle()), L"Tavlo2 for Win32");
    const wchar_t* captions[] = {L"３", L"ＤＯＣ", L"4->3", L"3->4", L"全角", L"半角", L"小文字", L"大文字", L"中身"};
    static_assert(std::size(captions) == frmTavlo::kModeCount);
    for (int i = 0; i < frmTavlo::kModeCount; ++i) EXPECT_EQ(WindowText(frame->btnExe(i)), captions[i]) << i;
    EXPECT_EQ(WindowText(frame->btnCancel()), L"ｷｬﾝｾﾙ");
}

TEST_F(MainWindowTest, TheToolStripRunsAlongTheTopWithTheButtonsInARow)
{
    ASSERT_TRUE(Open());
    SizeFrame(900, 700);
    RECT frameClient{};
    GetClientRect(frame->Handle(), &frameClient);
    RECT strip = RectIn(frame->pnlKelmo(), frame->Handle());
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.top, 0);
    EXPECT_EQ(strip.right, frameClient.right);
    EXPECT_EQ(strip.bottom, s.YToPixels(615));
    // The client area starts below the strip.
    EXPECT_EQ(RectIn(frame->MdiClient(), frame->Handle()).top, strip.bottom);

    for (int i = 0; i < frmTavlo::kModeCount; ++i) {
        RECT b = RectIn(frame->btnExe(i), frame->pnlKelmo());
        EXPECT_EQ(b.left, s.XToPixels(120 + 960 * i)) << i;
        EXPECT_EQ(b.top, s.YToPixels(120)) << i;
        EXPECT_EQ(b.right - b.left, s.XToPixels(855)) << i;
        EXPECT_EQ(b.bottom - b.top, s.YToPixels(375)) << i;
    }
    RECT c = Cancel();
    EXPECT_EQ(c.right - c.left, s.XToPixels(1215));
    EXPECT_EQ(c.left, ExpectedCancelLeft());
    // Wide enough: it sits right of the last mode button.
    EXPECT_GT(c.left, RectIn(frame->btnExe(7), frame->pnlKelmo()).right);
}

TEST_F(MainWindowTest, WithResizeOnTheChildrenFillTwoColumns)
{
    store.SetCurrent(L"Resize", L"True");
    ASSERT_TRUE(Open());
    SizeFrame(1000, 760);
    RECT inDir = InClient(frame->InDirWindow()), inFile = InClient(frame->InFileWindow()),
         file = InClient(frame->FileWindow()), status = InClient(frame->StatusWindow()),
         out = InClient(frame->OutFileWindow());
    int w = s.XToPixels(CInt(frame->InnerWidth() / 2)), h = s.YToPixels(CInt(frame->InnerHeight() / 3));

    EXPECT_EQ(inDir.left, 0);
    EXPECT_EQ(inDir.top, 0);
    EXPECT_EQ(inDir.right - inDir.left, w);
    EXPECT_EQ(inDir.bottom - inDir.top, h);
    EXPECT_EQ(inFile.left, 0);
    EXPECT_EQ(inFile.top, h);
    EXPECT_EQ(file.top, 2 * h);
    EXPECT_EQ(file.bottom - file.top, h);
    EXPECT_EQ(status.left, w);
    EXPECT_EQ(status.top, 0);
    EXPECT_EQ(status.bottom - status.top, 2 * h);
    EXPECT_EQ(out.left, w);
    EXPECT_EQ(out.top, 2 * h);
    EXPECT_EQ(out.right - out.left, w);

    // A new size re-arranges them.
    SizeFrame(700, 600);
    int w2 = s.XToPixels(CInt(frame->InnerWidth() / 2));
    EXPECT_NE(w2, w);
    EXPECT_EQ(InClient(frame->StatusWindow()).left, w2);
}

TEST_F(MainWindowTest, WithResizeOffOnlyTheCancelButtonFollowsTheFrame)
{
    store.SetCurrent(L"Resize", L"False");
    ASSERT_TRUE(Open());
    SizeFrame(1000, 760);
    frame->FileWindow().SetGeometry(TwipsRect{150, 300, 3000, 2000});
    RECT before = InClient(frame->FileWindow());
    SizeFrame(800, 640);
    RECT after = InClient(frame->FileWindow());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(Cancel().left, ExpectedCancelLeft());
}

TEST_F(MainWindowTest, TipsFollowTheTipOptionAndComeBackExactly)
{
    store.SetCurrent(L"Tip", L"False");
    ASSERT_TRUE(Open());
    for (int i = 0; i < frmTavlo::kModeCount; ++i) EXPECT_EQ(frame->Tips().Text(frame->btnExe(i)), L"");
    frame->SetToolTip(true);
    for (int i = 0; i < frmTavlo::kModeCount; ++i)
        EXPECT_EQ(frame->Tips().Text(frame->btnExe(i)), ProgramText(TextNumber(20 + i))) << i;
    EXPECT_EQ(frame->Tips().Text(frame->btnCancel()), L"実行中に中断します");
    frame->SetToolTip(false);
    EXPECT_EQ(frame->Tips().Text(frame->btnExe(3)), L"");
    EXPECT_EQ(frame->Tips().Text(frame->btnCancel()), L"");
    frame->SetToolTip(true);
    EXPECT_EQ(frame->Tips().Text(frame->btnExe(3)), ProgramText(program_text::ModeTipFirst + 3));
    EXPECT_EQ(frame->Tips().Text(frame->btnCancel()), GeneralText(general_text::CancelTip));
}

TEST_F(MainWindowTest, ModeButtonsAreEnabledExactlyWhileTheTargetListHoldsEntries)
{
    ASSERT_TRUE(Open());
    EXPECT_FALSE(IsWindowEnabled(frame->btnExe(0)));
    EXPECT_FALSE(IsWindowEnabled(frame->btnCancel()));
    frame->FileWindow().ListInAdd(L"C:\\A.TXT");
    frame->BtnEnabledChange();
    for (int i = 0; i < frmTavlo::kModeCount; ++i) EXPECT_TRUE(IsWindowEnabled(frame->btnExe(i))) << i;
    EXPECT_FALSE(IsWindowEnabled(frame->btnCancel()));
    frame->FileWindow().RefreshForm();
    frame->BtnEnabledChange();
    for (int i = 0; i < frmTavlo::kModeCount; ++i) EXPECT_FALSE(IsWindowEnabled(frame->btnExe(i))) << i;
}

TEST_F(MainWindowTest, TheLockLeavesOnlyCancelAndTheUnlockGivesEverythingBack)
{
    ASSERT_TRUE(Open());
    frame->FileWindow().ListInAdd(L"C:\\A.TXT");
    frame->BtnEnabledChange();
    frame->LockInterface();
    for (int i = 0; i < frmTavlo::kModeCount; ++i) EXPECT_FALSE(IsWindowEnabled(frame->btnExe(i))) << i;
    EXPECT_TRUE(IsWindowEnabled(frame->btnCancel()));
    for (ChildForm* child : frame->Children()) {
        EXPECT_FALSE(IsWindowEnabled(child->Handle()));
        EXPECT_FALSE(IsTopLevelMenuEnabled(child->MenuBar(), 0));
        EXPECT_FALSE(IsTopLevelMenuEnabled(child->MenuBar(), 6));
    }
    frame->btnCancel_Click();
    EXPECT_TRUE(frame->CancelFlag);

    frame->UnlockInterface();
    EXPECT_FALSE(frame->CancelFlag);
    EXPECT_FALSE(IsWindowEnabled(frame->btnCancel()));
    for (int i = 0; i < frmTavlo::kModeCount; ++i) EXPECT_TRUE(IsWindowEnabled(frame->btnExe(i))) << i;
    for (ChildForm* child : frame->Children()) {
        EXPECT_TRUE(IsWindowEnabled(child->Handle()));
        EXPECT_TRUE(IsTopLevelMenuEnabled(child->MenuBar(), 2));
    }
}

TEST_F(MainWindowTest, AClosingDuringARunWaitsForItsEnd)
{
    ASSERT_TRUE(Open());
    frame->LockInterface();
    SendMessageW(frame->Handle(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_TRUE(frame->Exists());
    EXPECT_TRUE(frame->CancelFlag);
    EXPECT_EQ(store.Current(L"Main_WindowState"), L"<absent>");
    frame->UnlockInterface();
    PumpMessages();
    EXPECT_FALSE(frame->Exists());
    EXPECT_EQ(store.Current(L"Main_WindowState"), L"0");
}

TEST_F(MainWindowTest, TheShutdownWritesTheFrameAndTheOptions)
{
    ASSERT_TRUE(Open());
    frame->SetGeometry(TwipsRect{1200, 900, 10500, 9000});
    PumpMessages();
    frame->mnuExit_Click();
    PumpMessages();
    EXPECT_FALSE(frame->Exists());
    EXPECT_EQ(store.Current(L"Main_WindowState"), L"0");
    EXPECT_EQ(store.Current(L"Main_Left"), L"1200");
    EXPECT_EQ(store.Current(L"Main_Top"), L"900");
    EXPECT_EQ(store.Current(L"Main_Width"), L"10500");
    EXPECT_EQ(store.Current(L"Main_Height"), L"9000");
    EXPECT_EQ(store.Current(L"Version"), L"1.00");
}

TEST_F(MainWindowTest, AMinimisedFrameKeepsItsLastNormalGeometryInTheStore)
{
    store.SetCurrent(L"Main_Left", L"1500");
    ASSERT_TRUE(Open());
    frame->SetGeometry(TwipsRect{3000, 900, 10500, 9000});
    ShowWindow(frame->Handle(), SW_MINIMIZE);
    PumpMessages();
    Close();
    EXPECT_EQ(store.Current(L"Main_WindowState"), L"1");
    EXPECT_EQ(store.Current(L"Main_Left"), L"1500");
}

TEST_F(MainWindowTest, StoredGeometryIsKeptOnTheScreen)
{
    store.SetCurrent(L"Main_Left", L"-500");
    store.SetCurrent(L"Main_Top", L"600");
    store.SetCurrent(L"Main_Width", L"1500");
    store.SetCurrent(L"Main_Height", L"400");
    ASSERT_TRUE(Open(false));
    // Too narrow a width is the default, and that is raised to what the tool strip needs.
    const float strip = s.XToTwips(frame->MinimumWidth());
    EXPECT_EQ(frame->Geometry(), Snapped({1000, 600, std::max(8000.0f, strip), 8000}));
    Close();

    store.SetCurrent(L"Main_Left", L"2400");
    store.SetCurrent(L"Main_Top", L"999999");
    store.SetCurrent(L"Main_Width", L"12000");
    store.SetCurrent(L"Main_Height", L"7500");
    ASSERT_TRUE(Open(false));
    EXPECT_EQ(frame->Geometry(), Snapped({2400, 1000, 12000, 7500}));
}

// At the default size and at the narrowest the frame can be made, every mode button shows beside Cancel.
TEST_F(MainWindowTest, NoModeButtonIsEverHiddenUnderCancel)
{
    ASSERT_TRUE(Open());
    for (int width : {0, 200}) {
        if (width) SizeFrame(width, 600);
        RECT outer{};
        GetWindowRect(frame->Handle(), &outer);
        if (width) {
            EXPECT_EQ(outer.right - outer.left, frame->MinimumWidth()) << "the narrowest";
        }
        const RECT cancel = Cancel();
        EXPECT_EQ(cancel.left, ExpectedCancelLeft());
        for (int i = 0; i < frmTavlo::kModeCount; ++i)
            EXPECT_LT(RectIn(frame->btnExe(i), frame->pnlKelmo()).right, cancel.left) << width << " " << i;
    }
}

TEST_F(MainWindowTest, LegacyGeometryIsReadWhileTheLegacyProbeHoldsIt)
{
    store.SetLegacy(L"Main_Left", L"1800");
    store.SetLegacy(L"Main_Top", L"1200");
    store.SetCurrent(L"Main_Left", L"3000");
    ASSERT_TRUE(Open(false));
    TwipsRect r = frame->Geometry();
    EXPECT_FLOAT_EQ(r.Left, 1800);
    EXPECT_FLOAT_EQ(r.Top, 1200);
}

TEST_F(MainWindowTest, AStoredMaximisedStateShowsTheFrameMaximised)
{
    store.SetCurrent(L"Main_WindowState", L"2");
    ASSERT_TRUE(Open());
    EXPECT_EQ(frame->WindowState(), 2);
}

TEST_F(MainWindowTest, ABadStoredFrameValueCountsAsAbsent)
{
    store.SetCurrent(L"Main_Top", L"abc");
    store.SetCurrent(L"Main_WindowState", L"max");
    store.SetLegacy(L"Main_Left", L"left");
    // A size no screen could hold would overflow the conversion to pixels.
    store.SetCurrent(L"Main_Width", L"3E+38");
    store.SetCurrent(L"Main_Height", L"-3.4E+38");
    ASSERT_TRUE(Open(false));
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_EQ(frame->WindowState(), 0);
    EXPECT_NEAR(frame->Geometry().Top, 1000, 30);
    EXPECT_NEAR(frame->Geometry().Width, std::max(8000.0f, s.XToTwips(frame->MinimumWidth())), 30);
    EXPECT_NEAR(frame->Geometry().Height, 8000, 30);
}

TEST_F(MainWindowTest, AChosenFontReachesEveryWindow)
{
    ASSERT_TRUE(Open());
    FontChoice offered;
    frame->SetFontChooser([&](HWND, const FontChoice& preset) -> std::optional<FontChoice> {
        offered = preset;
        return FontChoice{L"ＭＳ ゴシック", 11.5f, true, false};
    });
    frame->mnuFont_Click();
    EXPECT_EQ(offered.Name, L"ＭＳ 明朝");
    EXPECT_FLOAT_EQ(offered.Size, 10);
    EXPECT_EQ(options.Font_Name, L"ＭＳ ゴシック");
    EXPECT_EQ(options.Font_Size, 12);
    EXPECT_TRUE(options.Font_Bold);

    LOGFONTW lf{};
    HFONT buttonFont = reinterpret_cast<HFONT>(SendMessageW(frame->btnExe(5), WM_GETFONT, 0, 0));
    ASSERT_TRUE(GetObjectW(buttonFont, sizeof lf, &lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ ゴシック");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    HFONT listFont = reinterpret_cast<HFONT>(SendMessageW(frame->OutFileWindow().lstOutFile(), WM_GETFONT, 0, 0));
    ASSERT_TRUE(GetObjectW(listFont, sizeof lf, &lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"ＭＳ ゴシック");
    EXPECT_EQ(lf.lfHeight, -static_cast<LONG>(RoundHalfEven(12.0 * TwipsScale::Screen().DpiY() / 72)));
}

// Moved to a monitor of twice the resolution, everything keeps its size in twips: the frame takes the
// rectangle the system suggests, the strip, the children and the fonts grow with it; and back.
TEST_F(MainWindowTest, ADpiChangeRescalesTheFrameItsChildrenAndTheirFonts)
{
    ASSERT_TRUE(Open());
    SizeFrame(900, 700);
    auto fontHeight = [](HWND control) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf.lfHeight;
    };
    auto height = [](const RECT& r) { return r.bottom - r.top; };
    const int dpi = s.DpiY();
    const RECT button = RectIn(frame->btnExe(3), frame->pnlKelmo());
    const RECT child = InClient(frame->StatusWindow());
    const LONG buttonFont = fontHeight(frame->btnExe(3)), logFont = fontHeight(frame->StatusWindow().lstKekka());

    for (int factor : {2, 1}) {
        RECT outer{};
        GetWindowRect(frame->Handle(), &outer);
        const int now = factor == 2 ? 1 : 2;
        RECT suggested{outer.left, outer.top, outer.left + (outer.right - outer.left) * factor / now,
                       outer.top + (outer.bottom - outer.top) * factor / now};
        SendMessageW(frame->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi * factor, dpi * factor),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpMessages();
        EXPECT_EQ(RectIn(frame->Handle(), nullptr).right, suggested.right);
        const RECT b = RectIn(frame->btnExe(3), frame->pnlKelmo());
        EXPECT_NEAR(b.left, button.left * factor, 1);
        EXPECT_NEAR(height(b), height(button) * factor, 1);
        // The children fill the client area, whose frame and menu bar the system does not scale.
        const RECT c = InClient(frame->StatusWindow());
        EXPECT_NEAR(c.left, child.left * factor, child.left * factor / 50 + 1);
        EXPECT_NEAR(c.right - c.left, (child.right - child.left) * factor, (child.right - child.left) * factor / 50 + 1);
        EXPECT_NEAR(fontHeight(frame->btnExe(3)), buttonFont * factor, 1);
        EXPECT_NEAR(fontHeight(frame->StatusWindow().lstKekka()), logFont * factor, 1);
    }
}

TEST_F(MainWindowTest, ACancelledOrUnchangedFontChoiceTouchesNoWindow)
{
    ASSERT_TRUE(Open());
    HFONT buttons = frame->ButtonFont();
    HFONT list = frame->FileWindow().Font();
    frame->SetFontChooser([](HWND, const FontChoice&) { return std::optional<FontChoice>(); });
    frame->mnuFont_Click();
    frame->SetFontChooser([](HWND, const FontChoice& preset) { return std::optional<FontChoice>(preset); });
    frame->mnuFont_Click();
    EXPECT_EQ(frame->ButtonFont(), buttons);
    EXPECT_EQ(frame->FileWindow().Font(), list);
    EXPECT_EQ(options.Font_Size, 10);
}

TEST_F(MainWindowTest, HelpOpensTheFileBesideTheProgram)
{
    ASSERT_TRUE(Open());
    frame->mnuHelp_Click();
    ASSERT_EQ(helpPaths.size(), 1u);
    wchar_t exe[MAX_PATH]{};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    folder.resize(folder.find_last_of(L'\\'));
    EXPECT_EQ(helpPaths[0], folder + L"\\TAVLO2.HLP");
}

TEST_F(MainWindowTest, HelpWithoutItsFilesSaysWhichFileIsMissing)
{
    test::TempDir empty;
    ASSERT_TRUE(Open());
    std::vector<std::wstring> boxes;
    frame->SetMessageBox([&](const std::wstring& text, UINT) {
        boxes.push_back(text);
        return IDOK;
    });
    frame->SetHelpFile(empty / L"TAVLO2.HLP");
    frame->mnuHelp_Click();
    EXPECT_TRUE(helpPaths.empty());
    ASSERT_EQ(boxes.size(), 1u);
    std::wstring expected = ProgramString(program_text::HelpMissing);
    EXPECT_EQ(boxes[0], expected.replace(expected.find(L"%FILE%"), 6, empty / L"TAVLO2.HLP"));
}

// The frame that cannot be made is the load's error, and the process ends with a code that says so.
TEST_F(MainWindowTest, AFrameThatCannotBeMadeReportsItAndEndsWithAnError)
{
    test::RefuseWindowCreation refuse(L"Tavlo2.Frame", 1);
    EXPECT_EQ(RunProgram(store.store(), L""), 1);
    EXPECT_EQ(failures.texts, std::vector<std::wstring>{L"Tavlo2 frmTavlo MDIForm_Load ERR"});
}

TEST_F(MainWindowTest, TheFramesMenuBarIsTheSharedOne)
{
    frame = std::make_unique<frmTavlo>(store.store());
    frame->SetQuitOnDestroy(false);
    frame->SetHelpViewer([this](HWND, const std::wstring& path) { helpPaths.push_back(path); });
    ASSERT_TRUE(frame->Create());
    EXPECT_EQ(GetMenu(frame->Handle()), frame->FrameMenu());
    EXPECT_EQ(GetMenuItemCount(frame->FrameMenu()), kSharedMenuTopCount);
    // Commands of the frame's own bar reach its handlers while no child is active.
    SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(kCmdHelp, 0), 0);
    EXPECT_EQ(helpPaths.size(), 1u);
}

TEST_F(MainWindowTest, TheFirstActivationShowsTheChildrenOnce)
{
    ASSERT_TRUE(Open(false));
    for (ChildForm* child : frame->Children()) EXPECT_FALSE(IsWindowVisible(child->Handle()));
    frame->Show();
    frame->MDIForm_Activate();
    PumpMessages();
    EXPECT_TRUE(frame->Activated);
    for (ChildForm* child : frame->Children()) EXPECT_TRUE(IsWindowVisible(child->Handle()));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(frame->MdiClient(), WM_MDIGETACTIVE, 0, 0)),
              frame->InDirWindow().Handle());
}

TEST_F(MainWindowTest, ReleasedChildrenComeBackFresh)
{
    ASSERT_TRUE(Open(false));
    frame->FileWindow().ListInAdd(L"C:\\A.TXT");
    HWND oldList = frame->FileWindow().lstFile();
    frame->ReleaseChildren();
    for (ChildForm* child : frame->Children()) EXPECT_FALSE(child->Exists());
    EXPECT_FALSE(IsWindow(oldList));

    ASSERT_TRUE(frame->LoadChildren());
    for (ChildForm* child : frame->Children()) EXPECT_TRUE(child->Exists());
    EXPECT_EQ(SendMessageW(frame->FileWindow().lstFile(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(frame->FileWindow().Count(), 0u);
    EXPECT_EQ(WindowText(frame->FileWindow().Handle()), ProgramText(program_text::TargetCaption));
    EXPECT_EQ(frame->FileWindow().Tips().Text(frame->FileWindow().lstFile()), ProgramText(program_text::TargetListTip));
}

} // namespace
} // namespace tavlo
