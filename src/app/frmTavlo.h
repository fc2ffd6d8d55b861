#pragma once
// The main window: an MDI frame with the tool strip of mode buttons, the shared menu bar and the five
// child windows, which it creates at its load and releases at its close.
#include "core/FileSystem.h"
#include "common/JournalStore.h"
#include "app/FrameRuns.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmDefault.h"
#include "dialogs/frmMenuMente.h"
#include "dialogs/frmOption.h"
#include "dialogs/frmPreview.h"
#include "settings/SettingsStore.h"
#include "ui/Form.h"
#include "windows/ChildForm.h"
#include "windows/FrameRules.h"
#include "windows/ModeStrip.h"
#include "windows/mdiFile.h"
#include "windows/mdiInDir.h"
#include "windows/mdiInFile.h"
#include "windows/mdiOutFile.h"
#include "windows/mdiStatus.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

class frmTavlo final : public Form, public ChildHost {
public:
    static constexpr int kModeCount = tavlo::kModeCount;

    explicit frmTavlo(SettingsStore& store);
    ~frmTavlo() override;

    // Creates the frame (hidden), its tool strip and its MDI client area.
    bool Create();
    // The load: start-up, captions, tooltips, the child windows and dialogs, the font and the stored
    // geometry. False when the program must end now (a load error has then been reported).
    bool MDIForm_Load(std::wstring_view commandLine);
    // Shows the frame in its stored state; the first activation then shows the children.
    void Show();
    // The first activation: layout, the five children shown, the mode buttons evaluated.
    void MDIForm_Activate();
    // The shutdown: children and dialogs unloaded in order, the frame's state and geometry and the
    // options written. Runs once; the window is closed afterwards.
    void MDIForm_QueryUnload();

    // Layout of the tool strip's Cancel button and, with the Resize option, of the children.
    void MDIForm_Resize();
    void SetToolTip(bool blnToolTip) { SetToolTipTexts(blnToolTip); }

    // A press of a mode button: the preview first when the option asks for it, else the run at once.
    void btnExe_Click(std::int16_t Index);
    // The preview of mode `Index` over the target list (a right click, Shift+F10 or the menu key on a
    // mode button); its 実行 runs the mode.
    void ShowPreview(Mode mode) { runs_.ShowPreview(mode); }
    // The run of mode `Index` over the target list, as a press without preview.
    void RunMode(Mode mode) { runs_.RunMode(mode); }
    void btnCancel_Click();
    // True from a press until the visible run has ended and the interface is back.
    bool Running() const { return runs_.Running(); }
    // Enables the mode buttons exactly while the target list holds entries.
    void BtnEnabledChange();
    void TargetsChanged() override { BtnEnabledChange(); }
    bool AddToTargets(const std::wstring& path) override;
    void FolderOpened(const std::wstring& folder) override;
    void FocusTargets() override;
    void FocusLog() override;
    void OpenFolder(const std::wstring& folder) override;
    AliasDialog& FolderAliasDialog() override { return *aliasDialog_; }
    // Sets the tooltips of every window and dialog on or off (the options dialog's switch).
    void SpreadToolTip(bool tip);
    // Shuts out every input but Cancel while a run walks the target list, and lets it in again.
    void LockInterface();
    void UnlockInterface();
    bool CancelFlag = false;
    bool Activated = false;

    // Handlers of the shared menu bar.
    void mnuExit_Click() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }
    void mnuFont_Click();
    void mnuLogCopy_Click();
    void mnuLogSave_Click();
    void mnuInDirDefault_Click();
    void mnuOption_Click();
    void mnuHelp_Click();
    void mnuAbout_Click() { about_.Show(); }
    // Takes back the most recent run not yet taken back, after asking.
    void mnuUndo_Click() { runs_.Undo(); }
    // The same commands as the child windows ask for them.
    void Exit() override { mnuExit_Click(); }
    void PickFont() override { mnuFont_Click(); }
    void CopyLog() override { mnuLogCopy_Click(); }
    void SaveLog() override { mnuLogSave_Click(); }
    void EditInputFolderDefault() override { mnuInDirDefault_Click(); }
    void EditOptions() override { mnuOption_Click(); }
    void ShowHelp() override { mnuHelp_Click(); }
    void ShowAbout() override { mnuAbout_Click(); }
    void UndoLastRun() override { mnuUndo_Click(); }

    // The single instances of the child windows and dialogs.
    mdiInDir& InDirWindow() { return *inDir_; }
    mdiInFile& InFileWindow() { return *inFile_; }
    mdiFile& FileWindow() { return *file_; }
    mdiStatus& StatusWindow() { return *status_; }
    mdiOutFile& OutFileWindow() { return *outFile_; }
    frmAbout& AboutDialog() { return about_; }
    frmDefault& DefaultDialog() { return default_; }
    frmOption& OptionDialog() { return option_; }
    frmMenuMente& MenuMenteDialog() { return menuMente_; }
    frmPreview& PreviewDialog() { return preview_; }
    // The five children in creation order.
    std::array<ChildForm*, 5> Children();
    // Loads the five children in creation order; false when one failed (it has reported it).
    bool LoadChildren();
    // Unloads the five children in creation order and replaces each by a fresh instance, so that
    // the next load starts from nothing (an empty target list, an empty log).
    void ReleaseChildren();

    // The keys the main window takes before any control sees them (FrameKeys.h).
    bool TranslateKeys(const MSG& msg);

    HWND pnlKelmo() const { return pnlKelmo_.Handle(); }
    HWND btnExe(int index) const { return pnlKelmo_.Mode(index); }
    HWND btnCancel() const { return pnlKelmo_.Cancel(); }
    HFONT ButtonFont() const { return Font(); }

    HWND MdiClient() const override { return client_; }
    HMENU FrameMenu() const override { return menu_.get(); }
    bool IsNormalState() const override;
    // 0 normal, 1 minimised, 2 maximised.
    std::int16_t WindowState() const;

    // The area below the tool strip that the children share (scroll bars not counted), in twips.
    float InnerWidth() const;
    void FollowDpi(int dpi, const RECT* suggested) override;
    // The narrowest outer width in pixels that shows every mode button beside Cancel.
    int MinimumWidth() const;
    float InnerHeight() const;

    // The font chooser; replaceable so that the font command can be driven without a dialog.
    // Returns nothing when the user cancelled.
    using FontChooser = std::function<std::optional<FontChoice>(HWND owner, const FontChoice& preset)>;
    void SetFontChooser(FontChooser chooser) { chooser_ = std::move(chooser); }
    // The help viewer call; replaceable for the same reason.
    using HelpViewer = std::function<void(HWND owner, const std::wstring& path)>;
    void SetHelpViewer(HelpViewer viewer) { helpViewer_ = std::move(viewer); }
    // The help file the command opens; by default TAVLO2.HLP beside the program.
    void SetHelpFile(std::wstring path) { helpFile_ = std::move(path); }
    // The journal of renames that Undo reads; by default the user's own file.
    void SetJournalStore(JournalStore& store) { journalStore_ = &store; }
    // The file system the runs and Undo work on; by default the process's own.
    void SetFileSystem(FileSystem& fs) { fileSystem_ = &fs; }
    // Files dropped on the Send To entry, handed over before MDIForm_Load in place of a command line: with
    // automatic execution on they are renamed without the target list and so without its cap.
    void SetDroppedFiles(std::vector<std::wstring> files) { dropped_ = std::move(files); }
    // What the process ends with: 1 after an automatic run that left a named file without its
    // final name or after a load error, 0 otherwise.
    int ExitCode() const { return exitCode_; }
    // Whether the end of the window ends the message loop (off for windows made by tests).
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }

protected:
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnClose() override;
    void OnDestroy() override;
    void Form_Resize() override { MDIForm_Resize(); }

private:
    // The child window that is active, or null.
    ChildForm* ActiveChild();
    bool StartUp(std::wstring_view commandLine);
    void RestoreGeometry();
    void LayOutStrip();
    void SetChildrenEnabled(bool enabled);
    void UnloadAll();
    void MakeChildren();

    SettingsStore& store_;
    MenuHandle menu_;
    ModeStrip pnlKelmo_;
    HWND focusBeforeRun_ = nullptr;
    HWND client_ = nullptr;
    std::int16_t storedState_ = 0;
    bool unloaded_ = false;
    // The commands' work with files; the visible run's progress arrives as kRunProgress.
    friend class FrameRuns;
    static constexpr UINT kRunProgress = WM_APP + 40;
    FrameRuns runs_{*this};
    bool activating_ = false;
    bool locked_ = false;
    bool closePending_ = false;
    bool quitOnDestroy_ = true;
    FontChooser chooser_;
    HelpViewer helpViewer_;
    std::wstring helpFile_;
    JournalFileStore userJournal_{DefaultJournalPath()};
    JournalStore* journalStore_ = &userJournal_;
    FileSystem* fileSystem_ = &SystemFileSystem();
    int exitCode_ = 0;
    std::optional<std::vector<std::wstring>> dropped_;
    std::unique_ptr<AliasDialog> aliasDialog_;

    std::unique_ptr<mdiInDir> inDir_;
    std::unique_ptr<mdiInFile> inFile_;
    std::unique_ptr<mdiFile> file_;
    std::unique_ptr<mdiStatus> status_;
    std::unique_ptr<mdiOutFile> outFile_;
    frmAbout about_;
    frmDefault default_;
    frmOption option_;
    frmMenuMente menuMente_;
    frmPreview preview_;
};

} // namespace tavlo
