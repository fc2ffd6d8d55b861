#include "ui/Twips.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavlo {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(4500.5), 4500);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, OtherFractionsGoToTheNearest)
{
    EXPECT_EQ(RoundHalfEven(2000.3333), 2000);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(-2.51), -3);
    EXPECT_EQ(RoundHalfEven(-0.49), 0);
    EXPECT_EQ(RoundHalfEven(7), 7);
}

TEST(CInt, FitsSixteenBitsOrThrows)
{
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768); // the even neighbour is still in range
    EXPECT_EQ(CInt(10.5), 10);
    EXPECT_EQ(CInt(11.5), 12);
    EXPECT_THROW(CInt(32767.5), std::range_error);
    EXPECT_THROW(CInt(-32769), std::range_error);
    EXPECT_THROW(CInt(1e9), std::range_error);
}

TEST(TwipsScale, FifteenTwipsPerPixelAtNinetySixDpi)
{
    TwipsScale s(96, 96);
    EXPECT_EQ(s.XToPixels(1440), 96);
    EXPECT_EQ(s.YToPixels(615), 41);
    EXPECT_EQ(s.XToPixels(7), 0);  // 0.47 pixel
    EXPECT_EQ(s.XToPixels(8), 1);  // 0.53 pixel
    EXPECT_EQ(s.XToPixels(-15), -1);
    EXPECT_FLOAT_EQ(s.XToTwips(41), 615);
    EXPECT_FLOAT_EQ(s.YToTwips(-2), -30);
}

TEST(TwipsScale, OtherResolutionsRoundHalvesToEven)
{
    TwipsScale s(120, 144);
    // 12 twips per pixel across, 10 down.
    EXPECT_EQ(s.XToPixels(6), 0);   // 0.5
    EXPECT_EQ(s.XToPixels(18), 2);  // 1.5
    EXPECT_EQ(s.XToPixels(30), 2);  // 2.5
    EXPECT_EQ(s.XToPixels(615), 51); // 51.25
    EXPECT_EQ(s.YToPixels(615), 62); // 61.5
    EXPECT_EQ(s.YToPixels(625), 62); // 62.5
    EXPECT_FLOAT_EQ(s.XToTwips(100), 1200);
    EXPECT_FLOAT_EQ(s.YToTwips(100), 1000);
    EXPECT_EQ(s.DpiX(), 120);
    EXPECT_EQ(s.DpiY(), 144);
}

TEST(TwipsScale, PixelsSurviveTheRoundTrip)
{
    for (int dpi : {96, 120, 144, 192}) {
        TwipsScale s(dpi, dpi);
        for (int px = -50; px <= 2000; px += 7) {
            ASSERT_EQ(s.XToPixels(s.XToTwips(px)), px) << dpi << " dpi, " << px << " px";
            ASSERT_EQ(s.YToPixels(s.YToTwips(px)), px) << dpi << " dpi, " << px << " px";
        }
    }
}

} // namespace
} // namespace tavlo
