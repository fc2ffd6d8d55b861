#pragma once
// What the drive, folder and file lists share: each owns one system control (combo box or list box)
// created in a parent window, and keeps itself whole without help from that window: the notifications
// and drawing requests its control sends the parent come back to it (ReflectToControl in Window.h), and
// it hooks its control for the keys, so a window only creates the list, places it and listens to its
// callbacks.
#include "common/FileEnum.h"
#include "ui/Icons.h"

#include "ui/ControlHook.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace tavlo {

class ListControl {
public:
    ListControl(const ListControl&) = delete;
    ListControl& operator=(const ListControl&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr; }

    // A character typed in the control (Enter 13, Backspace 8 among them) before the list acts on it;
    // returning true consumes it.
    std::function<bool(wchar_t)> OnKeyPress;

protected:
    ListControl() = default;
    virtual ~ListControl();

    // Creates the control as a child of `parent` (visible or not) at the given pixel rectangle.
    bool CreateControl(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, bool visible,
                       const RECT& place);
    void DestroyControl();

    // A notification code of WM_COMMAND sent by the control to its parent.
    virtual void OnNotify(int /*code*/) {}
    // Owner drawing, for the lists that draw their rows.
    virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
    // A character the key-press callback left; true when the list used it.
    virtual bool OnChar(wchar_t /*c*/) { return false; }
    // The control's font changed.
    virtual void OnFontChanged() {}
    // A character typed in a list box that holds no strings: the row to move the caret to, -2 for none.
    virtual int OnCharToItem(wchar_t /*c*/, int /*caret*/) { return -2; }

    // The row height owner-drawn rows need with the control's font: the text and a 16-pixel glyph.
    int RowHeightForFont() const;
    // The edge of the pictures before the rows, in pixels at the list's resolution.
    int IconSize() const;
    HFONT ControlFont() const;
    // Calls a callback so that nothing it throws reaches the system.
    static void Notify(const std::function<void()>& callback);

private:
    std::optional<LRESULT> FromParent(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> FromControl(UINT msg, WPARAM wParam, LPARAM lParam, const ControlHook::Next& next);

    HWND hwnd_ = nullptr;
    UINT id_ = 0;
};

// The picture of a drive of the given kind.
ListIcon DriveIcon(DriveKind kind);

} // namespace tavlo
