#include "windows/mdiInFile.h"

#include "common/Catalogue.h"
#include "common/FileEnum.h"
#include "common/OnItsOwn.h"
#include "common/PathUtil.h"
#include "core/Names.h"
#include "core/Paths.h"
#include "settings/Options.h"
#include "ui/HeldStates.h"
#include "ui/Icons.h"
#include "ui/InputBox.h"
#include "ui/PacedRedraw.h"
#include "windows/FormTexts.h"
#include "windows/SharedMenu.h"


namespace tavlo {

namespace {

constexpr int kIdBtnAdd = 0x6800;
constexpr int kIdBtnAddAll = 0x6801;
constexpr int kIdBtnAddAllAll = 0x6802;

// Places as created, in twips.
constexpr TwipsRect kFilePlace{0, 0, 2535, 1650};
constexpr float kButtonTop = 2040, kButtonWidth = 495, kButtonHeight = 375;
constexpr float kAddLeft = 120, kAddAllLeft = 720, kAddAllAllLeft = 1320;

// What the program falls back to when a filter cannot be used.
constexpr wchar_t kAllFiles[] = L"*.*";

} // namespace

mdiInFile::mdiInFile(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"InFile_", program_text::InFileCaption, form_text::kInFileLoadError})
{
}

mdiInFile::~mdiInFile()
{
    // While this object is whole (the teardown rule in Window.h).
    ChildForm::DestroyHandle();
}

std::wstring mdiInFile::FilterCaption(const std::wstring& filter)
{
    return ProgramString(program_text::FilterMenu) + L"(" + MenuLiteral(filter) + L")";
}

std::wstring mdiInFile::TargetPath(const std::wstring& folder, const std::wstring& name)
{
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += name;
    return ExpandLongPath(path);
}

void mdiInFile::CreateControls()
{
    const TwipsScale& s = Scale();
    auto pixels = [&s](const TwipsRect& r) {
        int x = s.XToPixels(r.Left), y = s.YToPixels(r.Top);
        return RECT{x, y, x + s.XToPixels(r.Width), y + s.YToPixels(r.Height)};
    };
    if (!filFile_.Create(Handle(), true, pixels(kFilePlace))) throw LoadError();

    auto makeButton = [&](int id, float left) {
        HWND button = CreateControl(L"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, id);
        MoveControl(button, TwipsRect{left, kButtonTop, kButtonWidth, kButtonHeight});
        return button;
    };
    btnAdd_ = makeButton(kIdBtnAdd, kAddLeft);
    btnAddAll_ = makeButton(kIdBtnAddAll, kAddAllLeft);
    btnAddAllAll_ = makeButton(kIdBtnAddAllAll, kAddAllAllLeft);
    FitButtonIcons();

    filFile_.OnKeyPress = [this](wchar_t c) { return filFile_KeyPress(c); };
    AddFontControl(filFile_.Handle());
    AddContextControl(filFile_.Handle());
    AddToolTipControl(filFile_.Handle(), ProgramText(program_text::InFileListTip));
    AddToolTipControl(btnAdd_, ProgramText(program_text::AddSelectedTip));
    AddToolTipControl(btnAddAll_, ProgramText(program_text::AddAllTip));
    AddToolTipControl(btnAddAllAll_, ProgramText(program_text::AddSubfoldersTip));

    // The input folder window loads first and has announced its folder already.
    if (!pendingDir_.empty()) {
        const std::wstring folder = pendingDir_;
        DirName(folder);
    }
}

std::vector<ChildForm::PopupItem> mdiInFile::PopupItems() const
{
    return {{kIdFilter, FilterCaption(options.Filter)},
            {kIdRefresh, GeneralString(general_text::Refresh)},
            {kIdAll, GeneralString(general_text::SelectAll)},
            {kIdClear, GeneralString(general_text::ClearSelection)}};
}

void mdiInFile::LoadMore()
{
    // A stored filter the lists cannot use falls back to all files, as the filter command does.
    if (!ApplyPattern(options.Filter)) {
        options.Filter = kAllFiles;
        if (!ApplyPattern(options.Filter)) throw LoadError();
    }
    ShowFilterCaption();
}

void mdiInFile::ShowFilterCaption()
{
    HMENU menu = PopupMenu();
    if (!menu) return;
    const std::wstring caption = FilterCaption(options.Filter);
    ModifyMenuW(menu, kIdFilter, MF_BYCOMMAND | MF_STRING, kIdFilter, caption.c_str());
}

bool mdiInFile::ApplyPattern(const std::wstring& pattern)
{
    return filFile_.SetPattern(pattern);
}

void mdiInFile::DirName(const std::wstring& strDirName)
{
    if (!filFile_.Exists()) {
        pendingDir_ = strDirName;
        return;
    }
    pendingDir_.clear();
    // Opening the folder has just read it: what remains of a refresh is the cleared selection.
    if (filFile_.SetPath(strDirName)) {
        SelectClear();
        return;
    }
    // Never the folder shown before: "add all" would take files the user did not choose.
    if (!filFile_.SetPath(CurrentFolder())) filFile_.Clear();
    RefreshForm();
}

void mdiInFile::RefreshForm()
{
    if (!filFile_.Exists()) return;
    filFile_.Refresh();
    SelectClear();
}

void mdiInFile::SelectAll()
{
    if (filFile_.Exists()) filFile_.SetAllSelected(true);
}

void mdiInFile::SelectClear()
{
    if (filFile_.Exists()) filFile_.SetAllSelected(false);
}

bool mdiInFile::AddToTarget(const std::wstring& path)
{
    if (addTarget_) return addTarget_(path);
    return Host().AddToTargets(path);
}

void mdiInFile::AddRows(bool selectedOnly)
{
    // What was added stays whatever happens on the way; then the rows are left clear of the selection.
    const bool whole = OnItsOwn([&] {
        WaitCursor wait;
        const std::wstring folder = filFile_.Path();
        const int count = filFile_.ListCount();
        for (int i = 0; i < count; ++i) {
            if (selectedOnly && !filFile_.Selected(i)) continue;
            const std::wstring path = TargetPath(folder, filFile_.List(i));
            // The full list has shown its message; this row and those after it stay as they are.
            if (!path.empty() && !AddToTarget(path)) break;
            filFile_.SetSelected(i, false);
        }
    });
    if (!whole) SelectClear();
    Finish();
}

// The end of every add command, whatever happened on the way: the mode buttons follow the target
// list, and the target list shows at once.
void mdiInFile::Finish()
{
    Host().TargetsChanged();
    PacedRedraw::DrawAll();
}

void mdiInFile::btnAdd_Click()
{
    AddRows(true);
}

void mdiInFile::btnAddAll_Click()
{
    AddRows(false);
}

void mdiInFile::btnAddAllAll_Click()
{
    // What was added stays whatever happens on the way; then the rows are left clear of the selection.
    OnItsOwn([&] {
        WaitCursor wait;
        // Read the way the two lists read, without a window: the lists' own filters and order.
        const std::wstring top = filFile_.Path();
        const std::optional<std::vector<std::wstring>> subfolders = top.empty() ? std::nullopt : ListNames(top, &IsListedFolder);
        if (!subfolders) return;
        std::vector<std::wstring> folders{top};
        for (const std::wstring& name : *subfolders) folders.push_back(JoinPath(top, name));
        // The folder itself, then its immediate subfolders in name order; nothing deeper. A folder
        // that cannot be read lists no files, and one gone since is passed over: the walk goes on.
        for (const std::wstring& folder : folders) {
            const std::optional<std::vector<std::wstring>> names = filFile_.NamesIn(folder);
            if (!names) continue;
            for (const std::wstring& name : *names) {
                const std::wstring path = TargetPath(folder, name);
                if (!path.empty() && !AddToTarget(path)) return;
            }
        }
    });
    SelectClear();
    Finish();
}

bool mdiInFile::filFile_KeyPress(wchar_t KeyAscii)
{
    if (KeyAscii != L'\r') return false;
    Host().FocusTargets();
    return true;
}

void mdiInFile::mnuFilter_Click()
{
    const std::wstring prompt = ProgramString(program_text::FilterPrompt) + L'\r' + options.Filter;
    const std::wstring answer = InputBox(Handle(), prompt, ProgramString(program_text::FilterTitle), L"");
    if (answer.empty()) return;
    options.Filter = answer;
    ShowFilterCaption();
    if (ApplyPattern(answer)) {
        filFile_.Refresh();
        return;
    }
    ShowBox(ProgramString(program_text::FilterRefused), MB_OK);
    options.Filter = kAllFiles;
    ShowFilterCaption();
    ApplyPattern(options.Filter);
    filFile_.Refresh();
}

bool mdiInFile::OnPopupCommand(int id)
{
    switch (id) {
        case kIdFilter: mnuFilter_Click(); return true;
        case kIdRefresh: mnuRefresh_Click(); return true;
        case kIdAll: mnuAll_Click(); return true;
        case kIdClear: mnuClear_Click(); return true;
        default: return false;
    }
}

bool mdiInFile::OnCommand(int id, int code, HWND control)
{
    if (control && code == BN_CLICKED) {
        if (control == btnAdd_) return btnAdd_Click(), true;
        if (control == btnAddAll_) return btnAddAll_Click(), true;
        if (control == btnAddAllAll_) return btnAddAllAll_Click(), true;
    }
    return ChildForm::OnCommand(id, code, control);
}

void mdiInFile::FitButtonIcons()
{
    // One sheet and an arrow for the selection, two sheets for all, a folder for the subfolders.
    FitButtonIcon(btnAdd_, ButtonIcon::AddSelected);
    FitButtonIcon(btnAddAll_, ButtonIcon::AddAll);
    FitButtonIcon(btnAddAllAll_, ButtonIcon::AddSubfolders);
}

void mdiInFile::Form_Resize()
{
    if (!filFile_.Exists() || !btnAdd_) return;
    const TwipsScale& s = Scale();
    auto placeOf = [&](HWND control) {
        RECT rc{};
        GetWindowRect(control, &rc);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rc), 2);
        return TwipsRect{s.XToTwips(rc.left), s.YToTwips(rc.top), s.XToTwips(rc.right - rc.left),
                         s.YToTwips(rc.bottom - rc.top)};
    };
    const TwipsRect add = placeOf(btnAdd_);
    const float W = RoundTwips(ScaleWidth() - 120);
    const float H = RoundTwips(ScaleHeight() - add.Height - 180);
    if (W <= 0) return;

    const TwipsRect list = placeOf(filFile_.Handle());
    MoveControl(filFile_.Handle(), TwipsRect{60, 60, W, H > 0 ? H : list.Height});
    const float top = H + 120;
    MoveControl(btnAdd_, TwipsRect{60, top, add.Width, add.Height});
    const TwipsRect addAll = placeOf(btnAddAll_);
    const float addAllLeft = add.Width + 120;
    MoveControl(btnAddAll_, TwipsRect{addAllLeft, top, addAll.Width, addAll.Height});
    const TwipsRect addAllAll = placeOf(btnAddAllAll_);
    MoveControl(btnAddAllAll_, TwipsRect{addAllLeft + addAll.Width + 60, top, addAllAll.Width, addAllAll.Height});
    FitButtonIcons();
}

} // namespace tavlo
