#pragma once
// The base of every window of the program: owns its HWND, registers its window class once and routes
// each message to a member handler. No exception ever leaves the window procedure: a fault in a
// handler ends that handler and leaves a trace (ReportFault).
//
// The teardown rule: every class that handles messages of its own declares a destructor that destroys
// the window (DestroyHandle) while the object is still whole. A base destructor runs after the derived
// part is gone, so the messages of the teardown (WM_DESTROY, MDI activation, a control's last
// notifications) would reach a half-destroyed object. The base destructors destroy too, as a last net.
#include <windows.h>

#include <optional>
#include <string>

namespace tavlo {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr; }

    static HINSTANCE Instance();

protected:
    // Registers the class on first use; later calls with the same name do nothing.
    static bool RegisterClassOnce(const wchar_t* className, HBRUSH background, UINT style = CS_DBLCLKS,
                                  HICON icon = nullptr);

    // Creates the window and binds it to this object; false when the system refused.
    bool CreateHandle(DWORD exStyle, const wchar_t* className, const std::wstring& title, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menu = nullptr);

    // Destroys the window now (a no-op when there is none). Subclasses with another way of
    // destroying (MDI children) override it and call it from their own destructor.
    virtual void DestroyHandle();

    // One handler per message; a handler that returns nothing lets the default processing run.
    virtual std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The processing of unhandled messages: DefWindowProc, DefFrameProc or DefMDIChildProc.
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual void OnSize(UINT /*kind*/, int /*width*/, int /*height*/) {}
    virtual bool OnClose() { return false; }
    virtual void OnDestroy() {}

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static Window* Bound(HWND hwnd);
    LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// Messages a control sends its parent (WM_COMMAND, WM_DRAWITEM, WM_MEASUREITEM, WM_CHARTOITEM,
// WM_VKEYTOITEM) go back to the control first, so that a control wrapper keeps itself whole without
// hooking the window it lives in. The control gets kReflectedMessage with a ReflectedMessage in lParam
// and sets `handled` and `result` when it answered. A notification (WM_COMMAND) still reaches the
// window after the control has acted on it; for the others an answer of the control is the window's.
struct ReflectedMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool handled = false;
};
inline constexpr UINT kReflectedMessage = WM_APP + 0x3A00;
// Every Window does this before its own handlers; a parent of another kind calls it from its procedure.
std::optional<LRESULT> ReflectToControl(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

// The client area's size as if it showed no scroll bars: they come and go with what it holds, and an
// arrangement that fills the area makes them go.
SIZE ClientWithoutScrollBars(HWND window);

} // namespace tavlo
