#pragma once
// The tool strip along the top of the main window: a button per mode, in the modes' order, and Cancel
// at the right. It places its buttons in twips, walks the focus along them and tells its owner of a
// press, of a preview asked for (the menu key, Shift+F10 or a right click on a mode button) and of
// Cancel.
#include "engine/RenameEngine.h"
#include "ui/Panel.h"
#include "ui/Twips.h"

#include <array>
#include <functional>
#include <vector>

namespace tavlo {

class ModeStrip final : public Panel {
public:
    static constexpr float kHeight = 615;
    // The inner width the strip needs: every mode button, the usual gap, Cancel and its margin.
    static float NeededWidth();

    std::function<void(int mode)> onPress;
    std::function<void(int mode)> onPreview;
    std::function<void()> onCancel;

    bool Create(HWND parent, int id);
    HWND Mode(int index) const { return modes_.at(static_cast<std::size_t>(index)); }
    HWND Cancel() const { return cancel_; }
    // The modes' captions and Cancel's, from the catalogue.
    void SetCaptions();
    // The mode buttons at their places and Cancel at `cancelLeft`, in twips within the strip.
    void Place(const TwipsScale& scale, float cancelLeft);
    // Where Cancel is now, in pixels within the strip.
    RECT CancelPlace() const;
    void SetModesEnabled(bool enabled);

    // The focus along the strip: the next button that can take it in `step`'s direction, past the ends.
    void MoveFocus(HWND from, int step);
    // Back to the button that had the focus last, or the first that can take it.
    void TakeFocus();
    void Remember(HWND focus) { lastFocus_ = focus; }

protected:
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<HWND> Buttons() const;
    int ModeOf(HWND button) const;

    std::array<HWND, kModeCount> modes_{};
    HWND cancel_ = nullptr;
    HWND lastFocus_ = nullptr;
};

} // namespace tavlo
