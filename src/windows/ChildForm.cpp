#include "windows/ChildForm.h"

#include "common/Catalogue.h"
#include "common/Fault.h"
#include "settings/Options.h"
#include "settings/Settings.h"
#include "windows/FrameRules.h"
#include "ui/ControlHook.h"

#include <commctrl.h>

namespace tavlo {

namespace {

const wchar_t* const kChildClass = L"Tavlo2.Child";
const char kContextHook = 0; // the key of the context-menu hook on a control

} // namespace

ChildForm::ChildForm(ChildHost& host, SettingsStore& store, ChildFormSpec spec)
    : host_(host), store_(store), spec_(std::move(spec))
{
}

ChildForm::~ChildForm()
{
    // Destroyed while this object is still whole, so the MDI messages of the teardown reach it.
    ChildForm::DestroyHandle();
}

bool ChildForm::Load()
{
    try {
        if (!Exists()) {
            if (!RegisterClassOnce(kChildClass, GetSysColorBrush(COLOR_BTNFACE))) throw LoadError();
            menuBar_ = BuildSharedMenuBar();
            popup_ = MenuHandle(CreatePopupMenu());
            if (!CreateHandle(WS_EX_MDICHILD, kChildClass, L"",
                              WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, host_.MdiClient()))
                throw LoadError();
            // The five windows live as long as the program: their close box does nothing.
            if (HMENU system = GetSystemMenu(Handle(), FALSE))
                EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
            CreateFormParts();
            CreateControls();
        }
        Form_Load();
        return true;
    } catch (...) {
        ReportFault("ChildForm::Load");
        ReportLoadFailure(spec_.LoadErrorText);
        return false;
    }
}

void ChildForm::Form_Load()
{
    if (options.AutoRunning) return;
    if (!options.Resize) RestoreGeometry();
    SetFontData(FormFontOf(options));
    SetWindowTextW(Handle(), ProgramString(spec_.CaptionNumber).c_str());
    // A list box is read out by the name of the window it fills.
    for (HWND control = GetWindow(Handle(), GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        if (IsOfClass(control, L"ListBox")) SetListBoxName(control, ProgramString(spec_.CaptionNumber));
    BuildPopup();
    SetToolTip(options.Tip);
    LoadMore();
}

void ChildForm::RestoreGeometry()
{
    const SettingsReader in(store_, WindowGroupLocation(store_, spec_.KeyPrefix + L"Left"));
    TwipsRect r = Geometry();
    r.Left = in.ReadLength(spec_.KeyPrefix + L"Left", r.Left);
    r.Top = in.ReadLength(spec_.KeyPrefix + L"Top", r.Top);
    r.Width = in.ReadLength(spec_.KeyPrefix + L"Width", r.Width);
    r.Height = in.ReadLength(spec_.KeyPrefix + L"Height", r.Height);
    SetGeometry(r);
}

void ChildForm::BuildPopup()
{
    HMENU menu = popup_.get();
    if (!menu) return;
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    for (const PopupItem& item : PopupItems()) {
        if (item.Id == 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else AppendMenuW(menu, MF_STRING, item.Id, item.Caption.c_str());
    }
}

void ChildForm::Unload()
{
    if (!Exists()) return;
    Form_QueryUnload();
    DestroyHandle();
}

void ChildForm::Form_QueryUnload()
{
    if (!options.AutoRunning && host_.IsNormalState() && !options.Resize) {
        const SettingsWriter out(store_);
        TwipsRect r = Geometry();
        out.WriteSingle(spec_.KeyPrefix + L"Left", r.Left);
        out.WriteSingle(spec_.KeyPrefix + L"Top", r.Top);
        out.WriteSingle(spec_.KeyPrefix + L"Width", r.Width);
        out.WriteSingle(spec_.KeyPrefix + L"Height", r.Height);
    }
    SaveMore();
}

void ChildForm::DestroyHandle()
{
    if (!Exists()) return;
    HWND client = host_.MdiClient();
    HWND frame = client ? GetParent(client) : nullptr;
    // The frame must not keep showing a menu that is about to be destroyed with this object.
    if (frame && menuBar_ && GetMenu(frame) == menuBar_.get()) {
        SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(host_.FrameMenu()), 0);
        DrawMenuBar(frame);
    }
    if (client && IsWindow(client)) SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
    Window::DestroyHandle();
}

void ChildForm::Show()
{
    if (Exists()) ShowWindow(Handle(), SW_SHOW);
}

void ChildForm::Menu_Enabled(bool blnFlag)
{
    if (!menuBar_) return;
    EnableTopLevelMenus(menuBar_.get(), blnFlag);
    ShowMenuBarIfActive();
}

void ChildForm::ShowMenuBarIfActive()
{
    HWND client = host_.MdiClient();
    HWND frame = client ? GetParent(client) : nullptr;
    if (frame && GetMenu(frame) == menuBar_.get()) DrawMenuBar(frame);
}

void ChildForm::FillWithControl(HWND control)
{
    if (!control) return;
    const float w = RoundTwips(ScaleWidth() - 120);
    const float h = RoundTwips(ScaleHeight() - 120);
    if (w <= 0) return;
    RECT rc{};
    GetWindowRect(control, &rc);
    const float keptHeight = Scale().YToTwips(rc.bottom - rc.top);
    MoveControl(control, TwipsRect{60, 60, w, h >= 1 ? h : keptHeight});
}

void ChildForm::AddContextControl(HWND control)
{
    ControlHook::Add(control, &kContextHook, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                     const ControlHook::Next& next) {
        // The menu key and Shift+F10 open the menu at the focused row (or the control's corner).
        const bool menuKey = (msg == WM_KEYDOWN && wParam == VK_APPS) ||
                             (msg == WM_SYSKEYDOWN && wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
        if (menuKey) {
            Form_MouseDown(2, KeyboardMenuPoint(hwnd));
            return LRESULT{0};
        }
        const LRESULT result = next(hwnd, msg, wParam, lParam);
        if (msg == WM_RBUTTONDOWN) {
            POINT pt;
            GetCursorPos(&pt);
            Form_MouseDown(2, pt);
        }
        return result;
    });
}

POINT ChildForm::KeyboardMenuPoint(HWND control)
{
    RECT place{};
    RECT client{};
    GetClientRect(control, &client);
    const LRESULT caret = IsOfClass(control, L"ListBox") ? SendMessageW(control, LB_GETCARETINDEX, 0, 0) : LB_ERR;
    if (caret == LB_ERR ||
        SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(caret), reinterpret_cast<LPARAM>(&place)) == LB_ERR ||
        place.top < 0 || place.top >= client.bottom)
        place = client;
    POINT pt{place.left + 8, place.top + (place.bottom - place.top) / 2};
    if (place.bottom - place.top > 32) pt.y = place.top + 8;
    ClientToScreen(control, &pt);
    return pt;
}

void ChildForm::RememberFocus(HWND control)
{
    if (control && IsChild(Handle(), control)) lastFocus_ = control;
}

HWND ChildForm::FocusControl() const
{
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_))
        return lastFocus_;
    return GetNextDlgTabItem(Handle(), nullptr, FALSE);
}

void ChildForm::Form_MouseDown(int button, POINT screenPoint)
{
    if (button != 2 || !popup_ || GetMenuItemCount(popup_.get()) <= 0) return;
    TrackPopupMenu(popup_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0,
                   Handle(), nullptr);
}

bool ChildForm::OnCommand(int id, int code, HWND control)
{
    (void)code;
    if (control) return false;
    switch (id) {
        case kCmdExit: mnuExit_Click(); return true;
        case kCmdFont: mnuFont_Click(); return true;
        case kCmdLogCopy: mnuLogCopy_Click(); return true;
        case kCmdLogSave: mnuLogSave_Click(); return true;
        case kCmdInDirDefault: mnuInDirDefault_Click(); return true;
        case kCmdOption: mnuOption_Click(); return true;
        case kCmdHelp: mnuHelp_Click(); return true;
        case kCmdAbout: mnuAbout_Click(); return true;
        case kCmdUndo: mnuUndo_Click(); return true;
        default: return OnPopupCommand(id);
    }
}

std::optional<LRESULT> ChildForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_MDIACTIVATE: {
            HWND client = host_.MdiClient();
            HWND frame = GetParent(client);
            if (reinterpret_cast<HWND>(lParam) == Handle()) {
                SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(menuBar_.get()), 0);
                DrawMenuBar(frame);
            } else if (lParam == 0) {
                SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(host_.FrameMenu()), 0);
                DrawMenuBar(frame);
            }
            return std::nullopt;
        }
        case WM_SIZE:
            Form_Resize();
            return std::nullopt; // the MDI child procedure needs it too
        case WM_SETFOCUS:
            // Activated (Ctrl+F6, a click on the title, Alt+Tab back): the focus goes on to a control.
            if (HWND control = FocusControl()) {
                SetFocus(control);
                return 0;
            }
            return std::nullopt;
        case WM_RBUTTONDOWN: {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(Handle(), &pt);
            Form_MouseDown(2, pt);
            return 0;
        }
        case WM_CLOSE:
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT ChildForm::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcW(Handle(), msg, wParam, lParam);
}

} // namespace tavlo
