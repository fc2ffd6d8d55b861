#include "ui/HeldStates.h"
#include "ui/DriveList.h"

#include "common/GdiHandles.h"
#include "core/Wildcard.h"
#include "ui/ListRows.h"

#include <commctrl.h>

#include <algorithm>

namespace tavlo {

namespace {

// Rows the opened list shows before it scrolls.
constexpr int kVisibleRows = 12;

} // namespace

bool DriveList::Create(HWND parent, bool visible, const RECT& place)
{
    if (Exists()) return true;
    // The height given at creation is the opened list's; the closed box takes the row height.
    RECT tall = place;
    tall.bottom = std::max<LONG>(place.bottom, place.top + 300);
    const DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    if (!CreateControl(parent, L"COMBOBOX", style, 0, visible, tall)) return false;
    SendMessageW(Handle(), CB_SETMINVISIBLE, kVisibleRows, 0);
    OnFontChanged();
    Refresh();
    return true;
}

std::wstring DriveList::Drive() const
{
    return current_ >= 0 ? drives_[static_cast<std::size_t>(current_)].Text : std::wstring();
}

std::wstring DriveList::DriveName() const
{
    return current_ >= 0 ? DriveOfText(drives_[static_cast<std::size_t>(current_)].Root) : std::wstring();
}

std::wstring DriveList::List(int index) const
{
    if (index < 0 || index >= ListCount()) return {};
    return drives_[static_cast<std::size_t>(index)].Text;
}

int DriveList::Find(const std::wstring& driveName) const
{
    if (driveName.empty()) return -1;
    for (std::size_t i = 0; i < drives_.size(); ++i)
        if (DriveOfText(drives_[i].Root) == driveName) return static_cast<int>(i);
    return -1;
}

bool DriveList::SetDrive(const std::wstring& drive)
{
    int index = Find(DriveOfText(drive));
    if (index < 0) {
        // A drive that came after the last reading counts too.
        Refresh();
        index = Find(DriveOfText(drive));
        if (index < 0) return false;
    }
    if (!DriveIsReady(drives_[static_cast<std::size_t>(index)].Root)) return false;
    const bool changed = index != current_;
    Select(index);
    if (changed) Notify(OnChange);
    return true;
}

void DriveList::Refresh()
{
    const std::wstring before = DriveName();
    std::vector<Entry> drives;
    for (std::wstring& root : LogicalDriveRoots()) {
        DriveKind kind = KindOfDrive(root);
        std::wstring text = DriveRowText(root, DriveLabel(root, kind));
        drives.push_back(Entry{std::move(root), kind, std::move(text)});
    }
    drives_ = std::move(drives);

    int index = Find(before);
    if (index < 0) index = Find(DriveOfText(CurrentFolder()));
    if (index < 0 && !drives_.empty()) index = 0;
    current_ = index;
    Fill();
    // The first reading sets the drive; only a later one can change it.
    if (!before.empty() && DriveName() != before) Notify(OnChange);
}

void DriveList::Fill()
{
    if (!Exists()) return;
    HWND box = Handle();
    const HeldRedraw held(box);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const Entry& entry : drives_)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.Text.c_str()));
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
}

void DriveList::Select(int index)
{
    current_ = index;
    if (Exists()) SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DriveList::TakeUserChoice()
{
    auto chosen = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
    if (chosen == CB_ERR || chosen < 0 || chosen >= ListCount() || chosen == current_) return;
    current_ = chosen;
    Notify(OnChange);
}

void DriveList::OnNotify(int code)
{
    switch (code) {
        case CBN_SELCHANGE:
            // While the list is open the selection follows the pointer; the choice counts when it closes.
            if (!SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0)) TakeUserChoice();
            break;
        case CBN_SELENDOK: TakeUserChoice(); break;
        case CBN_SELENDCANCEL:
            SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
            break;
        default: break;
    }
}

void DriveList::OnFontChanged()
{
    if (!Exists()) return;
    const int height = RowHeightForFont();
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
}

void DriveList::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0 && IsWindowEnabled(Handle());
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rc, GetSysColorBrush(selected && enabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= drives_.size()) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
        return;
    }
    const Entry& entry = drives_[item.itemID];
    const int icon = IconSize();
    DrawListIcon(dc, rc.left + 2, rc.top + (rc.bottom - rc.top - icon) / 2, DriveIcon(entry.Kind), icon, enabled);
    RECT textRect{rc.left + 2 + icon + 4, rc.top, rc.right - 2, rc.bottom};
    const SelectedObject font(dc, ControlFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, entry.Text.c_str(), static_cast<int>(entry.Text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

} // namespace tavlo
