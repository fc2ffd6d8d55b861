#pragma once
// What the five child windows of the main window do alike: stored geometry, the shared menu bar
// forwarding to the main window, its enabling during a run, the context menu and the load.
#include "common/Catalogue.h"
#include "common/GdiHandles.h"
#include "settings/SettingsStore.h"
#include "ui/Form.h"
#include "windows/SharedMenu.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

// The main window as the child windows see it.
class AliasDialog;

class ChildHost : public MenuCommands {
public:
    // The MDI client area the children live in.
    virtual HWND MdiClient() const = 0;
    // The main window's menu bar, shown while no child is active.
    virtual HMENU FrameMenu() const = 0;
    // True while the main window is neither minimised nor maximised.
    virtual bool IsNormalState() const = 0;
    // The target list changed: the mode buttons follow it.
    virtual void TargetsChanged() = 0;
    // Adds an already normalised path to the target list; false when the list refused it (full).
    virtual bool AddToTargets(const std::wstring& path) = 0;
    // The input folder window opened `folder`: the input file window follows.
    virtual void FolderOpened(const std::wstring& folder) = 0;
    // Activates the target list window and puts the keyboard focus in its list.
    virtual void FocusTargets() = 0;
    // Activates the log window and puts the keyboard focus in its list.
    virtual void FocusLog() = 0;
    // The input folder window opens `folder`.
    virtual void OpenFolder(const std::wstring& folder) = 0;
    // The folder alias dialog, as the input folder window drives it.
    virtual AliasDialog& FolderAliasDialog() = 0;
};

// The values that tell the five windows apart.
struct ChildFormSpec {
    std::wstring KeyPrefix;          // "File_": the keys File_Left, File_Top, File_Width, File_Height
    TextNumber CaptionNumber{};  // program catalogue
    std::wstring LoadErrorText;      // the whole text of the load-error box
};

class ChildForm : public Form {
public:
    ChildForm(ChildHost& host, SettingsStore& store, ChildFormSpec spec);
    ~ChildForm() override;

    // Creates the window (hidden) and runs Form_Load. False when the load failed; the failure has
    // then been reported (which normally ends the program).
    bool Load();
    // Runs Form_QueryUnload (saving the geometry when the rules allow) and destroys the window.
    void Unload();
    // Shows the window without activating a hidden sibling first.
    void Show();

    void SetToolTip(bool blnToolTip) { SetToolTipTexts(blnToolTip); }
    void Menu_Enabled(bool blnFlag);

    HMENU MenuBar() const { return menuBar_.get(); }
    HMENU PopupMenu() const { return popup_.get(); }

    // Forwarding handlers of the shared menu bar.
    void mnuExit_Click() { host_.Exit(); }
    void mnuFont_Click() { host_.PickFont(); }
    void mnuLogCopy_Click() { host_.CopyLog(); }
    void mnuLogSave_Click() { host_.SaveLog(); }
    void mnuInDirDefault_Click() { host_.EditInputFolderDefault(); }
    void mnuOption_Click() { host_.EditOptions(); }
    void mnuHelp_Click() { host_.ShowHelp(); }
    void mnuAbout_Click() { host_.ShowAbout(); }
    void mnuUndo_Click() { host_.UndoLastRun(); }

    // Opens the context menu at the mouse pointer (screen coordinates) when `button` is the right one.
    void Form_MouseDown(int button, POINT screenPoint);

    // The control inside this window that last had the keyboard focus (the main window tells, before
    // it hands a key or a click on); it gets the focus back when the window is activated again.
    void RememberFocus(HWND control);
    // That control while it can take the focus, else the first control Tab reaches.
    HWND FocusControl() const;

protected:
    struct PopupItem {
        int Id = 0;            // 0: separator
        std::wstring Caption;
    };

    // Creates the window's controls; called once, right after the window exists.
    virtual void CreateControls() {}
    // The context menu's items, top to bottom; captions from the catalogues.
    virtual std::vector<PopupItem> PopupItems() const { return {}; }
    // What a window loads beyond the common steps; throwing counts as a load error.
    virtual void LoadMore() {}
    // A context-menu command; false when the id is not the window's.
    virtual bool OnPopupCommand(int /*id*/) { return false; }
    // What a window saves beyond its geometry when it unloads.
    virtual void SaveMore() {}

    // Controls that show the context menu on a right click.
    void AddContextControl(HWND control);

    ChildHost& Host() const { return host_; }
    SettingsStore& Store() const { return store_; }

    // The single-list layout: the control 60 twips from every edge; nothing moves while the usable
    // width is not positive, and the height stays while the usable height is below one twip.
    void FillWithControl(HWND control);

    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DestroyHandle() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void RestoreGeometry();
    void BuildPopup();
    // Where a menu opened from the keyboard shows: beside the control's focused row.
    static POINT KeyboardMenuPoint(HWND control);
    void ShowMenuBarIfActive();


    ChildHost& host_;
    SettingsStore& store_;
    ChildFormSpec spec_;
    MenuHandle menuBar_;
    MenuHandle popup_;
    HWND lastFocus_ = nullptr;
};

} // namespace tavlo
