#include "ui/Icons.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

namespace tavlo {
namespace {

constexpr ButtonIcon kAll[] = {ButtonIcon::Up,          ButtonIcon::Down,         ButtonIcon::Delete,
                               ButtonIcon::DeleteAll,   ButtonIcon::Add,          ButtonIcon::TakeOutSelected,
                               ButtonIcon::TakeOutAll,  ButtonIcon::AddSelected,  ButtonIcon::AddAll,
                               ButtonIcon::AddSubfolders};

int Red(std::uint32_t p) { return (p >> 16) & 0xFF; }
int Green(std::uint32_t p) { return (p >> 8) & 0xFF; }
int Blue(std::uint32_t p) { return p & 0xFF; }

// Opaque pixels in a row.
int RowInk(const IconPixels& icon, int y)
{
    int n = 0;
    for (int x = 0; x < icon.Size; ++x) n += icon.Alpha(x, y) >= 128;
    return n;
}

// The summed colour of the well-covered pixels: which hue dominates the picture.
struct Hue {
    long r = 0, g = 0, b = 0;
};
Hue HueOf(const IconPixels& icon)
{
    Hue h;
    for (int y = 0; y < icon.Size; ++y)
        for (int x = 0; x < icon.Size; ++x)
            if (icon.Alpha(x, y) >= 200) {
                h.r += Red(icon.At(x, y));
                h.g += Green(icon.At(x, y));
                h.b += Blue(icon.At(x, y));
            }
    return h;
}

TEST(IconsTest, EveryIconHasAShapeOnAClearGround)
{
    for (int size : {16, 20, 24, 32}) {
        for (ButtonIcon kind : kAll) {
            const IconPixels icon = RenderButtonIcon(kind, size);
            ASSERT_EQ(icon.Size, size);
            ASSERT_EQ(icon.Argb.size(), static_cast<std::size_t>(size * size));
            int opaque = 0;
            for (std::uint32_t p : icon.Argb) opaque += (p >> 24) >= 128;
            EXPECT_GT(opaque, size * size / 8) << "too little drawn, kind " << static_cast<int>(kind);
            EXPECT_LT(opaque, size * size * 3 / 4) << "the ground is covered, kind " << static_cast<int>(kind);
            EXPECT_EQ(icon.Alpha(0, 0), 0);
            EXPECT_EQ(icon.Alpha(size - 1, size - 1), 0);
        }
    }
}

// The pictures before the rows of the drive, folder and file lists: drawn at any size, and greyed
// for a disabled list without losing their shape.
TEST(IconsTest, ListPicturesScaleAndGreyOut)
{
    for (ListIcon kind : {ListIcon::File, ListIcon::ClosedFolder, ListIcon::OpenFolder, ListIcon::FixedDrive,
                          ListIcon::RemovableDrive, ListIcon::OpticalDrive, ListIcon::RemoteDrive, ListIcon::UnknownDrive}) {
        for (int size : {16, 24, 32}) {
            const IconPixels icon = RenderListIcon(kind, size);
            int opaque = 0;
            for (std::uint32_t p : icon.Argb) opaque += (p >> 24) >= 128;
            EXPECT_GT(opaque, size * size / 10) << static_cast<int>(kind) << " at " << size;
            const IconPixels grey = Greyed(icon);
            for (std::size_t i = 0; i < icon.Argb.size(); ++i) {
                ASSERT_EQ(grey.Argb[i] >> 24, icon.Argb[i] >> 24);
                EXPECT_TRUE(Red(grey.Argb[i]) == Green(grey.Argb[i]) && Green(grey.Argb[i]) == Blue(grey.Argb[i]));
            }
        }
    }
}

TEST(IconsTest, ArrowsPointTheirWayAndMirrorEachOther)
{
    const IconPixels up = RenderButtonIcon(ButtonIcon::Up, 16);
    const IconPixels down = RenderButtonIcon(ButtonIcon::Down, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(up.At(x, y), down.At(x, 15 - y)) << x << "," << y;
    // The head is at the top of the up arrow: narrow at its tip, widest where it meets the stem.
    EXPECT_LT(RowInk(up, 2), RowInk(up, 7));
    EXPECT_GT(RowInk(up, 7), RowInk(up, 12));
    EXPECT_LT(RowInk(down, 13), RowInk(down, 8));
    // Left-right symmetric.
    for (int y = 0; y < 16; ++y) EXPECT_EQ(up.Alpha(3, y), up.Alpha(12, y));
}

TEST(IconsTest, CrossesAndPlusAreSymmetricAndColouredByMeaning)
{
    const IconPixels del = RenderButtonIcon(ButtonIcon::Delete, 16);
    const IconPixels add = RenderButtonIcon(ButtonIcon::Add, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(del.Alpha(x, y), del.Alpha(15 - x, y));
            EXPECT_EQ(add.Alpha(x, y), add.Alpha(y, x));
        }
    // The cross meets in the middle; the plus is solid there.
    EXPECT_GE(del.Alpha(8, 8), 200);
    EXPECT_GE(add.Alpha(8, 8), 200);
    // Corners of the plus stay clear, the cross reaches towards them.
    EXPECT_EQ(add.Alpha(3, 3), 0);
    EXPECT_GE(del.Alpha(4, 4), 128);

    const Hue red = HueOf(del), green = HueOf(add), blue = HueOf(RenderButtonIcon(ButtonIcon::Up, 16));
    EXPECT_GT(red.r, red.g + red.b);
    EXPECT_GT(green.g, green.r + green.b);
    EXPECT_GT(blue.b, blue.r + blue.g);

    // Delete all shows the list rows at the left, where the plain cross leaves room.
    const IconPixels all = RenderButtonIcon(ButtonIcon::DeleteAll, 16);
    EXPECT_EQ(del.Alpha(1, 6), 0);
    EXPECT_GE(all.Alpha(1, 6), 128);
}

TEST(IconsTest, SystemIconsCarryTheDrawingAndAMaskThatFollowsIt)
{
    for (ButtonIcon kind : kAll) {
        HICON icon = MakeButtonIcon(kind, 20);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 20);
        EXPECT_EQ(bm.bmHeight, 20);

        // The mask is set (transparent) at the corner and clear in the drawing.
        const IconPixels pixels = RenderButtonIcon(kind, 20);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, info.hbmMask);
        EXPECT_NE(GetPixel(dc, 0, 0) & 0xFFFFFF, 0u);
        int x = -1, y = -1;
        for (int yy = 0; yy < 20 && x < 0; ++yy)
            for (int xx = 0; xx < 20; ++xx)
                if (pixels.Alpha(xx, yy) == 255) {
                    x = xx;
                    y = yy;
                    break;
                }
        ASSERT_GE(x, 0);
        EXPECT_EQ(GetPixel(dc, x, y) & 0xFFFFFF, 0u);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

} // namespace
} // namespace tavlo
