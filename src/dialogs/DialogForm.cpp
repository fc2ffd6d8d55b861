#include "dialogs/DialogForm.h"

#include "common/Fault.h"
#include "common/GdiHandles.h"
#include "common/OnItsOwn.h"
#include "settings/RegistryStore.h"
#include "settings/Settings.h"
#include "windows/FrameRules.h"

#include <algorithm>

namespace tavlo {

namespace {

const wchar_t* const kDialogClass = L"Tavlo2.Dialog";

// Where a dialog stands before its stored position is read, in twips.
constexpr float kDesignLeft = 1000, kDesignTop = 1000;
constexpr float kDesignWidth = 5000, kDesignHeight = 5000;

} // namespace

DialogForm::DialogForm(DialogFormSpec spec) : spec_(std::move(spec))
{
}

DialogForm::~DialogForm()
{
    GiveOwnerBack();
    DialogForm::DestroyHandle();
}

SettingsStore& DialogForm::Store() const
{
    return store_ ? *store_ : SystemSettingsStore();
}

HWND DialogForm::OwnerWindow() const
{
    return owner_ && IsWindow(owner_) ? owner_ : nullptr;
}

bool DialogForm::Form_Load()
{
    if (Exists()) return true;
    try {
        if (!RegisterClassOnce(kDialogClass, GetSysColorBrush(COLOR_BTNFACE))) throw LoadError();
        const TwipsScale& s = Scale();
        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        if (spec_.StoresSize) style |= WS_THICKFRAME;
        if (!CreateHandle(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kDialogClass, L"", style,
                          s.XToPixels(kDesignLeft), s.YToPixels(kDesignTop), s.XToPixels(kDesignWidth),
                          s.YToPixels(kDesignHeight), OwnerWindow()))
            throw LoadError();
        CreateFormParts();
        CreateControls();
        Form_Resize();
        RestorePosition();
        SetFontData(FormFontOf(options));
        LoadMore();
        return true;
    } catch (...) {
        ReportFault("DialogForm::Form_Load");
        // The about box goes on with what it has; the others end the program.
        if (spec_.LoadErrorText.empty()) return true;
        ReportLoadFailure(spec_.LoadErrorText);
        DestroyHandle();
        return false;
    }
}

void DialogForm::RestorePosition()
{
    const std::wstring& p = spec_.KeyPrefix;
    const SettingsReader in(Store(), WindowGroupLocation(Store(), p + L"Left"));
    TwipsRect r = Geometry();
    r.Left = in.ReadLength(p + L"Left", 1000);
    SetGeometry(r);
    r.Top = in.ReadLength(p + L"Top", 1000);
    SetGeometry(r);
    if (spec_.StoresSize) {
        r.Width = in.ReadLength(p + L"Width", spec_.DefaultWidth);
        SetGeometry(r);
        r.Height = in.ReadLength(p + L"Height", spec_.DefaultHeight);
        SetGeometry(r);
    }
    r = KeepPositionOnScreen(r, Scale().XToTwips(GetSystemMetrics(SM_CXSCREEN)),
                             Scale().YToTwips(GetSystemMetrics(SM_CYSCREEN)), Scale().OnAMonitor(r.Left, r.Top));
    SetGeometry(r);
}

void DialogForm::Show()
{
    if (modal_) {
        if (Exists()) SetForegroundWindow(Handle());
        return;
    }
    if (!Exists() && !Form_Load()) return;
    if (!Exists()) return;
    HWND owner = OwnerWindow();
    if (owner) SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    modal_ = true;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner_ = owner;
    }
    ShowWindow(Handle(), SW_SHOW);
    // The modal loop runs, and the owner comes back after it, whatever the activation does.
    OnItsOwn([this] { Form_Activate(); });
    if (OnShown && IsVisible()) OnItsOwn(OnShown);
    RunModalLoop();
    modal_ = false;
    if (HWND owner = GiveOwnerBack()) SetActiveWindow(owner);
}

HWND DialogForm::GiveOwnerBack()
{
    HWND previous = std::exchange(disabledOwner_, nullptr);
    if (!previous || !IsWindow(previous)) return nullptr;
    EnableWindow(previous, TRUE);
    return previous;
}

void DialogForm::RunModalLoop()
{
    MSG msg;
    while (Exists() && IsWindowVisible(Handle())) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the main loop must still see the quit.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (Exists() && IsDialogMessageW(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void DialogForm::Hide()
{
    if (!Exists()) return;
    // The owner comes back first, so that the activation returns to it and not to another program.
    GiveOwnerBack();
    ShowWindow(Handle(), SW_HIDE);
}

bool DialogForm::IsVisible() const
{
    return Exists() && IsWindowVisible(Handle());
}

void DialogForm::Unload()
{
    if (!Exists()) return;
    Form_QueryUnload();
    GiveOwnerBack();
    DestroyHandle();
}

void DialogForm::Form_QueryUnload()
{
    const SettingsWriter out(Store());
    const std::wstring& p = spec_.KeyPrefix;
    const TwipsRect r = Geometry();
    // Each key on its own: one that cannot be written does not keep the others back.
    out.WriteSingle(p + L"Left", r.Left);
    out.WriteSingle(p + L"Top", r.Top);
    if (!spec_.StoresSize) return;
    out.WriteSingle(p + L"Width", r.Width);
    out.WriteSingle(p + L"Height", r.Height);
}

TwipsRect DialogForm::ControlRect(HWND control) const
{
    RECT rc{};
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    const TwipsScale& s = Scale();
    return TwipsRect{s.XToTwips(rc.left), s.YToTwips(rc.top), s.XToTwips(rc.right - rc.left),
                     s.YToTwips(rc.bottom - rc.top)};
}

void DialogForm::SetClientSize(float width, float height)
{
    const TwipsScale& s = Scale();
    RECT rc{0, 0, s.XToPixels(width), s.YToPixels(height)};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

SIZE MeasureText(HWND window, HFONT font, std::wstring_view text)
{
    SIZE size{};
    const WindowDc dc(window);
    if (!dc) return size;
    const SelectedObject selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    if (text.empty()) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.get(), &tm);
        size.cy = tm.tmHeight;
    } else {
        GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    }
    return size;
}

} // namespace

float DialogForm::TextWidth(std::wstring_view text) const
{
    return Scale().XToTwips(MeasureText(Handle(), Font(), text).cx);
}

float DialogForm::LineHeight() const
{
    return Scale().YToTwips(MeasureText(Handle(), Font(), {}).cy);
}

float DialogForm::ButtonHeight() const
{
    return std::max(375.0f, LineHeight() + Scale().YToTwips(10));
}

float DialogForm::CheckBoxWidth(std::wstring_view caption) const
{
    return TextWidth(caption) + Scale().XToTwips(GetSystemMetrics(SM_CXMENUCHECK) + 10);
}

float DialogForm::ButtonWidth(std::wstring_view caption, float minimum) const
{
    return std::max(minimum, TextWidth(caption) + Scale().XToTwips(24));
}

float DialogForm::ButtonRowWidth(std::initializer_list<RowButton> row, float gap) const
{
    float width = 0;
    for (const RowButton& b : row) width += ButtonWidth(b.caption) + gap;
    return row.size() ? width - gap : 0;
}

float DialogForm::PlaceButtonRow(std::initializer_list<RowButton> row, float right, float top, float gap)
{
    const float width = ButtonRowWidth(row, gap);
    const float height = ButtonHeight();
    float x = right - width;
    for (const RowButton& b : row) {
        const float w = ButtonWidth(b.caption);
        MoveControl(b.button, TwipsRect{x, top, w, height});
        x += w + gap;
    }
    return width;
}

float DialogForm::CaptionClientWidth() const
{
    const std::wstring caption = WindowText(Handle());
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
    FontHandle font(CreateFontIndirectW(&metrics.lfCaptionFont));
    const SIZE text = MeasureText(Handle(), font.get(), caption);
    // The window icon and the close box share the bar with the caption.
    const int bar = text.cx + GetSystemMetrics(SM_CXSMICON) + GetSystemMetrics(SM_CXSIZE) + 16;
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    const int frame = (window.right - window.left) - client.right;
    return Scale().XToTwips(bar - frame);
}

std::optional<LRESULT> DialogForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == DM_GETDEFID) {
        const int id = DefaultButtonId();
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

bool DialogForm::OnCommand(int id, int code, HWND control)
{
    if (!control && code == 0 && id != IDOK && id != IDCANCEL) return OnMenuCommand(id);
    return OnControl(id, code, control);
}

void DialogForm::OnSize(UINT kind, int, int)
{
    if (kind == SIZE_MINIMIZED) return;
    Form_Resize();
}

bool DialogForm::OnClose()
{
    Unload();
    return true;
}

void DialogForm::OnDestroy()
{
    Form::OnDestroy();
    GiveOwnerBack();
}

} // namespace tavlo
