#pragma once
// Shared pieces of the dialog tests: a private store, options put back, load failures recorded, and
// the ways a user works a dialog (clicks, keys, the close box).
#include "windows/UiTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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
