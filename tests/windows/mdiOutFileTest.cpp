#include "common/Catalogue.h"
#include "UiTestSupport.h"
#include "common/DragDrop.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

using test::FrameTest;
using test::TempDir;

using Paths = std::vector<std::wstring>;

std::wstring LongForm(const std::wstring& path)
{
    wchar_t buf[4096]{};
    DWORD n = GetLongPathNameW(path.c_str(), buf, 4096);
    return n > 0 && n < 4096 ? std::wstring(buf) : path;
}

class ResultListTest : public FrameTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Open());
        results().SetDragRunner([this](PathListFn paths) {
            ++drags;
            // The drop target asks for the data while the drag runs, possibly more than once.
            FileListDataObject* data = FileListDataObject::Create(std::move(paths));
            if (beforeDrop) beforeDrop();
            dropped = ReadDroppedFiles(data);
            data->Release();
            return static_cast<DWORD>(DROPEFFECT_COPY);
        });
    }
    void TearDown() override { Close(); }

    mdiOutFile& results() { return frame->OutFileWindow(); }
    HWND lst() { return results().lstOutFile(); }
    Paths Rows()
    {
        Paths out;
        for (LRESULT i = 0; i < SendMessageW(lst(), LB_GETCOUNT, 0, 0); ++i) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(lst(), LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(SendMessageW(lst(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
            out.push_back(text);
        }
        return out;
    }
    bool Selected(LRESULT row) { return SendMessageW(lst(), LB_GETSEL, row, 0) > 0; }

    int drags = 0;
    Paths dropped;
    std::function<void()> beforeDrop;
};

TEST_F(ResultListTest, OneEntryPerFileShowingItsLatestSpelling)
{
    results().ListInAdd(L"C:\\A\\x.htm");
    results().ListInAdd(L"C:\\A\\y.txt");
    results().ListInAdd(L"C:\\A\\x.htm");
    EXPECT_EQ(Rows(), (Paths{L"C:\\A\\x.htm", L"C:\\A\\y.txt"}));

    SendMessageW(lst(), LB_SETSEL, TRUE, 0);
    results().ListInAdd(L"C:\\A\\x.HTM");
    EXPECT_EQ(Rows(), (Paths{L"C:\\A\\x.HTM", L"C:\\A\\y.txt"}));
    EXPECT_EQ(results().Entries(), Rows());
    // Replaced in place, still selected.
    EXPECT_TRUE(Selected(0));
    EXPECT_FALSE(Selected(1));

    // Full-width small letters are not capitals of the same name: another file.
    results().ListInAdd(L"C:\\A\\ａ.txt");
    results().ListInAdd(L"C:\\A\\Ａ.txt");
    EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(ResultListTest, HoldsAtMostOneThousandEntriesAndDropsMoreSilently)
{
    for (int i = 0; i < 1000; ++i) results().ListInAdd(L"C:\\T\\f" + std::to_wstring(i) + L".txt");
    results().ListInAdd(L"C:\\T\\one more.txt");
    Paths rows = Rows();
    ASSERT_EQ(rows.size(), 1000u);
    EXPECT_EQ(rows.back(), L"C:\\T\\f999.txt");
    // A listed file under a new spelling still replaces its entry.
    results().ListInAdd(L"C:\\T\\F5.TXT");
    EXPECT_EQ(Rows()[5], L"C:\\T\\F5.TXT");
    EXPECT_EQ(Rows().size(), 1000u);
}

TEST_F(ResultListTest, RefreshDropsVanishedFilesAndShowsTheOthersUnderTheirLongPaths)
{
    TempDir dir;
    const std::wstring a = dir.Write(L"Alpha File.txt"), b = dir.Write(L"b.txt"), c = dir.Write(L"Gamma.doc");
    wchar_t shortA[MAX_PATH]{};
    ASSERT_GT(GetShortPathNameW(a.c_str(), shortA, MAX_PATH), 0u);
    results().ListInAdd(shortA);
    results().ListInAdd(b);
    results().ListInAdd(dir / L"GAMMA.DOC");
    SendMessageW(lst(), LB_SETSEL, TRUE, 2);
    ASSERT_TRUE(DeleteFileW(b.c_str()));

    results().RefreshForm();
    EXPECT_EQ(Rows(), (Paths{LongForm(a), LongForm(c)}));
    EXPECT_EQ(results().Entries(), Rows());
    EXPECT_FALSE(Selected(0));
    EXPECT_TRUE(Selected(1));

    // Through the context menu: its four items, and リフレッシュ among them; Undo after a separator.
    HMENU popup = results().PopupMenu();
    ASSERT_EQ(GetMenuItemCount(popup), 6);
    EXPECT_EQ(GetMenuItemID(popup, 5), static_cast<UINT>(kCmdUndo));
    const std::wstring_view captions[] = {GeneralText(general_text::Reset), GeneralText(general_text::Refresh), GeneralText(general_text::SelectAll), GeneralText(general_text::ClearSelection)};
    for (int i = 0; i < 4; ++i) {
        wchar_t buf[64]{};
        GetMenuStringW(popup, i, buf, 64, MF_BYPOSITION);
        EXPECT_EQ(buf, captions[i]) << i;
    }
    ASSERT_TRUE(DeleteFileW(a.c_str()));
    SendMessageW(results().Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, 1), 0), 0);
    EXPECT_EQ(Rows(), Paths{LongForm(c)});
}

TEST_F(ResultListTest, ContextMenuSelectsClearsAndEmpties)
{
    HMENU popup = results().PopupMenu();
    auto command = [&](int position) {
        SendMessageW(results().Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, position), 0), 0);
    };
    results().ListInAdd(L"C:\\a.txt");
    results().ListInAdd(L"C:\\b.txt");
    command(2);
    EXPECT_TRUE(Selected(0) && Selected(1));
    command(3);
    EXPECT_FALSE(Selected(0) || Selected(1));
    command(0);
    EXPECT_TRUE(Rows().empty());
    // Emptied means emptied: the same file is new again.
    results().ListInAdd(L"C:\\A.TXT");
    EXPECT_EQ(Rows(), Paths{L"C:\\A.TXT"});
}

TEST_F(ResultListTest, ADragOffersTheEntriesSelectedWhenTheTargetAsks)
{
    EXPECT_FALSE(results().lstOutFile_OLEStartDrag());
    EXPECT_EQ(drags, 0);

    for (const wchar_t* p : {L"C:\\T\\1.txt", L"C:\\T\\2.txt", L"C:\\T\\3.txt", L"C:\\T\\4.txt"}) results().ListInAdd(p);
    SendMessageW(lst(), LB_SETSEL, TRUE, 0);
    // The selection changes after the drag began and before the target asks: the later one counts.
    beforeDrop = [this] {
        SendMessageW(lst(), LB_SETSEL, TRUE, 3);
        SendMessageW(lst(), LB_SETSEL, TRUE, 1);
    };
    EXPECT_TRUE(results().lstOutFile_OLEStartDrag());
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(dropped, (Paths{L"C:\\T\\1.txt", L"C:\\T\\2.txt", L"C:\\T\\4.txt"}));
    // The entries stay after the drop.
    EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(ResultListTest, APressOnAnEmptyListStartsNoDrag)
{
    SendMessageW(lst(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(lst(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(drags, 0);
    // With entries, a press that never moves is a click: it selects and drags nothing.
    results().ListInAdd(L"C:\\T\\1.txt");
    SendMessageW(lst(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(lst(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(drags, 0);
    EXPECT_TRUE(Selected(0));
}

} // namespace
} // namespace tavlo
