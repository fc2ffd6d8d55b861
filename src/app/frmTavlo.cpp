#include "app/frmTavlo.h"

#include "app/CommandLine.h"
#include "app/FrameRuns.h"
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
#include "windows/FontChooser.h"
#include "windows/FrameKeys.h"
#include "windows/FormTexts.h"

#include <algorithm>

namespace tavlo {

namespace {

const wchar_t* const kFrameClass = L"Tavlo2.Frame";

constexpr int kIdStrip = 900;
constexpr int kIdClient = 1100;
// Above every command of the menus, so the client never mistakes one for a child's number.
constexpr UINT kFirstMdiChildId = 50000;
// Where Cancel starts, in twips within the strip, before the first layout moves it to the right.
constexpr float kCancelInitialLeft = 7800;

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
    aliasDialog_ = AliasDialogOf(menuMente_);
}

frmTavlo::~frmTavlo()
{
    // A run still going ends after its current file, its records written, before the journal goes.
    runs_.Abandon();
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
    pnlKelmo_.onPress = [this](int mode) { btnExe_Click(static_cast<std::int16_t>(mode)); };
    pnlKelmo_.onPreview = [this](int index) {
        if (const std::optional<Mode> mode = ModeOf(index)) ShowPreview(*mode);
    };
    pnlKelmo_.onCancel = [this] { btnCancel_Click(); };
    if (!client_ || !pnlKelmo_.Create(Handle(), kIdStrip)) return false;

    CreateFormParts();
    pnlKelmo_.Place(Scale(), kCancelInitialLeft);
    for (int i = 0; i < kModeCount; ++i) {
        AddFontControl(btnExe(i));
        AddToolTipControl(btnExe(i), ProgramText(program_text::ModeTipFirst + i));
    }
    AddFontControl(btnCancel());
    AddToolTipControl(btnCancel(), GeneralText(general_text::CancelTip));
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
    return !options.Auto || !runs_.AutoStart(commandLine, dropped_);
}

bool frmTavlo::MDIForm_Load(std::wstring_view commandLine)
{
    try {
        if (!Exists()) throw LoadError();
        if (!StartUp(commandLine)) return false;
        options.AutoRunning = false;

        SetWindowTextW(Handle(), ProgramString(program_text::ProgramTitle).c_str());
        pnlKelmo_.SetCaptions();
        SetToolTip(options.Tip);

        // A child that cannot load has reported it already.
        if (!LoadChildren()) return false;
        about_.Form_Load();
        default_.Form_Load();
        option_.Form_Load();
        menuMente_.Form_Load();

        SetFontData(FormFontOf(options));
        RestoreGeometry();

        CancelFlag = false;
        EnableWindow(btnCancel(), FALSE);
        status_->RefreshForm();
        if (!commandLine.empty()) runs_.TakeCommandLine(commandLine);
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

int frmTavlo::MinimumWidth() const
{
    // The frame's borders and the client area's edge come on top of the strip, as they are now.
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    const int edges = (outer.right - outer.left) - ClientWithoutScrollBars(client_).cx;
    return Scale().XToPixels(ModeStrip::NeededWidth()) + std::max(edges, 0);
}

float frmTavlo::InnerWidth() const
{
    return Scale().XToTwips(ClientWithoutScrollBars(client_).cx);
}

float frmTavlo::InnerHeight() const
{
    return Scale().YToTwips(ClientWithoutScrollBars(client_).cy);
}

void frmTavlo::FollowDpi(int dpi, const RECT* suggested)
{
    if (dpi <= 0 || !Exists()) return;
    const float cancelLeft = Scale().XToTwips(pnlKelmo_.CancelPlace().left);
    // The children keep their places in twips; the system moves only top-level windows.
    for (ChildForm* child : Children()) child->FollowDpi(dpi, nullptr);
    Form::FollowDpi(dpi, suggested);
    pnlKelmo_.Place(Scale(), cancelLeft);
    LayOutStrip();
    MDIForm_Resize();
}

void frmTavlo::LayOutStrip()
{
    if (!client_ || !pnlKelmo_.Exists()) return;
    RECT rc{};
    GetClientRect(Handle(), &rc);
    int strip = Scale().YToPixels(ModeStrip::kHeight);
    MoveWindow(pnlKelmo_.Handle(), 0, 0, rc.right, strip, TRUE);
    MoveWindow(client_, 0, strip, rc.right, rc.bottom > strip ? rc.bottom - strip : 0, TRUE);
}

void frmTavlo::MDIForm_Resize()
{
    if (!client_ || !btnCancel()) return;
    const TwipsScale& s = Scale();
    const RECT cancel = pnlKelmo_.CancelPlace();
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
        MoveWindow(btnCancel(), s.XToPixels(*layout.CancelLeft), cancel.top, cancel.right - cancel.left,
                   cancel.bottom - cancel.top, TRUE);
    }
}

void frmTavlo::mnuFont_Click()
{
    FontChoice preset = FontChoiceFromOptions(options);
    std::optional<FontChoice> chosen = chooser_ ? chooser_(Handle(), preset) : std::nullopt;
    if (!TakeFontChoice(chosen ? *chosen : preset, options)) return;
    const FontSettings font = FormFontOf(options);
    SetFontData(font);
    for (ChildForm* child : Children()) child->SetFontData(font);
    about_.SetFontData(font);
    option_.SetFontData(font);
    default_.SetFontData(font);
    preview_.SetFontData(font);
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

// The tooltip option reaches every window and dialog at once.
void frmTavlo::SpreadToolTip(bool tip)
{
    default_.SetToolTip(tip);
    menuMente_.SetToolTip(tip);
    option_.SetToolTip(tip);
    SetToolTip(tip);
    for (ChildForm* child : Children()) child->SetToolTip(tip);
}

bool frmTavlo::OnCommand(int id, int code, HWND control)
{
    // The strip answers its own buttons.
    if (control) return false;
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
        runs_.Stop();
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
        case WM_QUERYENDSESSION:
            // A run stops after the current file.
            if (locked_) CancelFlag = true;
            runs_.Stop();
            return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: the run's current file is finished and
            // the shutdown of a close runs now.
            if (wParam) {
                CancelFlag = CancelFlag || locked_;
                runs_.Finish();
                MDIForm_QueryUnload();
                PostMessageW(Handle(), WM_CLOSE, 0, 0);
            }
            return 0;
        case kRunProgress:
            runs_.Progress();
            return 0;
        case WM_TIMER:
            if (wParam != kRunProgress) return Form::HandleMessage(msg, wParam, lParam);
            runs_.Progress();
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT frmTavlo::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcW(Handle(), client_, msg, wParam, lParam);
}

void frmTavlo::btnExe_Click(std::int16_t Index)
{
    const std::optional<Mode> mode = ModeOf(Index);
    if (locked_ || !mode) return;
    if (options.Preview) ShowPreview(*mode);
    else RunMode(*mode);
}

void frmTavlo::btnCancel_Click()
{
    CancelFlag = true;
    runs_.Stop();
}

void frmTavlo::BtnEnabledChange()
{
    pnlKelmo_.SetModesEnabled(file_->Count() >= 1);
}

void frmTavlo::SetChildrenEnabled(bool enabled)
{
    for (ChildForm* child : Children()) EnableWindow(child->Handle(), enabled ? TRUE : FALSE);
    for (ChildForm* child : Children()) child->Menu_Enabled(enabled);
}

void frmTavlo::LockInterface()
{
    locked_ = true;
    // The controls lose the focus as they are disabled; it comes back after the run.
    focusBeforeRun_ = GetFocus();
    pnlKelmo_.SetModesEnabled(false);
    SetChildrenEnabled(false);
    EnableWindow(btnCancel(), TRUE);
}

void frmTavlo::UnlockInterface()
{
    CancelFlag = false;
    EnableWindow(btnCancel(), FALSE);
    SetChildrenEnabled(true);
    inFile_->RefreshForm();
    BtnEnabledChange();
    locked_ = false;
    const HWND focus = GetFocus();
    if ((!focus || !IsWindowEnabled(focus)) && focusBeforeRun_ && IsWindow(focusBeforeRun_) &&
        IsWindowEnabled(focusBeforeRun_) && GetActiveWindow() == Handle())
        SetFocus(focusBeforeRun_);
    // A close asked for during the run was held back until the run had ended.
    if (closePending_) {
        closePending_ = false;
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
    }
}

ChildForm* frmTavlo::ActiveChild()
{
    const HWND active = client_ ? reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    for (ChildForm* child : Children())
        if (child && active && child->Handle() == active) return child;
    return nullptr;
}

bool frmTavlo::TranslateKeys(const MSG& msg)
{
    return Exists() && TranslateFrameKeys(msg, pnlKelmo_, ActiveChild());
}

} // namespace tavlo
