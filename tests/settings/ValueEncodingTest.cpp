#include "settings/ValueEncoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavlo {
namespace {

TEST(BoolText, WritesTheWords)
{
    EXPECT_EQ(BoolToText(true), L"True");
    EXPECT_EQ(BoolToText(false), L"False");
    EXPECT_EQ(TextToBool(BoolToText(true)), true);
    EXPECT_EQ(TextToBool(BoolToText(false)), false);
}

TEST(BoolText, ReadsWordsInAnyCaseAndNumbers)
{
    struct Case {
        const wchar_t* text;
        bool value;
    };
    for (auto [text, value] : {Case{L"True", true}, Case{L"false", false}, Case{L"TRUE", true}, Case{L"fAlSe", false},
                               Case{L"0", false}, Case{L"-1", true}, Case{L"1", true}, Case{L"1.5", true},
                               Case{L"0.0", false}, Case{L"-0", false}, Case{L"0.4", true}, Case{L" 2 ", true},
                               Case{L"\tTrue  ", true}, Case{L"1E3", true}, Case{L"0e5", false},
                               Case{L"&H0", false}, Case{L"&HFFFF", true}, Case{L"+7", true}})
        EXPECT_EQ(TextToBool(text), value) << "text: [" << testing::PrintToString(std::wstring(text)) << "]";
}

TEST(BoolText, RejectsEverythingElse)
{
    for (const wchar_t* text : {L"", L"   ", L"abc", L"Truth", L"T", L"yes", L"True False", L"1 2", L"1,5", L"--1",
                                L"1e", L".", L"&H", L"&HG", L"&Q1", L"ＴＲＵＥ"})
        EXPECT_FALSE(TextToBool(text).has_value()) << testing::PrintToString(std::wstring(text));
}

TEST(Int16Text, WritesPlainDecimal)
{
    EXPECT_EQ(Int16ToText(0), L"0");
    EXPECT_EQ(Int16ToText(10), L"10");
    EXPECT_EQ(Int16ToText(-1), L"-1");
    EXPECT_EQ(Int16ToText(32767), L"32767");
    EXPECT_EQ(Int16ToText(-32768), L"-32768");
}

TEST(Int16Text, ReadsAndRoundsHalvesToEven)
{
    struct Case {
        const wchar_t* text;
        std::int16_t value;
    };
    for (auto [text, value] : {Case{L"0", 0}, Case{L"7", 7}, Case{L" 12 ", 12}, Case{L"+3", 3}, Case{L"-5", -5},
                               Case{L"1.5", 2}, Case{L"2.5", 2}, Case{L"3.5", 4}, Case{L"-2.5", -2},
                               Case{L"-3.5", -4}, Case{L"2.4999", 2}, Case{L"2.5001", 3}, Case{L"0.5", 0},
                               Case{L".6", 1}, Case{L"4.", 4}, Case{L"32767", 32767}, Case{L"-32768", -32768},
                               Case{L"32767.4", 32767}, Case{L"-32768.5", -32768}, Case{L"1E2", 100},
                               Case{L"15D-1", 2}, Case{L"&H10", 16}, Case{L"&HFFFF", -1}, Case{L"&o17", 15},
                               Case{L"&H7FFF", 32767}})
        EXPECT_EQ(TextToInt16(text), value) << testing::PrintToString(std::wstring(text));
}

TEST(Int16Text, FailsOnOverflowAndNonNumbers)
{
    for (const wchar_t* text : {L"32768", L"-32769", L"32767.5", L"-32768.6", L"1E5", L"&H10000", L"&HFFFFFFFF1", L"",
                                L"abc", L"True", L"12abc", L"1 000", L"&O8", L"1e999"})
        EXPECT_FALSE(TextToInt16(text).has_value()) << testing::PrintToString(std::wstring(text));
}

TEST(SingleText, WholeNumbersHaveNoDecimalPoint)
{
    EXPECT_EQ(SingleToText(1000.0f), L"1000");
    EXPECT_EQ(SingleToText(-9999.0f), L"-9999");
    EXPECT_EQ(SingleToText(8000.0f), L"8000");
    EXPECT_EQ(SingleToText(0.0f), L"0");
    EXPECT_EQ(SingleToText(-0.0f), L"0");
    EXPECT_EQ(SingleToText(1234567.0f), L"1234567");
}

TEST(SingleText, FractionsAndLargeOrSmallMagnitudes)
{
    EXPECT_EQ(SingleToText(1000.5f), L"1000.5");
    EXPECT_EQ(SingleToText(-0.25f), L"-0.25");
    EXPECT_EQ(SingleToText(1.0f / 3.0f), L"0.3333333");
    EXPECT_EQ(SingleToText(2.0f / 3.0f), L"0.6666667");
    EXPECT_EQ(SingleToText(12345678.0f), L"1.234568E+07");
    EXPECT_EQ(SingleToText(1e10f), L"1E+10");
    EXPECT_EQ(SingleToText(0.0001f), L"0.0001");
    EXPECT_EQ(SingleToText(0.00001f), L"1E-05");
}

TEST(SingleText, ReadsBackWhatItWrites)
{
    for (float v : {0.0f, 1.0f, -1.0f, 1000.0f, 1000.5f, -9999.0f, 0.125f, 12345678.0f, 1e-5f, 3.4e38f, 7.25e-30f}) {
        auto back = TextToSingle(SingleToText(v));
        ASSERT_TRUE(back) << v;
        EXPECT_FLOAT_EQ(*back, v);
    }
}

TEST(SingleText, ReadsNumbersAndRejectsTheRest)
{
    EXPECT_EQ(TextToSingle(L" 1000 "), 1000.0f);
    EXPECT_EQ(TextToSingle(L"-9999"), -9999.0f);
    EXPECT_EQ(TextToSingle(L"1.5E+3"), 1500.0f);
    EXPECT_EQ(TextToSingle(L"&HFFFF"), -1.0f);
    EXPECT_EQ(TextToSingle(L"&H10000"), 65536.0f);
    // Too small is zero, not a failure, also beyond the range of a double.
    EXPECT_EQ(TextToSingle(L"1e-50"), 0.0f);
    EXPECT_EQ(TextToSingle(L"-1e-999"), 0.0f);
    EXPECT_EQ(TextToSingle(L"0.000e99999999999999"), 0.0f);
    EXPECT_EQ(TextToInt16(L"12345e-999"), 0);
    for (const wchar_t* text : {L"", L"abc", L"1,000", L"1000px", L"3.5e38", L"-1E39", L"1e999", L"nan", L"inf"})
        EXPECT_FALSE(TextToSingle(text).has_value()) << testing::PrintToString(std::wstring(text));
}

TEST(NumberText, DecimalPointIsAlwaysADot)
{
    EXPECT_EQ(ParseNumberText(L"0.5"), 0.5);
    EXPECT_FALSE(ParseNumberText(L"0,5").has_value());
    EXPECT_EQ(ParseNumberText(L"-&H1"), std::nullopt);
    EXPECT_EQ(ParseNumberText(L"&HFFFFFFFF"), -1.0);
    EXPECT_EQ(ParseNumberText(L"&H80000000"), -2147483648.0);
}

} // namespace
} // namespace tavlo
