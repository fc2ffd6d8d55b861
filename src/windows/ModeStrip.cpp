#include "windows/ModeStrip.h"

#include "common/Catalogue.h"
#include "ui/ControlHook.h"
#include "windows/FrameRules.h"

#include <algorithm>

namespace tavlo {

namespace {

constexpr int kIdFirstMode = 1000;
constexpr int kIdCancel = 1010;
// The key of the mode buttons' keyboard hook.
constexpr int kPreviewKeys = 0;

// In twips: the mode buttons from the left, Cancel at the right.
constexpr float kModeLeft = 120, kModeStep = 960, kButtonTop = 120, kModeWidth = 855, kButtonHeight = 375;
constexpr float kCancelWidth = 1215;

bool CanTakeFocus(HWND control) { return control && IsWindowVisible(control) && IsWindowEnabled(control); }

} // namespace

float ModeStrip::NeededWidth()
{
    return kModeLeft + kModeStep * (kModeCount - 1) + kModeWidth + (kModeStep - kModeWidth) + kCancelWidth + kCancelMargin;
}

bool ModeStrip::Create(HWND parent, int id)
{
    if (!Panel::Create(parent, id)) return false;
    auto makeButton = [&](int buttonId) {
        return CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON,
                               0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttonId)),
                               Instance(), nullptr);
    };
    for (int i = 0; i < kModeCount; ++i) {
        HWND& button = modes_[static_cast<std::size_t>(i)];
        button = makeButton(kIdFirstMode + i);
        if (!button) return false;
        // The menu key and Shift+F10 on a mode button open its preview. The button itself keeps key ups
        // to itself on some systems, so the keys are taken here, and both halves of them, so that no
        // second context menu follows.
        ControlHook::Add(button, &kPreviewKeys, [this, i](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                          const ControlHook::Next& next) -> LRESULT {
            const bool menuKey = wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
            if (!menuKey) return next(hwnd, msg, wParam, lParam);
            if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
                if (IsWindowEnabled(hwnd) && onPreview) onPreview(i);
                return 0;
            }
            if (msg == WM_KEYUP || msg == WM_SYSKEYUP) return 0;
            return next(hwnd, msg, wParam, lParam);
        });
    }
    cancel_ = makeButton(kIdCancel);
    if (!cancel_) return false;
    // In a frame narrower than the strip the Cancel button lies over the last mode buttons; it
    // stays on top so that a run can always be stopped.
    SetWindowPos(cancel_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void ModeStrip::SetCaptions()
{
    for (int i = 0; i < kModeCount; ++i)
        SetWindowTextW(Mode(i), ProgramString(program_text::ModeCaptionFirst + i).c_str());
    SetWindowTextW(cancel_, GeneralString(general_text::Cancel).c_str());
}

void ModeStrip::Place(const TwipsScale& s, float cancelLeft)
{
    auto place = [&](HWND button, float left, float width) {
        MoveWindow(button, s.XToPixels(left), s.YToPixels(kButtonTop), s.XToPixels(width), s.YToPixels(kButtonHeight),
                   TRUE);
    };
    for (int i = 0; i < kModeCount; ++i) place(Mode(i), kModeLeft + kModeStep * i, kModeWidth);
    place(cancel_, cancelLeft, kCancelWidth);
}

RECT ModeStrip::CancelPlace() const
{
    RECT cancel{};
    GetWindowRect(cancel_, &cancel);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&cancel), 2);
    return cancel;
}

void ModeStrip::SetModesEnabled(bool enabled)
{
    for (HWND b : modes_) EnableWindow(b, enabled ? TRUE : FALSE);
}

std::vector<HWND> ModeStrip::Buttons() const
{
    std::vector<HWND> buttons(modes_.begin(), modes_.end());
    buttons.push_back(cancel_);
    return buttons;
}

int ModeStrip::ModeOf(HWND button) const
{
    const auto at = std::find(modes_.begin(), modes_.end(), button);
    return at == modes_.end() ? -1 : static_cast<int>(at - modes_.begin());
}

void ModeStrip::MoveFocus(HWND from, int step)
{
    const std::vector<HWND> buttons = Buttons();
    const auto at = std::find(buttons.begin(), buttons.end(), from);
    const int n = static_cast<int>(buttons.size());
    int i = at == buttons.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - buttons.begin());
    for (int tries = 0; tries < n; ++tries) {
        i = (i + step + n) % n;
        if (CanTakeFocus(buttons[static_cast<std::size_t>(i)])) {
            SetFocus(buttons[static_cast<std::size_t>(i)]);
            return;
        }
    }
}

void ModeStrip::TakeFocus()
{
    if (CanTakeFocus(lastFocus_)) SetFocus(lastFocus_);
    else MoveFocus(nullptr, 1);
}

std::optional<LRESULT> ModeStrip::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && lParam != 0) {
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        const HWND button = reinterpret_cast<HWND>(lParam);
        if (button == cancel_) {
            if (onCancel) onCancel();
        } else if (const int mode = ModeOf(button); mode >= 0 && onPress) {
            onPress(mode);
        }
        return 0;
    }
    if (msg == WM_CONTEXTMENU) {
        // A right click, Shift+F10 or the menu key on a mode button: its preview. A button hands the
        // message on in the strip's name on some systems, so the button is the one under the pointer,
        // or the focused one.
        HWND source = reinterpret_cast<HWND>(wParam);
        if (source == Handle()) {
            if (lParam == -1) {
                source = GetFocus();
            } else {
                POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                ScreenToClient(Handle(), &pt);
                source = ChildWindowFromPointEx(Handle(), pt, CWP_SKIPINVISIBLE);
            }
        }
        if (const int mode = ModeOf(source); mode >= 0) {
            if (IsWindowEnabled(source) && onPreview) onPreview(mode);
            return 0;
        }
    }
    return Panel::HandleMessage(msg, wParam, lParam);
}

} // namespace tavlo
