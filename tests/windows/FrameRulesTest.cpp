#include "windows/FrameRules.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavlo {
namespace {

TEST(FrameLayout, ArrangesTwoColumnsWithTheLogOverTwoThirds)
{
    FrameLayout l = ComputeFrameLayout(9000, 6000, true, 1215);
    ASSERT_TRUE(l.Children);
    const auto& c = *l.Children;
    EXPECT_EQ(c[0], (TwipsRect{0, 0, 4500, 2000}));    // input folder
    EXPECT_EQ(c[1], (TwipsRect{0, 2000, 4500, 2000})); // input files
    EXPECT_EQ(c[2], (TwipsRect{0, 4000, 4500, 2000})); // target list
    EXPECT_EQ(c[3], (TwipsRect{4500, 0, 4500, 4000})); // log
    EXPECT_EQ(c[4], (TwipsRect{4500, 4000, 4500, 2000})); // result list
    ASSERT_TRUE(l.CancelLeft);
    EXPECT_FLOAT_EQ(*l.CancelLeft, 9000 - 60 - 1215);
}

TEST(FrameLayout, HalvesRoundToEven)
{
    FrameLayout l = ComputeFrameLayout(9001, 6001, true, 1215);
    ASSERT_TRUE(l.Children);
    EXPECT_FLOAT_EQ((*l.Children)[3].Left, 4500);  // 4500.5
    EXPECT_FLOAT_EQ((*l.Children)[0].Height, 2000); // 2000.33
    l = ComputeFrameLayout(9003, 6002, true, 1215);
    EXPECT_FLOAT_EQ((*l.Children)[3].Left, 4502);  // 4501.5
    EXPECT_FLOAT_EQ((*l.Children)[0].Height, 2001); // 2000.67
}

TEST(FrameLayout, WithoutResizeOnlyTheCancelButtonMoves)
{
    FrameLayout l = ComputeFrameLayout(9000, 6000, false, 1215);
    EXPECT_FALSE(l.Children);
    ASSERT_TRUE(l.CancelLeft);
    EXPECT_FLOAT_EQ(*l.CancelLeft, 7725);
}

TEST(FrameLayout, ANarrowFrameLeavesTheCancelButtonWhereItIs)
{
    EXPECT_FALSE(ComputeFrameLayout(1275, 6000, false, 1215).CancelLeft);   // exactly 0
    EXPECT_FALSE(ComputeFrameLayout(100, 6000, true, 1215).CancelLeft);     // negative
    FrameLayout l = ComputeFrameLayout(1276, 6000, false, 1215);
    ASSERT_TRUE(l.CancelLeft);
    EXPECT_FLOAT_EQ(*l.CancelLeft, 1);
    l = ComputeFrameLayout(1275.6f, 6000, false, 1215); // 0.6 rounds to 1
    ASSERT_TRUE(l.CancelLeft);
    EXPECT_FLOAT_EQ(*l.CancelLeft, 1);
}

// A 4K screen is far more than 32767 twips wide: the layout still covers all of it.
TEST(FrameLayout, AnAreaBeyondSixteenBitsIsLaidOutWhole)
{
    FrameLayout l = ComputeFrameLayout(70001, 6000, true, 1215);
    ASSERT_TRUE(l.Children);
    EXPECT_FLOAT_EQ((*l.Children)[3].Left, 35000);
    EXPECT_FLOAT_EQ((*l.Children)[3].Width, 35000);
    ASSERT_TRUE(l.CancelLeft);
    EXPECT_FLOAT_EQ(*l.CancelLeft, 70001 - 60 - 1215);
}

OptionState FontState(std::wstring name, std::int16_t size, bool bold, bool italic)
{
    OptionState s;
    s.Font_Name = std::move(name);
    s.Font_Size = size;
    s.Font_Bold = bold;
    s.Font_Italic = italic;
    s.Tip = true; // untouched by the font choice
    return s;
}

TEST(FontChoiceRule, AnUnchangedChoiceTouchesNothing)
{
    OptionState s = FontState(L"ＭＳ 明朝", 10, false, true);
    EXPECT_FALSE(TakeFontChoice(FontChoiceFromOptions(s), s));
    EXPECT_EQ(s.Font_Name, L"ＭＳ 明朝");
    EXPECT_EQ(s.Font_Size, 10);
    EXPECT_TRUE(s.Font_Italic);
}

TEST(FontChoiceRule, SizesRoundHalvesToEven)
{
    OptionState s = FontState(L"ＭＳ 明朝", 10, false, false);
    EXPECT_TRUE(TakeFontChoice(FontChoice{L"ＭＳ 明朝", 10.5f, false, false}, s)); // differs from 10
    EXPECT_EQ(s.Font_Size, 10);
    EXPECT_TRUE(TakeFontChoice(FontChoice{L"ＭＳ 明朝", 11.5f, false, false}, s));
    EXPECT_EQ(s.Font_Size, 12);
}

TEST(FontChoiceRule, AnyOfTheFourChangesTakesAllFour)
{
    OptionState s = FontState(L"ＭＳ 明朝", 10, false, false);
    EXPECT_TRUE(TakeFontChoice(FontChoice{L"ＭＳ ゴシック", 10, false, false}, s));
    EXPECT_EQ(s.Font_Name, L"ＭＳ ゴシック");
    EXPECT_TRUE(TakeFontChoice(FontChoice{L"ＭＳ ゴシック", 10, true, false}, s));
    EXPECT_TRUE(s.Font_Bold);
    EXPECT_TRUE(TakeFontChoice(FontChoice{L"Arial", 14, false, true}, s));
    EXPECT_EQ(s.Font_Name, L"Arial");
    EXPECT_EQ(s.Font_Size, 14);
    EXPECT_FALSE(s.Font_Bold);
    EXPECT_TRUE(s.Font_Italic);
    EXPECT_TRUE(s.Tip);
}


TEST(KeepOnScreen, PutsTheWindowBackOnAScreenOf19200By14400)
{
    const float w = 19200, h = 14400;
    EXPECT_EQ(KeepOnScreen({-500, 300, 9000, 7000}, w, h, false), (TwipsRect{1000, 300, 9000, 7000}));
    EXPECT_EQ(KeepOnScreen({19201, -1, 9000, 7000}, w, h, false), (TwipsRect{1000, 1000, 9000, 7000}));
    EXPECT_EQ(KeepOnScreen({19200, 14400, 2000, 500}, w, h, false), (TwipsRect{19200, 14400, 2000, 500}));
    EXPECT_EQ(KeepOnScreen({0, 14401, 1500, 400}, w, h, false), (TwipsRect{0, 1000, 8000, 8000}));
    EXPECT_EQ(KeepOnScreen({0, 0, 1999.5f, 499.5f}, w, h, false), (TwipsRect{0, 0, 8000, 8000}));
    // On a monitor left of and above the primary one the position is negative, and stays.
    EXPECT_EQ(KeepOnScreen({-20000, -3000, 9000, 7000}, w, h, true), (TwipsRect{-20000, -3000, 9000, 7000}));
    EXPECT_EQ(KeepOnScreen({-20000, -3000, 1500, 7000}, w, h, true), (TwipsRect{-20000, -3000, 8000, 7000}));
}

TEST(KeepOnScreen, AMonitorIsOneThePlatformShows)
{
    const TwipsScale& s = TwipsScale::Screen();
    EXPECT_TRUE(s.OnAMonitor(1000, 1000));
    EXPECT_FALSE(s.OnAMonitor(-1e6f, -1e6f));
}

} // namespace
} // namespace tavlo
