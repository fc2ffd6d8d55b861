#pragma once
// Messages of a control (a list box, a button) seen before its own window procedure. All hooks of a
// control share one classic subclass whose data sits in the control's user data. Comctl32's
// SetWindowSubclass finds its data through a window property on every message, which costs a round
// trip to the window server on some systems: a list taking thousands of entries would feel that.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

namespace tavlo {

class ControlHook {
public:
    // The hooks added before this one and then the control itself.
    class Next {
    public:
        LRESULT operator()(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const;

    private:
        friend class ControlHook;
        Next(const ControlHook& hook, std::size_t below) : hook_(hook), below_(below) {}
        const ControlHook& hook_;
        std::size_t below_;
    };
    using Handler = std::function<LRESULT(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const Next& next)>;

    // Adds `handler` to the control under `key`, replacing the control's handler of the same key; the
    // newest handler sees a message first. The hooks go with the control. False when the control's
    // user data is taken by someone else or the system refused.
    static bool Add(HWND control, const void* key, Handler handler);
    // Lets messages pass the control's handler of `key` from now on (an owner that goes before the
    // control does). The entry stays, so a chain that is running meanwhile is never cut.
    static void Remove(HWND control, const void* key);

private:
    struct Entry {
        const void* key;
        Handler handler;
    };
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Call(std::size_t count, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const;

    WNDPROC original_ = nullptr;
    std::vector<Entry> entries_;
};

} // namespace tavlo
