#include "ui/ListControl.h"

#include "common/GdiHandles.h"
#include "ui/Twips.h"

#include <commctrl.h>

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
    parent_ = parent;
    // The parent hook comes first: an owner-drawn control asks its parent for its row height while
    // it is being created.
    if (!SetWindowSubclass(parent_, &ListControl::ParentProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this))) {
        parent_ = nullptr;
        return false;
    }
    HWND hwnd = CreateWindowExW(exStyle, className, L"", WS_CHILD | (visible ? WS_VISIBLE : 0) | style, place.left,
                                place.top, place.right - place.left, place.bottom - place.top, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id_)), GetModuleHandleW(nullptr),
                                nullptr);
    if (!hwnd) {
        RemoveWindowSubclass(parent_, &ListControl::ParentProc, reinterpret_cast<UINT_PTR>(this));
        parent_ = nullptr;
        return false;
    }
    hwnd_ = hwnd;
    SetWindowSubclass(hwnd_, &ListControl::ControlProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void ListControl::DestroyControl()
{
    if (hwnd_ && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, &ListControl::ControlProc, reinterpret_cast<UINT_PTR>(this));
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
    if (parent_ && IsWindow(parent_))
        RemoveWindowSubclass(parent_, &ListControl::ParentProc, reinterpret_cast<UINT_PTR>(this));
    parent_ = nullptr;
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

LRESULT CALLBACK ListControl::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self)
{
    auto* list = reinterpret_cast<ListControl*>(self);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &ListControl::ParentProc, id);
        list->parent_ = nullptr;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    try {
        if (auto handled = list->FromParent(msg, wParam, lParam)) return *handled;
    } catch (...) {
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
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

LRESULT CALLBACK ListControl::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self)
{
    auto* list = reinterpret_cast<ListControl*>(self);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &ListControl::ControlProc, id);
        list->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    try {
        if (auto handled = list->FromControl(msg, wParam, lParam)) return *handled;
    } catch (...) {
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::optional<LRESULT> ListControl::FromControl(UINT msg, WPARAM wParam, LPARAM lParam)
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
            LRESULT code = DefSubclassProc(hwnd_, msg, wParam, lParam) | DLGC_WANTCHARS;
            auto* message = reinterpret_cast<const MSG*>(lParam);
            if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_SETFONT: {
            LRESULT result = DefSubclassProc(hwnd_, msg, wParam, lParam);
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
