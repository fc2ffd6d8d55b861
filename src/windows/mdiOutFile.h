#pragma once
// The result list window: the files that carry their final name, one entry per file, under their
// latest name. Selected entries can be dragged out to other programs as a file list.
#include "common/DragDrop.h"
#include "engine/Sinks.h"
#include "ui/ControlHook.h"
#include "ui/ListBoxSupport.h"
#include "ui/PacedRedraw.h"
#include "windows/ChildForm.h"
#include "windows/ResultModel.h"

#include <functional>
#include <string>
#include <vector>

namespace tavlo {

class mdiOutFile : public ChildForm, public ResultSink {
public:
    // Runs one drag of the file list that the function supplies on demand; returns the effect.
    using DragRunner = std::function<DWORD(PathListFn paths)>;

    mdiOutFile(ChildHost& host, SettingsStore& store);
    ~mdiOutFile() override;

    HWND lstOutFile() const { return lstOutFile_; }

    // Records the full path of a file just renamed: a file listed under another spelling is
    // replaced in place; a new file is appended while fewer than 1000 are listed.
    void ListInAdd(const std::wstring& strPathData);
    void AddResult(const std::wstring& path) override { ListInAdd(path); }
    // Checks the entries against the disk (the リフレッシュ command).
    void RefreshForm();
    void SelectAll();
    void SelectClear();

    // The entries in list order.
    std::vector<std::wstring> Entries() const { return results_.Entries(); }

    // Handlers.
    void mnuDel_Click();
    void mnuRefresh_Click();
    void mnuAll_Click() { SelectAll(); }
    void mnuClear_Click() { SelectClear(); }
    // A left button press on the list: starts a drag when the list holds entries. True when one ran.
    bool lstOutFile_OLEStartDrag();
    // The file list a drop target receives: the entries selected at the moment it asks, in list order.
    std::vector<std::wstring> lstOutFile_OLESetData() const;

    void SetDragRunner(DragRunner fn);

protected:
    void CreateControls() override;
    void Form_Resize() override;
    std::vector<PopupItem> PopupItems() const override;
    bool OnPopupCommand(int id) override;
    void OnDestroy() override;

private:
    void ReadSelection();
    void Rebuild();

    LRESULT lstOutFile_MouseDown(WPARAM wParam, LPARAM lParam, const ControlHook::Next& next);

    HWND lstOutFile_ = nullptr;
    ResultModel results_;
    PacedRedraw redraw_;
    ListWidth width_;
    DragRunner dragRunner_;
};

} // namespace tavlo
