#pragma once
// The default folder dialog: a folder choice that its caller configures through properties (the
// label, the tooltips of the folder controls, whether the choice can be switched off, whether the
// drive's free space is shown). The program uses it for the input folder window's start folder.
#include "common/GdiHandles.h"
#include "dialogs/DialogForm.h"
#include "dialogs/Property.h"
#include "settings/Options.h"
#include "ui/DriveList.h"
#include "ui/FolderList.h"
#include "ui/Panel.h"

#include <functional>
#include <string>

namespace tavlo {

class frmDefault final : public DialogForm {
public:
    frmDefault();
    ~frmDefault() override;

    // True only when the dialog was closed with OK.
    ReadOnlyProperty<bool> pblnOk{[this] { return ok_; }};
    // The label's caption and the tooltips of the folder controls.
    WriteOnlyProperty<std::wstring> pstr_lblDrive_Caption{[this](const std::wstring& v) { Take(lblCaption_, v); }};
    WriteOnlyProperty<std::wstring> pstr_cbxDrive_Hint{[this](const std::wstring& v) { Take(cbxHint_, v); }};
    WriteOnlyProperty<std::wstring> pstr_drvDrive_Hint{[this](const std::wstring& v) { Take(drvHint_, v); }};
    WriteOnlyProperty<std::wstring> pstr_dlbDir_Hint{[this](const std::wstring& v) { Take(dlbHint_, v); }};
    WriteOnlyProperty<std::wstring> pstr_txtDir_Hint{[this](const std::wstring& v) { Take(txtHint_, v); }};
    // The user may switch the choice on and off (the check box is shown).
    WriteOnlyProperty<bool> pblnYukoMukouOk{[this](const bool& v) { Take(yukoMukouOk_, v); }};
    // The label shows the chosen drive's free space after its caption.
    WriteOnlyProperty<bool> pblnDiskFreeOk{[this](const bool& v) { Take(diskFreeOk_, v); }};
    // The chosen folder; a folder that cannot be opened gives the process's current folder.
    Property<std::wstring> DirName{[this] { return GetDirName(); }, [this](const std::wstring& v) { SetDirName(v); }};
    // The choice is in use: true exactly while the check box is checked.
    Property<bool> Yuko{[this] { return GetYuko(); }, [this](const bool& v) { SetYuko(v); }};

    // Reads the drives and the folder again and shows the folder.
    void RefreshForm();
    void SetToolTip(bool blnToolTip);

    void cbxDrive_Click();
    void drvDrive_Change();
    void dlbDir_Change();
    void mnuInDir_Click();
    void mnuTmp_Click();
    void btnOK_Click();
    void btnCancel_Click();
    // Opens the context menu at a screen point (right button only).
    void Form_MouseDown(int button, POINT screenPoint);

    // The input folder window's current folder, for the first context-menu command; by default the
    // main window's input folder window.
    void SetInputFolderSource(std::function<std::wstring()> source) { inputFolder_ = std::move(source); }
    // Shows the context menu and returns the chosen command (0 for none); replaceable so that the
    // dialog can be driven without a user.
    using PopupTracker = std::function<int(HWND owner, HMENU menu, POINT screenPoint)>;
    void SetPopupTracker(PopupTracker tracker) { tracker_ = std::move(tracker); }

    HWND cbxDrive() const { return cbxDrive_; }
    HWND lblDrive() const { return lblDrive_; }
    DriveList& drvDrive() { return drvDrive_; }
    FolderList& dlbDir() { return dlbDir_; }
    HWND txtDir() const { return txtDir_; }
    HWND pnlDefault() const { return pnlDefault_.Handle(); }
    HWND btnOk() const { return btnOk_; }
    HWND btnCancel() const { return btnCancel_; }
    HMENU mnuPopup() const { return popup_.get(); }

    static constexpr int kIdMnuInDir = 200;
    static constexpr int kIdMnuTmp = 201;

protected:
    void CreateControls() override;
    void LoadMore() override;
    void Form_Activate() override;
    void Form_Resize() override;
    bool OnControl(int id, int code, HWND control) override;
    bool OnMenuCommand(int id) override;
    int DefaultButtonId() const override { return IDOK; }
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    template <typename T>
    void Take(T& field, const T& value)
    {
        // Like any use of a dialog that its close box unloaded: it loads first, then takes the value.
        if (!Exists() && !Form_Load()) return;
        field = value;
    }
    std::wstring GetDirName() const;
    void SetDirName(const std::wstring& strDirName);
    bool GetYuko() const;
    void SetYuko(bool blnYuko);
    void YukoEnabled();
    void ShowDirName();
    bool drvDrive_KeyPress(wchar_t KeyAscii);
    bool dlbDir_KeyPress(wchar_t KeyAscii);
    float LabelLeft() const;
    // The client width at which the label and the two buttons show whole.
    float NeededClientWidth() const;
    void FitWidth();


    bool ok_ = false;
    std::wstring lblCaption_;
    std::wstring cbxHint_;
    std::wstring drvHint_;
    std::wstring dlbHint_;
    std::wstring txtHint_;
    bool yukoMukouOk_ = true;
    bool diskFreeOk_ = true;
    bool restoringDrive_ = false;
    bool creating_ = false;
    float lblLeft_ = 0;
    std::function<std::wstring()> inputFolder_;
    PopupTracker tracker_;

    HWND cbxDrive_ = nullptr;
    HWND lblDrive_ = nullptr;
    DriveList drvDrive_;
    FolderList dlbDir_;
    HWND txtDir_ = nullptr;
    Panel pnlDefault_;
    HWND btnOk_ = nullptr;
    HWND btnCancel_ = nullptr;
    MenuHandle popup_;
};

// The main window's "InDirDefault" command: configures the dialog for the input folder window's start
// folder, shows it, and takes the folder and its switch into the options only after OK.
void EditInDirDefault(frmDefault& dialog, OptionState& state);

} // namespace tavlo
