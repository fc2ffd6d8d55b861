#include "app/frmTavlo.h"

#include "app/CommandLine.h"
#include "common/Catalogue.h"
#include "common/Fault.h"
#include "common/Help.h"
#include "common/PathUtil.h"
#include "settings/Options.h"
#include "settings/Settings.h"
#include "ui/ControlHook.h"
#include "ui/FontData.h"
#include "ui/LoadFailure.h"
#include "ui/PacedRedraw.h"
#include "windows/FormTexts.h"

#include <commdlg.h>

#include <algorithm>

namespace tavlo {

namespace {

// The folder alias dialog as the input folder window drives it.
class MainAliasDialog final : public AliasDialog {
public:
    explicit MainAliasDialog(frmMenuMente& dialog) : d_(dialog) {}

    void SetEntry(std::int16_t index, const std::wstring& name, const std::wstring& folder) override
    {
        d_.Set_Menu(index, name, folder);
    }
    void SetCallerCaption(const std::wstring& caption) override { d_.pstr_Me_Caption = caption; }
    void ShowModal() override { d_.Show(); }
    bool Accepted() override { return d_.pblnOk; }
    std::int16_t LastIndex() override { return d_.MenuCount; }
    void Entry(std::int16_t index, std::wstring& name, std::wstring& folder) override { d_.Get_Menu(index, name, folder); }

private:
    frmMenuMente& d_;
};

const wchar_t* const kFrameClass = L"Tavlo2.Frame";

constexpr int kIdStrip = 900;
// The key of the mode buttons' keyboard hook.
constexpr int kPreviewKeys = 0;
constexpr int kIdFirstMode = 1000;
constexpr int kIdCancel = 1010;
constexpr int kIdClient = 1100;
// Above every command of the menus, so the client never mistakes one for a child's number.
constexpr UINT kFirstMdiChildId = 50000;

// Tool strip in twips: the mode buttons from the left, Cancel at the right.
constexpr float kStripHeight = 615;
constexpr float kModeLeft = 120, kModeStep = 960, kButtonTop = 120, kModeWidth = 855, kButtonHeight = 375;
constexpr float kCancelInitialLeft = 7800, kCancelWidth = 1215;
// The inner width the tool strip needs: every mode button, the usual gap, Cancel and its margin.
constexpr float kStripWidth =
    kModeLeft + kModeStep * (frmTavlo::kModeCount - 1) + kModeWidth + (kModeStep - kModeWidth) + kCancelWidth + kCancelMargin;

// The font chooser's flags: screen fonts, no vector fonts, limited size, the font must exist,
// TrueType only.
constexpr DWORD kFontChooserFlags = 0x52801;
constexpr INT kFontSizeMin = 6, kFontSizeMax = 72;

std::optional<FontChoice> ChooseFormFont(HWND owner, const FontChoice& preset)
{
    const int dpiY = TwipsScale::ForWindow(owner).DpiY();
    LOGFONTW lf = ApplyFontSettings(InitialFormFont(dpiY),
                                    FontSettings{preset.Name, preset.Size, preset.Bold, preset.Italic}, dpiY);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = kFontChooserFlags | CF_INITTOLOGFONTSTRUCT;
    cf.nSizeMin = kFontSizeMin;
    cf.nSizeMax = kFontSizeMax;
    if (!ChooseFontW(&cf)) return std::nullopt;
    return FontChoice{lf.lfFaceName, cf.iPointSize / 10.0f, lf.lfWeight >= FW_BOLD, lf.lfItalic != 0};
}

// The help viewer on the contents page, or the HTML contents in the browser where there is none.
void OpenHelp(HWND owner, const std::wstring& path)
{
    ShowHelpContents(owner, path);
}

} // namespace

frmTavlo::frmTavlo(SettingsStore& store)
    : store_(store),
      chooser_(ChooseFormFont),
      helpViewer_(OpenHelp)
{
    MakeChildren();
    // The dialogs keep their keys where the frame keeps its own.
    about_.SetStore(store);
    default_.SetStore(store);
    option_.SetStore(store);
    menuMente_.SetStore(store);
    preview_.SetStore(store);
    // What the dialogs reach the rest of the program for is handed to them here.
    option_.SetTipSpreader([this](bool tip) { SpreadToolTip(tip); });
    default_.SetInputFolderSource([this] { return inDir_->DirName(); });
    aliasDialog_ = std::make_unique<MainAliasDialog>(menuMente_);
}

frmTavlo::~frmTavlo()
{
    // A run still going ends after its current file, its records written.
    run_.reset();
    if (Exists()) {
        SetMenu(Handle(), nullptr);
        quitOnDestroy_ = false;
        DestroyHandle();
    }
}

void frmTavlo::MakeChildren()
{
    inDir_ = std::make_unique<mdiInDir>(*this, store_);
    inFile_ = std::make_unique<mdiInFile>(*this, store_);
    file_ = std::make_unique<mdiFile>(*this, store_);
    status_ = std::make_unique<mdiStatus>(*this, store_);
    outFile_ = std::make_unique<mdiOutFile>(*this, store_);
}

std::array<ChildForm*, 5> frmTavlo::Children()
{
    return {inDir_.get(), inFile_.get(), file_.get(), status_.get(), outFile_.get()};
}

bool frmTavlo::LoadChildren()
{
    for (ChildForm* child : Children()) {
        if (!child->Load()) return false;
    }
    return true;
}

void frmTavlo::ReleaseChildren()
{
    for (ChildForm* child : Children()) child->Unload();
    MakeChildren();
}

bool frmTavlo::Create()
{
    if (Exists()) return true;
    if (!RegisterClassOnce(kFrameClass, nullptr, CS_DBLCLKS)) return false;
    menu_ = BuildSharedMenuBar();
    if (!CreateHandle(0, kFrameClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu_.get()))
        return false;

    for (DialogForm* dialog : std::initializer_list<DialogForm*>{&about_, &default_, &option_, &menuMente_, &preview_})
        dialog->SetOwner(Handle());

    CLIENTCREATESTRUCT ccs{nullptr, kFirstMdiChildId};
    client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0,
                              0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdClient)),
                              Instance(), &ccs);
    if (!client_ || !pnlKelmo_.Create(Handle(), kIdStrip)) return false;

    auto makeButton = [&](int id) {
        return CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON,
                               0, 0, 0, 0, pnlKelmo_.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               Instance(), nullptr);
    };
    for (int i = 0; i < kModeCount; ++i) {
        btnExe_[i] = makeButton(kIdFirstMode + i);
        if (!btnExe_[i]) return false;
        // The menu key and Shift+F10 on a mode button open its preview. The button itself keeps key ups
        // to itself on some systems, so the keys are taken here, and both halves of them, so that no
        // second context menu follows.
        ControlHook::Add(btnExe_[i], &kPreviewKeys, [this, i](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                              const ControlHook::Next& next) -> LRESULT {
            const bool menuKey = wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
            if (!menuKey) return next(hwnd, msg, wParam, lParam);
            if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
                if (IsWindowEnabled(hwnd)) ShowPreview(static_cast<std::int16_t>(i));
                return 0;
            }
            if (msg == WM_KEYUP || msg == WM_SYSKEYUP) return 0;
            return next(hwnd, msg, wParam, lParam);
        });
    }
    btnCancel_ = makeButton(kIdCancel);
    if (!btnCancel_) return false;
    // In a frame narrower than the strip the Cancel button lies over the last mode buttons; it
    // stays on top so that a run can always be stopped.
    SetWindowPos(btnCancel_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    CreateFormParts();
    PlaceStripButtons(kCancelInitialLeft);
    for (int i = 0; i < kModeCount; ++i) {
        AddFontControl(btnExe_[i]);
        AddToolTipControl(btnExe_[i], ProgramText(static_cast<std::int16_t>(program_text::ModeTipFirst + i)));
    }
    AddFontControl(btnCancel_);
    AddToolTipControl(btnCancel_, GeneralText(general_text::CancelTip));
    LayOutStrip();
    return true;
}

bool frmTavlo::StartUp(std::wstring_view commandLine)
{
    const std::wstring arguments(commandLine);
    if (IsUninstallOption(arguments)) {
        // The question names nothing in front of its particle: the catalogue has no leading text.
        std::wstring question = ProgramString(program_text::NoLeadingText) + GeneralString(general_text::RemoveAllSettings);
        if (ShowBox(question, MB_YESNO) == IDYES) {
            DeleteAllSettings(store_);
            journalStore_->Remove();
        }
        return false;
    }
    LoadSettings(store_, options);
    if (dropped_ && options.Auto) {
        AutoExecuteDropped(*dropped_);
        return false;
    }
    if (!arguments.empty() && options.Auto && AutoExecute(commandLine)) return false;
    return true;
}

bool frmTavlo::MDIForm_Load(std::wstring_view commandLine)
{
    try {
        if (!Exists()) throw LoadError();
        if (!StartUp(commandLine)) return false;
        options.AutoRunning = false;

        SetWindowTextW(Handle(), ProgramString(program_text::ProgramTitle).c_str());
        for (int i = 0; i < kModeCount; ++i)
            SetWindowTextW(btnExe_[i], ProgramString(program_text::ModeCaptionFirst + i).c_str());
        SetWindowTextW(btnCancel_, GeneralString(general_text::Cancel).c_str());
        SetToolTip(options.Tip);

        // A child that cannot load has reported it already.
        if (!LoadChildren()) return false;
        about_.Form_Load();
        default_.Form_Load();
        option_.Form_Load();
        menuMente_.Form_Load();

        SetFontData();
        RestoreGeometry();

        CancelFlag = false;
        EnableWindow(btnCancel_, FALSE);
        status_->RefreshForm();
        if (!commandLine.empty()) SplitCommandLine(commandLine);
        Activated = false;
        return true;
    } catch (...) {
        ReportFault("frmTavlo::MDIForm_Load");
        exitCode_ = 1;
        ReportLoadFailure(form_text::kFrameLoadError);
        return false;
    }
}

void frmTavlo::RestoreGeometry()
{
    const SettingsReader in(store_, WindowGroupLocation(store_, L"Main_Left"));
    TwipsRect r;
    r.Left = in.ReadLength(L"Main_Left", 1000);
    r.Top = in.ReadLength(L"Main_Top", 1000);
    r.Width = in.ReadLength(L"Main_Width", 8000);
    r.Height = in.ReadLength(L"Main_Height", 8000);
    storedState_ = in.ReadInt16(L"Main_WindowState", 0);

    const TwipsScale& s = Scale();
    r = KeepOnScreen(r, s.XToTwips(GetSystemMetrics(SM_CXSCREEN)), s.YToTwips(GetSystemMetrics(SM_CYSCREEN)),
                     s.OnAMonitor(r.Left, r.Top));
    // Never so narrow that Cancel would cover a mode button.
    r.Width = std::max(r.Width, s.XToTwips(MinimumWidth()));
    SetGeometry(r);
}

void frmTavlo::Show()
{
    if (!Exists()) return;
    int cmd = storedState_ == 2 ? SW_SHOWMAXIMIZED : storedState_ == 1 ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    ShowWindow(Handle(), cmd);
    UpdateWindow(Handle());
}

void frmTavlo::MDIForm_Activate()
{
    if (Activated || activating_) return;
    activating_ = true;
    try {
        MDIForm_Resize();
        for (ChildForm* child : Children()) child->Show();
        BtnEnabledChange();
        // The input folder window starts with the focus.
        SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(inDir_->Handle()), 0);
        inDir_->FocusStart();
        Activated = true;
    } catch (...) {
        ReportFault("frmTavlo::MDIForm_Activate");
        activating_ = false;
        ReportLoadFailure(form_text::kFrameActivateError);
        return;
    }
    activating_ = false;
}

void frmTavlo::UnloadAll()
{
    for (ChildForm* child : Children()) child->Unload();
    about_.Unload();
    default_.Unload();
    option_.Unload();
    menuMente_.Unload();
    preview_.Unload();
}

void frmTavlo::MDIForm_QueryUnload()
{
    if (unloaded_) return;
    unloaded_ = true;
    try {
        UnloadAll();
        const SettingsWriter out(store_);
        std::int16_t state = WindowState();
        out.WriteInt16(L"Main_WindowState", state);
        if (state == 0) {
            TwipsRect r = Geometry();
            out.WriteSingle(L"Main_Left", r.Left);
            out.WriteSingle(L"Main_Top", r.Top);
            out.WriteSingle(L"Main_Width", r.Width);
            out.WriteSingle(L"Main_Height", r.Height);
        }
        SaveSettings(store_, options);
    } catch (...) {
        ReportFault("frmTavlo::MDIForm_QueryUnload");
        // The window closes all the same.
    }
}

bool frmTavlo::IsNormalState() const
{
    return WindowState() == 0;
}

std::int16_t frmTavlo::WindowState() const
{
    if (IsIconic(Handle())) return 1;
    if (IsZoomed(Handle())) return 2;
    return 0;
}

namespace {

// The client area's size as if it showed no scroll bars: they come and go with the children's
// placement, and an arrangement that fills the area makes them go.
SIZE AreaWithoutScrollBars(HWND client)
{
    RECT rc{};
    GetClientRect(client, &rc);
    LONG style = GetWindowLongW(client, GWL_STYLE);
    SIZE size{rc.right, rc.bottom};
    if (style & WS_VSCROLL) size.cx += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) size.cy += GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

} // namespace

int frmTavlo::MinimumWidth() const
{
    // The frame's borders and the client area's edge come on top of the strip, as they are now.
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    const int edges = (outer.right - outer.left) - AreaWithoutScrollBars(client_).cx;
    return Scale().XToPixels(kStripWidth) + std::max(edges, 0);
}

float frmTavlo::InnerWidth() const
{
    return Scale().XToTwips(AreaWithoutScrollBars(client_).cx);
}

float frmTavlo::InnerHeight() const
{
    return Scale().YToTwips(AreaWithoutScrollBars(client_).cy);
}

RECT frmTavlo::CancelPlace() const
{
    RECT cancel{};
    GetWindowRect(btnCancel_, &cancel);
    MapWindowPoints(nullptr, pnlKelmo_.Handle(), reinterpret_cast<POINT*>(&cancel), 2);
    return cancel;
}

void frmTavlo::PlaceStripButtons(float cancelLeft)
{
    const TwipsScale& s = Scale();
    auto place = [&](HWND button, float left, float width) {
        MoveWindow(button, s.XToPixels(left), s.YToPixels(kButtonTop), s.XToPixels(width), s.YToPixels(kButtonHeight),
                   TRUE);
    };
    for (int i = 0; i < kModeCount; ++i) place(btnExe_[i], kModeLeft + kModeStep * i, kModeWidth);
    place(btnCancel_, cancelLeft, kCancelWidth);
}

void frmTavlo::FollowDpi(int dpi, const RECT* suggested)
{
    if (dpi <= 0 || !Exists()) return;
    const float cancelLeft = Scale().XToTwips(CancelPlace().left);
    // The children keep their places in twips; the system moves only top-level windows.
    for (ChildForm* child : Children()) child->FollowDpi(dpi, nullptr);
    Form::FollowDpi(dpi, suggested);
    PlaceStripButtons(cancelLeft);
    LayOutStrip();
    MDIForm_Resize();
}

void frmTavlo::LayOutStrip()
{
    if (!client_ || !pnlKelmo_.Exists()) return;
    RECT rc{};
    GetClientRect(Handle(), &rc);
    int strip = Scale().YToPixels(kStripHeight);
    MoveWindow(pnlKelmo_.Handle(), 0, 0, rc.right, strip, TRUE);
    MoveWindow(client_, 0, strip, rc.right, rc.bottom > strip ? rc.bottom - strip : 0, TRUE);
}

void frmTavlo::MDIForm_Resize()
{
    if (!client_ || !btnCancel_) return;
    const TwipsScale& s = Scale();
    const RECT cancel = CancelPlace();
    FrameLayout layout =
        ComputeFrameLayout(InnerWidth(), InnerHeight(), options.Resize, s.XToTwips(cancel.right - cancel.left));
    if (layout.Children) {
        // The arrangement fills the area exactly, so scroll bars left from the children's
        // former places would only hide its edges.
        ShowScrollBar(client_, SB_BOTH, FALSE);
        auto children = Children();
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (children[i]->Exists()) children[i]->SetGeometry((*layout.Children)[i]);
        }
    }
    if (layout.CancelLeft) {
        MoveWindow(btnCancel_, s.XToPixels(*layout.CancelLeft), cancel.top, cancel.right - cancel.left,
                   cancel.bottom - cancel.top, TRUE);
    }
}

void frmTavlo::mnuExit_Click()
{
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void frmTavlo::mnuFont_Click()
{
    FontChoice preset = FontChoiceFromOptions(options);
    std::optional<FontChoice> chosen = chooser_ ? chooser_(Handle(), preset) : std::nullopt;
    if (!TakeFontChoice(chosen ? *chosen : preset, options)) return;
    SetFontData();
    for (ChildForm* child : Children()) child->SetFontData();
    about_.SetFontData();
    option_.SetFontData();
    default_.SetFontData();
    preview_.SetFontData();
}

void frmTavlo::mnuLogCopy_Click()
{
    status_->LogCopy();
}

void frmTavlo::mnuLogSave_Click()
{
    status_->LogSave();
}

void frmTavlo::mnuInDirDefault_Click()
{
    // The folder and its switch come back only after OK.
    EditInDirDefault(default_, options);
}

void frmTavlo::mnuOption_Click()
{
    option_.Show();
}

void frmTavlo::mnuHelp_Click()
{
    const std::wstring path = helpFile_.empty() ? HelpFileIn(GetProgramFolder()) : helpFile_;
    // Without its files the command would show nothing at all: it says which file is missing.
    if (!HelpFilesPresent(path)) {
        ShowBox(FillTag(ProgramString(program_text::HelpMissing), L"%FILE%", path), MB_OK);
        return;
    }
    if (helpViewer_) helpViewer_(Handle(), path);
}

bool frmTavlo::AddToTargets(const std::wstring& path)
{
    return file_->ListInAdd(path);
}

void frmTavlo::FolderOpened(const std::wstring& folder)
{
    inFile_->DirName(folder);
}

void frmTavlo::FocusTargets()
{
    if (!file_->Exists()) return;
    SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(file_->Handle()), 0);
    SetFocus(file_->lstFile());
}

void frmTavlo::FocusLog()
{
    status_->FocusLog();
}

void frmTavlo::OpenFolder(const std::wstring& folder)
{
    inDir_->DirName(folder);
}

AliasDialog& frmTavlo::FolderAliasDialog()
{
    return *aliasDialog_;
}

// The tooltip option reaches every window and dialog at once.
void frmTavlo::SpreadToolTip(bool tip)
{
    default_.SetToolTip(tip);
    menuMente_.SetToolTip(tip);
    option_.SetToolTip(tip);
    SetToolTip(tip);
    for (ChildForm* child : Children()) child->SetToolTip(tip);
}

void frmTavlo::mnuAbout_Click()
{
    about_.Show();
}

bool frmTavlo::OnCommand(int id, int code, HWND control)
{
    if (control) {
        if (code != BN_CLICKED) return false;
        if (id >= kIdFirstMode && id < kIdFirstMode + kModeCount) {
            btnExe_Click(static_cast<std::int16_t>(id - kIdFirstMode));
            return true;
        }
        if (id == kIdCancel) {
            btnCancel_Click();
            return true;
        }
        return false;
    }
    // A child's menu bar in the frame: the child's own handler forwards to ours.
    HWND active = reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0));
    if (active && GetMenu(Handle()) != menu_.get()) {
        SendMessageW(active, WM_COMMAND, MAKEWPARAM(id, code), 0);
        return true;
    }
    return DispatchSharedMenu(*this, id);
}

bool frmTavlo::OnClose()
{
    if (locked_) {
        // A run is walking the list: it stops after the current file, then the close goes on.
        CancelFlag = true;
        closePending_ = true;
        if (run_) run_->Stop();
        return true;
    }
    MDIForm_QueryUnload();
    return false;
}

void frmTavlo::OnDestroy()
{
    // The menus belong to their windows' objects, not to the window that shows them last.
    SetMenu(Handle(), nullptr);
    if (quitOnDestroy_) PostQuitMessage(0);
}

std::optional<LRESULT> frmTavlo::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                LayOutStrip();
                MDIForm_Resize();
            }
            return 0; // the client area is placed below the strip, not over the whole frame
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !Activated && IsWindowVisible(Handle())) MDIForm_Activate();
            return std::nullopt;
        case WM_GETMINMAXINFO: {
            const LRESULT result = DefaultProc(msg, wParam, lParam);
            if (client_) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.x = MinimumWidth();
            return result;
        }
        case WM_CONTEXTMENU: {
            // A right click, Shift+F10 or the menu key on a mode button: its preview. The strip hands the
            // message on in its own name, so the button is the one under the pointer, or the focused one.
            HWND source = reinterpret_cast<HWND>(wParam);
            if (source == pnlKelmo_.Handle()) {
                if (lParam == -1) {
                    source = GetFocus();
                } else {
                    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                    ScreenToClient(source, &pt);
                    source = ChildWindowFromPointEx(source, pt, CWP_SKIPINVISIBLE);
                }
            }
            for (int i = 0; i < kModeCount; ++i) {
                if (source != btnExe_[i]) continue;
                if (IsWindowEnabled(btnExe_[i])) ShowPreview(static_cast<std::int16_t>(i));
                return 0;
            }
            return Form::HandleMessage(msg, wParam, lParam);
        }
        case WM_QUERYENDSESSION:
            // A run stops after the current file.
            if (locked_) CancelFlag = true;
            if (run_) run_->Stop();
            return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: the run's current file is finished and
            // the shutdown of a close runs now.
            if (wParam) {
                CancelFlag = CancelFlag || locked_;
                FinishRun();
                MDIForm_QueryUnload();
                PostMessageW(Handle(), WM_CLOSE, 0, 0);
            }
            return 0;
        case kRunProgress:
            RunProgress();
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmTavlo::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcW(Handle(), client_, msg, wParam, lParam);
}

} // namespace tavlo
