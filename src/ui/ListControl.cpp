#include "ui/ListControl.h"

#include "common/GdiHandles.h"
#include "ui/Twips.h"
#include "ui/Window.h"

#include <algorithm>

namespace tavlo {

namespace {

// Control identifiers of the lists: a range of their own, so that a window's own controls and the
// owner-draw requests of other lists in the same window never meet them.
UINT NextControlId()
{
    static UINT next = 0x6A00;
    UINT id = next++;
    if (next > 0x6EFF) next = 0x6A00;
    return id;
}

} // namespace

ListControl::~ListControl()
{
    DestroyControl();
}

bool ListControl::CreateControl(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, bool visible,
                                const RECT& place)
{
    if (hwnd_) return true;
    if (!parent || !IsWindow(parent)) return false;
    id_ = NextControlId();
    HWND hwnd = CreateWindowExW(exStyle, className, L"", WS_CHILD | (visible ? WS_VISIBLE : 0) | style, place.left,
                                place.top, place.right - place.left, place.bottom - place.top, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id_)), GetModuleHandleW(nullptr),
                                nullptr);
    if (!hwnd) return false;
    hwnd_ = hwnd;
    ControlHook::Add(hwnd_, this, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         const ControlHook::Next& next) {
        if (msg == WM_DESTROY) {
            const LRESULT result = next(hwnd, msg, wParam, lParam);
            hwnd_ = nullptr;
            return result;
        }
        if (msg == kReflectedMessage) {
            // What the control sent its parent, handed back by the parent's window.
            auto* reflected = reinterpret_cast<ReflectedMessage*>(lParam);
            if (!reflected) return LRESULT{0};
            if (auto answer = FromParent(reflected->msg, reflected->wParam, reflected->lParam)) {
                reflected->handled = true;
                reflected->result = *answer;
            }
            return LRESULT{0};
        }
        if (auto handled = FromControl(msg, wParam, lParam, next)) return *handled;
        return next(hwnd, msg, wParam, lParam);
    });
    // The row height the control asked for while it was being created, before anyone could answer.
    OnFontChanged();
    return true;
}

void ListControl::DestroyControl()
{
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

HFONT ListControl::ControlFont() const
{
    HFONT font = hwnd_ ? reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)) : nullptr;
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int ListControl::RowHeightForFont() const
{
    const WindowDc dc(hwnd_);
    const SelectedObject font(dc.get(), ControlFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return std::max<int>(metrics.tmHeight, IconSize()) + 2;
}

int ListControl::IconSize() const
{
    // 16 pixels at 96 dots per inch.
    return MulDiv(16, TwipsScale::ForWindow(hwnd_).DpiY(), 96);
}

void ListControl::Notify(const std::function<void()>& callback)
{
    if (!callback) return;
    callback();
}

std::optional<LRESULT> ListControl::FromParent(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_COMMAND:
            // The window sees the notification too, after the list has acted on it.
            if (hwnd_ && reinterpret_cast<HWND>(lParam) == hwnd_) OnNotify(HIWORD(wParam));
            return std::nullopt;
        case WM_CHARTOITEM:
            if (!hwnd_ || reinterpret_cast<HWND>(lParam) != hwnd_) return std::nullopt;
            return OnCharToItem(static_cast<wchar_t>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam)));
        case WM_VKEYTOITEM:
            // Arrows, paging and the like: the list box's own handling.
            if (!hwnd_ || reinterpret_cast<HWND>(lParam) != hwnd_) return std::nullopt;
            return -1;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!item || item->CtlID != id_ || item->hwndItem != hwnd_ || !hwnd_) return std::nullopt;
            OnDrawItem(*item);
            return TRUE;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (!item || item->CtlID != id_ || item->CtlType == ODT_MENU) return std::nullopt;
            item->itemHeight = static_cast<UINT>(RowHeightForFont());
            return TRUE;
        }
        default: return std::nullopt;
    }
}

std::optional<LRESULT> ListControl::FromControl(UINT msg, WPARAM wParam, LPARAM lParam, const ControlHook::Next& next)
{
    switch (msg) {
        case WM_CHAR: {
            auto c = static_cast<wchar_t>(wParam);
            bool consumed = false;
            if (OnKeyPress) consumed = OnKeyPress(c);
            if (!consumed) consumed = OnChar(c);
            if (consumed) return 0;
            return std::nullopt;
        }
        case WM_GETDLGCODE: {
            // Enter and Backspace belong to the list even inside a dialog.
            LRESULT code = next(hwnd_, msg, wParam, lParam) | DLGC_WANTCHARS;
            auto* message = reinterpret_cast<const MSG*>(lParam);
            if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_SETFONT: {
            LRESULT result = next(hwnd_, msg, wParam, lParam);
            OnFontChanged();
            return result;
        }
        default: return std::nullopt;
    }
}

ListIcon DriveIcon(DriveKind kind)
{
    switch (kind) {
        case DriveKind::Fixed:
        case DriveKind::RamDisk: return ListIcon::FixedDrive;
        case DriveKind::Removable: return ListIcon::RemovableDrive;
        case DriveKind::Optical: return ListIcon::OpticalDrive;
        case DriveKind::Remote: return ListIcon::RemoteDrive;
        default: return ListIcon::UnknownDrive;
    }
}

} // namespace tavlo
