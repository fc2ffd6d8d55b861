#pragma once
// The pictures of the small command buttons (up, down, delete, delete all, add; the target list's
// take-out buttons; the input file window's add buttons) and the program's own picture. They are drawn here at run time for the size asked for, so they stay sharp at any
// resolution and the program needs no image resources.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace tavlo {

enum class ButtonIcon {
    Up,
    Down,
    Delete,
    DeleteAll,
    Add,
    TakeOutSelected, // a sheet with a cross
    TakeOutAll,      // two sheets with a cross
    AddSelected,     // a sheet and an arrow
    AddAll,          // two sheets and an arrow
    AddSubfolders,   // a folder, a sheet and an arrow
};

// Pixels of a square picture, row by row from the top: 0xAARRGGBB with straight (not premultiplied)
// alpha; fully transparent where nothing is drawn.
struct IconPixels {
    int Size = 0;
    std::vector<std::uint32_t> Argb;

    std::uint32_t At(int x, int y) const { return Argb[static_cast<std::size_t>(y) * Size + x]; }
    std::uint8_t Alpha(int x, int y) const { return static_cast<std::uint8_t>(At(x, y) >> 24); }
};

// The pictures the owner-drawn lists put before their rows.
enum class ListIcon { File, ClosedFolder, OpenFolder, FixedDrive, RemovableDrive, OpticalDrive, RemoteDrive, UnknownDrive };

// The drawing of a button icon, a list picture or the program's picture at `sizePx` (at least 8)
// pixels square.
IconPixels RenderButtonIcon(ButtonIcon kind, int sizePx);
IconPixels RenderListIcon(ListIcon kind, int sizePx);
// The same drawing in greys, for a disabled list.
IconPixels Greyed(IconPixels pixels);
IconPixels RenderProgramPicture(int sizePx);

// An icon of the pixels, with a mask that follows the drawing so a disabled button greys the shape,
// not its square. The caller destroys it; nullptr when the system refused.
HICON MakeIcon(const IconPixels& pixels);
HICON MakeButtonIcon(ButtonIcon kind, int sizePx);

// The icon edge that suits a button of the given pixel height (16 for the usual 24-pixel button).
int ButtonIconSize(int buttonHeightPx);

// Puts the picture on a push button made with BS_ICON, sized for the button as it is now (call again
// after the button's size changed).
void FitButtonIcon(HWND button, ButtonIcon kind);
// Puts the icon on a push button made with BS_ICON. The icon is the process's shared copy for that
// kind and size, kept until the process ends, so the button never holds a destroyed one.
void SetButtonIcon(HWND button, ButtonIcon kind, int sizePx);

// Draws a list picture `sizePx` square with its top left at (x, y); greyed when not enabled. The
// process keeps one icon per kind, size and state.
void DrawListIcon(HDC dc, int x, int y, ListIcon kind, int sizePx, bool enabled);

} // namespace tavlo
