#pragma once
// The input folder window: a drive list, a folder list and a line with the open folder, which the
// input file window follows. It remembers the folder between runs and keeps up to ten folder aliases
// offered in its context menu.
#include "settings/Settings.h"
#include "ui/DriveList.h"
#include "ui/FolderList.h"
#include "windows/ChildForm.h"
#include "windows/SharedMenu.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tavlo {

struct FolderAlias {
    std::wstring Name;
    std::wstring Dir;
};

// Ten alias slots used from slot 0 up without gaps; names are unique (exact comparison).
class FolderAliases {
public:
    static constexpr int kSlots = 10;

    // -1 when there is no alias, up to 9.
    int LastIndex() const { return last_; }
    int Count() const { return last_ + 1; }
    bool Full() const { return last_ >= kSlots - 1; }
    // A slot's alias; empty texts for a slot after the last index or outside 0 to 9.
    FolderAlias Slot(int index) const;

    // Reads the slots in order, passing over any whose name or folder is empty.
    void Load(const SettingsReader& in);
    // Writes all twenty keys; the slots after the last index as empty texts.
    void Save(const SettingsWriter& out) const;

    bool HasName(const std::wstring& name) const;
    // Appends an alias; false when the table is full.
    bool Add(const FolderAlias& alias);
    // Takes `count` aliases (0 to 10) in slot order; the rest are emptied.
    void Assign(const std::array<FolderAlias, kSlots>& slots, int count);
    void Clear();

    static std::wstring NameKey(int index);
    static std::wstring DirKey(int index);

private:
    std::array<FolderAlias, kSlots> slots_{};
    int last_ = -1;
};

// The alias dialog as this window drives it: the slots in, a modal showing, the edited slots out.
class AliasDialog {
public:
    virtual ~AliasDialog() = default;
    // The alias in slot `index` before editing.
    virtual void SetEntry(std::int16_t index, const std::wstring& name, const std::wstring& folder) = 0;
    // The caption of the window that asks.
    virtual void SetCallerCaption(const std::wstring& caption) = 0;
    virtual void ShowModal() = 0;
    // True when the user ended the editing with OK.
    virtual bool Accepted() = 0;
    // The last index after editing, -1 when none is left.
    virtual std::int16_t LastIndex() = 0;
    // The alias in slot `index` after editing.
    virtual void Entry(std::int16_t index, std::wstring& name, std::wstring& folder) = 0;
};

class mdiInDir : public ChildForm {
public:
    // Context-menu commands.
    static constexpr int kIdRefresh = kCmdFirstPopupItem;
    static constexpr int kIdAdd = kCmdFirstPopupItem + 1;
    static constexpr int kIdMente = kCmdFirstPopupItem + 2;
    static constexpr int kIdFirstAddDir = kCmdFirstPopupItem + 10;  // mnuAddDir(0) .. mnuAddDir(9)


    mdiInDir(ChildHost& host, SettingsStore& store);
    ~mdiInDir() override;

    // The open folder in its long form; empty when it cannot be read.
    std::wstring DirName() const;
    // Opens a folder; one that cannot be opened gives way to the process's current folder.
    void DirName(const std::wstring& strDirName);
    // Reads drives and folders again and announces the folder.
    void RefreshForm();

    // Puts the input focus where the user starts: the drive list.
    void FocusStart();

    // Handlers.
    void drvDrive_Change();
    bool drvDrive_KeyPress(wchar_t KeyAscii);
    void dlbDir_Change();
    bool dlbDir_KeyPress(wchar_t KeyAscii);
    void mnuRefresh_Click() { RefreshForm(); }
    void mnuAdd_Click();
    void mnuAddDir_Click(int Index);
    void mnuMente_Click();

    DriveList& drvDrive() { return drvDrive_; }
    FolderList& dlbDir() { return dlbDir_; }
    HWND txtDir() const { return txtDir_; }
    const FolderAliases& Aliases() const { return aliases_; }

    // Where a folder change is announced; by default the main window's input file window.
    void SetFolderFollower(std::function<void(const std::wstring&)> follower) { follower_ = std::move(follower); }
    // The dialog the maintenance command uses; by default the main window's alias dialog.
    void SetAliasDialog(AliasDialog* dialog) { aliasDialog_ = dialog; }

protected:
    void CreateControls() override;
    std::vector<PopupItem> PopupItems() const override;
    void Form_Resize() override;
    void LoadMore() override;
    bool OnPopupCommand(int id) override;
    void SaveMore() override;

private:
    void ReadStartFolder();
    void ShowAliasMenu();
    void AnnounceFolder(const std::wstring& folder);

    DriveList drvDrive_;
    FolderList dlbDir_;
    HWND txtDir_ = nullptr;
    FolderAliases aliases_;
    SettingsLocation location_ = CurrentLocation;
    std::function<void(const std::wstring&)> follower_;
    AliasDialog* aliasDialog_ = nullptr;
    bool revertingDrive_ = false;
};

} // namespace tavlo
