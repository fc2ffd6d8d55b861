#include "ui/ControlHook.h"

#include "common/Fault.h"

#include <memory>

namespace tavlo {
namespace {

// Marks our user data, so a control whose user data someone else set is left alone.
constexpr LONG_PTR kTag = 0x54564c32; // "TVL2"

struct Bound {
    LONG_PTR tag = kTag;
    void* hook = nullptr;
};

} // namespace

LRESULT ControlHook::Next::operator()(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return hook_.Call(below_, hwnd, msg, wParam, lParam);
}

// Calls the newest `count` entries' chain: entry count-1 first, the control's own procedure last.
LRESULT ControlHook::Call(std::size_t count, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    if (count == 0) return CallWindowProcW(original_, hwnd, msg, wParam, lParam);
    return entries_[count - 1].handler(hwnd, msg, wParam, lParam, Next(*this, count - 1));
}

bool ControlHook::Add(HWND control, const void* key, Handler handler)
{
    if (!control || !handler) return false;
    auto* bound = reinterpret_cast<Bound*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    if (bound && bound->tag != kTag) return false;
    if (!bound) {
        auto fresh = std::make_unique<Bound>();
        auto hook = std::make_unique<ControlHook>();
        SetLastError(0);
        SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(fresh.get()));
        if (GetLastError() != 0) return false;
        hook->original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlHook::Proc)));
        if (!hook->original_) {
            SetWindowLongPtrW(control, GWLP_USERDATA, 0);
            return false;
        }
        fresh->hook = hook.release();
        bound = fresh.release();
    }
    auto* hook = static_cast<ControlHook*>(bound->hook);
    for (Entry& e : hook->entries_) {
        if (e.key == key) {
            e.handler = std::move(handler);
            return true;
        }
    }
    hook->entries_.push_back({key, std::move(handler)});
    return true;
}

void ControlHook::Remove(HWND control, const void* key)
{
    if (!control || !IsWindow(control)) return;
    auto* bound = reinterpret_cast<Bound*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    if (!bound || bound->tag != kTag) return;
    for (Entry& e : static_cast<ControlHook*>(bound->hook)->entries_) {
        if (e.key == key)
            e.handler = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const Next& next) {
                return next(hwnd, msg, wParam, lParam);
            };
    }
}

LRESULT CALLBACK ControlHook::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* bound = reinterpret_cast<Bound*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    auto* hook = static_cast<ControlHook*>(bound->hook);
    if (msg != WM_NCDESTROY) {
        try {
            return hook->Call(hook->entries_.size(), hwnd, msg, wParam, lParam);
        } catch (...) {
            ReportFault("ControlHook::Proc");
            // A hook's fault: the control handles the message itself.
            return CallWindowProcW(hook->original_, hwnd, msg, wParam, lParam);
        }
    }
    // The last message: the control's own procedure goes back in place and the hooks go.
    const WNDPROC original = hook->original_;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete hook;
    delete bound;
    return CallWindowProcW(original, hwnd, msg, wParam, lParam);
}

} // namespace tavlo
