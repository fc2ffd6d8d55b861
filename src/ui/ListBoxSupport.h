#pragma once
// Helpers for the list boxes of the child windows that show paths and log lines: reading an entry,
// and scrolling sideways as far as the widest entry reaches.
#include "common/GdiHandles.h"

#include <windows.h>

#include <optional>
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

// The horizontal extent of a list box (style WS_HSCROLL) kept as wide as its widest entry, so long
// paths can be scrolled into view. It only grows until Reset; a new font means a fresh measure.
class ListWidth {
public:
    ListWidth() = default;
    ListWidth(const ListWidth&) = delete;
    ListWidth& operator=(const ListWidth&) = delete;

    // Measures one more entry; the list learns a wider extent at the next Apply. Setting the extent
    // scrolls and repaints on some systems even while drawing is held, so a burst sets it once.
    void Fit(HWND list, const std::wstring& text)
    {
        if (!list) return;
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
        if (font != font_ || !dc_) Remeasure(list);
        const int width = Measure(text);
        if (width > widest_) widest_ = width;
    }

    // Gives the list the widest extent measured, if it has not got it yet.
    void Apply(HWND list)
    {
        if (!list || applied_ == widest_) return;
        applied_ = widest_;
        SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
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
        dc_.reset(CreateCompatibleDC(nullptr));
        if (dc_) fontIn_.emplace(dc_.get(), font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FONT));
        int widest = 0;
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        std::wstring text;
        for (LRESULT i = 0; i < count; ++i) {
            text = ListBoxText(list, i);
            if (text.empty()) continue;
            const int w = Measure(text);
            if (w > widest) widest = w;
        }
        widest_ = widest;
        applied_ = -1;
        Apply(list);
    }

    // Back to no sideways scrolling (the list was emptied).
    void Reset(HWND list)
    {
        widest_ = 0;
        applied_ = 0;
        if (list) SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0);
    }

private:
    int Measure(const std::wstring& text) const
    {
        SIZE size{};
        if (!dc_ || text.empty() ||
            !GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &size))
            return 0;
        return size.cx + 8; // the list's own margins
    }
    void ReleaseDc()
    {
        fontIn_.reset();
        dc_.reset();
        font_ = nullptr;
    }

    MemoryDc dc_;
    std::optional<SelectedObject> fontIn_; // goes before the context does
    HFONT font_ = nullptr;
    int widest_ = 0;
    int applied_ = 0;
};

} // namespace tavlo
