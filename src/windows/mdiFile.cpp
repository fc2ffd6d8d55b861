#include "windows/mdiFile.h"

#include "common/Catalogue.h"
#include "common/PathUtil.h"
#include "core/Paths.h"
#include "ui/ControlHook.h"
#include "ui/Icons.h"
#include "ui/Twips.h"
#include "windows/FormTexts.h"
#include "windows/SharedMenu.h"

#include <commctrl.h>

namespace tavlo {

namespace {

enum : int {
    kCmdAll = kCmdFirstPopupItem,
    kCmdClear,
    kCmdInCopy,
};

enum : int {
    kIdList = 1,
    kIdDel = 2,
    kIdDelAll = 3,
};

// Fixed sizes of the two icon buttons, in twips.
constexpr float kButtonWidth = 495;
constexpr float kButtonHeight = 375;

} // namespace

mdiFile::mdiFile(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"File_", program_text::TargetCaption, form_text::kFileLoadError})
{
}

mdiFile::~mdiFile()
{
    // While this object is whole: the list's subclass and the drop target point at it.
    ChildForm::DestroyHandle();
}


void mdiFile::CreateControls()
{
    lstFile_ = CreateControl(L"LISTBOX",
                             WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                             kIdList, {}, nullptr, WS_EX_CLIENTEDGE);
    btnDel_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, kIdDel);
    btnDelAll_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, kIdDelAll);
    // A new list box starts empty, as the windows do after every reload.
    targets_.Clear();

    MoveControl(lstFile_, TwipsRect{60, 60, 2295, 1815});
    MoveControl(btnDel_, TwipsRect{120, 2280, kButtonWidth, kButtonHeight});
    MoveControl(btnDelAll_, TwipsRect{720, 2280, kButtonWidth, kButtonHeight});
    FitButtonIcons();

    ControlHook::Add(lstFile_, this, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            const ControlHook::Next& next) -> LRESULT {
        if (msg != WM_CHAR || wParam != 13) return next(hwnd, msg, wParam, lParam);
        lstFile_KeyPress(13);
        return 0;
    });
    redraw_.SetBeforeDraw([this] {
        width_.Apply(lstFile_);
        if (pendingTop_) SendMessageW(lstFile_, LB_SETTOPINDEX, static_cast<WPARAM>(*pendingTop_), 0);
        pendingTop_.reset();
    });
    AddFontControl(lstFile_);
    AddContextControl(lstFile_);
    AddToolTipControl(lstFile_, ProgramText(program_text::TargetListTip));
    AddToolTipControl(btnDel_, ProgramText(program_text::TakeOutSelectedTip));
    AddToolTipControl(btnDelAll_, ProgramText(program_text::TakeOutAllTip));

    AcceptDrops(true);
}

void mdiFile::AcceptDrops(bool accept)
{
    if (!accept) {
        dropTarget_ = DropTargetRegistration();
        return;
    }
    // The list is the window's only drop target; without OLE on the thread there is simply none.
    if (lstFile_ && !dropTarget_)
        dropTarget_ = DropTargetRegistration(lstFile_, [this](const std::vector<std::wstring>& paths) {
            lstFile_OLEDragDrop(paths);
        });
}

void mdiFile::OnDestroy()
{
    redraw_.Forget();
    width_.Reset(nullptr);
    dropTarget_ = DropTargetRegistration();
    lstFile_ = btnDel_ = btnDelAll_ = nullptr;
    targets_.Clear();
    ChildForm::OnDestroy();
}

void mdiFile::Form_Resize()
{
    if (!lstFile_) return;
    RECT button{};
    GetWindowRect(btnDel_, &button);
    const float w = RoundTwips(ScaleWidth() - 120);
    const float h = RoundTwips(ScaleHeight() - Scale().YToTwips(button.bottom - button.top) - 180);
    // A new font (this runs after every font change) means new widths.
    width_.FollowFont(lstFile_);
    if (w <= 0) return;
    RECT list{};
    GetWindowRect(lstFile_, &list);
    const float listHeight = h > 0 ? h : Scale().YToTwips(list.bottom - list.top);
    MoveControl(lstFile_, TwipsRect{60, 60, w, listHeight});
    const float buttonWidth = Scale().XToTwips(button.right - button.left);
    MoveControl(btnDel_, TwipsRect{60, h + 120, kButtonWidth, kButtonHeight});
    MoveControl(btnDelAll_, TwipsRect{buttonWidth + 120, h + 120, kButtonWidth, kButtonHeight});
    FitButtonIcons();
}

void mdiFile::FitButtonIcons()
{
    FitButtonIcon(btnDel_, ButtonIcon::TakeOutSelected);
    FitButtonIcon(btnDelAll_, ButtonIcon::TakeOutAll);
}

std::vector<ChildForm::PopupItem> mdiFile::PopupItems() const
{
    return {{kCmdAll, GeneralString(general_text::SelectAll)},
            {kCmdClear, GeneralString(general_text::ClearSelection)},
            {kCmdInCopy, ProgramString(program_text::SameFolderMenu)}};
}

bool mdiFile::OnPopupCommand(int id)
{
    switch (id) {
        case kCmdAll: mnuAll_Click(); return true;
        case kCmdClear: mnuClear_Click(); return true;
        case kCmdInCopy: mnuInCopy_Click(); return true;
        default: return false;
    }
}

bool mdiFile::OnCommand(int id, int code, HWND control)
{
    if (control && control == btnDel_) {
        if (code == BN_CLICKED) btnDel_Click();
        return true;
    }
    if (control && control == btnDelAll_) {
        if (code == BN_CLICKED) btnDelAll_Click();
        return true;
    }
    return ChildForm::OnCommand(id, code, control);
}

std::optional<LRESULT> mdiFile::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // While a run walks the list its window is disabled; files dropped then would be added behind
    // the run's back and removed with the finished ones at its end, so no drop is taken.
    if (msg == WM_ENABLE) AcceptDrops(wParam != FALSE);
    return ChildForm::HandleMessage(msg, wParam, lParam);
}

bool mdiFile::ListInAdd(const std::wstring& strPathData)
{
    if (!lstFile_) return false;
    // A listed path is fine even when the list is full: the duplicate test comes first.
    switch (targets_.Append(strPathData)) {
        case TargetList::Added::AlreadyListed: return true;
        case TargetList::Added::Full: ShowBox(ProgramString(program_text::TargetListFull), MB_OK); return false;
        case TargetList::Added::New: break;
    }
    // A drop of a thousand files draws the list once, not a thousand times.
    redraw_.Hold(lstFile_);
    const LRESULT added = SendMessageW(lstFile_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strPathData.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) {
        targets_.Erase(targets_.Count() - 1);
        return false;
    }
    width_.Fit(lstFile_, strPathData);
    return true;
}

bool mdiFile::Gaibu_ListInAdd(const std::wstring& strPathData)
{
    const std::optional<std::wstring> target =
        collector_ ? collector_->Target(strPathData) : TargetCollector().Target(strPathData);
    if (!target) {
        ++passedOver_;
        return true;
    }
    return ListInAdd(*target);
}

mdiFile::AddBatch::AddBatch(mdiFile& form, const std::vector<std::wstring>& names) : form_(form)
{
    form_.collector_ = std::make_unique<TargetCollector>(names);
    form_.passedOver_ = 0;
}

mdiFile::AddBatch::~AddBatch()
{
    form_.collector_.reset();
    PacedRedraw::DrawAll();
}

void mdiFile::lstFile_OLEDragDrop(const std::vector<std::wstring>& paths)
{
    AddBatch batch(*this, paths);
    // The first refusal ends the batch, so a full list says so once.
    for (const std::wstring& path : paths)
        if (!Gaibu_ListInAdd(path)) break;
    Host().TargetsChanged();
}

void mdiFile::ShowAtTop(std::size_t index)
{
    if (!lstFile_) return;
    redraw_.Hold(lstFile_);
    pendingTop_ = index;
}

void mdiFile::DeleteRow(std::size_t index)
{
    SendMessageW(lstFile_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void mdiFile::ReplaceEntry(std::size_t index, const std::wstring& path)
{
    if (!lstFile_ || index >= targets_.Count()) return;
    targets_.Replace(index, path);
    const bool selected = SendMessageW(lstFile_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
    redraw_.Hold(lstFile_);
    DeleteRow(index);
    SendMessageW(lstFile_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(path.c_str()));
    if (selected) SendMessageW(lstFile_, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
    width_.Fit(lstFile_, path);
}

void mdiFile::BeginRun()
{
    targets_.BeginRun();
    if (!lstFile_) return;
    redraw_.Hold(lstFile_);
    SendMessageW(lstFile_, LB_SETSEL, TRUE, -1);
}

void mdiFile::MarkDone(std::size_t index)
{
    targets_.MarkDone(index);
    if (!lstFile_) return;
    redraw_.Hold(lstFile_);
    SendMessageW(lstFile_, LB_SETSEL, FALSE, static_cast<LPARAM>(index));
}

void mdiFile::EndRun()
{
    const std::vector<std::size_t> leaving = targets_.EndRun();
    if (!lstFile_) return;
    // Every entry done (the usual end) empties the box at once. Otherwise the rows go from the top
    // down, as the run went by them, and the list keeps the place the run had scrolled to: it is drawn
    // there first, so that the removals start from the top row the run reached.
    if (targets_.Count() == 0) {
        redraw_.Hold(lstFile_);
        SendMessageW(lstFile_, LB_RESETCONTENT, 0, 0);
    } else {
        PacedRedraw::DrawAll();
        redraw_.Hold(lstFile_);
        for (std::size_t k = 0; k < leaving.size(); ++k) DeleteRow(leaving[k] - k);
    }
    SendMessageW(lstFile_, LB_SETSEL, FALSE, -1);
}

void mdiFile::RemoveMissing()
{
    if (!lstFile_) return;
    redraw_.Hold(lstFile_);
    for (std::size_t i = targets_.Count(); i-- > 0;) {
        if (CanOpenFile(targets_.At(i))) continue;
        targets_.Erase(i);
        DeleteRow(i);
    }
}

void mdiFile::RefreshForm()
{
    targets_.Clear();
    if (!lstFile_) return;
    SendMessageW(lstFile_, LB_RESETCONTENT, 0, 0);
    width_.Reset(lstFile_);
}

void mdiFile::SelectAll()
{
    if (lstFile_) SendMessageW(lstFile_, LB_SETSEL, TRUE, -1);
}

void mdiFile::SelectClear()
{
    if (lstFile_) SendMessageW(lstFile_, LB_SETSEL, FALSE, -1);
}

void mdiFile::btnDel_Click()
{
    if (!lstFile_) return;
    for (std::size_t i = targets_.Count(); i-- > 0;) {
        const LRESULT selected = SendMessageW(lstFile_, LB_GETSEL, static_cast<WPARAM>(i), 0);
        if (selected == LB_ERR) return;
        if (selected == 0) continue;
        targets_.Erase(i);
        DeleteRow(i);
    }
    Host().TargetsChanged();
}

void mdiFile::btnDelAll_Click()
{
    RefreshForm();
    Host().TargetsChanged();
}

void mdiFile::mnuInCopy_Click()
{
    if (!lstFile_) return;
    for (std::size_t i = 0; i < targets_.Count(); ++i) {
        if (SendMessageW(lstFile_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
            const std::wstring folder = GetFolderName(targets_.At(i));
            if (folderTarget_) folderTarget_(folder);
            else Host().OpenFolder(folder);
            return;
        }
    }
}

void mdiFile::lstFile_KeyPress(int KeyAscii)
{
    if (KeyAscii != 13) return;
    Host().FocusLog();
}

} // namespace tavlo
