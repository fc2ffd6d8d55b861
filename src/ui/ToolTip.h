#pragma once
// One common-controls tooltip window per form, holding the tips of that form's controls.
#include <windows.h>

#include <string>
#include <string_view>

namespace tavlo {

class ToolTip {
public:
    ToolTip() = default;
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    // Creates the tooltip window for the controls of `owner`; false when it could not be made.
    bool Create(HWND owner);
    // Destroys the tooltip window with all its tips; Create may follow again.
    void Destroy();
    // Sets the tip of one control; an empty text means the control shows no tip.
    bool SetText(HWND control, std::wstring_view text);
    // The tip the control shows now; empty when it has none.
    std::wstring Text(HWND control) const;

    HWND Handle() const { return tip_; }

private:
    bool Ensure(HWND control);

    HWND tip_ = nullptr;
    HWND owner_ = nullptr;
};

} // namespace tavlo
