#pragma once
// The preview: what a press of a mode button would do to every file of the target list, before it
// happens. One row per entry in list order (the file, the name it would get, the result), the counts of
// files that would be renamed and left above them; 実行 runs the mode, キャンセル changes nothing.
#include "dialogs/DialogForm.h"
#include "engine/Prediction.h"

#include <string>
#include <vector>

namespace tavlo {

class frmPreview final : public DialogForm {
public:
    frmPreview();
    ~frmPreview() override;

    // Shows the rows modally under the title "プレビュー - " and the mode button's caption; true when
    // the user chose 実行.
    bool ShowFor(const std::wstring& modeCaption, std::vector<Prediction> rows);

    HWND lvwFiles() const { return lvwFiles_; }
    HWND lblCounts() const { return lblCounts_; }
    HWND btnRun() const { return btnRun_; }
    HWND btnCancel() const { return btnCancel_; }

protected:
    void CreateControls() override;
    void LoadMore() override;
    void Form_Resize() override;
    bool OnControl(int id, int code, HWND control) override;
    int DefaultButtonId() const override { return IDOK; }
    void OnDestroy() override;

private:
    void Fill();

    HWND lblCounts_ = nullptr;
    HWND lvwFiles_ = nullptr;
    HWND btnRun_ = nullptr;
    HWND btnCancel_ = nullptr;
    std::wstring caption_;
    std::vector<Prediction> rows_;
    bool ok_ = false;
};

} // namespace tavlo
