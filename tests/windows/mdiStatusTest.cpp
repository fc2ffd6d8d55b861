#include "common/Catalogue.h"
#include "UiTestSupport.h"
#include "common/Clipboard.h"
#include "windows/SharedMenu.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavlo {
namespace {

using test::FrameTest;
using test::TempDir;

// The bytes of a text in code page 932, made by the system's own converter.
std::string Cp932(const std::wstring& text)
{
    int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

class LogWindowTest : public FrameTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Open());
        log().SetMessageBox([this](const std::wstring& text, UINT type) {
            boxes.emplace_back(text, type & 0xF);
            return answer;
        });
        log().SetFileChooser([this](HWND owner) {
            ++chooserCalls;
            chooserOwner = owner;
            return chosen;
        });
    }
    void TearDown() override { Close(); }

    mdiStatus& log() { return frame->StatusWindow(); }
    HWND lst() { return log().lstKekka(); }
    LRESULT Count() { return SendMessageW(lst(), LB_GETCOUNT, 0, 0); }
    std::wstring Row(LRESULT i)
    {
        std::wstring text(static_cast<std::size_t>(SendMessageW(lst(), LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(lst(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    // The current line as the screen shows it: set at the paced drawing, so drawn first.
    LRESULT Caret()
    {
        PacedRedraw::DrawAll();
        return SendMessageW(lst(), LB_GETCARETINDEX, 0, 0);
    }
    // A click on a row the way the mouse makes it.
    void Click(LRESULT row)
    {
        SendMessageW(lst(), LB_SETTOPINDEX, row, 0);
        RECT rc{};
        SendMessageW(lst(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
        LPARAM at = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
        SendMessageW(lst(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(lst(), WM_LBUTTONUP, 0, at);
    }
    void Lines(int n, const std::wstring& prefix = L"line ")
    {
        for (int i = 1; i <= n; ++i) log().ListInAdd(prefix + std::to_wstring(i));
    }

    std::vector<std::pair<std::wstring, UINT>> boxes;
    int answer = IDYES;
    std::wstring chosen;
    int chooserCalls = 0;
    HWND chooserOwner = nullptr;
};

TEST_F(LogWindowTest, LinesGoToTheEndAndTheNewestIsCurrentAndInView)
{
    Lines(200);
    EXPECT_EQ(Count(), 200);
    EXPECT_EQ(Row(0), L"line 1");
    EXPECT_EQ(Row(199), L"line 200");
    EXPECT_EQ(Caret(), 199);
    // Once the window's messages have been processed, the list shows the newest line, and its scroll
    // bar says so.
    test::PumpMessages();
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(lst(), SB_VERT, &bar));
    EXPECT_EQ(bar.nMax, 199);
    EXPECT_EQ(bar.nPos, SendMessageW(lst(), LB_GETTOPINDEX, 0, 0));
    EXPECT_TRUE(IsWindowVisible(lst()));
    RECT item{}, client{};
    SendMessageW(lst(), LB_GETITEMRECT, 199, reinterpret_cast<LPARAM>(&item));
    GetClientRect(lst(), &client);
    EXPECT_GT(SendMessageW(lst(), LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_GE(item.top, 0);
    EXPECT_LE(item.bottom, client.bottom);
}

TEST_F(LogWindowTest, AtTheCapTheOldestLineMakesRoomForTheNewest)
{
    Lines(30002);
    ASSERT_EQ(Count(), 30002);
    EXPECT_EQ(Caret(), 30001);
    log().ListInAdd(L"newest");
    EXPECT_EQ(Count(), 30002);
    EXPECT_EQ(Row(0), L"line 2");
    EXPECT_EQ(Row(30001), L"newest");
    EXPECT_EQ(Caret(), 30001);
    log().ListInAdd(L"after");
    EXPECT_EQ(Count(), 30002);
    EXPECT_EQ(Row(0), L"line 3");
    EXPECT_EQ(Row(30000), L"newest");
    EXPECT_EQ(log().Log().Count(), 30002u);
}

TEST_F(LogWindowTest, AfterAClickTheNextLineGoesToTheEndAndTheLineAfterTheClickedOneIsCurrent)
{
    Lines(20);
    Click(4);
    EXPECT_EQ(Caret(), 4);
    log().ListInAdd(L"new");
    EXPECT_EQ(Count(), 21);
    EXPECT_EQ(Row(20), L"new");
    EXPECT_EQ(Caret(), 5);
    EXPECT_EQ(log().Log().CurrentLine(), 5);
}

TEST_F(LogWindowTest, EmptyingStartsAgainAtTheFirstLine)
{
    Lines(5);
    log().RefreshForm();
    EXPECT_EQ(Count(), 0);
    log().ListInAdd(L"first");
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Caret(), 0);

    // The context menu's one item empties it too.
    HMENU popup = log().PopupMenu();
    ASSERT_EQ(GetMenuItemCount(popup), 1);
    wchar_t caption[64]{};
    GetMenuStringW(popup, 0, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(caption, GeneralText(general_text::Reset));
    SendMessageW(log().Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, 0), 0), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(log().Log().Count(), 0u);
}

TEST_F(LogWindowTest, LogCopyPutsEveryLineWithCrLfOnTheClipboard)
{
    log().ListInAdd(L"[ C:\\データ\\a.htm ]");
    log().ListInAdd(L"\u3000a.htm → a.html");
    log().ListInAdd(std::wstring(GeneralText(general_text::AllDone)));
    log().LogCopy();
    EXPECT_EQ(GetClipboardText(),
              L"[ C:\\データ\\a.htm ]\r\n\u3000a.htm → a.html\r\n" + std::wstring(GeneralText(general_text::AllDone)) + L"\r\n");

    // An empty log leaves the clipboard empty, whatever it held.
    ASSERT_TRUE(PutClipboardText(L"something else"));
    log().RefreshForm();
    log().LogCopy();
    EXPECT_EQ(GetClipboardText(), std::nullopt);
}

TEST_F(LogWindowTest, LogSaveWritesTheLinesInCodePage932WithCrLf)
{
    TempDir dir;
    chosen = dir / L"実行履歴.LOG";
    log().ListInAdd(L"[ C:\\データ\\ｶﾅ.htm ]");
    log().ListInAdd(L"\u3000変更しました");
    log().ListInAdd(std::wstring(GeneralText(general_text::AllDone)));
    log().LogSave();

    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(chooserOwner, frame->Handle());
    EXPECT_TRUE(boxes.empty());
    const std::string bytes = TempDir::ReadBytes(chosen);
    EXPECT_EQ(bytes, Cp932(L"[ C:\\データ\\ｶﾅ.htm ]\r\n\u3000変更しました\r\n" + std::wstring(GeneralText(general_text::AllDone)) + L"\r\n"));
    // Shift-JIS, not UTF-16 or UTF-8: the half-width katakana is a single byte.
    EXPECT_NE(bytes.find('\xB6'), std::string::npos);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"実行履歴.LOG"});
}

TEST_F(LogWindowTest, SavingOverAFileAsksFirstAndNoKeepsIt)
{
    TempDir dir;
    chosen = dir.Write(L"old.log", "old contents");
    Lines(2);

    answer = IDNO;
    log().LogSave();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, GeneralText(general_text::OverwriteQuestion));
    EXPECT_EQ(boxes[0].second, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(TempDir::ReadBytes(chosen), "old contents");

    answer = IDYES;
    log().LogSave();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(TempDir::ReadBytes(chosen), "line 1\r\nline 2\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"old.log"});
}

TEST_F(LogWindowTest, AFailedSaveSaysSoAndLeavesTheOldFileWhole)
{
    TempDir dir;
    Lines(3);
    chosen = dir / L"no such folder\\x.log";
    log().LogSave();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, GeneralText(general_text::SaveFailed));
    EXPECT_EQ(boxes[0].second, static_cast<UINT>(MB_OK));

    // A read-only file cannot be replaced: the answer Yes leads to the failure message, not to a loss.
    chosen = dir.Write(L"locked.log", "keep me");
    ASSERT_TRUE(SetFileAttributesW(chosen.c_str(), FILE_ATTRIBUTE_READONLY));
    boxes.clear();
    log().LogSave();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].first, GeneralText(general_text::OverwriteQuestion));
    EXPECT_EQ(boxes[1].first, GeneralText(general_text::SaveFailed));
    EXPECT_EQ(TempDir::ReadBytes(chosen), "keep me");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"locked.log"});
}

TEST_F(LogWindowTest, CancelOrAnEmptyLogWritesNothing)
{
    TempDir dir;
    chosen = dir / L"empty.log";
    log().LogSave();
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_FALSE(TempDir::Exists(chosen));

    Lines(1);
    chosen.clear();
    log().LogSave();
    EXPECT_EQ(chooserCalls, 2);
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LogWindowTest, TheLogMenuOfTheFrameCopiesAndSaves)
{
    TempDir dir;
    chosen = dir / L"menu.log";
    Lines(2);
    SendMessageW(log().Handle(), WM_COMMAND, MAKEWPARAM(kCmdLogCopy, 0), 0);
    EXPECT_EQ(GetClipboardText(), L"line 1\r\nline 2\r\n");
    SendMessageW(log().Handle(), WM_COMMAND, MAKEWPARAM(kCmdLogSave, 0), 0);
    EXPECT_EQ(TempDir::ReadBytes(chosen), "line 1\r\nline 2\r\n");
}

} // namespace
} // namespace tavlo
