#pragma once
// The two states a block of work holds and must give back however it ends: the hourglass pointer and a
// window's drawing.
#include <windows.h>

namespace tavlo {

// The hourglass for as long as this object lives; the previous pointer comes back after.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// A window that does not draw while its content is rebuilt; drawing comes back after and the window is
// drawn anew, erased.
class HeldRedraw {
public:
    explicit HeldRedraw(HWND window) : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
    ~HeldRedraw()
    {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    HeldRedraw(const HeldRedraw&) = delete;
    HeldRedraw& operator=(const HeldRedraw&) = delete;

private:
    HWND window_;
};

} // namespace tavlo
