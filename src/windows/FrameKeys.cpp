#include "windows/FrameKeys.h"

namespace tavlo {

namespace {

bool IsPushButton(HWND control)
{
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return Form::IsOfClass(control, L"Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// The control of `parent` that holds `focus` (a combo box's own edit field, say, belongs to the combo).
HWND ControlOf(HWND parent, HWND focus)
{
    while (focus && GetParent(focus) != parent) focus = GetParent(focus);
    return focus;
}

} // namespace

bool TranslateFrameKeys(const MSG& msg, ModeStrip& strip, ChildForm* active)
{
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool click = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                       msg.message == WM_NCLBUTTONDOWN || msg.message == WM_NCRBUTTONDOWN;
    if (!key && !click) return false;

    // Where the focus is before the key or the click moves it: that is the place to come back to.
    const HWND focus = GetFocus();
    const bool inStrip = focus && IsChild(strip.Handle(), focus);
    const bool inChild = active && focus && IsChild(active->Handle(), focus);
    if (inStrip) strip.Remember(focus);
    if (inChild) active->RememberFocus(ControlOf(active->Handle(), focus));

    if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
        case VK_F6:
            if (inStrip) {
                if (active) {
                    const HWND control = active->FocusControl();
                    SetFocus(control ? control : active->Handle());
                }
            } else {
                strip.TakeFocus();
            }
            return true;
        case VK_TAB:
            if (inStrip) {
                strip.MoveFocus(focus, shift ? -1 : 1);
                return true;
            }
            if (inChild) {
                if (HWND next = GetNextDlgTabItem(active->Handle(), ControlOf(active->Handle(), focus), shift ? TRUE : FALSE))
                    SetFocus(next);
                return true;
            }
            return false;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (!inStrip) return false;
            strip.MoveFocus(focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP ? -1 : 1);
            return true;
        case VK_RETURN:
            if ((!inStrip && !inChild) || !IsPushButton(focus)) return false;
            SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        default:
            return false;
    }
}

} // namespace tavlo
