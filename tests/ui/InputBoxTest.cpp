#include "common/Catalogue.h"
#include "ui/InputBox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace tavlo {
namespace {

// What the dialog showed when the scripted user met it, and what the user then did.
struct Visit {
    bool Seen = false;
    std::wstring Title, Prompt, Field, OkCaption, CancelCaption;
    RECT PromptRect{}, FieldRect{};
    std::wstring Type;   // typed into the field before pressing the button
    int Button = IDOK;
    bool Close = false;  // use the close box instead of a button
};

Visit* visit = nullptr;

std::wstring Text(HWND hwnd)
{
    wchar_t buf[2048]{};
    GetWindowTextW(hwnd, buf, 2048);
    return buf;
}

RECT InParent(HWND child)
{
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM result)
{
    wchar_t cls[64]{};
    GetClassNameW(hwnd, cls, 64);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Plays the user once the dialog is up: reads what it shows, types, presses a button.
void CALLBACK PlayUser(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !visit) return;
    KillTimer(nullptr, id);
    Visit& v = *visit;
    v.Seen = true;
    v.Title = Text(dialog);
    HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    HWND prompt = FindWindowExW(dialog, nullptr, L"Static", nullptr);
    v.Field = Text(edit);
    v.Prompt = Text(prompt);
    v.OkCaption = Text(GetDlgItem(dialog, IDOK));
    v.CancelCaption = Text(GetDlgItem(dialog, IDCANCEL));
    v.PromptRect = InParent(prompt);
    v.FieldRect = InParent(edit);
    if (!v.Type.empty()) SetWindowTextW(edit, v.Type.c_str());
    if (v.Close) PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    else PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(v.Button, BN_CLICKED), 0);
}

std::wstring AskWith(Visit& v, const std::wstring& prompt, const std::wstring& title, const std::wstring& def)
{
    visit = &v;
    SetTimer(nullptr, 0, 50, PlayUser);
    std::wstring answer = InputBox(nullptr, prompt, title, def);
    visit = nullptr;
    return answer;
}

TEST(InputBoxTest, OkReturnsTheFieldAndTheBoxShowsPromptTitleAndProposal)
{
    Visit v;
    v.Type = L"エリアス１";
    EXPECT_EQ(AskWith(v, L"名前を入力\rC:\\data", L"入力", L"提案"), L"エリアス１");
    ASSERT_TRUE(v.Seen);
    EXPECT_EQ(v.Title, L"入力");
    EXPECT_EQ(v.Prompt, L"名前を入力\r\nC:\\data");
    EXPECT_EQ(v.Field, L"提案");
    EXPECT_EQ(v.OkCaption, L"OK");
    EXPECT_EQ(v.CancelCaption, std::wstring(GeneralText(general_text::Cancel)));

    // The proposal itself is the answer when the user just presses OK.
    Visit keep;
    EXPECT_EQ(AskWith(keep, L"p", L"t", L"そのまま"), L"そのまま");
}

TEST(InputBoxTest, CancelAndTheCloseBoxAnswerEmpty)
{
    Visit cancel;
    cancel.Type = L"typed";
    cancel.Button = IDCANCEL;
    EXPECT_EQ(AskWith(cancel, L"p", L"t", L"proposal"), L"");
    EXPECT_TRUE(cancel.Seen);

    Visit close;
    close.Close = true;
    EXPECT_EQ(AskWith(close, L"p", L"t", L"proposal"), L"");
    EXPECT_TRUE(close.Seen);
}

TEST(InputBoxTest, ALongPromptMakesRoomAboveTheField)
{
    std::wstring prompt = L"フォルダエリアス名を入力してください";
    for (int i = 0; i < 8; ++i) prompt += L"\rC:\\一つの長いフォルダ名\\その下のフォルダ名\\さらに下" + std::to_wstring(i);
    Visit v;
    AskWith(v, prompt, L"t", L"");
    ASSERT_TRUE(v.Seen);
    EXPECT_LE(v.PromptRect.bottom, v.FieldRect.top) << "the field covers the prompt";
    // Nine lines need far more than the box's usual prompt height.
    EXPECT_GT(v.PromptRect.bottom - v.PromptRect.top, 9 * 12);
}

TEST(InputBoxTest, ReplacedHandlerGetsTheDefaultTitleAndCanBeRestored)
{
    std::wstring seenTitle, seenPrompt, seenDefault;
    InputBoxHandler previous = SetInputBoxHandler(
        [&](HWND, const std::wstring& prompt, const std::wstring& title, const std::wstring& def) {
            seenPrompt = prompt;
            seenTitle = title;
            seenDefault = def;
            return std::wstring(L"scripted");
        });
    EXPECT_EQ(InputBox(nullptr, L"question", L"", L"x"), L"scripted");
    EXPECT_EQ(seenTitle, L"TAVLO2");
    EXPECT_EQ(seenPrompt, L"question");
    EXPECT_EQ(seenDefault, L"x");
    SetInputBoxHandler(previous);

    // Back to the real dialog, which names the program when no title is given.
    Visit v;
    v.Type = L"real";
    EXPECT_EQ(AskWith(v, L"p", L"", L""), L"real");
    EXPECT_TRUE(v.Seen);
    EXPECT_EQ(v.Title, L"TAVLO2");
}

} // namespace
} // namespace tavlo
