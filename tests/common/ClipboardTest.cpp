#include "common/Clipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlo {
namespace {

TEST(Clipboard, PlainTextRoundTripsUnchanged)
{
    const std::wstring text = L"[ C:\\A\\x.htm ]\r\n\u3000x.HTML に変更しました\r\n全て終了しました\r\n";
    ASSERT_TRUE(PutClipboardText(text));
    EXPECT_EQ(GetClipboardText(), text);
}

TEST(Clipboard, EmptyTextLeavesTheClipboardEmpty)
{
    ASSERT_TRUE(PutClipboardText(L"something before"));
    ASSERT_TRUE(PutClipboardText(L""));
    EXPECT_FALSE(GetClipboardText().has_value());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(CountClipboardFormats(), 0);
    CloseClipboard();
}

TEST(Clipboard, ClearRemovesText)
{
    ASSERT_TRUE(PutClipboardText(L"x"));
    EXPECT_TRUE(ClearClipboard());
    EXPECT_FALSE(GetClipboardText().has_value());
}

TEST(Clipboard, OtherProgramsAskingForAnsiTextGetCodePage932)
{
    ASSERT_TRUE(PutClipboardText(L"ア"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    std::string bytes;
    if (h) {
        if (auto p = static_cast<const char*>(GlobalLock(h))) {
            bytes = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    EXPECT_EQ(bytes, "\x83\x41");
}

} // namespace
} // namespace tavlo
