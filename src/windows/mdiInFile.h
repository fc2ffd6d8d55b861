#pragma once
// The input file window: the files of the input folder window's folder that match the filter, and
// the three commands that move them to the target list (the selected ones, all, all with the
// folder's immediate subfolders).
#include "ui/FileList.h"
#include "windows/ChildForm.h"
#include "windows/SharedMenu.h"

#include <functional>
#include <string>

namespace tavlo {

class mdiInFile : public ChildForm {
public:
    // Context-menu commands.
    static constexpr int kIdFilter = kCmdFirstPopupItem;
    static constexpr int kIdRefresh = kCmdFirstPopupItem + 1;
    static constexpr int kIdAll = kCmdFirstPopupItem + 2;
    static constexpr int kIdClear = kCmdFirstPopupItem + 3;

    // Takes one file for the target list; false when the list refused it (it is full).
    using AddTargetFn = std::function<bool(const std::wstring& path)>;

    mdiInFile(ChildHost& host, SettingsStore& store);
    ~mdiInFile() override;

    // Lists a folder; one that cannot be listed gives way to the process's current folder. Before
    // the window exists the folder is kept for its creation.
    void DirName(const std::wstring& strDirName);
    // Reads the folder again and clears the selection.
    void RefreshForm();
    void SelectAll();
    void SelectClear();

    // Handlers.
    void btnAdd_Click();
    void btnAddAll_Click();
    void btnAddAllAll_Click();
    bool filFile_KeyPress(wchar_t KeyAscii);
    void mnuFilter_Click();
    void mnuRefresh_Click() { RefreshForm(); }
    void mnuAll_Click() { SelectAll(); }
    void mnuClear_Click() { SelectClear(); }

    FileList& filFile() { return filFile_; }
    HWND btnAdd() const { return btnAdd_; }
    HWND btnAddAll() const { return btnAddAll_; }
    HWND btnAddAllAll() const { return btnAddAllAll_; }

    // The context-menu caption of the filter command for a filter.
    static std::wstring FilterCaption(const std::wstring& filter);
    // The target-list form of a listed file: folder and name joined, in its long form; empty when
    // the file cannot be found.
    static std::wstring TargetPath(const std::wstring& folder, const std::wstring& name);

    // By default the main window's target list.
    void SetAddTarget(AddTargetFn fn) { addTarget_ = std::move(fn); }

protected:
    void CreateControls() override;
    std::vector<PopupItem> PopupItems() const override;
    void Form_Resize() override;
    void LoadMore() override;
    bool OnPopupCommand(int id) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    // Adds the rows of filFile, all or only the selected ones, stopping at the first refusal.
    void AddRows(bool selectedOnly);
    bool AddToTarget(const std::wstring& path);
    void ShowFilterCaption();
    // Applies a pattern to both file lists; false when either refuses it.
    bool ApplyPattern(const std::wstring& pattern);
    void Finish();
    // The pictures of the three add buttons, at their present size.
    void FitButtonIcons();

    FileList filFile_;
    HWND btnAdd_ = nullptr;
    HWND btnAddAll_ = nullptr;
    HWND btnAddAllAll_ = nullptr;
    std::wstring pendingDir_;
    AddTargetFn addTarget_;
};

} // namespace tavlo
