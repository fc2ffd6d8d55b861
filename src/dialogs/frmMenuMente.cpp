#include "dialogs/frmMenuMente.h"

#include "ui/ListBoxSupport.h"

#include "common/Catalogue.h"
#include "dialogs/DialogTexts.h"
#include "core/Paths.h"
#include "settings/Options.h"
#include "ui/Icons.h"
#include "ui/InputBox.h"
#include "windows/FormTexts.h"

#include <algorithm>
#include <utility>

namespace tavlo {

namespace {

constexpr int kIdList = 100, kIdDir = 101, kIdName = 102;
constexpr int kIdUp = 103, kIdDown = 104, kIdDel = 105, kIdDelAll = 106;

// Twips.
constexpr float kMargin = 120, kGap = 60, kListWidth = 4200;

bool Filled(const std::wstring& name, const std::wstring& dir)
{
    return !name.empty() && !dir.empty();
}

} // namespace

frmMenuMente::frmMenuMente()
    : DialogForm(DialogFormSpec{.KeyPrefix = L"MenuMente_", .LoadErrorText = dialog_text::kMenuMenteLoadError})
{
}

frmMenuMente::~frmMenuMente()
{
    DestroyHandle();
}

void frmMenuMente::Set_Menu(int intIndex, const std::wstring& strName, const std::wstring& strDir)
{
    if (intIndex < 0 || intIndex >= kSlotCount) return;
    // A dialog that its close box unloaded loads now, so that its load does not empty what comes.
    if (!Exists() && !Form_Load()) return;
    MenuName[static_cast<std::size_t>(intIndex)] = strName;
    MenuDir[static_cast<std::size_t>(intIndex)] = strDir;
}

void frmMenuMente::Get_Menu(int intIndex, std::wstring& strName, std::wstring& strDir) const
{
    strName.clear();
    strDir.clear();
    if (intIndex < 0 || intIndex >= kSlotCount || intIndex >= ListCount()) return;
    strName = MenuName[static_cast<std::size_t>(intIndex)];
    strDir = MenuDir[static_cast<std::size_t>(intIndex)];
}

std::int16_t frmMenuMente::CountMinusOne() const
{
    return static_cast<std::int16_t>(ListCount() - 1);
}

void frmMenuMente::SetCallerCaption(const std::wstring& text)
{
    if (!Exists() && !Form_Load()) return;
    callerCaption_ = text;
}

int frmMenuMente::ListCount() const
{
    if (!lbxMenu_) return 0;
    const LRESULT count = SendMessageW(lbxMenu_, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int frmMenuMente::ListIndex() const
{
    if (!lbxMenu_) return -1;
    const LRESULT index = SendMessageW(lbxMenu_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void frmMenuMente::CreateControls()
{
    lbxMenu_ = CreateControl(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kIdList, {},
                             nullptr, WS_EX_CLIENTEDGE);
    btnUp_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, kIdUp);
    btnDown_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, kIdDown);
    btnDel_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, kIdDel);
    btnDelAll_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, kIdDelAll);
    txtDir_ = CreateControl(L"EDIT", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, kIdDir, {}, nullptr,
                            WS_EX_CLIENTEDGE);
    btnName_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kIdName);
    btnOk_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    btnCancel_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);

    for (HWND c : {btnOk_, btnCancel_, btnName_, txtDir_, lbxMenu_}) AddFontControl(c);

    AddToolTipControl(lbxMenu_, GeneralText(general_text::AliasListTip));
    AddToolTipControl(txtDir_, GeneralText(general_text::AliasFolderTip));
    AddToolTipControl(btnName_, GeneralText(general_text::RenameAliasTip));
    AddToolTipControl(btnUp_, GeneralText(general_text::MoveUpTip));
    AddToolTipControl(btnDown_, GeneralText(general_text::MoveDownTip));
    AddToolTipControl(btnDel_, GeneralText(general_text::DeleteTip));
    AddToolTipControl(btnDelAll_, GeneralText(general_text::DeleteAllTip));
    AddToolTipControl(btnOk_, GeneralText(general_text::OkButtonTip));
    AddToolTipControl(btnCancel_, GeneralText(general_text::CancelButtonTip));
}

void frmMenuMente::LoadMore()
{
    SetWindowTextW(btnOk_, GeneralString(general_text::OkButton).c_str());
    SetWindowTextW(btnCancel_, GeneralString(general_text::CancelButton).c_str());
    SetWindowTextW(btnName_, GeneralString(general_text::RenameAlias).c_str());
    Form_Resize();
    SetToolTip(options.Tip);
    for (auto& slot : MenuName) slot.clear();
    for (auto& slot : MenuDir) slot.clear();
    ok_ = false;
}

void frmMenuMente::SetToolTip(bool blnToolTip)
{
    if (Exists()) SetToolTipTexts(blnToolTip);
}

void frmMenuMente::Form_Activate()
{
    ok_ = false;
    SetWindowTextW(Handle(), (callerCaption_ + GeneralString(general_text::AliasMaintenanceSuffix)).c_str());
    // The caller's caption may need a wider dialog.
    Form_Resize();
    SendMessageW(lbxMenu_, LB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < kSlotCount && Filled(MenuName[slot], MenuDir[slot]); ++slot)
        SendMessageW(lbxMenu_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(MenuName[slot].c_str()));
    if (ListCount() == 0) {
        SetWindowTextW(txtDir_, L"");
    } else {
        SendMessageW(lbxMenu_, LB_SETCURSEL, 0, 0);
        ShowDir(0);
    }
    EnableButtons();
    SetFocus(IsWindowEnabled(lbxMenu_) ? lbxMenu_ : btnCancel_);
}

void frmMenuMente::ShowDir(int index)
{
    if (index < 0 || index >= ListCount()) {
        SetWindowTextW(txtDir_, L"");
        return;
    }
    SetWindowTextW(txtDir_, ShortenPath(MenuDir[static_cast<std::size_t>(index)]).c_str());
}

void frmMenuMente::EnableButtons()
{
    const BOOL enable = ListCount() > 0 ? TRUE : FALSE;
    for (HWND c : {txtDir_, lbxMenu_, btnUp_, btnDown_, btnDel_, btnDelAll_, btnName_}) EnableWindow(c, enable);
}

void frmMenuMente::lbxMenu_Click()
{
    ShowDir(ListCount() > 0 ? ListIndex() : -1);
}

void frmMenuMente::btnName_Click()
{
    const int count = ListCount();
    if (count <= 0) return;
    const int i = ListIndex();
    if (i < 0 || i >= kSlotCount) return;
    const std::wstring answer = InputBox(Handle(), GeneralString(general_text::NewAliasPrompt), GeneralString(general_text::RenameAliasTitle), MenuName[i]);
    if (answer.empty() || answer == MenuName[i]) return;
    for (int k = 0; k < count; ++k) {
        if (answer == ListBoxText(lbxMenu_, k)) {
            ShowBox(GeneralString(general_text::AliasNameTaken), MB_OK);
            return;
        }
    }
    MenuName[i] = answer;
    SendMessageW(lbxMenu_, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    SendMessageW(lbxMenu_, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(answer.c_str()));
    SendMessageW(lbxMenu_, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

void frmMenuMente::Move(int i, int j)
{
    SendMessageW(lbxMenu_, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    SendMessageW(lbxMenu_, LB_INSERTSTRING, static_cast<WPARAM>(j), reinterpret_cast<LPARAM>(MenuName[i].c_str()));
    std::swap(MenuName[i], MenuName[j]);
    std::swap(MenuDir[i], MenuDir[j]);
    SendMessageW(lbxMenu_, LB_SETCURSEL, static_cast<WPARAM>(j), 0);
    ShowDir(j);
}

void frmMenuMente::btnUp_Click()
{
    const int i = ListIndex();
    if (ListCount() > 0 && i >= 1) Move(i, i - 1);
}

void frmMenuMente::btnDown_Click()
{
    const int count = ListCount();
    const int i = ListIndex();
    if (count > 0 && i >= 0 && i <= count - 2) Move(i, i + 1);
}

void frmMenuMente::btnDel_Click()
{
    if (ListCount() <= 0) return;
    const int i = ListIndex();
    if (i < 0 || i >= kSlotCount) return;
    SendMessageW(lbxMenu_, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    for (int slot = i; slot < kSlotCount - 1; ++slot) {
        MenuName[slot] = MenuName[slot + 1];
        MenuDir[slot] = MenuDir[slot + 1];
    }
    MenuName[kSlotCount - 1].clear();
    MenuDir[kSlotCount - 1].clear();
    const int n = ListCount();
    const int select = i < n ? i : n - 1;
    if (select >= 0) {
        SendMessageW(lbxMenu_, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
        ShowDir(select);
    } else {
        SetWindowTextW(txtDir_, L"");
    }
    EnableButtons();
}

void frmMenuMente::btnDelAll_Click()
{
    if (ListCount() <= 0) return;
    SendMessageW(lbxMenu_, LB_RESETCONTENT, 0, 0);
    SetWindowTextW(txtDir_, L"");
    for (auto& slot : MenuName) slot.clear();
    for (auto& slot : MenuDir) slot.clear();
    EnableButtons();
}

void frmMenuMente::btnOK_Click()
{
    ok_ = true;
    Hide();
}

void frmMenuMente::btnCancel_Click()
{
    Hide();
}

bool frmMenuMente::OnControl(int id, int code, HWND)
{
    if (id == kIdList) {
        if (code == LBN_SELCHANGE) lbxMenu_Click();
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDOK: btnOK_Click(); return true;
        case IDCANCEL: btnCancel_Click(); return true;
        case kIdName: btnName_Click(); return true;
        case kIdUp: btnUp_Click(); return true;
        case kIdDown: btnDown_Click(); return true;
        case kIdDel: btnDel_Click(); return true;
        case kIdDelAll: btnDelAll_Click(); return true;
        default: return false;
    }
}

void frmMenuMente::Form_Resize()
{
    if (!btnOk_) return;
    const TwipsScale& s = Scale();
    const float buttonHeight = ButtonHeight();
    const float iconButton = std::max(buttonHeight, s.YToTwips(28));
    const float editHeight = LineHeight() + s.YToTwips(8);

    // Room for all ten aliases without scrolling.
    const LRESULT item = SendMessageW(lbxMenu_, LB_GETITEMHEIGHT, 0, 0);
    const int itemPx = item == LB_ERR || item <= 0 ? s.YToPixels(LineHeight()) + 2 : static_cast<int>(item);
    const float listHeight = s.YToTwips(itemPx * kSlotCount + 4);

    const std::wstring name = GeneralString(general_text::RenameAlias);
    const std::wstring ok = GeneralString(general_text::OkButton), cancel = GeneralString(general_text::CancelButton);
    const float nameWidth = ButtonWidth(name);
    const float bottomRow = nameWidth + ButtonRowWidth({{btnOk_, ok}, {btnCancel_, cancel}}, kGap) + 2 * kGap;
    const float listWidth = std::max({kListWidth, bottomRow - kGap - iconButton,
                                      CaptionClientWidth() - 2 * kMargin - kGap - iconButton});
    const float iconLeft = kMargin + listWidth + kGap;
    const float innerWidth = listWidth + kGap + iconButton;

    MoveControl(lbxMenu_, TwipsRect{kMargin, kMargin, listWidth, listHeight});
    // Up and down together at the top, the two deletions together at the bottom.
    const HWND icons[] = {btnUp_, btnDown_, btnDel_, btnDelAll_};
    const ButtonIcon kinds[] = {ButtonIcon::Up, ButtonIcon::Down, ButtonIcon::Delete, ButtonIcon::DeleteAll};
    const float tops[] = {kMargin, kMargin + iconButton + kGap, kMargin + listHeight - 2 * iconButton - kGap,
                          kMargin + listHeight - iconButton};
    const int iconPx = ButtonIconSize(s.YToPixels(iconButton));
    for (int k = 0; k < 4; ++k) {
        MoveControl(icons[k], TwipsRect{iconLeft, tops[k], iconButton, iconButton});
        SetButtonIcon(icons[k], kinds[k], iconPx);
    }

    float y = kMargin + listHeight + kGap;
    MoveControl(txtDir_, TwipsRect{kMargin, y, innerWidth, editHeight});
    y += editHeight + 2 * kGap;
    MoveControl(btnName_, TwipsRect{kMargin, y, nameWidth, buttonHeight});
    const float right = kMargin + innerWidth;
    PlaceButtonRow({{btnOk_, ok}, {btnCancel_, cancel}}, right, y, kGap);
    SetClientSize(right + kMargin, y + buttonHeight + kMargin);
}

void frmMenuMente::OnDestroy()
{
    DialogForm::OnDestroy();
    lbxMenu_ = txtDir_ = btnName_ = btnUp_ = btnDown_ = btnDel_ = btnDelAll_ = btnOk_ = btnCancel_ = nullptr;
}

namespace {

class MenuMenteAlias final : public AliasDialog {
public:
    explicit MenuMenteAlias(frmMenuMente& dialog) : d_(dialog) {}

    void SetEntry(std::int16_t index, const std::wstring& name, const std::wstring& folder) override
    {
        d_.Set_Menu(index, name, folder);
    }
    void SetCallerCaption(const std::wstring& caption) override { d_.pstr_Me_Caption = caption; }
    void ShowModal() override { d_.Show(); }
    bool Accepted() override { return d_.pblnOk; }
    std::int16_t LastIndex() override { return d_.MenuCount; }
    void Entry(std::int16_t index, std::wstring& name, std::wstring& folder) override { d_.Get_Menu(index, name, folder); }

private:
    frmMenuMente& d_;
};

} // namespace

std::unique_ptr<AliasDialog> AliasDialogOf(frmMenuMente& dialog)
{
    return std::make_unique<MenuMenteAlias>(dialog);
}

} // namespace tavlo
