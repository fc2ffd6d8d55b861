#include "common/TextFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

using test::TempDir;

TEST(TextFile, WritesCodePage932BytesAsGiven)
{
    TempDir dir;
    const std::wstring path = dir / L"log.LOG";
    ASSERT_TRUE(SaveTextFile(path, L"[ C:\\ア ]\r\nabc\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(path), "[ C:\\\x83\x41 ]\r\nabc\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"log.LOG"});
}

TEST(TextFile, ReplacesAnExistingFileWholeAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::wstring path = dir.Write(L"old.log", std::string(10000, 'x'));
    ASSERT_TRUE(SaveTextFile(path, L"short\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(path), "short\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"old.log"});

    ASSERT_TRUE(SaveTextFile(path, L""));
    EXPECT_EQ(TempDir::ReadBytes(path), "");
    EXPECT_TRUE(TempDir::Exists(path));
}

TEST(TextFile, LockedTargetStaysIntact)
{
    TempDir dir;
    const std::wstring path = dir.Write(L"locked.log", "old contents\r\n");
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const bool saved = SaveTextFile(path, L"new contents\r\n");
    CloseHandle(lock);
    EXPECT_FALSE(saved);
    EXPECT_EQ(TempDir::ReadBytes(path), "old contents\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"locked.log"});
}

TEST(TextFile, ReadOnlyTargetStaysIntact)
{
    TempDir dir;
    const std::wstring path = dir.Write(L"readonly.log", "old contents\r\n");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveTextFile(path, L"new contents\r\n"));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(TempDir::ReadBytes(path), "old contents\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"readonly.log"});
}

TEST(TextFile, FailsWithoutTouchingAnythingWhenTheTargetCannotBeAFile)
{
    TempDir dir;
    EXPECT_FALSE(SaveTextFile(dir / L"no such folder\\x.log", L"a\r\n"));
    const std::wstring folder = dir.MakeDir(L"taken.log");
    dir.Write(L"taken.log\\inside.txt", "keep");
    EXPECT_FALSE(SaveTextFile(folder, L"a\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(folder + L"\\inside.txt"), "keep");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"taken.log"});
    EXPECT_FALSE(SaveTextFile(L"", L"a\r\n"));
}

// A name code page 932 has no code for would be saved as "?" or a look-alike (é as e), naming a file
// that does not exist: such a text is saved in UTF-8 with a byte-order mark instead.
TEST(TextFile, ATextBeyondCodePage932IsSavedInUtf8WithAByteOrderMark)
{
    TempDir dir;
    const std::wstring path = dir / L"log.txt";
    for (const std::wstring& line : {std::wstring(L"[ C:\\\uD55C\uAD6D.txt ]"), std::wstring(L"caf\u00E9"),
                                     std::wstring(L"\U0001F600.png")}) {
        ASSERT_TRUE(SaveTextFile(path, L"行 " + line + L"\r\n"));
        const std::string bytes = TempDir::ReadBytes(path);
        ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
        wchar_t back[64]{};
        MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size() - 3), back, 64);
        EXPECT_EQ(std::wstring(back), L"行 " + line + L"\r\n");
    }
}

TEST(TextFile, PathsBeyondMaxPath)
{
    TempDir dir;
    std::wstring relative;
    for (wchar_t c : {L'a', L'b', L'c'}) {
        relative += (relative.empty() ? L"" : L"\\") + std::wstring(100, c);
        dir.MakeDir(relative);
    }
    const std::wstring folder = dir / relative;
    const std::wstring path = folder + L"\\実行履歴.LOG";
    ASSERT_GT(path.size(), 300u);
    ASSERT_TRUE(SaveTextFile(path, L"行\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(path), "\x8d\x73\r\n");
}

} // namespace
} // namespace tavlo
