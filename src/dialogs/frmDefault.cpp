#include "dialogs/frmDefault.h"

#include "common/Catalogue.h"
#include "common/FileEnum.h"
#include "common/PathUtil.h"
#include "dialogs/DialogTexts.h"
#include "core/Paths.h"
#include "core/Wildcard.h"

#include <commctrl.h>

#include <algorithm>

namespace tavlo {

namespace {

constexpr int kIdCheck = 100, kIdLabel = 101, kIdDir = 102, kIdPanel = 103;
// The key of the right-click hook on the folder list and the text field.
constexpr int kContextHook = 0;

// Twips.
constexpr float kEdge = 60;

int ShowPopup(HWND owner, HMENU menu, POINT at)
{
    return static_cast<int>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                                           at.y, 0, owner, nullptr));
}

} // namespace

frmDefault::frmDefault()
    : DialogForm(DialogFormSpec{.KeyPrefix = L"Default_", .StoresSize = true, .DefaultWidth = 5000, .DefaultHeight = 5000,
                                .LoadErrorText = dialog_text::kDefaultLoadError}), tracker_(ShowPopup)
{
    drvDrive_.OnChange = [this] { drvDrive_Change(); };
    dlbDir_.OnChange = [this] { dlbDir_Change(); };
    drvDrive_.OnKeyPress = [this](wchar_t c) { return drvDrive_KeyPress(c); };
    dlbDir_.OnKeyPress = [this](wchar_t c) { return dlbDir_KeyPress(c); };
}

frmDefault::~frmDefault()
{
    DestroyHandle();
}

void frmDefault::CreateControls()
{
    {
        // Set while the controls are made, whatever ends the making.
        struct Creating {
            bool& flag;
            explicit Creating(bool& f) : flag(f) { flag = true; }
            ~Creating() { flag = false; }
        } creating{creating_};
        cbxDrive_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, kIdCheck);
        lblDrive_ = CreateControl(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kIdLabel);
        if (!drvDrive_.Create(Handle())) throw LoadError();
        if (!dlbDir_.Create(Handle())) throw LoadError();
        txtDir_ = CreateControl(L"EDIT", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, kIdDir, {}, nullptr,
                                WS_EX_CLIENTEDGE);
        if (!pnlDefault_.Create(Handle(), kIdPanel)) throw LoadError();
        HWND panel = pnlDefault_.Handle();
        SetWindowLongPtrW(panel, GWL_EXSTYLE, GetWindowLongPtrW(panel, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        btnOk_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {}, panel);
        btnCancel_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, {}, panel);
    }

    for (HWND c : {btnOk_, btnCancel_, lblDrive_, drvDrive_.Handle(), dlbDir_.Handle(), txtDir_}) AddFontControl(c);
    AddToolTipControl(btnOk_, GeneralText(general_text::OkButtonTip));
    AddToolTipControl(btnCancel_, GeneralText(general_text::CancelButtonTip));
    AddToolTipControl(cbxDrive_, {});
    AddToolTipControl(drvDrive_.Handle(), {});
    AddToolTipControl(dlbDir_.Handle(), {});
    AddToolTipControl(txtDir_, {});

    // The folder list and the text field open the dialog's own menu on a right click, before the
    // controls see it.
    for (HWND c : {dlbDir_.Handle(), txtDir_}) {
        ControlHook::Add(c, &kContextHook, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                  const ControlHook::Next& next) -> LRESULT {
            // The edit field's own menu would follow ours.
            if (msg == WM_CONTEXTMENU) return 0;
            if (msg == WM_RBUTTONDOWN) {
                POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                ClientToScreen(hwnd, &pt);
                Form_MouseDown(2, pt);
                return 0;
            }
            return next(hwnd, msg, wParam, lParam);
        });
    }

    if (!popup_) {
        popup_ = MenuHandle(CreatePopupMenu());
        AppendMenuW(popup_.get(), MF_STRING, kIdMnuInDir, L"");
        AppendMenuW(popup_.get(), MF_STRING, kIdMnuTmp, L"");
    }
    lblLeft_ = LabelLeft();
}

void frmDefault::LoadMore()
{
    SetWindowTextW(Handle(), ProgramString(program_text::DefaultCaption).c_str());
    SetWindowTextW(btnOk_, GeneralString(general_text::OkButton).c_str());
    SetWindowTextW(btnCancel_, GeneralString(general_text::CancelButton).c_str());
    ModifyMenuW(popup_.get(), kIdMnuInDir, MF_BYCOMMAND | MF_STRING, kIdMnuInDir, ProgramString(program_text::CopyInputFolder).c_str());
    ModifyMenuW(popup_.get(), kIdMnuTmp, MF_BYCOMMAND | MF_STRING, kIdMnuTmp, ProgramString(program_text::CopyTemporaryFolder).c_str());
    lblCaption_.clear();
    cbxHint_.clear();
    drvHint_.clear();
    dlbHint_.clear();
    txtHint_.clear();
    yukoMukouOk_ = true;
    diskFreeOk_ = true;
    ok_ = false;
    Form_Resize();
}

float frmDefault::LabelLeft() const
{
    return kEdge + Scale().XToTwips(GetSystemMetrics(SM_CXMENUCHECK) + 4) + kEdge;
}

std::wstring frmDefault::GetDirName() const
{
    return Exists() ? ExpandLongPath(dlbDir_.Path()) : std::wstring();
}

void frmDefault::SetDirName(const std::wstring& strDirName)
{
    if (!Exists() && !Form_Load()) return;
    if (drvDrive_.SetDrive(strDirName) && dlbDir_.SetPath(strDirName)) {
        RefreshForm();
        return;
    }
    // A folder that is gone (or a drive that is not ready): the process's current folder instead.
    const std::wstring here = CurrentFolder();
    drvDrive_.SetDrive(here);
    dlbDir_.SetPath(here);
    RefreshForm();
}

bool frmDefault::GetYuko() const
{
    return cbxDrive_ && SendMessageW(cbxDrive_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void frmDefault::SetYuko(bool blnYuko)
{
    if (!Exists() && !Form_Load()) return;
    SendMessageW(cbxDrive_, BM_SETCHECK, blnYuko ? BST_CHECKED : BST_UNCHECKED, 0);
    YukoEnabled();
}

void frmDefault::YukoEnabled()
{
    const BOOL on = GetYuko() ? TRUE : FALSE;
    for (HWND c : {lblDrive_, drvDrive_.Handle(), dlbDir_.Handle(), txtDir_})
        if (c) EnableWindow(c, on);
}

void frmDefault::RefreshForm()
{
    if (!Exists()) return;
    drvDrive_.Refresh();
    dlbDir_.Refresh();
    ShowDirName();
}

void frmDefault::ShowDirName()
{
    if (!txtDir_ || !lblDrive_) return;
    const std::wstring p = ExpandLongPath(dlbDir_.Path());
    SetWindowTextW(txtDir_, ShortenPath(p).c_str());
    std::wstring caption = lblCaption_;
    if (diskFreeOk_) caption += GetDiskFreeText(drvDrive_.Drive());
    SetWindowTextW(lblDrive_, caption.c_str());
    if (IsVisible()) FitWidth();
}

float frmDefault::NeededClientWidth() const
{
    if (!btnOk_ || !lblDrive_) return 0;
    const float label = lblLeft_ + TextWidth(WindowText(lblDrive_)) +
                        Scale().XToTwips(4) + kEdge;
    const std::wstring ok = GeneralString(general_text::OkButton), cancel = GeneralString(general_text::CancelButton);
    const float buttons = ButtonRowWidth({{btnOk_, ok}, {btnCancel_, cancel}}, kEdge) + 2 * kEdge;
    return std::max(label, buttons);
}

void frmDefault::FitWidth()
{
    const float need = NeededClientWidth();
    if (ScaleWidth() + Scale().XToTwips(1) < need) SetClientSize(need, ScaleHeight());
}

void frmDefault::SetToolTip(bool blnToolTip)
{
    if (!Exists()) return;
    SetToolTipText(cbxDrive_, cbxHint_);
    SetToolTipText(drvDrive_.Handle(), drvHint_);
    SetToolTipText(dlbDir_.Handle(), dlbHint_);
    SetToolTipText(txtDir_, txtHint_);
    SetToolTipTexts(blnToolTip);
}

void frmDefault::Form_Activate()
{
    ok_ = false;
    SetToolTip(options.Tip);
    const TwipsRect label = ControlRect(lblDrive_);
    if (yukoMukouOk_) {
        ShowWindow(cbxDrive_, SW_SHOW);
        const TwipsRect box = ControlRect(cbxDrive_);
        lblLeft_ = box.Left + box.Width + kEdge;
    } else {
        SendMessageW(cbxDrive_, BM_SETCHECK, BST_CHECKED, 0);
        YukoEnabled();
        ShowWindow(cbxDrive_, SW_HIDE);
        lblLeft_ = kEdge;
    }
    MoveControl(lblDrive_, TwipsRect{lblLeft_, label.Top, std::max(0.0f, ScaleWidth() - lblLeft_ - kEdge),
                                     label.Height});
    // A stored size from a smaller font must not cut the label off.
    FitWidth();
    // Last: the settings above are no change of the user's.
    EnableWindow(btnOk_, FALSE);
}

void frmDefault::Form_Resize()
{
    if (!btnOk_) return;
    const TwipsScale& s = Scale();
    // The font decides the heights of the one-line controls and of the button panel.
    const float lineHeight = LineHeight() + s.YToTwips(4);
    const float editHeight = LineHeight() + s.YToTwips(8);
    const float buttonHeight = ButtonHeight();
    const float panelHeight = buttonHeight + 2 * kEdge;
    const float innerWidth = ScaleWidth();
    const float innerHeight = ScaleHeight();

    // The button panel keeps to the bottom edge, OK and Cancel at its right.
    MoveControl(pnlDefault_.Handle(), TwipsRect{0, innerHeight - panelHeight, innerWidth, panelHeight});
    const std::wstring ok = GeneralString(general_text::OkButton), cancel = GeneralString(general_text::CancelButton);
    PlaceButtonRow({{btnOk_, ok}, {btnCancel_, cancel}}, innerWidth - kEdge, kEdge, kEdge);

    MoveControl(cbxDrive_, TwipsRect{kEdge, kEdge, s.XToTwips(GetSystemMetrics(SM_CXMENUCHECK) + 4), lineHeight});
    MoveControl(lblDrive_, TwipsRect{lblLeft_, kEdge, std::max(0.0f, innerWidth - lblLeft_ - kEdge), lineHeight});
    TwipsRect text = ControlRect(txtDir_);
    MoveControl(txtDir_, TwipsRect{text.Left, text.Top, text.Width, editHeight});

    const TwipsRect lbl = ControlRect(lblDrive_);
    const TwipsRect drv = ControlRect(drvDrive_.Handle());
    const TwipsRect txt = ControlRect(txtDir_);
    const auto W = static_cast<float>(RoundHalfEven(innerWidth - 120));
    const auto H = static_cast<float>(
        RoundHalfEven(innerHeight - panelHeight - 300 - drv.Height - txt.Height - lbl.Height));
    if (W <= 0) return;

    const float drvTop = lbl.Top + lbl.Height + kEdge;
    // A combo box takes the height of its opened list; its closed height follows the font.
    const int dropHeight = s.YToPixels(drv.Height) + 300;
    SetWindowPos(drvDrive_.Handle(), nullptr, s.XToPixels(kEdge), s.YToPixels(drvTop), s.XToPixels(W), dropHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    drvDrive_.Refresh();
    const TwipsRect drvNow = ControlRect(drvDrive_.Handle());
    const float dlbTop = drvNow.Top + drvNow.Height + kEdge;
    const TwipsRect dlb = ControlRect(dlbDir_.Handle());
    MoveControl(dlbDir_.Handle(), TwipsRect{kEdge, dlbTop, W, H >= 1 ? H : dlb.Height});
    MoveControl(txtDir_, TwipsRect{kEdge, dlbTop + H + kEdge, W, txt.Height});
}

void frmDefault::cbxDrive_Click()
{
    EnableWindow(btnOk_, TRUE);
    YukoEnabled();
}

void frmDefault::drvDrive_Change()
{
    if (creating_ || !Exists()) return;
    EnableWindow(btnOk_, TRUE);
    if (restoringDrive_) return;
    if (dlbDir_.SetPath(drvDrive_.DriveName())) return;
    // No medium, or gone: back to the drive of the folder still shown.
    restoringDrive_ = true;
    drvDrive_.SetDrive(dlbDir_.Path());
    restoringDrive_ = false;
}

void frmDefault::dlbDir_Change()
{
    if (creating_ || !Exists()) return;
    EnableWindow(btnOk_, TRUE);
    ShowDirName();
}

bool frmDefault::drvDrive_KeyPress(wchar_t KeyAscii)
{
    if (KeyAscii != L'\r') return false;
    SetFocus(dlbDir_.Handle());
    return true;
}

bool frmDefault::dlbDir_KeyPress(wchar_t KeyAscii)
{
    if (KeyAscii == L'\b') {
        // The row above the highlighted one: from the open folder, its parent.
        dlbDir_.SetPath(dlbDir_.List(dlbDir_.ListIndex() - 1));
        return true;
    }
    if (KeyAscii == L'\r') {
        dlbDir_.SetPath(dlbDir_.List(dlbDir_.ListIndex()));
        return true;
    }
    return false;
}

void frmDefault::mnuInDir_Click()
{
    if (inputFolder_) DirName = inputFolder_();
}

void frmDefault::mnuTmp_Click()
{
    DirName = GetTempFolder();
}

void frmDefault::btnOK_Click()
{
    ok_ = true;
    Hide();
}

void frmDefault::btnCancel_Click()
{
    Hide();
}

void frmDefault::Form_MouseDown(int button, POINT screenPoint)
{
    if (button != 2 || !popup_ || !tracker_) return;
    const int chosen = tracker_(Handle(), popup_.get(), screenPoint);
    if (chosen) OnMenuCommand(chosen);
}

bool frmDefault::OnMenuCommand(int id)
{
    if (id == kIdMnuInDir) {
        mnuInDir_Click();
        return true;
    }
    if (id == kIdMnuTmp) {
        mnuTmp_Click();
        return true;
    }
    return false;
}

bool frmDefault::OnControl(int id, int code, HWND)
{
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDOK:
            if (IsWindowEnabled(btnOk_)) btnOK_Click();
            return true;
        case IDCANCEL: btnCancel_Click(); return true;
        case kIdCheck: cbxDrive_Click(); return true;
        default: return false;
    }
}

std::optional<LRESULT> frmDefault::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_GETMINMAXINFO && btnOk_) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        RECT window{}, client{};
        GetWindowRect(Handle(), &window);
        GetClientRect(Handle(), &client);
        const int frame = (window.right - window.left) - client.right;
        info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, Scale().XToPixels(NeededClientWidth()) + frame);
        return 0;
    }
    if (msg == WM_RBUTTONDOWN) {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(Handle(), &pt);
        Form_MouseDown(2, pt);
        return 0;
    }
    return DialogForm::HandleMessage(msg, wParam, lParam);
}

void frmDefault::OnDestroy()
{
    DialogForm::OnDestroy();
    cbxDrive_ = lblDrive_ = txtDir_ = btnOk_ = btnCancel_ = nullptr;
}

void EditInDirDefault(frmDefault& dialog, OptionState& state)
{
    dialog.pstr_lblDrive_Caption = ProgramString(program_text::DefaultFolderLabel);
    dialog.pstr_cbxDrive_Hint = ProgramString(program_text::DefaultOffTip);
    dialog.pblnYukoMukouOk = true;
    dialog.pblnDiskFreeOk = false;
    dialog.pstr_drvDrive_Hint = ProgramString(program_text::DefaultDriveTip);
    dialog.pstr_dlbDir_Hint = ProgramString(program_text::DefaultFolderTip);
    dialog.pstr_txtDir_Hint = ProgramString(program_text::DefaultTextTip);
    dialog.DirName = state.Dir_In;
    dialog.Yuko = state.Dir_In_Yuko;
    dialog.Show();
    if (dialog.pblnOk) {
        state.Dir_In = dialog.DirName;
        state.Dir_In_Yuko = dialog.Yuko;
    }
}

} // namespace tavlo
