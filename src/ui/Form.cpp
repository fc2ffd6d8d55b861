#include "ui/Form.h"

#include "common/ComPtr.h"
#include "common/OnItsOwn.h"
#include "ui/FontData.h"

#include <oleacc.h>

#include <algorithm>

namespace tavlo {

Form::Form()
{
    logFont_ = InitialFormFont(TwipsScale::Screen().DpiY());
}

void Form::CreateFormParts()
{
    const TwipsScale here = TwipsScale::ForWindow(Handle());
    if (here.DpiY() != scale_.DpiY()) {
        logFont_ = ScaledFont(logFont_, scale_.DpiY(), here.DpiY());
        font_.reset();
    }
    scale_ = here;
    tips_.Create(Handle());
    if (!font_) font_ = CreateFormFont(logFont_);
}

void Form::FollowDpi(int dpi, const RECT* suggested)
{
    if (dpi <= 0 || !Exists()) return;
    const TwipsRect kept = Geometry();
    // Where every control was in twips, read before the new size brings a layout at the new scale.
    const std::vector<std::pair<HWND, TwipsRect>> placed = placed_;
    logFont_ = ScaledFont(logFont_, scale_.DpiY(), dpi);
    scale_ = TwipsScale(dpi, dpi);
    // Every control back in its place first, so that the layout, which measures some of them, reads
    // sizes of the new resolution.
    for (const auto& [control, rect] : placed)
        if (IsWindow(control)) MoveControl(control, rect);
    if (suggested)
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetGeometry(kept);
    SetFontData();
}

std::optional<LRESULT> Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DPICHANGED) {
        FollowDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void Form::SetFontData(const FontSettings& settings)
{
    fontSettings_ = settings;
    SetFontData();
}

void Form::SetFontData()
{
    // A stored font that cannot be made leaves the form with the one it has; the layout runs all the same.
    OnItsOwn([this] {
        logFont_ = ApplyFontSettings(logFont_, fontSettings_, Scale().DpiY());
        if (FontHandle font = CreateFormFont(logFont_)) {
            for (HWND control : fontControls_)
                SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
            font_ = std::move(font);
        }
    });
    if (Exists()) Form_Resize();
}

TwipsRect Form::Geometry() const
{
    RECT rc{};
    if (IsIconic(Handle()) || IsZoomed(Handle())) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(Handle(), &wp);
        rc = wp.rcNormalPosition;
    } else {
        GetWindowRect(Handle(), &rc);
        if (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_CHILD)
            MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rc), 2);
    }
    const TwipsScale& s = Scale();
    return TwipsRect{s.XToTwips(rc.left), s.YToTwips(rc.top), s.XToTwips(rc.right - rc.left),
                     s.YToTwips(rc.bottom - rc.top)};
}

void Form::SetGeometry(const TwipsRect& r)
{
    if (!Exists()) return;
    const TwipsScale& s = Scale();
    const int x = s.XToPixels(r.Left), y = s.YToPixels(r.Top);
    const int w = s.XToPixels(r.Width), h = s.YToPixels(r.Height);
    if (IsIconic(Handle()) || IsZoomed(Handle())) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(Handle(), &wp);
        wp.rcNormalPosition = RECT{x, y, x + w, y + h};
        SetWindowPlacement(Handle(), &wp);
    } else {
        MoveWindow(Handle(), x, y, w, h, TRUE);
    }
}

HWND Form::CreateControl(const wchar_t* className, DWORD style, int id, const std::wstring& text, HWND parent,
                         DWORD exStyle)
{
    HWND control = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                   parent ? parent : Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   Instance(), nullptr);
    if (!control) throw LoadError();
    if (font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

void Form::AddFontControl(HWND control)
{
    if (!control) return;
    fontControls_.push_back(control);
    if (font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void Form::AddToolTipControl(HWND control, std::wstring_view text)
{
    if (!control) return;
    tipControls_.emplace_back(control, std::wstring(text));
    if ((GetWindowLongPtrW(control, GWL_STYLE) & BS_ICON) && IsOfClass(control, L"Button") && WindowText(control).empty())
        SetWindowTextW(control, std::wstring(text).c_str());
}

void Form::SetListBoxName(HWND list, const std::wstring& name)
{
    if (!list) return;
    SetWindowTextW(list, name.c_str());
    // Where the annotation is not offered (no COM on this thread, an older system) the text stays.
    ComPtr<IAccPropServices> services;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(services.Put()))) && services)
        services->SetHwndPropStr(list, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
}

bool Form::IsOfClass(HWND hwnd, const wchar_t* className)
{
    wchar_t cls[32]{};
    return hwnd && GetClassNameW(hwnd, cls, 32) > 0 && lstrcmpiW(cls, className) == 0;
}

void Form::SetToolTipText(HWND control, std::wstring_view text)
{
    for (auto& entry : tipControls_)
        if (entry.first == control) entry.second = std::wstring(text);
}

void Form::SetToolTipTexts(bool show)
{
    bool all = true;
    for (auto& [control, text] : tipControls_)
        all = all && tips_.SetText(control, show ? std::wstring_view(text) : std::wstring_view());
    if (!all)
        for (auto& entry : tipControls_) tips_.SetText(entry.first, {});
}

float Form::ScaleWidth() const
{
    RECT rc{};
    GetClientRect(Handle(), &rc);
    return Scale().XToTwips(rc.right);
}

float Form::ScaleHeight() const
{
    RECT rc{};
    GetClientRect(Handle(), &rc);
    return Scale().YToTwips(rc.bottom);
}

void Form::MoveControl(HWND control, const TwipsRect& r)
{
    auto kept = std::find_if(placed_.begin(), placed_.end(), [control](const auto& p) { return p.first == control; });
    if (kept != placed_.end()) kept->second = r;
    else placed_.emplace_back(control, r);
    const TwipsScale& s = Scale();
    const int x = s.XToPixels(r.Left), y = s.YToPixels(r.Top);
    MoveWindow(control, x, y, s.XToPixels(r.Left + r.Width) - x, s.YToPixels(r.Top + r.Height) - y, TRUE);
}

void Form::OnDestroy()
{
    fontControls_.clear();
    tipControls_.clear();
    placed_.clear();
    tips_.Destroy();
}

std::wstring Form::WindowText(HWND hwnd)
{
    const int length = hwnd ? GetWindowTextLengthW(hwnd) : 0;
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

} // namespace tavlo
