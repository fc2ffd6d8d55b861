#include "ui/Window.h"

#include "common/Fault.h"

#include <set>

namespace tavlo {

namespace {

// The object whose window is being created: messages arrive before CreateWindowEx returns, and MDI
// children do not get our creation parameter the way top-level windows do.
thread_local Window* creating = nullptr;

} // namespace

Window::~Window()
{
    Window::DestroyHandle();
}

HINSTANCE Window::Instance()
{
    return GetModuleHandleW(nullptr);
}

// The object is kept in the window's extra bytes, which every window of our classes has, and nowhere
// else: a window property would cost a round trip to the window server on some systems.
Window* Window::Bound(HWND hwnd)
{
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, 0));
}

bool Window::RegisterClassOnce(const wchar_t* className, HBRUSH background, UINT style, HICON icon)
{
    static std::set<std::wstring> registered;
    if (registered.count(className)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Window::StaticProc;
    wc.cbWndExtra = sizeof(Window*);
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    // The program's own icon (resource 1) where the executable has one.
    wc.hIcon = icon ? icon : LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    registered.insert(className);
    return true;
}

bool Window::CreateHandle(DWORD exStyle, const wchar_t* className, const std::wstring& title, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU menu)
{
    if (hwnd_) return true;
    Window* outer = creating;
    creating = this;
    HWND hwnd = CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, parent, menu,
                                Instance(), nullptr);
    creating = outer;
    if (!hwnd) {
        hwnd_ = nullptr;
        return false;
    }
    hwnd_ = hwnd;
    return true;
}

void Window::DestroyHandle()
{
    if (hwnd_) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* self = Bound(hwnd);
    if (!self && creating && !creating->hwnd_) {
        self = creating;
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        LRESULT r = self->DefaultProc(msg, wParam, lParam);
        self->hwnd_ = nullptr;
        return r;
    }
    return self->Route(msg, wParam, lParam);
}

LRESULT Window::Route(UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        if (auto answered = ReflectToControl(hwnd_, msg, wParam, lParam)) return *answered;
        if (auto handled = HandleMessage(msg, wParam, lParam)) return *handled;
    } catch (...) {
        ReportFault("Window::Route handler");
        // A fault in a handler ends that handler only. A command counts as carried out; any other
        // message gets its default processing.
        if (msg == WM_COMMAND) return 0;
    }
    try {
        return DefaultProc(msg, wParam, lParam);
    } catch (...) {
        ReportFault("Window::Route default processing");
        return 0;
    }
}

std::optional<LRESULT> Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
            return std::nullopt;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return std::nullopt;
        case WM_CLOSE:
            if (OnClose()) return 0;
            return std::nullopt;
        case WM_DESTROY:
            OnDestroy();
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

std::optional<LRESULT> ReflectToControl(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND control = nullptr;
    switch (msg) {
        case WM_COMMAND:
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM: control = reinterpret_cast<HWND>(lParam); break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item && item->CtlType != ODT_MENU) control = item->hwndItem;
            break;
        }
        case WM_MEASUREITEM: {
            // A control being created asks before its creator knows it; it sets its height itself after.
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            if (item && item->CtlType != ODT_MENU) control = GetDlgItem(parent, static_cast<int>(item->CtlID));
            break;
        }
        default: return std::nullopt;
    }
    if (!control || !IsWindow(control) || GetParent(control) != parent) return std::nullopt;
    ReflectedMessage reflected{msg, wParam, lParam};
    SendMessageW(control, kReflectedMessage, 0, reinterpret_cast<LPARAM>(&reflected));
    if (msg == WM_COMMAND || !reflected.handled) return std::nullopt;
    return reflected.result;
}

SIZE ClientWithoutScrollBars(HWND window)
{
    RECT rc{};
    GetClientRect(window, &rc);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SIZE size{rc.right, rc.bottom};
    if (style & WS_VSCROLL) size.cx += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) size.cy += GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

} // namespace tavlo
