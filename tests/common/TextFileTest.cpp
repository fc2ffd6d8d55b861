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
    ASSERT_TRUE(SaveTextFileCp932(path, L"[ C:\\ア ]\r\nabc\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(path), "[ C:\\\x83\x41 ]\r\nabc\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"log.LOG"});
}

TEST(TextFile, ReplacesAnExistingFileWholeAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::wstring path = dir.Write(L"old.log", std::string(10000, 'x'));
    ASSERT_TRUE(SaveTextFileCp932(path, L"short\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(path), "short\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"old.log"});

    ASSERT_TRUE(SaveTextFileCp932(path, L""));
    EXPECT_EQ(TempDir::ReadBytes(path), "");
    EXPECT_TRUE(TempDir::Exists(path));
}

TEST(TextFile, LockedTargetStaysIntact)
{
    TempDir dir;
    const std::wstring path = dir.Write(L"locked.log", "old contents\r\n");
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const bool saved = SaveTextFileCp932(path, L"new contents\r\n");
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
    EXPECT_FALSE(SaveTextFileCp932(path, L"new contents\r\n"));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(TempDir::ReadBytes(path), "old contents\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"readonly.log"});
}

TEST(TextFile, FailsWithoutTouchingAnythingWhenTheTargetCannotBeAFile)
{
    TempDir dir;
    EXPECT_FALSE(SaveTextFileCp932(dir / L"no such folder\\x.log", L"a\r\n"));
    const std::wstring folder = dir.MakeDir(L"taken.log");
    dir.Write(L"taken.log\\inside.txt", "keep");
    EXPECT_FALSE(SaveTextFileCp932(folder, L"a\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(folder + L"\\inside.txt"), "keep");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"taken.log"});
    EXPECT_FALSE(SaveTextFileCp932(L"", L"a\r\n"));
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
    ASSERT_TRUE(SaveTextFileCp932(path, L"行\r\n"));
    EXPECT_EQ(TempDir::ReadBytes(path), "\x8d\x73\r\n");
}

} // namespace
} // namespace tavlo
