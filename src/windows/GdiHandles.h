#pragma once
// RAII owners for the user-interface handles the windows keep: fonts and menus.
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

using FontHandle = UniqueHandle<FontHandleTraits>;
using MenuHandle = UniqueHandle<MenuHandleTraits>;

} // namespace tavlo
