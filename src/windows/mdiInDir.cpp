#include "windows/mdiInDir.h"

#include "common/Catalogue.h"
#include "common/FileEnum.h"
#include "common/PathUtil.h"
#include "core/Paths.h"
#include "settings/Options.h"
#include "ui/InputBox.h"
#include "windows/FormTexts.h"

#include <memory>

namespace tavlo {

namespace {

// Places as created, in twips.
constexpr TwipsRect kDrivePlace{120, 120, 1695, 315};
constexpr TwipsRect kFolderPlace{120, 480, 1695, 1215};
constexpr TwipsRect kTextPlace{120, 1800, 1695, 375};
// How far the drive list drops open, in twips.
constexpr float kDriveDropHeight = 2400;

RECT PixelRect(const TwipsScale& s, const TwipsRect& r)
{
    int x = s.XToPixels(r.Left), y = s.YToPixels(r.Top);
    return RECT{x, y, x + s.XToPixels(r.Width), y + s.YToPixels(r.Height)};
}

// The main window's alias dialog behind this window's view of it.
} // namespace

// ---- FolderAliases ------------------------------------------------------------------------------

std::wstring FolderAliases::NameKey(int index)
{
    return L"Dir_In_DirName" + std::to_wstring(index);
}

std::wstring FolderAliases::DirKey(int index)
{
    return L"Dir_In_DirDir" + std::to_wstring(index);
}

FolderAlias FolderAliases::Slot(int index) const
{
    if (index < 0 || index > last_) return {};
    return slots_[static_cast<std::size_t>(index)];
}

void FolderAliases::Load(const SettingsReader& in)
{
    Clear();
    for (int i = 0; i < kSlots; ++i) {
        FolderAlias alias{in.ReadText(NameKey(i), L""), in.ReadText(DirKey(i), L"")};
        // An empty slot (written by an earlier version, or by hand) is passed over: the aliases
        // after it are kept, moved up so that the slots stay without gaps.
        if (alias.Name.empty() || alias.Dir.empty()) continue;
        slots_[static_cast<std::size_t>(++last_)] = std::move(alias);
    }
}

void FolderAliases::Save(const SettingsWriter& out) const
{
    for (int i = 0; i < kSlots; ++i) {
        FolderAlias alias = Slot(i);
        out.WriteText(NameKey(i), alias.Name);
        out.WriteText(DirKey(i), alias.Dir);
    }
}

bool FolderAliases::HasName(const std::wstring& name) const
{
    for (int i = 0; i <= last_; ++i) {
        if (slots_[static_cast<std::size_t>(i)].Name == name) return true;
    }
    return false;
}

bool FolderAliases::Add(const FolderAlias& alias)
{
    if (Full()) return false;
    ++last_;
    slots_[static_cast<std::size_t>(last_)] = alias;
    return true;
}

void FolderAliases::Assign(const std::array<FolderAlias, kSlots>& slots, int count)
{
    Clear();
    if (count > kSlots) count = kSlots;
    for (int i = 0; i < count; ++i) slots_[static_cast<std::size_t>(i)] = slots[static_cast<std::size_t>(i)];
    last_ = count - 1;
}

void FolderAliases::Clear()
{
    slots_.fill(FolderAlias{});
    last_ = -1;
}

// ---- mdiInDir -----------------------------------------------------------------------------------

mdiInDir::mdiInDir(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"InDir_", program_text::InDirCaption, form_text::kInDirLoadError})
{
}

mdiInDir::~mdiInDir()
{
    // While this object is whole (the teardown rule in Window.h).
    ChildForm::DestroyHandle();
}


void mdiInDir::CreateControls()
{
    const TwipsScale& s = Scale();
    RECT drivePlace = PixelRect(s, kDrivePlace);
    drivePlace.bottom = drivePlace.top + s.YToPixels(kDriveDropHeight);
    if (!drvDrive_.Create(Handle(), true, drivePlace)) throw LoadError();
    if (!dlbDir_.Create(Handle(), true, PixelRect(s, kFolderPlace))) throw LoadError();
    txtDir_ = CreateControl(L"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, 0, {}, nullptr, WS_EX_CLIENTEDGE);
    MoveControl(txtDir_, kTextPlace);

    drvDrive_.OnChange = [this] { drvDrive_Change(); };
    dlbDir_.OnChange = [this] { dlbDir_Change(); };
    drvDrive_.OnKeyPress = [this](wchar_t c) { return drvDrive_KeyPress(c); };
    dlbDir_.OnKeyPress = [this](wchar_t c) { return dlbDir_KeyPress(c); };

    for (HWND control : {drvDrive_.Handle(), dlbDir_.Handle(), txtDir_}) AddFontControl(control);
    AddContextControl(dlbDir_.Handle());
    AddContextControl(txtDir_);
    AddToolTipControl(drvDrive_.Handle(), ProgramText(program_text::InDirDriveTip));
    AddToolTipControl(dlbDir_.Handle(), ProgramText(program_text::InDirFolderTip));
    AddToolTipControl(txtDir_, ProgramText(program_text::InDirTextTip));

    // The start folder is read before the common load steps, because an automatic run needs it too.
    ReadStartFolder();
}

void mdiInDir::ReadStartFolder()
{
    location_ = WindowGroupLocation(Store(), L"InDir_Left");
    const SettingsReader in(Store(), location_);
    options.Dir_In = in.ReadText(L"Dir_In", CurrentFolder());
    options.Dir_In_Yuko = in.ReadBool(L"Dir_In_Yuko", true);
    options.OldDir_In = in.ReadText(L"OldDir_In", CurrentFolder());
    DirName(options.Dir_In_Yuko ? options.Dir_In : options.OldDir_In);
}

std::vector<ChildForm::PopupItem> mdiInDir::PopupItems() const
{
    return {{kIdRefresh, GeneralString(general_text::Refresh)},
            {kIdAdd, GeneralString(general_text::AddAlias)},
            {kIdMente, GeneralString(general_text::MaintainAliases)}};
}

void mdiInDir::LoadMore()
{
    aliases_.Load(SettingsReader(Store(), location_));
    ShowAliasMenu();
}

void mdiInDir::ShowAliasMenu()
{
    HMENU menu = PopupMenu();
    if (!menu) return;
    // Hidden items are not in the menu at all: everything after mnuMente is laid anew.
    while (GetMenuItemCount(menu) > 3) DeleteMenu(menu, 3, MF_BYPOSITION);
    if (aliases_.Count() > 0) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        for (int i = 0; i <= aliases_.LastIndex(); ++i)
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(kIdFirstAddDir + i),
                        MenuLiteral(aliases_.Slot(i).Name).c_str());
    }
    EnableMenuItem(menu, kIdMente, MF_BYCOMMAND | (aliases_.Count() > 0 ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, kIdAdd, MF_BYCOMMAND | (aliases_.Full() ? MF_GRAYED : MF_ENABLED));
}

void mdiInDir::SaveMore()
{
    if (options.AutoRunning) return;
    const SettingsWriter out(Store());
    out.WriteText(L"Dir_In", options.Dir_In);
    out.WriteBool(L"Dir_In_Yuko", options.Dir_In_Yuko);
    out.WriteText(L"OldDir_In", DirName());
    aliases_.Save(out);
}

std::wstring mdiInDir::DirName() const
{
    if (!dlbDir_.Exists() || dlbDir_.Path().empty()) return {};
    return ExpandLongPath(dlbDir_.Path());
}

void mdiInDir::DirName(const std::wstring& strDirName)
{
    if (drvDrive_.SetDrive(strDirName) && dlbDir_.SetPath(strDirName)) {
        RefreshForm();
        return;
    }
    const std::wstring here = CurrentFolder();
    drvDrive_.SetDrive(here);
    dlbDir_.SetPath(here);
    RefreshForm();
}

void mdiInDir::RefreshForm()
{
    // The open folder vanished (a stick pulled, renamed elsewhere): this window moves to the same
    // fall-back the input file window takes, so the two never show different folders.
    const std::wstring shown = dlbDir_.Path();
    if (!shown.empty() && !FolderExists(shown)) {
        const std::wstring here = CurrentFolder();
        drvDrive_.SetDrive(here);
        dlbDir_.SetPath(here);
    }
    drvDrive_.Refresh();
    dlbDir_.Refresh();
    dlbDir_Change();
}

void mdiInDir::drvDrive_Change()
{
    if (revertingDrive_) return;
    if (dlbDir_.SetPath(drvDrive_.DriveName())) return;
    // No medium, or the drive is gone: the list goes back to the drive of the open folder, which
    // stays open.
    const std::wstring open = dlbDir_.Path();
    revertingDrive_ = true;
    drvDrive_.SetDrive(open);
    revertingDrive_ = false;
}

void mdiInDir::dlbDir_Change()
{
    std::wstring shown;
    const std::wstring full = ExpandLongPath(dlbDir_.Path());
    if (!full.empty()) shown = ShortenPath(full);
    SetWindowTextW(txtDir_, shown.c_str());
    AnnounceFolder(dlbDir_.Path());
}

void mdiInDir::AnnounceFolder(const std::wstring& folder)
{
    if (follower_) {
        follower_(folder);
        return;
    }
    Host().FolderOpened(folder);
}

bool mdiInDir::drvDrive_KeyPress(wchar_t KeyAscii)
{
    if (KeyAscii != L'\r') return false;
    SetFocus(dlbDir_.Handle());
    return true;
}

bool mdiInDir::dlbDir_KeyPress(wchar_t KeyAscii)
{
    if (KeyAscii == L'\r') {
        dlbDir_.OpenRow(dlbDir_.ListIndex());
        return true;
    }
    if (KeyAscii == L'\b') {
        const int above = dlbDir_.ListIndex() - 1;
        if (above >= -dlbDir_.AncestorCount()) dlbDir_.OpenRow(above);
        return true;
    }
    return false;
}

void mdiInDir::FocusStart()
{
    SetFocus(drvDrive_.Exists() ? drvDrive_.Handle() : Handle());
}

void mdiInDir::mnuAdd_Click()
{
    if (aliases_.Full()) return;
    const std::wstring folder = DirName();
    // The open folder vanished or is no drive path: an alias of it could never be opened.
    if (folder.empty()) {
        ShowBox(GeneralString(general_text::NoOpenFolder), MB_OK);
        return;
    }
    std::wstring prompt = GeneralString(general_text::AliasPrompt) + L'\r' + folder;
    std::wstring answer = InputBox(Handle(), prompt, GeneralString(general_text::AliasTitle), ShortenPath(folder));
    if (answer.empty()) return;
    if (aliases_.HasName(answer)) {
        ShowBox(GeneralString(general_text::AliasTaken), MB_OK);
        return;
    }
    aliases_.Add(FolderAlias{answer, folder});
    ShowAliasMenu();
}

void mdiInDir::mnuAddDir_Click(int Index)
{
    if (Index < 0 || Index > aliases_.LastIndex()) return;
    DirName(aliases_.Slot(Index).Dir);
}

void mdiInDir::mnuMente_Click()
{
    if (aliases_.Count() == 0) return;
    AliasDialog* dialog = aliasDialog_ ? aliasDialog_ : &Host().FolderAliasDialog();
    for (int i = 0; i < FolderAliases::kSlots; ++i) {
        FolderAlias alias = aliases_.Slot(i);
        dialog->SetEntry(static_cast<std::int16_t>(i), alias.Name, alias.Dir);
    }
    dialog->SetCallerCaption(ProgramString(program_text::InDirCaption));
    dialog->ShowModal();
    if (!dialog->Accepted()) return;

    int last = dialog->LastIndex();
    if (last > FolderAliases::kSlots - 1) last = FolderAliases::kSlots - 1;
    std::array<FolderAlias, FolderAliases::kSlots> slots{};
    for (int i = 0; i <= last; ++i)
        dialog->Entry(static_cast<std::int16_t>(i), slots[static_cast<std::size_t>(i)].Name,
                         slots[static_cast<std::size_t>(i)].Dir);
    aliases_.Assign(slots, last < 0 ? 0 : last + 1);
    ShowAliasMenu();
}

bool mdiInDir::OnPopupCommand(int id)
{
    switch (id) {
        case kIdRefresh: mnuRefresh_Click(); return true;
        case kIdAdd: mnuAdd_Click(); return true;
        case kIdMente: mnuMente_Click(); return true;
        default:
            if (id >= kIdFirstAddDir && id < kIdFirstAddDir + FolderAliases::kSlots) {
                mnuAddDir_Click(id - kIdFirstAddDir);
                return true;
            }
            return false;
    }
}

void mdiInDir::Form_Resize()
{
    if (!drvDrive_.Exists() || !dlbDir_.Exists() || !txtDir_) return;
    const TwipsScale& s = Scale();
    auto heightOf = [&](HWND control) {
        RECT rc{};
        GetWindowRect(control, &rc);
        return s.YToTwips(rc.bottom - rc.top);
    };
    const float driveHeight = heightOf(drvDrive_.Handle());
    const float textHeight = heightOf(txtDir_);
    const float W = RoundTwips(ScaleWidth() - 120);
    const float H = RoundTwips(ScaleHeight() - 240 - driveHeight - textHeight);
    if (W <= 0) return;

    // A drop-down list takes the height of its opened list; the closed box keeps its own.
    RECT dropped{};
    SendMessageW(drvDrive_.Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const int dropHeight = dropped.bottom > dropped.top ? dropped.bottom - dropped.top : s.YToPixels(kDriveDropHeight);
    MoveWindow(drvDrive_.Handle(), s.XToPixels(60), s.YToPixels(60), s.XToPixels(W), dropHeight, TRUE);
    drvDrive_.Refresh();

    const float folderTop = driveHeight + 120;
    const float folderHeight = H > 0 ? H : heightOf(dlbDir_.Handle());
    MoveControl(dlbDir_.Handle(), TwipsRect{60, folderTop, W, folderHeight});
    MoveControl(txtDir_, TwipsRect{60, folderTop + H + 60, W, textHeight});
}

} // namespace tavlo
