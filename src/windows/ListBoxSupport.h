#pragma once
// Helpers for the list boxes of the child windows that show paths and log lines: drawing a burst
// of changes once, and scrolling sideways as far as the widest entry reaches.
#include <windows.h>

#include <string>

namespace tavlo {

// The text of one list box entry; empty for an index the list does not hold.
inline std::wstring ListBoxText(HWND list, LRESULT index)
{
    const LRESULT len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR || len < 0) return {};
    std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR || got < 0 ? 0 : static_cast<std::size_t>(got));
    return text;
}

// Drawing stops at the first change and resumes when the owner's messages are next processed.
// Redrawing the scroll bar after every single line costs milliseconds on some systems, which a run
// writing thousands of log lines would feel.
class DeferredListRedraw {
public:
    // Posted to the owner; its handler calls Resume.
    static constexpr UINT kResumeMessage = WM_APP + 0x54;

    // Call before changing the list's content.
    void Suspend(HWND list, HWND owner)
    {
        if (suspended_ || !list) return;
        if (!owner || !PostMessageW(owner, kResumeMessage, 0, 0)) return; // nobody would resume: draw now
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        list_ = list;
        suspended_ = true;
    }

    // Draws the list as it is now, scroll bars included.
    void Resume()
    {
        if (!suspended_) return;
        suspended_ = false;
        if (!IsWindow(list_)) return;
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }

    // The list went away with its window; nothing is left to resume.
    void Forget()
    {
        suspended_ = false;
        list_ = nullptr;
    }

    bool Suspended() const { return suspended_; }

private:
    HWND list_ = nullptr;
    bool suspended_ = false;
};

// The horizontal extent of a list box (style WS_HSCROLL) kept as wide as its widest entry, so long
// paths can be scrolled into view. It only grows until Reset; a new font means a fresh measure.
class ListWidth {
public:
    ListWidth() = default;
    ~ListWidth() { ReleaseDc(); }
    ListWidth(const ListWidth&) = delete;
    ListWidth& operator=(const ListWidth&) = delete;

    // Widens the extent for one more entry.
    void Fit(HWND list, const std::wstring& text)
    {
        if (!list) return;
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
        if (font != font_ || !dc_) Remeasure(list);
        Widen(list, Measure(text));
    }

    // Measures afresh when the list's font is not the one measured with.
    void FollowFont(HWND list)
    {
        if (list && reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)) != font_) Remeasure(list);
    }

    // Measures every entry afresh (after a font change or removals).
    void Remeasure(HWND list)
    {
        widest_ = 0;
        ReleaseDc();
        if (!list) return;
        font_ = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
        dc_ = CreateCompatibleDC(nullptr);
        if (dc_) oldFont_ = SelectObject(dc_, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FONT));
        int widest = 0;
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        std::wstring text;
        for (LRESULT i = 0; i < count; ++i) {
            text = ListBoxText(list, i);
            if (text.empty()) continue;
            const int w = Measure(text);
            if (w > widest) widest = w;
        }
        SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0);
        Widen(list, widest);
    }

    // Back to no sideways scrolling (the list was emptied).
    void Reset(HWND list)
    {
        widest_ = 0;
        if (list) SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0);
    }

private:
    int Measure(const std::wstring& text) const
    {
        SIZE size{};
        if (!dc_ || text.empty() ||
            !GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size))
            return 0;
        return size.cx + 8; // the list's own margins
    }
    void Widen(HWND list, int width)
    {
        if (width <= widest_) return;
        widest_ = width;
        SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
    }
    void ReleaseDc()
    {
        if (dc_) {
            if (oldFont_) SelectObject(dc_, oldFont_);
            DeleteDC(dc_);
        }
        dc_ = nullptr;
        oldFont_ = nullptr;
        font_ = nullptr;
    }

    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HFONT font_ = nullptr;
    int widest_ = 0;
};

} // namespace tavlo
