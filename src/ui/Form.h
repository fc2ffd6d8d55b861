#pragma once
// What every window of the program with controls of its own does alike: the form font and the controls
// that take it, the tooltips, the twips geometry, the message boxes it shows and how its load fails.
// The main window, the child windows and the dialogs keep only what differs.
#include "common/GdiHandles.h"
#include "ui/FontData.h"
#include "ui/LoadFailure.h"
#include "ui/ToolTip.h"
#include "ui/Twips.h"
#include "ui/Window.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavlo {

class Form : public Window {
public:
    // Shows a message box of the given MB_ type and returns the button pressed; tests put their own in.
    using MessageBoxFn = std::function<int(const std::wstring& text, UINT type)>;
    void SetMessageBox(MessageBoxFn fn) { messageBox_ = fn ? std::move(fn) : MessageBoxFn(&SystemMessageBox); }

    // Applies the font settings the program hands in to the form font and every control that takes it,
    // then runs the layout. Without an argument, the settings handed in last (or none: the initial font).
    void SetFontData(const FontSettings& settings);
    void SetFontData();

    // The outer rectangle in twips: on the screen, or within the parent's client area for a child
    // window; while minimised or maximised, the normal one.
    TwipsRect Geometry() const;
    void SetGeometry(const TwipsRect& rect);

    const ToolTip& Tips() const { return tips_; }
    // The whole text of a window or control.
    static std::wstring WindowText(HWND hwnd);
    // True when the window is of the system class `className` ("Button", "ListBox"), in any case.
    static bool IsOfClass(HWND hwnd, const wchar_t* className);
    HFONT Font() const { return font_.get(); }

    // Follows a new resolution of the form's monitor: a top-level form takes the rectangle the system
    // suggests, a child keeps its place and size in twips; the font is made again at the new
    // resolution and the layout runs. WM_DPICHANGED arrives here; a frame hands it on to its children.
    virtual void FollowDpi(int dpi, const RECT* suggested);

    // The name the system's accessibility layer reads for a list box: its window text (which a list box
    // never shows) and, where the system offers it, the annotated name, since some systems name a list
    // box by the label before it instead.
    static void SetListBoxName(HWND list, const std::wstring& name);

protected:
    Form();

    // Thrown inside a load: the load fails and reports its error text.
    struct LoadError : std::runtime_error {
        LoadError() : std::runtime_error("form load") {}
    };

    // The layout; after a font change and on every size change.
    virtual void Form_Resize() {}

    // The tooltip window and the form font; the first step once the window exists.
    void CreateFormParts();
    // Creates a control of this form (or of a panel in it) with the form font; throws LoadError when
    // the system refuses, so that a form never runs with a control missing.
    HWND CreateControl(const wchar_t* className, DWORD style, int id = 0, const std::wstring& text = {},
                       HWND parent = nullptr, DWORD exStyle = 0);
    // Controls that take the form font, in the order the font reaches them.
    void AddFontControl(HWND control);
    // Controls with a tooltip and its text; the texts show after SetToolTipTexts(true). An icon button
    // takes the text as its window text too, which the accessibility layer reads as its name (the
    // picture is what shows).
    void AddToolTipControl(HWND control, std::wstring_view text);
    void SetToolTipText(HWND control, std::wstring_view text);
    // Sets every registered tip (true) or clears them all (false); a failure clears them all.
    void SetToolTipTexts(bool show);

    int ShowBox(const std::wstring& text, UINT type) const { return messageBox_(text, type); }

    // Twips and pixels at the form's own resolution.
    const TwipsScale& Scale() const { return scale_; }
    // The client size in twips.
    float ScaleWidth() const;
    float ScaleHeight() const;
    // Moves a control to a rectangle in twips within its parent's client area. The rectangle is kept:
    // a change of resolution puts the control there again at the new scale.
    void MoveControl(HWND control, const TwipsRect& rect);

    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The controls go with the window; the next load makes new ones.
    void OnDestroy() override;

private:
    TwipsScale scale_ = TwipsScale::Screen();
    ToolTip tips_;
    LOGFONTW logFont_{};
    FontSettings fontSettings_;
    FontHandle font_;
    std::vector<HWND> fontControls_;
    std::vector<std::pair<HWND, std::wstring>> tipControls_;
    std::vector<std::pair<HWND, TwipsRect>> placed_;
    MessageBoxFn messageBox_{&SystemMessageBox};
};

} // namespace tavlo
