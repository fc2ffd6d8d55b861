#pragma once
// RAII owners for the user-interface handles: fonts, pens, brushes and bitmaps, menus, icons, device contexts
// and the objects selected into them.
#include "common/Handles.h"

#include <windows.h>

namespace tavlo {

struct FontHandleTraits {
    using type = HFONT;
    static type invalid() { return nullptr; }
    static void close(type h) { DeleteObject(h); }
};
// A menu that no window holds any more; a menu attached to a window goes with that window, so the
// owner detaches it (or releases it) before the window is destroyed.
struct MenuHandleTraits {
    using type = HMENU;
    static type invalid() { return nullptr; }
    static void close(type h) { DestroyMenu(h); }
};

struct GdiObjectTraits {
    using type = HGDIOBJ;
    static type invalid() { return nullptr; }
    static void close(type h) { DeleteObject(h); }
};
struct IconHandleTraits {
    using type = HICON;
    static type invalid() { return nullptr; }
    static void close(type h) { DestroyIcon(h); }
};
struct MemoryDcTraits {
    using type = HDC;
    static type invalid() { return nullptr; }
    static void close(type h) { DeleteDC(h); }
};

using FontHandle = UniqueHandle<FontHandleTraits>;
using MenuHandle = UniqueHandle<MenuHandleTraits>;
using IconHandle = UniqueHandle<IconHandleTraits>;
// A pen, brush or bitmap of our own.
using GdiObject = UniqueHandle<GdiObjectTraits>;
// A device context from CreateCompatibleDC.
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// The device context of a window's client area (of the screen for nullptr), given back when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for as long as this lives; the one it replaced comes back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject()
    {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace tavlo
