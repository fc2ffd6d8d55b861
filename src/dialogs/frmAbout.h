#pragma once
// The about box: the program's picture, title, name and version, the maker's line and three contact
// boxes, closed with Ok. It has no tooltips; a load error is passed over silently.
#include "common/GdiHandles.h"
#include "dialogs/DialogForm.h"

namespace tavlo {

class frmAbout final : public DialogForm {
public:
    frmAbout();
    ~frmAbout() override;

    void btnOK_Click();

    HWND imgAbout() const { return imgAbout_; }
    HWND lblAboutTitle() const { return lblAboutTitle_; }
    HWND lblAboutProgName() const { return lblAboutProgName_; }
    HWND lblAboutVersion() const { return lblAboutVersion_; }
    HWND lblAboutName() const { return lblAboutName_; }
    HWND txtWeb() const { return txtWeb_; }
    HWND txtMail() const { return txtMail_; }
    HWND txtNetId() const { return txtNetId_; }
    HWND btnOk() const { return btnOk_; }

protected:
    void CreateControls() override;
    void LoadMore() override;
    void Form_Resize() override;
    bool OnControl(int id, int code, HWND control) override;
    int DefaultButtonId() const override { return IDOK; }
    void OnDestroy() override;

private:
    HWND imgAbout_ = nullptr;
    HWND lblAboutTitle_ = nullptr;
    HWND lblAboutProgName_ = nullptr;
    HWND lblAboutVersion_ = nullptr;
    HWND lblAboutName_ = nullptr;
    HWND txtWeb_ = nullptr;
    HWND txtMail_ = nullptr;
    HWND txtNetId_ = nullptr;
    HWND btnOk_ = nullptr;
    IconHandle picture_;
};

} // namespace tavlo
