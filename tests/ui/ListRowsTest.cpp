#include "ui/ListRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

TEST(FolderRows, RootsAsTheyAreFoldersByTheirLastComponent)
{
    EXPECT_EQ(FolderRowName(L"C:\\"), L"C:\\");
    EXPECT_EQ(FolderRowName(L"C:\\Data\\写真"), L"写真");
    EXPECT_EQ(FolderRowName(L"\\\\s\\share\\"), L"\\\\s\\share\\");
}

TEST(RowSearch, TypedCharacterFindsTheNextRowWrappingRound)
{
    const std::vector<std::wstring> rows{L"apple", L"Banana", L"avocado", L"ｂｅｅｒ", L"bean", L""};
    auto find = [&](int caret, wchar_t c) {
        return NextRowStartingWith(static_cast<int>(rows.size()), caret, c,
                                   [&](int i) -> const std::wstring& { return rows[static_cast<std::size_t>(i)]; });
    };
    EXPECT_EQ(find(-1, L'a'), 0);
    EXPECT_EQ(find(0, L'a'), 2);
    EXPECT_EQ(find(2, L'A'), 0);
    EXPECT_EQ(find(0, L'b'), 1);
    EXPECT_EQ(find(1, L'b'), 4);
    EXPECT_EQ(find(4, L'B'), 1);
    EXPECT_EQ(find(0, L'Ｂ'), 3);
    EXPECT_EQ(find(0, L'z'), -1);
    EXPECT_EQ(NextRowStartingWith(0, -1, L'a', [&](int) -> const std::wstring& { return rows[0]; }), -1);
}

TEST(DriveRows, TheFirstTwoCharactersNameTheDrive)
{
    EXPECT_EQ(DriveRowText(L"C:\\", L"SYSTEM"), L"c: [SYSTEM]");
    EXPECT_EQ(DriveRowText(L"D:\\", L""), L"d:");
    EXPECT_EQ(DriveRowText(L"x", L"label"), L"");
    EXPECT_EQ(DriveOfText(L"c: [SYSTEM]"), L"C:");
    EXPECT_EQ(DriveOfText(L"C:\\Windows"), L"C:");
    EXPECT_EQ(DriveOfText(L"z:"), L"Z:");
    EXPECT_EQ(DriveOfText(L"1:"), L"");
    EXPECT_EQ(DriveOfText(L"C"), L"");
    EXPECT_EQ(DriveOfText(L"\\\\server\\share"), L"");
}

} // namespace
} // namespace tavlo
