#include "common/Catalogue.h"
#include "UiTestSupport.h"
#include "common/DragDrop.h"
#include "windows/FrameRules.h"
#include "windows/SharedMenu.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavlo {
namespace {

using test::FrameTest;
using test::PumpMessages;
using test::RectIn;
using test::TempDir;

using Paths = std::vector<std::wstring>;

// The folder's name as stored on disk, found by the system rather than by the code under test.
std::wstring LongForm(const std::wstring& path)
{
    wchar_t buf[4096]{};
    DWORD n = GetLongPathNameW(path.c_str(), buf, 4096);
    return n > 0 && n < 4096 ? std::wstring(buf) : path;
}

// Text only, no file list: what a drag from an editor offers.
class TextOnlyData final : public IDataObject {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (riid == IID_IUnknown || riid == IID_IDataObject) ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM*) override { return QueryGetData(f); }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* f) override { return f->cfFormat == CF_UNICODETEXT ? S_OK : DV_E_FORMATETC; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

class TargetListTest : public FrameTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ASSERT_TRUE(Open());
        list().SetMessageBox([this](const std::wstring& text, UINT type) {
            boxes.emplace_back(text, type);
            return IDOK;
        });
        list().SetFolderTarget([this](const std::wstring& folder) { folders.push_back(folder); });
    }
    void TearDown() override
    {
        Close();
        OleUninitialize();
    }

    mdiFile& list() { return frame->FileWindow(); }
    HWND lst() { return list().lstFile(); }
    LRESULT Count() { return SendMessageW(lst(), LB_GETCOUNT, 0, 0); }
    bool ModeButtonsEnabled() { return IsWindowEnabled(frame->btnExe(0)) != FALSE; }
    void Select(std::initializer_list<int> rows)
    {
        for (int row : rows) SendMessageW(lst(), LB_SETSEL, TRUE, row);
    }
    void FillWithNames(int n)
    {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(list().ListInAdd(L"C:\\T\\f" + std::to_wstring(i) + L".txt"));
    }

    // The drop target registered on the list; Wine, like Windows, keeps it in this window property.
    IDropTarget* RegisteredTarget() { return static_cast<IDropTarget*>(GetPropW(lst(), L"OleDropTargetInterface")); }

    // One drop of `data` through the registered target; returns the effect offered while dragging.
    DWORD DropThroughTarget(IDataObject* data)
    {
        IDropTarget* target = RegisteredTarget();
        if (!target) return 0xFFFF;
        const POINTL pt{10, 10};
        DWORD over = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->DragEnter(data, MK_LBUTTON, pt, &over);
        DWORD again = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->DragOver(MK_LBUTTON, pt, &again);
        EXPECT_EQ(again, over);
        DWORD dropped = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->Drop(data, 0, pt, &dropped);
        return over;
    }
    DWORD DropFiles(Paths paths)
    {
        FileListDataObject* data = FileListDataObject::Create([paths] { return paths; });
        DWORD effect = DropThroughTarget(data);
        data->Release();
        return effect;
    }

    std::vector<std::pair<std::wstring, UINT>> boxes;
    std::vector<std::wstring> folders;
};

TEST_F(TargetListTest, DroppingTwelveHundredFilesKeepsTheFirstThousandInDropOrderAndSaysSoOnce)
{
    ASSERT_TRUE(list().AcceptsDrops());
    ASSERT_NE(RegisteredTarget(), nullptr);
    TempDir dir;
    const std::wstring folder = LongForm(dir.path());
    Paths dropped, expected;
    // Dropped from the highest number down, so that the drop's order differs from the names' order.
    for (int i = 1199; i >= 0; --i) {
        std::wstring name = L"f" + std::to_wstring(10000 + i) + L".txt";
        dropped.push_back(dir.Write(name));
        if (expected.size() < 1000) expected.push_back(folder + L"\\" + name);
    }
    EXPECT_FALSE(ModeButtonsEnabled());

    EXPECT_EQ(DropFiles(dropped), static_cast<DWORD>(DROPEFFECT_COPY));

    EXPECT_EQ(list().Entries(), expected);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, ProgramText(program_text::TargetListFull));
    EXPECT_EQ(boxes[0].second & 0xF, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(ModeButtonsEnabled());

    // A further drop on the full list is refused at its first new file, once again with one message.
    DropFiles({dropped[1100], dropped[1101]});
    EXPECT_EQ(Count(), 1000);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(TargetListTest, NoDropIsTakenWhileTheWindowIsDisabled)
{
    TempDir dir;
    const std::wstring file = dir.Write(L"a.txt");
    frame->LockInterface();
    EXPECT_FALSE(list().AcceptsDrops());
    EXPECT_EQ(RegisteredTarget(), nullptr);
    frame->UnlockInterface();
    ASSERT_TRUE(list().AcceptsDrops());
    EXPECT_EQ(DropFiles({file}), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(list().Entries(), Paths{LongForm(file)});
}

TEST_F(TargetListTest, DropsOfOtherDataFoldersAndUnreadableNamesAddNothingButStillReEvaluateTheButtons)
{
    TempDir dir;
    // An entry put in without a word to the frame: the buttons do not know of it yet.
    ASSERT_TRUE(list().ListInAdd(L"C:\\T\\x.txt"));
    ASSERT_FALSE(ModeButtonsEnabled());

    TextOnlyData text;
    EXPECT_EQ(DropThroughTarget(&text), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(Count(), 1);
    EXPECT_TRUE(ModeButtonsEnabled());

    list().RefreshForm();
    const std::wstring file = dir.Write(L"kept.txt");
    EXPECT_EQ(DropFiles({dir.MakeDir(L"sub"), dir / L"missing.txt", L"relative.txt", file}),
              static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(list().Entries(), Paths{LongForm(file)});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TargetListTest, ShortNameLongNameAndOtherCaseOfOneFileGiveOneEntry)
{
    TempDir dir;
    const std::wstring longName = dir.Write(L"A long file name.document");
    wchar_t shortBuf[MAX_PATH]{};
    ASSERT_GT(GetShortPathNameW(longName.c_str(), shortBuf, MAX_PATH), 0u);
    ASSERT_NE(std::wstring(shortBuf), longName);

    EXPECT_TRUE(list().Gaibu_ListInAdd(shortBuf));
    EXPECT_TRUE(list().Gaibu_ListInAdd(dir / L"a LONG file name.DOCUMENT"));
    DropFiles({longName});
    EXPECT_EQ(list().Entries(), Paths{LongForm(longName)});
    EXPECT_TRUE(list().Gaibu_ListInAdd(L""));
    EXPECT_EQ(Count(), 1);
}

TEST_F(TargetListTest, DuplicatesAreSilentAndTheLimitIsExactlyOneThousand)
{
    EXPECT_TRUE(list().ListInAdd(L"C:\\T\\a.txt"));
    EXPECT_TRUE(list().ListInAdd(L"C:\\T\\a.txt"));
    EXPECT_EQ(Count(), 1);
    // Entries compare exactly: another case is another entry.
    EXPECT_TRUE(list().ListInAdd(L"C:\\T\\A.txt"));
    EXPECT_EQ(Count(), 2);

    list().RefreshForm();
    FillWithNames(999);
    EXPECT_TRUE(list().ListInAdd(L"C:\\T\\last.txt"));
    EXPECT_EQ(Count(), 1000);
    EXPECT_TRUE(boxes.empty());

    // Full: a listed path is still fine without a word, a new one is refused with the message.
    EXPECT_TRUE(list().ListInAdd(L"C:\\T\\f5.txt"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(list().ListInAdd(L"C:\\T\\new.txt"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, ProgramText(program_text::TargetListFull));
    EXPECT_EQ(Count(), 1000);
}

TEST_F(TargetListTest, EntriesARunFinishedLeaveAndCanComeBack)
{
    FillWithNames(3);
    list().BeginRun();
    EXPECT_EQ(SendMessageW(lst(), LB_GETSELCOUNT, 0, 0), 3);
    list().MarkDone(1);
    list().EndRun();
    EXPECT_EQ(list().Entries(), (Paths{L"C:\\T\\f0.txt", L"C:\\T\\f2.txt"}));
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(SendMessageW(lst(), LB_GETSELCOUNT, 0, 0), 0);
    EXPECT_TRUE(list().ListInAdd(L"C:\\T\\f1.txt"));
    EXPECT_EQ(list().Entries(), (Paths{L"C:\\T\\f0.txt", L"C:\\T\\f2.txt", L"C:\\T\\f1.txt"}));
    list().RefreshForm();
    EXPECT_TRUE(list().ListInAdd(L"C:\\T\\f0.txt"));
    EXPECT_EQ(Count(), 1);
}

TEST_F(TargetListTest, DeleteSelectedRemovesExactlyTheSelectedRowsAndDeleteAllEmptiesTheList)
{
    FillWithNames(6);
    Select({1, 2, 4});
    frame->BtnEnabledChange();
    ASSERT_TRUE(ModeButtonsEnabled());
    SendMessageW(list().Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list().btnDel()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(list().btnDel()));
    EXPECT_EQ(list().Entries(), (Paths{L"C:\\T\\f0.txt", L"C:\\T\\f3.txt", L"C:\\T\\f5.txt"}));
    EXPECT_TRUE(ModeButtonsEnabled());

    Select({0, 1, 2});
    list().btnDel_Click();
    EXPECT_EQ(Count(), 0);
    EXPECT_FALSE(ModeButtonsEnabled());

    FillWithNames(2);
    frame->BtnEnabledChange();
    SendMessageW(list().Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list().btnDelAll()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(list().btnDelAll()));
    EXPECT_EQ(Count(), 0);
    EXPECT_FALSE(ModeButtonsEnabled());
}

TEST_F(TargetListTest, ContextMenuSelectsAndSendsTheFolderOfTheFirstSelectedEntry)
{
    HMENU popup = list().PopupMenu();
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    const std::wstring_view captions[] = {GeneralText(general_text::SelectAll), GeneralText(general_text::ClearSelection), ProgramText(program_text::SameFolderMenu)};
    for (int i = 0; i < 3; ++i) {
        wchar_t buf[256]{};
        GetMenuStringW(popup, i, buf, 256, MF_BYPOSITION);
        EXPECT_EQ(buf, captions[i]) << i;
    }
    auto command = [&](int position) {
        SendMessageW(list().Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, position), 0), 0);
    };

    list().ListInAdd(L"C:\\data\\a.txt");
    list().ListInAdd(L"C:\\b.txt");
    list().ListInAdd(L"D:\\x\\y\\c.txt");
    command(2);
    EXPECT_TRUE(folders.empty());

    command(0);
    for (int i = 0; i < 3; ++i) EXPECT_GT(SendMessageW(lst(), LB_GETSEL, i, 0), 0) << i;
    command(2);
    command(1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(lst(), LB_GETSEL, i, 0), 0) << i;
    Select({2, 1});
    command(2);
    SendMessageW(lst(), LB_SETSEL, FALSE, -1);
    Select({2});
    command(2);
    EXPECT_EQ(folders, (Paths{L"C:\\data", L"C:\\", L"D:\\x\\y"}));
}

TEST_F(TargetListTest, SameFolderOpensTheFolderInTheInputFolderWindow)
{
    list().SetFolderTarget({});
    TempDir dir;
    const std::wstring sub = dir.MakeDir(L"サブ");
    const std::wstring inSub = sub + L"\\a.txt";
    TempDir::WriteBytes(inSub, "x");
    ASSERT_TRUE(list().Gaibu_ListInAdd(inSub));
    ASSERT_NE(frame->InDirWindow().DirName(), LongForm(sub));
    Select({0});
    list().mnuInCopy_Click();
    EXPECT_EQ(frame->InDirWindow().DirName(), LongForm(sub));
}

TEST_F(TargetListTest, EnterMovesTheFocusToTheLog)
{
    SetFocus(lst());
    ASSERT_EQ(GetFocus(), lst());
    SendMessageW(lst(), WM_CHAR, L'a', 0);
    EXPECT_EQ(GetFocus(), lst());
    SendMessageW(lst(), WM_CHAR, 13, 0);
    EXPECT_EQ(GetFocus(), frame->StatusWindow().lstKekka());
}

TEST_F(TargetListTest, TheListFillsTheWindowAboveTheTwoButtons)
{
    const TwipsScale& s = TwipsScale::Screen();
    list().SetGeometry(TwipsRect{0, 0, 5000, 4000});
    PumpMessages();
    RECT client{};
    GetClientRect(list().Handle(), &client);
    RECT l = RectIn(lst(), list().Handle()), del = RectIn(list().btnDel(), list().Handle()),
         all = RectIn(list().btnDelAll(), list().Handle());
    const int w = s.XToPixels(CInt(s.XToTwips(client.right) - 120));
    const float h = CInt(s.YToTwips(client.bottom) - s.YToTwips(del.bottom - del.top) - 180);

    EXPECT_EQ(l.left, s.XToPixels(60));
    EXPECT_EQ(l.top, s.YToPixels(60));
    EXPECT_EQ(l.right - l.left, w);
    EXPECT_EQ(l.bottom - l.top, s.YToPixels(h));
    EXPECT_EQ(del.left, s.XToPixels(60));
    EXPECT_EQ(del.top, s.YToPixels(h + 120));
    EXPECT_EQ(del.right - del.left, s.XToPixels(495));
    EXPECT_EQ(del.bottom - del.top, s.YToPixels(375));
    EXPECT_EQ(all.left, s.XToPixels(s.XToTwips(del.right - del.left) + 120));
    EXPECT_EQ(all.top, del.top);
    // The buttons sit inside the window, below the list.
    EXPECT_LE(del.bottom, client.bottom);
    EXPECT_GT(del.top, l.bottom);

    // Too low for the list: it keeps its height, the buttons still follow the rule.
    const int before = l.bottom - l.top;
    list().SetGeometry(TwipsRect{0, 0, 5000, 900});
    PumpMessages();
    RECT l2 = RectIn(lst(), list().Handle());
    EXPECT_EQ(l2.bottom - l2.top, before);
}

TEST_F(TargetListTest, AWindowWiderThanSixteenBitsOfTwipsIsFilledByItsList)
{
    list().SetGeometry(TwipsRect{0, 0, 52005, 3000}); // 3467 pixels at 96 dots per inch
    PumpMessages();
    RECT client{}, l = RectIn(lst(), list().Handle());
    GetClientRect(list().Handle(), &client);
    EXPECT_GT(client.right, 2184) << "the window itself is wider than 32767 twips";
    EXPECT_NEAR(l.right - l.left, client.right - 8, 2);
}

TEST_F(TargetListTest, LongPathsCanBeScrolledIntoViewUntilTheListIsEmptied)
{
    list().SetGeometry(TwipsRect{0, 0, 4000, 3000});
    RECT client{};
    GetClientRect(lst(), &client);
    // The extent as drawn: a burst of entries sets it once, at the paced drawing.
    auto extent = [this] {
        PacedRedraw::DrawAll();
        return SendMessageW(lst(), LB_GETHORIZONTALEXTENT, 0, 0);
    };
    list().ListInAdd(L"C:\\short.txt");
    const LRESULT narrow = extent();
    EXPECT_LT(narrow, client.right);
    list().ListInAdd(L"C:\\" + std::wstring(40, L'長') + L"\\" + std::wstring(40, L'x') + L".txt");
    const LRESULT wide = extent();
    EXPECT_GT(wide, client.right);

    // A bigger font widens it further.
    options.Font_Size = 24;
    list().SetFontData(FormFontOf(options));
    EXPECT_GT(SendMessageW(lst(), LB_GETHORIZONTALEXTENT, 0, 0), wide);

    list().RefreshForm();
    EXPECT_EQ(SendMessageW(lst(), LB_GETHORIZONTALEXTENT, 0, 0), 0);
}

TEST_F(TargetListTest, TheButtonsCarryTheirTips)
{
    options.Tip = true;
    list().SetToolTip(true);
    EXPECT_EQ(list().Tips().Text(list().btnDel()), ProgramText(program_text::TakeOutSelectedTip));
    EXPECT_EQ(list().Tips().Text(list().btnDelAll()), ProgramText(program_text::TakeOutAllTip));
    EXPECT_EQ(list().Tips().Text(lst()), ProgramText(program_text::TargetListTip));
}

} // namespace
} // namespace tavlo
