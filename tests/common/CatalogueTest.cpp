#include "common/Catalogue.h"
#include "common/Fault.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

TEST(Catalogue, AFillWithoutItsTagLeavesTheTextAndIsTraced)
{
    std::vector<std::wstring> traces;
    SetFaultObserver([&](const std::wstring& trace) { traces.push_back(trace); });
    EXPECT_EQ(FillTag(L"%FILE% は %FILE%", L"%FILE%", L"a.txt"), L"a.txt は %FILE%");
    EXPECT_TRUE(traces.empty());
    EXPECT_EQ(FillTag(ProgramString(program_text::AllBack), L"%TIME%", L"12:00"), ProgramString(program_text::AllBack));
    SetFaultObserver(nullptr);
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_NE(traces[0].find(L"%TIME%"), std::wstring::npos);
}

TEST(Catalogue, UnknownNumbersGiveTheEmptyText)
{
    for (int n : {0, 19, -1, 9, 29, 99, 102, 3004, 8059, 20009, 32767, -32768})
        EXPECT_TRUE(ProgramText(TextNumber(n)).empty()) << n;
    for (int n : {0, 12, 6, 7002, 7006, 5102, 11001, -1}) EXPECT_TRUE(GeneralText(GeneralNumber(n)).empty()) << n;
}

TEST(Catalogue, GroupsAreConsecutiveForComputedNumbers)
{
    // Callers add a mode or row index to a group's base number.
    for (int base : {10, 20, 8050, 8060, 8080, 8090, 8100, 8110, 20000}) {
        int count = base == 8080 || base == 8090 || base == 8100 || base == 8110 ? 6 : 9;
        for (int i = 0; i < count; ++i)
            EXPECT_FALSE(ProgramText(TextNumber(base + i)).empty()) << base + i;
    }
    EXPECT_EQ(ProgramText(TextNumber{10}), L"３");
    EXPECT_EQ(ProgramText(TextNumber{17}), L"大文字");
    EXPECT_EQ(ProgramText(TextNumber{8052}), L"４－＞３");
    EXPECT_EQ(ProgramText(TextNumber{12}), L"4->3");
}

TEST(Catalogue, SharedAndPeculiarTextsStayAsWritten)
{
    EXPECT_EQ(ProgramText(TextNumber{5000}), ProgramText(TextNumber{5001}));
    EXPECT_EQ(ProgramText(TextNumber{5000}), L"実行履歴");
    EXPECT_EQ(GeneralText(GeneralNumber{5}), GeneralText(GeneralNumber{8043}));
    EXPECT_EQ(GeneralText(GeneralNumber{5}), L"ｷｬﾝｾﾙ");
    EXPECT_EQ(GeneralText(GeneralNumber{1100}), GeneralText(GeneralNumber{11101}));
    EXPECT_NE(ProgramText(TextNumber{23}).find(L"４３文字拡張子"), std::wstring_view::npos);
    EXPECT_NE(ProgramText(TextNumber{8063}).find(L"４３文字拡張子"), std::wstring_view::npos);
    EXPECT_EQ(ProgramText(TextNumber{9999}), L"Tavlo2 for Win32");
    EXPECT_EQ(GeneralText(GeneralNumber{20}), L"で使用したレジストリを全て削除します");
}

TEST(Catalogue, EngineLinesAreIndentedByOneIdeographicSpace)
{
    for (int n = 20000; n <= 20008; ++n) {
        std::wstring_view text = ProgramText(TextNumber(n));
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text[0], L'\u3000') << n;
        EXPECT_NE(text[1], L'\u3000') << n;
    }
    EXPECT_EQ(ProgramText(TextNumber{20001}), L"　ファイル名変更後と同一の為変更しません");
}

TEST(Catalogue, ContactLinesNameTheProjectOnAReservedDomain)
{
    EXPECT_FALSE(GeneralText(GeneralNumber{7003}).empty());
    EXPECT_NE(GeneralText(GeneralNumber{7004}).find(L"@"), std::wstring_view::npos);
    EXPECT_NE(GeneralText(GeneralNumber{7004}).find(L".invalid"), std::wstring_view::npos);
    EXPECT_NE(GeneralText(GeneralNumber{7005}).find(L".invalid"), std::wstring_view::npos);
}

} // namespace
} // namespace tavlo
