#include "dialogs/frmOption.h"

#include "common/Catalogue.h"
#include "dialogs/DialogTexts.h"
#include "settings/Options.h"

#include <algorithm>

namespace tavlo {

namespace {

constexpr int kIdAuto = 100, kIdLog = 101, kIdHira = 102, kIdDblExp = 103, kIdResize = 104, kIdTip = 105, kIdPreview = 106;
constexpr int kIdLbl43 = 106, kIdLbl34 = 107, kIdInit = 108;
constexpr int kIdFirstMode = 120, kIdFirst43 = 140, kIdFirst34 = 160;
constexpr int kIdPnlAuto = 180, kIdPnl43 = 181, kIdPnl34 = 182;

// Twips.
constexpr float kMargin = 120, kGap = 60, kIndent = 240, kPanelPad = 60;

int BoolToCheck(bool option)
{
    return option ? BST_CHECKED : BST_UNCHECKED;
}

// Only a checked box counts: a greyed one (2) is off.
bool CheckToBool(LRESULT value)
{
    return value == BST_CHECKED;
}

LRESULT CheckOf(HWND box)
{
    return SendMessageW(box, BM_GETCHECK, 0, 0);
}

void SetCheck(HWND box, int value)
{
    SendMessageW(box, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}


} // namespace

frmOption::frmOption()
    : DialogForm(DialogFormSpec{.KeyPrefix = L"Option_", .LoadErrorText = dialog_text::kOptionLoadError})
{
}

frmOption::~frmOption()
{
    DestroyHandle();
}

void frmOption::CreateControls()
{
    const DWORD check = WS_TABSTOP | BS_AUTOCHECKBOX;
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    auto makePanel = [this](Panel& panel, int id) {
        if (!panel.Create(Handle(), id)) throw LoadError();
        HWND hwnd = panel.Handle();
        // Tab and arrow keys reach the controls inside; the edge shows the group.
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT | WS_EX_STATICEDGE);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    };

    // Creation order is the tab order.
    ckbAuto_ = CreateControl(L"BUTTON", check, kIdAuto);
    makePanel(pnlAuto_, kIdPnlAuto);
    for (int i = 0; i < kModeCount; ++i)
        obtExe_[i] = CreateControl(L"BUTTON", BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
                                   kIdFirstMode + i, {}, pnlAuto_.Handle());
    ckbLog_ = CreateControl(L"BUTTON", check, kIdLog);
    ckbHira_ = CreateControl(L"BUTTON", check, kIdHira);
    ckbDblExp_ = CreateControl(L"BUTTON", check, kIdDblExp);
    lbl43_ = CreateControl(L"STATIC", label, kIdLbl43);
    makePanel(pnl43_, kIdPnl43);
    for (int i = 0; i < kRowCount; ++i) ckb43_[i] = CreateControl(L"BUTTON", check, kIdFirst43 + i, {}, pnl43_.Handle());
    lbl34_ = CreateControl(L"STATIC", label, kIdLbl34);
    makePanel(pnl34_, kIdPnl34);
    for (int i = 0; i < kRowCount; ++i) ckb34_[i] = CreateControl(L"BUTTON", check, kIdFirst34 + i, {}, pnl34_.Handle());
    ckbResize_ = CreateControl(L"BUTTON", check, kIdResize);
    ckbTip_ = CreateControl(L"BUTTON", check, kIdTip);
    ckbPreview_ = CreateControl(L"BUTTON", check, kIdPreview);
    btnInit_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kIdInit);
    btnCancel_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
    btnOk_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);

    // The font reaches the controls in this order.
    AddFontControl(ckbAuto_);
    for (HWND b : obtExe_) AddFontControl(b);
    for (HWND c : {ckbLog_, ckbResize_, ckbTip_, ckbPreview_, ckbHira_, ckbDblExp_, lbl43_, lbl34_}) AddFontControl(c);
    for (HWND c : ckb43_) AddFontControl(c);
    for (HWND c : ckb34_) AddFontControl(c);
    for (HWND c : {btnCancel_, btnInit_, btnOk_}) AddFontControl(c);

    AddToolTipControl(ckbAuto_, ProgramText(program_text::AutoRunTip));
    for (int i = 0; i < kModeCount; ++i) AddToolTipControl(obtExe_[i], ProgramText(program_text::AutoModeTipFirst + i));
    AddToolTipControl(ckbLog_, GeneralText(general_text::CopyLogTip));
    AddToolTipControl(ckbHira_, ProgramText(program_text::HiraganaTip));
    AddToolTipControl(ckbDblExp_, ProgramText(program_text::DoubleExtensionsTip));
    for (int i = 0; i < kRowCount; ++i) AddToolTipControl(ckb43_[i], ProgramText(program_text::FourToThreeRowTipFirst + i));
    for (int i = 0; i < kRowCount; ++i) AddToolTipControl(ckb34_[i], ProgramText(program_text::ThreeToFourRowTipFirst + i));
    AddToolTipControl(ckbResize_, GeneralText(general_text::ResizeChildrenTip));
    AddToolTipControl(ckbTip_, GeneralText(general_text::ShowTipsTip));
    AddToolTipControl(ckbPreview_, ProgramText(program_text::PreviewOptionTip));
    AddToolTipControl(btnInit_, GeneralText(general_text::DefaultsTip));
    AddToolTipControl(btnCancel_, GeneralText(general_text::CancelButtonTip));
    AddToolTipControl(btnOk_, GeneralText(general_text::OkButtonTip));
}

void frmOption::LoadMore()
{
    SetWindowTextW(Handle(), ProgramString(program_text::OptionCaption).c_str());
    for (int i = 0; i < kModeCount; ++i) SetWindowTextW(obtExe_[i], ProgramString(program_text::AutoModeFirst + i).c_str());
    for (int i = 0; i < kRowCount; ++i) SetWindowTextW(ckb43_[i], ProgramString(program_text::FourToThreeRowFirst + i).c_str());
    for (int i = 0; i < kRowCount; ++i) SetWindowTextW(ckb34_[i], ProgramString(program_text::ThreeToFourRowFirst + i).c_str());
    SetWindowTextW(lbl43_, ProgramString(program_text::FourToThreeLabel).c_str());
    SetWindowTextW(lbl34_, ProgramString(program_text::ThreeToFourLabel).c_str());
    SetWindowTextW(ckbAuto_, ProgramString(program_text::AutoRun).c_str());
    SetWindowTextW(ckbHira_, ProgramString(program_text::Hiragana).c_str());
    SetWindowTextW(ckbDblExp_, ProgramString(program_text::DoubleExtensions).c_str());
    SetWindowTextW(ckbLog_, GeneralString(general_text::CopyLog).c_str());
    SetWindowTextW(ckbResize_, GeneralString(general_text::ResizeChildren).c_str());
    SetWindowTextW(ckbTip_, GeneralString(general_text::ShowTips).c_str());
    SetWindowTextW(ckbPreview_, ProgramString(program_text::PreviewOption).c_str());
    SetWindowTextW(btnInit_, GeneralString(general_text::Defaults).c_str());
    SetWindowTextW(btnCancel_, GeneralString(general_text::CancelButton).c_str());
    SetWindowTextW(btnOk_, GeneralString(general_text::OkButton).c_str());
    // The captions decide the sizes.
    Form_Resize();
    SetToolTip(options.Tip);
}

void frmOption::SetToolTip(bool blnToolTip)
{
    if (Exists()) SetToolTipTexts(blnToolTip);
}

void frmOption::Form_Activate()
{
    SetOptionData();
    // Last: the controls were just set from the options, which is no change of the user's.
    EnableWindow(btnOk_, FALSE);
}

void frmOption::SetOptionData()
{
    SetCheck(ckbAuto_, BoolToCheck(options.Auto));
    AutoVisible();
    SelectMode(ModeNumber(AutoModeOf(options)));
    SetCheck(ckbLog_, BoolToCheck(options.AutoLog));
    SetCheck(ckbHira_, BoolToCheck(options.Hira));
    SetCheck(ckbDblExp_, BoolToCheck(options.DblExp));
    SetCheck(ckbResize_, BoolToCheck(options.Resize));
    SetCheck(ckbTip_, BoolToCheck(options.Tip));
    SetCheck(ckbPreview_, BoolToCheck(options.Preview));
    for (int i = 0; i < kRowCount; ++i) SetCheck(ckb43_[i], BoolToCheck(options.Exp43[i]));
    for (int i = 0; i < kRowCount; ++i) SetCheck(ckb34_[i], BoolToCheck(options.Exp34[i]));
}

void frmOption::SelectMode(int index)
{
    for (int i = 0; i < kModeCount; ++i) SetCheck(obtExe_[i], i == index ? BST_CHECKED : BST_UNCHECKED);
}

void frmOption::GetOptionData()
{
    options.Auto = CheckToBool(CheckOf(ckbAuto_));
    for (int i = 0; i < kModeCount; ++i) {
        if (CheckOf(obtExe_[i]) == BST_CHECKED) {
            options.AutoExe = static_cast<std::int16_t>(i);
            break;
        }
    }
    options.AutoLog = CheckToBool(CheckOf(ckbLog_));
    options.Hira = CheckToBool(CheckOf(ckbHira_));
    options.DblExp = CheckToBool(CheckOf(ckbDblExp_));
    for (int i = 0; i < kRowCount; ++i) options.Exp43[i] = CheckToBool(CheckOf(ckb43_[i]));
    for (int i = 0; i < kRowCount; ++i) options.Exp34[i] = CheckToBool(CheckOf(ckb34_[i]));
    options.Preview = CheckToBool(CheckOf(ckbPreview_));
    const bool tip = CheckToBool(CheckOf(ckbTip_));
    if (tip != options.Tip) {
        options.Tip = tip;
        SpreadToolTip(options.Tip);
    }
    // The main window arranges its children by it at its next resize.
    options.Resize = CheckToBool(CheckOf(ckbResize_));
}

void frmOption::SpreadToolTip(bool tip)
{
    // The main window hands over how its windows all follow; alone, the dialog follows by itself.
    if (tipSpreader_) tipSpreader_(tip);
    else SetToolTip(tip);
}

void frmOption::InitOptionData()
{
    SetCheck(ckbAuto_, BST_UNCHECKED);
    AutoVisible();
    SelectMode(0);
    for (HWND box : {ckbLog_, ckbHira_, ckbDblExp_, ckbResize_, ckbTip_}) SetCheck(box, BST_CHECKED);
    SetCheck(ckbPreview_, BST_UNCHECKED);
    for (HWND box : ckb43_) SetCheck(box, BST_CHECKED);
    for (HWND box : ckb34_) SetCheck(box, BST_CHECKED);
}

void frmOption::AutoVisible()
{
    const int show = CheckOf(ckbAuto_) == BST_CHECKED ? SW_SHOW : SW_HIDE;
    ShowWindow(pnlAuto_.Handle(), show);
    ShowWindow(ckbLog_, show);
}

void frmOption::Changed()
{
    EnableWindow(btnOk_, TRUE);
}

void frmOption::btnOK_Click()
{
    GetOptionData();
    Hide();
}

void frmOption::btnCancel_Click()
{
    Hide();
}

void frmOption::btnInit_Click()
{
    EnableWindow(btnOk_, TRUE);
    InitOptionData();
}

bool frmOption::OnControl(int id, int code, HWND)
{
    if (code != BN_CLICKED) return false;
    if (id == IDOK) {
        // Enter reaches here too; it may not apply what OK could not.
        if (IsWindowEnabled(btnOk_)) btnOK_Click();
        return true;
    }
    if (id == IDCANCEL) {
        btnCancel_Click();
        return true;
    }
    if (id == kIdInit) {
        btnInit_Click();
        return true;
    }
    if (id == kIdAuto) {
        Changed();
        AutoVisible();
        return true;
    }
    const bool option = id == kIdLog || id == kIdHira || id == kIdDblExp || id == kIdResize || id == kIdTip || id == kIdPreview ||
                        (id >= kIdFirstMode && id < kIdFirstMode + kModeCount) ||
                        (id >= kIdFirst43 && id < kIdFirst43 + kRowCount) ||
                        (id >= kIdFirst34 && id < kIdFirst34 + kRowCount);
    if (!option) return false;
    Changed();
    return true;
}

void frmOption::Form_Resize()
{
    if (!btnOk_) return;
    const TwipsScale& s = Scale();
    const float row = std::max(300.0f, LineHeight() + s.YToTwips(8));
    const float edge = s.XToTwips(1);  // the panels' static edge, each side

    float y = kMargin;
    float right = 0;
    auto place = [&](HWND control, float x, float top, float width, float height) {
        MoveControl(control, TwipsRect{x, top, width, height});
        right = std::max(right, x + width);
    };

    place(ckbAuto_, kMargin, y, CheckBoxWidth(WindowText(ckbAuto_)), row);
    y += row;

    // The modes in two rows.
    constexpr int kColumns = (kModeCount + 1) / 2;
    float modeWidth = 0;
    for (HWND b : obtExe_) modeWidth = std::max(modeWidth, CheckBoxWidth(WindowText(b)));
    modeWidth += kGap;
    for (int i = 0; i < kModeCount; ++i)
        MoveControl(obtExe_[i], TwipsRect{kPanelPad + (i % kColumns) * modeWidth, kPanelPad + (i / kColumns) * row, modeWidth, row});
    const float autoWidth = 2 * kPanelPad + kColumns * modeWidth + 2 * edge;
    const float autoHeight = 2 * kPanelPad + 2 * row + 2 * edge;
    place(pnlAuto_.Handle(), kMargin + kIndent, y, autoWidth, autoHeight);
    y += autoHeight + kGap;
    place(ckbLog_, kMargin + kIndent, y, CheckBoxWidth(WindowText(ckbLog_)), row);
    y += row;
    place(ckbHira_, kMargin, y, CheckBoxWidth(WindowText(ckbHira_)), row);
    y += row;
    place(ckbDblExp_, kMargin, y, CheckBoxWidth(WindowText(ckbDblExp_)), row);
    y += row + kGap;

    // The two tables side by side, each under its label.
    float rowWidth = 0;
    for (HWND c : ckb43_) rowWidth = std::max(rowWidth, CheckBoxWidth(WindowText(c)));
    for (HWND c : ckb34_) rowWidth = std::max(rowWidth, CheckBoxWidth(WindowText(c)));
    for (int i = 0; i < kRowCount; ++i) {
        MoveControl(ckb43_[i], TwipsRect{kPanelPad, kPanelPad + i * row, rowWidth, row});
        MoveControl(ckb34_[i], TwipsRect{kPanelPad, kPanelPad + i * row, rowWidth, row});
    }
    const float tableWidth = std::max(2 * kPanelPad + rowWidth + 2 * edge, TextWidth(WindowText(lbl43_)));
    const float tableHeight = 2 * kPanelPad + kRowCount * row + 2 * edge;
    const float secondLeft = kMargin + tableWidth + 2 * kGap;
    const float labelHeight = LineHeight() + s.YToTwips(2);
    place(lbl43_, kMargin, y, TextWidth(WindowText(lbl43_)) + s.XToTwips(2), labelHeight);
    place(lbl34_, secondLeft, y, TextWidth(WindowText(lbl34_)) + s.XToTwips(2), labelHeight);
    y += labelHeight + s.YToTwips(2);
    place(pnl43_.Handle(), kMargin, y, tableWidth, tableHeight);
    place(pnl34_.Handle(), secondLeft, y, tableWidth, tableHeight);
    y += tableHeight + kGap;

    place(ckbResize_, kMargin, y, CheckBoxWidth(WindowText(ckbResize_)), row);
    y += row;
    place(ckbTip_, kMargin, y, CheckBoxWidth(WindowText(ckbTip_)), row);
    y += row;
    place(ckbPreview_, kMargin, y, CheckBoxWidth(WindowText(ckbPreview_)), row);
    y += row + 2 * kGap;

    // Defaults, Cancel and OK at the bottom right.
    const std::wstring init = WindowText(btnInit_), cancel = WindowText(btnCancel_), ok = WindowText(btnOk_);
    const std::initializer_list<RowButton> buttons{{btnInit_, init}, {btnCancel_, cancel}, {btnOk_, ok}};
    const float contentRight = std::max(right, kMargin + ButtonRowWidth(buttons, kGap));
    PlaceButtonRow(buttons, contentRight, y, kGap);
    SetClientSize(contentRight + kMargin, y + ButtonHeight() + kMargin);
}

void frmOption::OnDestroy()
{
    DialogForm::OnDestroy();
    ckbAuto_ = ckbLog_ = ckbHira_ = ckbDblExp_ = lbl43_ = lbl34_ = nullptr;
    ckbResize_ = ckbTip_ = ckbPreview_ = btnInit_ = btnCancel_ = btnOk_ = nullptr;
    obtExe_.fill(nullptr);
    ckb43_.fill(nullptr);
    ckb34_.fill(nullptr);
}

} // namespace tavlo
