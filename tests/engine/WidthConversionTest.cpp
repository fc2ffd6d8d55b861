#include "engine/WidthConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

std::wstring Range(wchar_t first, wchar_t last)
{
    std::wstring s;
    for (wchar_t c = first; c <= last; ++c) s += c;
    return s;
}

TEST(WidthConversion, EmptyText)
{
    EXPECT_EQ(ToFullWidth(L""), L"");
    EXPECT_EQ(ToHalfWidth(L"", false), L"");
    EXPECT_EQ(ToHalfWidth(L"", true), L"");
}

TEST(WidthConversion, AsciiToFullWidth)
{
    EXPECT_EQ(ToFullWidth(L"txt"), L"ｔｘｔ");
    EXPECT_EQ(ToFullWidth(L"Html"), L"Ｈｔｍｌ");
    EXPECT_EQ(ToFullWidth(L"lzh.zip"), L"ｌｚｈ．ｚｉｐ");
    EXPECT_EQ(ToFullWidth(Range(L'0', L'9')), L"０１２３４５６７８９");
    EXPECT_EQ(ToFullWidth(Range(L'A', L'Z')), L"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ");
    EXPECT_EQ(ToFullWidth(Range(L'a', L'z')), L"ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ");
    EXPECT_EQ(ToFullWidth(L".!#$&'()+,-=[]^_`{}~"), L"．！＃＄＆’（）＋，－＝［］＾＿｀｛｝￣");
    EXPECT_EQ(ToFullWidth(L"a b"), L"ａ　ｂ");
}

TEST(WidthConversion, FullWidthLeavesOthersAlone)
{
    EXPECT_EQ(ToFullWidth(L"100%"), L"１００%");
    EXPECT_EQ(ToFullWidth(L"a･b"), L"ａ･ｂ");
    for (const wchar_t* same : {L"%", L"@", L";", L"\"", L"*", L"/", L":", L"<", L">", L"?", L"\\", L"|",
                                L"ｔｘｔ", L"漢字", L"ひらがな", L"カタカナ", L"ヶ", L"．", L"\t"})
        EXPECT_EQ(ToFullWidth(same), same);
}

TEST(WidthConversion, HalfWidthKatakanaCombineWithSoundMarks)
{
    EXPECT_EQ(ToFullWidth(L"ｶﾞｲﾄﾞ"), L"ガイド");
    EXPECT_EQ(ToFullWidth(L"ﾊﾟｰﾂ"), L"パーツ");
    EXPECT_EQ(ToFullWidth(L"ｳﾞ"), L"ヴ");
    EXPECT_EQ(ToFullWidth(L"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"),
              L"ガギグゲゴザジズゼゾダヂヅデドバビブベボ");
    EXPECT_EQ(ToFullWidth(L"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), L"パピプペポ");
    // No other letter combines; marks that are not absorbed become the full-width marks.
    EXPECT_EQ(ToFullWidth(L"ﾅﾞ"), L"ナ゛");
    EXPECT_EQ(ToFullWidth(L"ｶﾟ"), L"カ゜");
    EXPECT_EQ(ToFullWidth(L"ｳﾟ"), L"ウ゜");
    EXPECT_EQ(ToFullWidth(L"ﾞｶ"), L"゛カ");
    EXPECT_EQ(ToFullWidth(L"ｶ"), L"カ");
    EXPECT_EQ(ToFullWidth(L"ｶﾞﾞ"), L"ガ゛"); // one mark per letter
    EXPECT_EQ(ToFullWidth(L"ﾊﾞﾟ"), L"バ゜");
    EXPECT_EQ(ToFullWidth(L"ｶ ﾞ"), L"カ　゛"); // only the very next character is looked at
    EXPECT_EQ(ToFullWidth(L"｡｢｣､"), L"。「」、");
}

TEST(WidthConversion, FullWidthCharReportsAbsorption)
{
    bool absorbed = true;
    EXPECT_EQ(FullWidthChar(0xFF76 /*ｶ*/, 0xFF9E, absorbed), L"ガ");
    EXPECT_TRUE(absorbed);
    EXPECT_EQ(FullWidthChar(0xFF8A /*ﾊ*/, 0xFF9F, absorbed), L"パ");
    EXPECT_TRUE(absorbed);
    EXPECT_EQ(FullWidthChar(0xFF76, 0, absorbed), L"カ");
    EXPECT_FALSE(absorbed);
    absorbed = true;
    EXPECT_EQ(FullWidthChar(0xFF85 /*ﾅ*/, 0xFF9E, absorbed), L"ナ");
    EXPECT_FALSE(absorbed);
    absorbed = true;
    EXPECT_EQ(FullWidthChar(L'a', 0xFF9E, absorbed), L"ａ");
    EXPECT_FALSE(absorbed);
}

TEST(WidthConversion, EveryHalfWidthKanaHasAFullWidthCounterpart)
{
    // The JIS X 0201 katakana block: only the middle dot has no full-width form here.
    for (wchar_t c = 0xFF61; c <= 0xFF9F; ++c) {
        bool absorbed = true;
        std::wstring full = FullWidthChar(c, 0, absorbed);
        ASSERT_EQ(full.size(), 1u);
        EXPECT_FALSE(absorbed);
        if (c == 0xFF65) {
            EXPECT_EQ(full[0], c);
            continue;
        }
        EXPECT_NE(full[0], c) << std::hex << int(c);
        EXPECT_EQ(HalfWidthChar(full[0], false), std::wstring(1, c)) << std::hex << int(c);
    }
    EXPECT_EQ(ToFullWidth(L"ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ"),
              L"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン");
}

TEST(WidthConversion, FullWidthToAscii)
{
    for (bool hira : {false, true}) {
        EXPECT_EQ(ToHalfWidth(L"ｔｘｔ", hira), L"txt");
        EXPECT_EQ(ToHalfWidth(L"ＨＴＭＬ０９", hira), L"HTML09");
        EXPECT_EQ(ToHalfWidth(L"．！＃＄＆’（）＋，－＝［］＾＿｀｛｝￣", hira), L".!#$&'()+,-=[]^_`{}~");
        EXPECT_EQ(ToHalfWidth(L"。「」、゛゜　", hira), L"｡｢｣､ﾞﾟ ");
    }
}

TEST(WidthConversion, KatakanaToHalfWidth)
{
    EXPECT_EQ(ToHalfWidth(L"ガイド", false), L"ｶﾞｲﾄﾞ");
    EXPECT_EQ(ToHalfWidth(L"パーツ", false), L"ﾊﾟｰﾂ");
    EXPECT_EQ(ToHalfWidth(L"ヴ", false), L"ｳﾞ");
    EXPECT_EQ(ToHalfWidth(L"ヲァアワン", false), L"ｦｧｱﾜﾝ");
    EXPECT_EQ(ToHalfWidth(L"ヶ月", false), L"ヶ月");
    EXPECT_EQ(ToHalfWidth(L"ヶ月", true), L"ヶ月");
}

TEST(WidthConversion, HiraganaOnlyWhenAsked)
{
    EXPECT_EQ(ToHalfWidth(L"てすと", false), L"てすと");
    EXPECT_EQ(ToHalfWidth(L"てすと", true), L"ﾃｽﾄ");
    EXPECT_EQ(ToHalfWidth(L"がぱをぁん", true), L"ｶﾞﾊﾟｦｧﾝ");
    EXPECT_EQ(ToHalfWidth(L"がぱをぁん", false), L"がぱをぁん");
    for (bool hira : {false, true}) {
        EXPECT_EQ(ToHalfWidth(L"ゐ", hira), L"ゐ");
        EXPECT_EQ(ToHalfWidth(L"ゎゑゔゕゖ", hira), L"ゎゑゔゕゖ");
    }
    // With the option on, every hiragana that has a katakana counterpart in JIS X 0201
    // converts exactly like that katakana.
    for (wchar_t h = 0x3041; h <= 0x3093; ++h) {
        wchar_t k = static_cast<wchar_t>(h + 0x60);
        std::wstring fromKatakana = HalfWidthChar(k, false);
        if (fromKatakana == std::wstring(1, k)) EXPECT_EQ(HalfWidthChar(h, true), std::wstring(1, h));
        else EXPECT_EQ(HalfWidthChar(h, true), fromKatakana) << std::hex << int(h);
    }
}

TEST(WidthConversion, HalfWidthLeavesOthersAlone)
{
    for (const wchar_t* same : {L"ヮ", L"ヰ", L"ヱ", L"ヵ", L"ヶ", L"・", L"％", L"＠", L"；", L"￥", L"漢字",
                                L"txt", L"ｶﾀｶﾅ", L"ﾞﾟ", L"･", L"~'", L"ヽヾ"})
        for (bool hira : {false, true}) EXPECT_EQ(ToHalfWidth(same, hira), same);
}

// Every printable ASCII character and every JIS X 0201 katakana character.
std::wstring HalfWidthAlphabet()
{
    return Range(0x20, 0x7E) + Range(0xFF61, 0xFF9F);
}

TEST(WidthConversion, HalfWidthTextSurvivesFullWidthAndBack)
{
    const std::wstring alphabet = HalfWidthAlphabet();
    // Every pair covers each letter followed by each possible mark or neighbour.
    for (wchar_t a : alphabet)
        for (wchar_t b : alphabet) {
            std::wstring s{a, b};
            for (bool hira : {false, true}) ASSERT_EQ(ToHalfWidth(ToFullWidth(s), hira), s) << std::hex << int(a) << " " << int(b);
        }
    const std::vector<std::wstring> longer{L"ｶﾞｶﾞｶﾞ", L"ﾊﾞﾟﾊﾟﾞ", L"ﾞﾞﾟﾟ", L"ｳﾞｨﾝﾄﾞｳ", L"lzh.zip", L"My Doc (1)~"};
    for (const auto& s : longer) EXPECT_EQ(ToHalfWidth(ToFullWidth(s), false), s);
}

TEST(WidthConversion, FullWidthTextSurvivesHalfWidthAndBack)
{
    // Katakana, full-width ASCII forms and the signs, but no free-standing sound marks
    // (a mark after a letter would merge with it on the way back).
    std::wstring alphabet = Range(0x30A1, 0x30FE) + Range(0xFF01, 0xFF5E) + L"’￣。「」、　";
    for (wchar_t a : alphabet)
        for (wchar_t b : alphabet) {
            std::wstring s{a, b};
            ASSERT_EQ(ToFullWidth(ToHalfWidth(s, false)), s) << std::hex << int(a) << " " << int(b);
        }
}

} // namespace
} // namespace tavlo
