#pragma once
// Shared pieces of the dialog tests: a private store, options put back, load failures recorded, and
// the ways a user works a dialog (clicks, keys, the close box).
#include "UiTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tavlo::test {

inline void Click(HWND control)
{
    SendMessageW(control, BM_CLICK, 0, 0);
}

inline bool Checked(HWND box)
{
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline bool Visible(HWND control)
{
    return IsWindowVisible(control) != FALSE;
}

inline bool Enabled(HWND control)
{
    return IsWindowEnabled(control) != FALSE;
}

// The close box of a window, as the system sends it.
inline void CloseBox(HWND window)
{
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Pixel rounding makes stored twips differ from what was set by up to one pixel.
inline constexpr float kPixelTwips = 15.5f;

// Screen rectangle of a window.
inline RECT ScreenRect(HWND window)
{
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc;
}

inline bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The extent of a text in a font (by default the control's own).
inline SIZE TextExtent(HWND control, const std::wstring& text, HFONT font = nullptr)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font ? font : reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

// The control's caption fits beside `reserved` pixels (a check box's box) at the control's font.
inline void ExpectCaptionFits(HWND control, int reserved = 0)
{
    const std::wstring text = WindowText(control);
    const SIZE size = TextExtent(control, text);
    RECT rc{};
    GetClientRect(control, &rc);
    EXPECT_GE(rc.right, size.cx + reserved) << "cut off: " << testing::PrintToString(text);
    EXPECT_GE(rc.bottom, size.cy) << "cut off: " << testing::PrintToString(text);
}

// Every control lies inside the dialog's client area and none overlaps another.
inline void ExpectLaidOut(HWND dialog, const std::vector<HWND>& controls)
{
    RECT client{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (std::size_t a = 0; a < controls.size(); ++a) {
        const RECT ra = ScreenRect(controls[a]);
        EXPECT_TRUE(ra.left >= client.left && ra.right <= client.right && ra.bottom <= client.bottom)
            << "outside: control " << a;
        for (std::size_t b = a + 1; b < controls.size(); ++b)
            EXPECT_FALSE(Overlap(ra, ScreenRect(controls[b]))) << "overlap: controls " << a << " and " << b;
    }
}

// A test's work on a shown dialog ends with the dialog hidden or unloaded; one left on the screen
// would wait for a user, so it counts as a failure and is hidden.
template <typename Dialog>
void EndShowing(Dialog& dialog)
{
    if (!dialog.IsVisible()) return;
    ADD_FAILURE() << "the dialog is still shown";
    dialog.Hide();
}

class DialogTest : public testing::Test {
protected:
    OptionsGuard guard;
    TestStore store;
    LoadFailureRecorder failures;
};

} // namespace tavlo::test
