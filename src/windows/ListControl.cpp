#include "windows/ListControl.h"

#include "windows/GdiHandles.h"

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

// A pen and a brush selected into a DC for one shape; both go when it does.
// (Declared in this order: the selections end before the objects are deleted.)
class Paint {
public:
    Paint(HDC dc, COLORREF line, COLORREF fill)
        : pen_(CreatePen(PS_SOLID, 1, line)), brush_(CreateSolidBrush(fill)), penIn_(dc, pen_.get()),
          brushIn_(dc, brush_.get())
    {
    }

private:
    GdiObject pen_;
    GdiObject brush_;
    SelectedObject penIn_;
    SelectedObject brushIn_;
};

COLORREF Shade(COLORREF color, bool enabled)
{
    if (enabled) return color;
    int grey = (GetRValue(color) * 3 + GetGValue(color) * 6 + GetBValue(color)) / 10;
    grey = 160 + grey / 3;
    return RGB(grey, grey, grey);
}

void Box(HDC dc, int left, int top, int right, int bottom, COLORREF line, COLORREF fill, bool enabled)
{
    Paint paint(dc, Shade(line, enabled), Shade(fill, enabled));
    Rectangle(dc, left, top, right, bottom);
}

void DriveBody(HDC dc, int x, int y, COLORREF led, bool enabled)
{
    Box(dc, x + 1, y + 5, x + 15, y + 12, RGB(96, 96, 96), RGB(208, 208, 208), enabled);
    Box(dc, x + 11, y + 8, x + 13, y + 10, led, led, enabled);
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
    return std::max<int>(metrics.tmHeight, 16) + 2;
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
        default: return OnControlMessage(msg, wParam, lParam);
    }
}

Glyph DriveGlyph(DriveKind kind)
{
    switch (kind) {
        case DriveKind::Fixed:
        case DriveKind::RamDisk: return Glyph::FixedDrive;
        case DriveKind::Removable: return Glyph::RemovableDrive;
        case DriveKind::Optical: return Glyph::OpticalDrive;
        case DriveKind::Remote: return Glyph::RemoteDrive;
        default: return Glyph::UnknownDrive;
    }
}

void DrawGlyph(HDC dc, int x, int y, Glyph glyph, bool enabled)
{
    const COLORREF folderLine = RGB(176, 128, 32);
    switch (glyph) {
        case Glyph::File: {
            Paint paint(dc, Shade(RGB(112, 112, 128), enabled), Shade(RGB(255, 255, 255), enabled));
            POINT page[] = {{x + 3, y + 1}, {x + 10, y + 1}, {x + 13, y + 4}, {x + 13, y + 15}, {x + 3, y + 15}};
            Polygon(dc, page, 5);
            POINT corner[] = {{x + 10, y + 1}, {x + 10, y + 4}, {x + 13, y + 4}};
            Polyline(dc, corner, 3);
            for (int line = 0; line < 3; ++line) {
                POINT text[] = {{x + 5, y + 7 + line * 2}, {x + 11, y + 7 + line * 2}};
                Polyline(dc, text, 2);
            }
            break;
        }
        case Glyph::ClosedFolder: {
            Box(dc, x + 1, y + 2, x + 7, y + 5, folderLine, RGB(232, 184, 72), enabled);
            Box(dc, x + 1, y + 4, x + 15, y + 14, folderLine, RGB(248, 208, 96), enabled);
            break;
        }
        case Glyph::OpenFolder: {
            Box(dc, x + 1, y + 2, x + 7, y + 5, folderLine, RGB(232, 184, 72), enabled);
            Box(dc, x + 1, y + 4, x + 14, y + 14, folderLine, RGB(232, 184, 72), enabled);
            Paint paint(dc, Shade(folderLine, enabled), Shade(RGB(255, 230, 150), enabled));
            POINT flap[] = {{x + 4, y + 7}, {x + 16, y + 7}, {x + 13, y + 14}, {x + 1, y + 14}};
            Polygon(dc, flap, 4);
            break;
        }
        case Glyph::FixedDrive: DriveBody(dc, x, y, RGB(40, 176, 40), enabled); break;
        case Glyph::RemovableDrive:
            DriveBody(dc, x, y, RGB(40, 176, 40), enabled);
            Box(dc, x + 3, y + 7, x + 9, y + 9, RGB(64, 64, 64), RGB(64, 64, 64), enabled);
            break;
        case Glyph::OpticalDrive: {
            Paint paint(dc, Shade(RGB(96, 96, 112), enabled), Shade(RGB(216, 220, 236), enabled));
            Ellipse(dc, x + 1, y + 1, x + 15, y + 15);
            Paint hole(dc, Shade(RGB(96, 96, 112), enabled), GetSysColor(COLOR_WINDOW));
            Ellipse(dc, x + 6, y + 6, x + 10, y + 10);
            break;
        }
        case Glyph::RemoteDrive:
            Box(dc, x + 1, y + 1, x + 15, y + 8, RGB(96, 96, 96), RGB(208, 208, 208), enabled);
            Box(dc, x + 11, y + 4, x + 13, y + 6, RGB(40, 176, 40), RGB(40, 176, 40), enabled);
            Box(dc, x + 7, y + 8, x + 9, y + 13, RGB(64, 64, 64), RGB(64, 64, 64), enabled);
            Box(dc, x + 1, y + 12, x + 15, y + 14, RGB(64, 64, 64), RGB(64, 64, 64), enabled);
            break;
        case Glyph::UnknownDrive: DriveBody(dc, x, y, RGB(160, 160, 160), enabled); break;
    }
}

} // namespace tavlo
