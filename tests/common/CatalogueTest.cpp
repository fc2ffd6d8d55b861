#include "common/Catalogue.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(Catalogue, UnknownNumbersGiveTheEmptyText)
{
    for (std::int16_t n : {0, 19, -1, 9, 29, 99, 102, 3004, 8059, 20009, 32767, -32768})
        EXPECT_TRUE(ProgramText(n).empty()) << n;
    for (std::int16_t n : {0, 12, 6, 7002, 7006, 5102, 11001, -1}) EXPECT_TRUE(GeneralText(n).empty()) << n;
}

TEST(Catalogue, GroupsAreConsecutiveForComputedNumbers)
{
    // Callers add a mode or row index to a group's base number.
    for (int base : {10, 20, 8050, 8060, 8080, 8090, 8100, 8110, 20000}) {
        int count = base == 8080 || base == 8090 || base == 8100 || base == 8110 ? 6 : 9;
        for (int i = 0; i < count; ++i)
            EXPECT_FALSE(ProgramText(static_cast<std::int16_t>(base + i)).empty()) << base + i;
    }
    EXPECT_EQ(ProgramText(10), L"３");
    EXPECT_EQ(ProgramText(17), L"大文字");
    EXPECT_EQ(ProgramText(8052), L"４－＞３");
    EXPECT_EQ(ProgramText(12), L"4->3");
}

TEST(Catalogue, SharedAndPeculiarTextsStayAsWritten)
{
    EXPECT_EQ(ProgramText(5000), ProgramText(5001));
    EXPECT_EQ(ProgramText(5000), L"実行履歴");
    EXPECT_EQ(GeneralText(5), GeneralText(8043));
    EXPECT_EQ(GeneralText(5), L"ｷｬﾝｾﾙ");
    EXPECT_EQ(GeneralText(1100), GeneralText(11101));
    EXPECT_NE(ProgramText(23).find(L"４３文字拡張子"), std::wstring_view::npos);
    EXPECT_NE(ProgramText(8063).find(L"４３文字拡張子"), std::wstring_view::npos);
    EXPECT_EQ(ProgramText(9999), L"Tavlo2 for Win32");
    EXPECT_EQ(GeneralText(20), L"で使用したレジストリを全て削除します");
}

TEST(Catalogue, EngineLinesAreIndentedByOneIdeographicSpace)
{
    for (std::int16_t n = 20000; n <= 20008; ++n) {
        std::wstring_view text = ProgramText(n);
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text[0], L'\u3000') << n;
        EXPECT_NE(text[1], L'\u3000') << n;
    }
    EXPECT_EQ(ProgramText(20001), L"　ファイル名変更後と同一の為変更しません");
}

TEST(Catalogue, ContactLinesNameTheProjectOnAReservedDomain)
{
    EXPECT_FALSE(GeneralText(7003).empty());
    EXPECT_NE(GeneralText(7004).find(L"@"), std::wstring_view::npos);
    EXPECT_NE(GeneralText(7004).find(L".invalid"), std::wstring_view::npos);
    EXPECT_NE(GeneralText(7005).find(L".invalid"), std::wstring_view::npos);
}

} // namespace
} // namespace tavlo
