#pragma once
// The target list window: the files the next run renames, in the order they arrived, each path at
// most once, at most 1000. The entries live in a TargetList; the list box shows them, the entries a run
// still has to reach selected.
#include "common/DragDrop.h"
#include "common/PathUtil.h"
#include "ui/ListBoxSupport.h"
#include "ui/PacedRedraw.h"
#include "windows/ChildForm.h"
#include "windows/TargetCollector.h"
#include "windows/TargetList.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

class mdiFile : public ChildForm {
public:
    static constexpr int kCapacity = 1000;

    // Receives the folder of the same-folder command; by default the input folder window opens it.
    using FolderFn = std::function<void(const std::wstring& folder)>;

    mdiFile(ChildHost& host, SettingsStore& store);
    ~mdiFile() override;

    HWND lstFile() const { return lstFile_; }
    HWND btnDel() const { return btnDel_; }
    HWND btnDelAll() const { return btnDelAll_; }

    // Adds an already normalised path. A listed path is dropped silently and counts as success;
    // false when the list already holds 1000 entries (after the message) or adding failed.
    bool ListInAdd(const std::wstring& strPathData);
    // Adds a path from another program or the command line: normalised to its long form; empty
    // texts, paths that do not expand and files that cannot be opened are skipped as a success.
    // False only when ListInAdd refused or on a failure.
    bool Gaibu_ListInAdd(const std::wstring& strPathData);
    // Paths added through Gaibu_ListInAdd while one lives share their folders' look-ups. Given the
    // names to come, it normalises them and asks whether their files open all at once.
    class AddBatch {
    public:
        explicit AddBatch(mdiFile& form, const std::vector<std::wstring>& names = {});
        ~AddBatch();
        AddBatch(const AddBatch&) = delete;
        AddBatch& operator=(const AddBatch&) = delete;

    private:
        mdiFile& form_;
    };
    // How many paths of the last batch Gaibu_ListInAdd passed over (empty, not found, not readable).
    int PassedOver() const { return passedOver_; }
    // Makes entry `index` the first visible row. While drawing is held that happens once, at the next
    // drawing: on some systems every scroll costs as much as a repaint, even unseen.
    void ShowAtTop(std::size_t index);
    // Puts `path` in place of entry `index`, selected as that entry was.
    void ReplaceEntry(std::size_t index, const std::wstring& path);
    // Removes the entries whose files can no longer be opened (the mode buttons are left to the caller).
    void RemoveMissing();
    // The run's view of the list: every entry waits (and shows selected), a finished one is done, and
    // at the end the done ones leave.
    std::size_t Count() const { return targets_.Count(); }
    const std::wstring& At(std::size_t index) const { return targets_.At(index); }
    void BeginRun();
    void MarkDone(std::size_t index);
    void EndRun();
    // Removes every entry (the mode buttons are left to the caller).
    void RefreshForm();
    void SelectAll();
    void SelectClear();

    // The entries in list order.
    const std::vector<std::wstring>& Entries() const { return targets_.Entries(); }

    // Handlers.
    void btnDel_Click();
    void btnDelAll_Click();
    // The files of one drop, in the drop data's order.
    void lstFile_OLEDragDrop(const std::vector<std::wstring>& paths);
    void mnuAll_Click() { SelectAll(); }
    void mnuClear_Click() { SelectClear(); }
    void mnuInCopy_Click();

    // True while the list is registered as a drop target: whenever the window is enabled.
    bool AcceptsDrops() const { return static_cast<bool>(dropTarget_); }

    void SetFolderTarget(FolderFn fn) { folderTarget_ = std::move(fn); }

protected:
    void CreateControls() override;
    void Form_Resize() override;
    std::vector<PopupItem> PopupItems() const override;
    bool OnPopupCommand(int id) override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void lstFile_KeyPress(int KeyAscii);
    void AcceptDrops(bool accept);
    // The pictures of the two buttons, at their present size.
    void FitButtonIcons();
    void DeleteRow(std::size_t index);


    HWND lstFile_ = nullptr;
    HWND btnDel_ = nullptr;
    HWND btnDelAll_ = nullptr;
    DropTargetRegistration dropTarget_;
    PacedRedraw redraw_;
    ListWidth width_;
    FolderFn folderTarget_;

    TargetList targets_{kCapacity};
    std::unique_ptr<TargetCollector> collector_; // while an AddBatch lives
    std::optional<std::size_t> pendingTop_;
    int passedOver_ = 0;
};

} // namespace tavlo
