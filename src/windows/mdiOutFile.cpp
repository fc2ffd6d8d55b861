#include "windows/mdiOutFile.h"

#include "common/Catalogue.h"
#include "ui/HeldStates.h"
#include "windows/FormTexts.h"
#include "windows/SharedMenu.h"

#include <commctrl.h>

namespace tavlo {

namespace {

enum : int {
    kCmdDel = kCmdFirstPopupItem,
    kCmdRefresh,
    kCmdAll,
    kCmdClear,
};

} // namespace

mdiOutFile::mdiOutFile(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"OutFile_", program_text::ResultCaption, form_text::kOutFileLoadError}), dragRunner_(DragFilesOut)
{
}

mdiOutFile::~mdiOutFile()
{
    // While this object is whole: the list's subclass points at it.
    ChildForm::DestroyHandle();
}

void mdiOutFile::SetDragRunner(DragRunner fn) { dragRunner_ = fn ? std::move(fn) : DragRunner(DragFilesOut); }

void mdiOutFile::CreateControls()
{
    lstOutFile_ = CreateControl(L"LISTBOX",
                                WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                                0, {}, nullptr, WS_EX_CLIENTEDGE);
    ControlHook::Add(lstOutFile_, this, [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                               const ControlHook::Next& next) -> LRESULT {
        if (msg != WM_LBUTTONDOWN) return next(hwnd, msg, wParam, lParam);
        return lstOutFile_MouseDown(wParam, lParam, next);
    });
    AddFontControl(lstOutFile_);
    AddContextControl(lstOutFile_);
    AddToolTipControl(lstOutFile_, ProgramText(program_text::ResultListTip));
    redraw_.SetBeforeDraw([this] { width_.Apply(lstOutFile_); });
    results_.Clear();
}

void mdiOutFile::OnDestroy()
{
    redraw_.Forget();
    width_.Reset(nullptr);
    lstOutFile_ = nullptr;
    ChildForm::OnDestroy();
}

void mdiOutFile::Form_Resize()
{
    // A new font (this runs after every font change) means new widths.
    width_.FollowFont(lstOutFile_);
    FillWithControl(lstOutFile_);
}

std::vector<ChildForm::PopupItem> mdiOutFile::PopupItems() const
{
    return {{kCmdDel, GeneralString(general_text::Reset)},
            {kCmdRefresh, GeneralString(general_text::Refresh)},
            {kCmdAll, GeneralString(general_text::SelectAll)},
            {kCmdClear, GeneralString(general_text::ClearSelection)},
            {0, {}},
            {kCmdUndo, ProgramString(program_text::UndoMenu)}};
}

bool mdiOutFile::OnPopupCommand(int id)
{
    switch (id) {
        case kCmdDel: mnuDel_Click(); return true;
        case kCmdRefresh: mnuRefresh_Click(); return true;
        case kCmdAll: mnuAll_Click(); return true;
        case kCmdClear: mnuClear_Click(); return true;
        default: return false;
    }
}

void mdiOutFile::ListInAdd(const std::wstring& strPathData)
{
    const ResultModel::Added added = results_.ListInAdd(strPathData);
    if (!lstOutFile_) return;
    const auto index = static_cast<WPARAM>(added.index);
    if (added.change == ResultModel::Change::Appended) {
        redraw_.Hold(lstOutFile_);
        SendMessageW(lstOutFile_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strPathData.c_str()));
    } else if (added.change == ResultModel::Change::Replaced) {
        redraw_.Hold(lstOutFile_);
        // A list box cannot change an entry's text: out and in again at the same place,
        // keeping its selection.
        const bool selected = SendMessageW(lstOutFile_, LB_GETSEL, index, 0) > 0;
        SendMessageW(lstOutFile_, LB_DELETESTRING, index, 0);
        SendMessageW(lstOutFile_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(strPathData.c_str()));
        if (selected) SendMessageW(lstOutFile_, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
    } else {
        return; // already listed as it is, or the list is full
    }
    width_.Fit(lstOutFile_, strPathData);
}

void mdiOutFile::ReadSelection()
{
    if (!lstOutFile_) return;
    for (std::size_t i = 0; i < results_.Count(); ++i)
        results_.SetSelected(i, SendMessageW(lstOutFile_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
}

void mdiOutFile::Rebuild()
{
    if (!lstOutFile_) return;
    const LRESULT top = SendMessageW(lstOutFile_, LB_GETTOPINDEX, 0, 0);
    redraw_.Hold(lstOutFile_);
    SendMessageW(lstOutFile_, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < results_.Count(); ++i) {
        SendMessageW(lstOutFile_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(results_.Entry(i).c_str()));
        if (results_.IsSelected(i)) SendMessageW(lstOutFile_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    }
    if (top != LB_ERR) SendMessageW(lstOutFile_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    width_.Remeasure(lstOutFile_);
}

void mdiOutFile::mnuDel_Click()
{
    results_.Clear();
    if (!lstOutFile_) return;
    SendMessageW(lstOutFile_, LB_RESETCONTENT, 0, 0);
    width_.Reset(lstOutFile_);
}

void mdiOutFile::RefreshForm()
{
    mnuRefresh_Click();
}

void mdiOutFile::mnuRefresh_Click()
{
    WaitCursor wait;
    ReadSelection();
    // An entry that can no longer be opened goes; the rest show their present long path.
    // A failing check empties the whole list.
    results_.Refresh();
    Rebuild();
}

void mdiOutFile::SelectAll()
{
    if (lstOutFile_) SendMessageW(lstOutFile_, LB_SETSEL, TRUE, -1);
}

void mdiOutFile::SelectClear()
{
    if (lstOutFile_) SendMessageW(lstOutFile_, LB_SETSEL, FALSE, -1);
}

std::vector<std::wstring> mdiOutFile::lstOutFile_OLESetData() const
{
    std::vector<std::wstring> paths;
    if (!lstOutFile_) return paths;
    for (std::size_t i = 0; i < results_.Count(); ++i) {
        if (SendMessageW(lstOutFile_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) paths.push_back(results_.Entry(i));
    }
    return paths;
}

bool mdiOutFile::lstOutFile_OLEStartDrag()
{
    if (!lstOutFile_ || results_.Count() == 0) return false;
    // The file list is made only when the drop target asks for it, from the selection then.
    dragRunner_([this] { return lstOutFile_OLESetData(); });
    return true;
}

LRESULT mdiOutFile::lstOutFile_MouseDown(WPARAM wParam, LPARAM lParam, const ControlHook::Next& next)
{
    HWND list = lstOutFile_;
    if (results_.Count() == 0) return next(list, WM_LBUTTONDOWN, wParam, lParam);
    POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(list, &screen);
    // Drag detection waits for the button to come up or the mouse to move away: only while the
    // button really is down.
    const bool held = GetKeyState(VK_LBUTTON) < 0;

    // A press on a selected entry keeps the selection, so that several entries can be dragged
    // together; without a drag it is an ordinary click after all.
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
    const bool onSelected = hit != LB_ERR && HIWORD(hit) == 0 && !(wParam & (MK_SHIFT | MK_CONTROL)) &&
                            SendMessageW(list, LB_GETSEL, LOWORD(hit), 0) > 0;
    if (held && onSelected) {
        if (DragDetect(list, screen)) {
            SetFocus(list);
            lstOutFile_OLEStartDrag();
            return 0;
        }
        next(list, WM_LBUTTONDOWN, wParam, lParam);
        next(list, WM_LBUTTONUP, 0, lParam);
        return 0;
    }
    next(list, WM_LBUTTONDOWN, wParam, lParam);
    if (!held) return 0;
    // The press selected as usual; moving away now drags what is selected. Either way the button
    // release was taken by the detection, so the list is told it ended.
    const bool drag = DragDetect(list, screen) != FALSE;
    next(list, WM_LBUTTONUP, 0, lParam);
    if (drag) lstOutFile_OLEStartDrag();
    return 0;
}

} // namespace tavlo
