#pragma once
// The folder alias maintenance dialog. It works on a copy of the input folder window's aliases: the
// caller hands them in slot by slot, shows the dialog, and reads them back only after OK. Here they
// are renamed, moved up and down and deleted; adding happens in the input folder window.
#include "dialogs/DialogForm.h"
#include "dialogs/Property.h"
#include "windows/mdiInDir.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tavlo {

class frmMenuMente final : public DialogForm {
public:
    static constexpr int kSlotCount = 10;

    frmMenuMente();
    ~frmMenuMente() override;

    // Hands in slot intIndex (0 to 9; other indexes are ignored) for the coming showing.
    void Set_Menu(int intIndex, const std::wstring& strName, const std::wstring& strDir);
    // The alias of list entry intIndex; both empty outside the list.
    void Get_Menu(int intIndex, std::wstring& strName, std::wstring& strDir) const;

    // The number of list entries minus one: -1 for an empty list.
    ReadOnlyProperty<std::int16_t> MenuCount{[this] { return CountMinusOne(); }};
    // True only when the dialog was closed with OK.
    ReadOnlyProperty<bool> pblnOk{[this] { return ok_; }};
    // The first part of the caption, before "のエリアスメンテナンス".
    WriteOnlyProperty<std::wstring> pstr_Me_Caption{[this](const std::wstring& text) { SetCallerCaption(text); }};

    void SetToolTip(bool blnToolTip);

    void lbxMenu_Click();
    void btnName_Click();
    void btnUp_Click();
    void btnDown_Click();
    void btnDel_Click();
    void btnDelAll_Click();
    void btnOK_Click();
    void btnCancel_Click();

    HWND lbxMenu() const { return lbxMenu_; }
    HWND txtDir() const { return txtDir_; }
    HWND btnName() const { return btnName_; }
    HWND btnUp() const { return btnUp_; }
    HWND btnDown() const { return btnDown_; }
    HWND btnDel() const { return btnDel_; }
    HWND btnDelAll() const { return btnDelAll_; }
    HWND btnOk() const { return btnOk_; }
    HWND btnCancel() const { return btnCancel_; }

protected:
    void CreateControls() override;
    void LoadMore() override;
    void Form_Activate() override;
    void Form_Resize() override;
    bool OnControl(int id, int code, HWND control) override;
    int DefaultButtonId() const override { return IDOK; }
    void OnDestroy() override;

private:
    std::int16_t CountMinusOne() const;
    void SetCallerCaption(const std::wstring& text);
    int ListCount() const;
    int ListIndex() const;
    void ShowDir(int index);
    void EnableButtons();
    // Swaps slots and list entries i and j (adjacent) and selects j.
    void Move(int i, int j);

    std::array<std::wstring, kSlotCount> MenuName;
    std::array<std::wstring, kSlotCount> MenuDir;
    bool ok_ = false;
    std::wstring callerCaption_;

    HWND lbxMenu_ = nullptr;
    HWND txtDir_ = nullptr;
    HWND btnName_ = nullptr;
    HWND btnUp_ = nullptr;
    HWND btnDown_ = nullptr;
    HWND btnDel_ = nullptr;
    HWND btnDelAll_ = nullptr;
    HWND btnOk_ = nullptr;
    HWND btnCancel_ = nullptr;
};

// The dialog as the input folder window drives it.
std::unique_ptr<AliasDialog> AliasDialogOf(frmMenuMente& dialog);

} // namespace tavlo
