#include "dialogs/frmAbout.h"

#include "common/Catalogue.h"
#include "dialogs/DialogTexts.h"
#include "settings/Settings.h"
#include "ui/Icons.h"

#include <algorithm>

namespace tavlo {

namespace {

constexpr int kIdPicture = 100;
constexpr int kIdTitle = 101, kIdProgName = 102, kIdVersion = 103, kIdName = 104;
constexpr int kIdWeb = 110, kIdMail = 111, kIdNetId = 112;

// Twips: the picture is 48 pixels at the usual 96 per inch.
constexpr float kMargin = 180, kGap = 60, kPicture = 720, kBoxMinWidth = 3600;

} // namespace

frmAbout::frmAbout() : DialogForm(DialogFormSpec{.KeyPrefix = L"About_", .LoadErrorText = L""}) {}

frmAbout::~frmAbout()
{
    DestroyHandle();
}

void frmAbout::CreateControls()
{
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const DWORD box = WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
    imgAbout_ = CreateControl(L"STATIC", SS_ICON | SS_CENTERIMAGE, kIdPicture);
    // What the box shows before (or without) its load: the design texts.
    lblAboutTitle_ = CreateControl(L"STATIC", label, kIdTitle, ProgramString(program_text::ProductName));
    lblAboutProgName_ = CreateControl(L"STATIC", label, kIdProgName, ProgramString(program_text::ProgramTitle));
    lblAboutVersion_ = CreateControl(L"STATIC", label, kIdVersion, dialog_text::kVersionPrefix);
    lblAboutName_ = CreateControl(L"STATIC", label, kIdName, dialog_text::kMakerName);
    txtWeb_ = CreateControl(L"EDIT", box, kIdWeb, L"", nullptr, WS_EX_CLIENTEDGE);
    txtMail_ = CreateControl(L"EDIT", box, kIdMail, L"", nullptr, WS_EX_CLIENTEDGE);
    txtNetId_ = CreateControl(L"EDIT", box, kIdNetId, L"", nullptr, WS_EX_CLIENTEDGE);
    btnOk_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, dialog_text::kAboutOk);

    const int picturePx = Scale().XToPixels(kPicture);
    if (!picture_) picture_.reset(MakeIcon(RenderProgramPicture(picturePx)));
    SendMessageW(imgAbout_, STM_SETICON, reinterpret_cast<WPARAM>(picture_.get()), 0);

    for (HWND control : {btnOk_, lblAboutTitle_, lblAboutName_, lblAboutVersion_, lblAboutProgName_, txtNetId_,
                         txtMail_, txtWeb_})
        AddFontControl(control);
}

void frmAbout::LoadMore()
{
    SetWindowTextW(Handle(), ProgramString(program_text::AboutCaption).c_str());
    SetWindowTextW(lblAboutTitle_, ProgramString(program_text::ProductName).c_str());
    SetWindowTextW(lblAboutProgName_, ProgramString(program_text::ProgramTitle).c_str());
    SetWindowTextW(txtWeb_, GeneralString(general_text::ContactWeb).c_str());
    SetWindowTextW(lblAboutVersion_, (std::wstring(dialog_text::kVersionPrefix) + ProgramVersionText).c_str());
    SetWindowTextW(txtNetId_, GeneralString(general_text::ContactName).c_str());
    SetWindowTextW(txtMail_, GeneralString(general_text::ContactMail).c_str());
    Form_Resize();
}

void frmAbout::Form_Resize()
{
    if (!btnOk_) return;
    const float line = LineHeight() + Scale().YToTwips(2);
    const float boxHeight = LineHeight() + Scale().YToTwips(8);
    const float left = kMargin + kPicture + kMargin;

    float width = kBoxMinWidth;
    for (HWND label : {lblAboutTitle_, lblAboutProgName_, lblAboutVersion_, lblAboutName_})
        width = std::max(width, TextWidth(WindowText(label)) + Scale().XToTwips(4));
    for (HWND box : {txtWeb_, txtMail_, txtNetId_})
        width = std::max(width, TextWidth(WindowText(box)) + Scale().XToTwips(14));

    MoveControl(imgAbout_, TwipsRect{kMargin, kMargin, kPicture, kPicture});
    float y = kMargin;
    for (HWND label : {lblAboutTitle_, lblAboutProgName_, lblAboutVersion_, lblAboutName_}) {
        MoveControl(label, TwipsRect{left, y, width, line});
        y += line + kGap;
    }
    y += kGap;
    for (HWND box : {txtWeb_, txtMail_, txtNetId_}) {
        MoveControl(box, TwipsRect{left, y, width, boxHeight});
        y += boxHeight + kGap;
    }
    y += kGap;
    PlaceButtonRow({{btnOk_, dialog_text::kAboutOk}}, left + width, y, kGap);
    SetClientSize(left + width + kMargin, y + ButtonHeight() + kMargin);
}

void frmAbout::btnOK_Click()
{
    Hide();
}

bool frmAbout::OnControl(int id, int code, HWND)
{
    // Ok, Enter and Escape all close the box.
    if ((id == IDOK || id == IDCANCEL) && code == BN_CLICKED) {
        btnOK_Click();
        return true;
    }
    return false;
}

void frmAbout::OnDestroy()
{
    DialogForm::OnDestroy();
    imgAbout_ = lblAboutTitle_ = lblAboutProgName_ = lblAboutVersion_ = lblAboutName_ = nullptr;
    txtWeb_ = txtMail_ = txtNetId_ = btnOk_ = nullptr;
    picture_.reset();
}

} // namespace tavlo
