#pragma once
// The options dialog: automatic execution and its mode, the character options, the rows of the
// 4->3 and 3->4 tables, tooltips and child-window resizing. It edits the in-memory option state only;
// the store gets it at shutdown.
#include "engine/RenameEngine.h"
#include "dialogs/DialogForm.h"
#include "ui/Panel.h"

#include <array>
#include <functional>
#include <cstdint>

namespace tavlo {

class frmOption final : public DialogForm {
public:
    // Spreads the tooltip switch to every window; set by the main window.
    void SetTipSpreader(std::function<void(bool)> spreader) { tipSpreader_ = std::move(spreader); }
    static constexpr int kModeCount = tavlo::kModeCount;
    static constexpr int kRowCount = 6;

    frmOption();
    ~frmOption() override;

    // Sets every tooltip of the dialog (true) or clears them all (false).
    void SetToolTip(bool blnToolTip);

    void btnOK_Click();
    void btnCancel_Click();
    void btnInit_Click();

    HWND ckbAuto() const { return ckbAuto_; }
    HWND pnlAuto() const { return pnlAuto_.Handle(); }
    HWND obtExe(int index) const { return obtExe_.at(static_cast<std::size_t>(index)); }
    HWND ckbLog() const { return ckbLog_; }
    HWND ckbHira() const { return ckbHira_; }
    HWND ckbDblExp() const { return ckbDblExp_; }
    HWND pnl43() const { return pnl43_.Handle(); }
    HWND pnl34() const { return pnl34_.Handle(); }
    HWND lbl43() const { return lbl43_; }
    HWND lbl34() const { return lbl34_; }
    HWND ckb43(int index) const { return ckb43_.at(static_cast<std::size_t>(index)); }
    HWND ckb34(int index) const { return ckb34_.at(static_cast<std::size_t>(index)); }
    HWND ckbResize() const { return ckbResize_; }
    HWND ckbTip() const { return ckbTip_; }
    HWND ckbPreview() const { return ckbPreview_; }
    HWND btnInit() const { return btnInit_; }
    HWND btnCancel() const { return btnCancel_; }
    HWND btnOk() const { return btnOk_; }

protected:
    void CreateControls() override;
    void LoadMore() override;
    void Form_Activate() override;
    void Form_Resize() override;
    bool OnControl(int id, int code, HWND control) override;
    int DefaultButtonId() const override { return IDOK; }
    void OnDestroy() override;

private:
    void SetOptionData();
    void GetOptionData();
    void InitOptionData();
    void AutoVisible();
    // A click on any option control.
    void Changed();
    void SelectMode(int index);
    // Every window of the program takes the tooltip choice, in the fixed order.
    void SpreadToolTip(bool tip);

    Panel pnlAuto_;
    Panel pnl43_;
    Panel pnl34_;
    HWND ckbAuto_ = nullptr;
    std::array<HWND, kModeCount> obtExe_{};
    HWND ckbLog_ = nullptr;
    HWND ckbHira_ = nullptr;
    HWND ckbDblExp_ = nullptr;
    HWND lbl43_ = nullptr;
    HWND lbl34_ = nullptr;
    std::array<HWND, kRowCount> ckb43_{};
    std::array<HWND, kRowCount> ckb34_{};
    HWND ckbResize_ = nullptr;
    HWND ckbTip_ = nullptr;
    HWND ckbPreview_ = nullptr;
    HWND btnInit_ = nullptr;
    HWND btnCancel_ = nullptr;
    HWND btnOk_ = nullptr;
    std::function<void(bool)> tipSpreader_;
};

} // namespace tavlo
