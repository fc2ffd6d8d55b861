#include "ui/ToolTip.h"

#include "ui/ControlHook.h"

#include <commctrl.h>

namespace tavlo {

namespace {

const char kRelayHook = 0; // the key of the tip's hook on a control

TTTOOLINFOW ToolInfo(HWND owner, HWND control, wchar_t* text)
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND; // mouse messages come through our own hook, see Ensure
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text;
    return ti;
}

} // namespace

ToolTip::~ToolTip()
{
    Destroy();
}

void ToolTip::Destroy()
{
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
    tip_ = nullptr;
    owner_ = nullptr;
}

bool ToolTip::Create(HWND owner)
{
    if (tip_) return true;
    owner_ = owner;
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (!tip_) return false;
    // Long Japanese tips wrap instead of running off the screen.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
    return true;
}

bool ToolTip::Ensure(HWND control)
{
    if (!tip_ || !control) return false;
    TTTOOLINFOW ti = ToolInfo(owner_, control, nullptr);
    if (SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return true;
    wchar_t empty[1] = L"";
    ti = ToolInfo(owner_, control, empty);
    if (!SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) return false;
    // The tip learns of the mouse over the control; a tip made again later takes the hook over.
    HWND tip = tip_;
    ControlHook::Add(control, &kRelayHook, [tip](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                 const ControlHook::Next& next) {
        if (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK && IsWindow(tip)) {
            MSG relayed{hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
            const DWORD pos = GetMessagePos();
            relayed.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
            SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
        return next(hwnd, msg, wParam, lParam);
    });
    return true;
}

bool ToolTip::SetText(HWND control, std::wstring_view text)
{
    if (!Ensure(control)) return false;
    std::wstring copy(text);
    TTTOOLINFOW ti = ToolInfo(owner_, control, copy.data());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    return Text(control) == text;
}

std::wstring ToolTip::Text(HWND control) const
{
    if (!tip_ || !control) return {};
    wchar_t buffer[1024]{};
    TTTOOLINFOW ti = ToolInfo(owner_, control, buffer);
    SendMessageW(tip_, TTM_GETTEXTW, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

} // namespace tavlo
