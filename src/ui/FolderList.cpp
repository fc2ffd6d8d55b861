#include "ui/HeldStates.h"
#include "ui/FolderList.h"

#include "common/FileEnum.h"
#include "common/GdiHandles.h"
#include "core/Wildcard.h"
#include "core/Names.h"
#include "core/Paths.h"
#include "ui/ListRows.h"

#include <algorithm>

namespace tavlo {

bool FolderList::Create(HWND parent, bool visible, const RECT& place)
{
    if (Exists()) return true;
    const DWORD style = WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA |
                        LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    if (!CreateControl(parent, L"LISTBOX", style, 0, visible, place)) return false;
    OnFontChanged();
    if (!SetPath(CurrentFolder())) Fill();
    return true;
}

bool FolderList::SetPath(const std::wstring& path)
{
    std::wstring full = AbsoluteFolderPath(path);
    if (full.empty() || !FolderExists(full)) return false;
    std::vector<std::wstring> chain = FolderChain(full);
    if (chain.empty()) return false;

    const bool changed = full != path_;
    rootIcon_ = DriveIcon(KindOfDrive(chain.front()));
    path_ = std::move(full);
    chain_ = std::move(chain);
    // A folder that exists but cannot be listed (access denied) opens as an empty one.
    subfolders_ = ListNames(path_, &IsListedFolder).value_or(std::vector<std::wstring>{});
    Fill();
    if (changed) Notify(OnChange);
    return true;
}

std::wstring FolderList::List(int index) const
{
    if (index < 0) {
        int up = -index;
        if (up > AncestorCount()) return {};
        return chain_[chain_.size() - static_cast<std::size_t>(up)];
    }
    if (index >= ListCount()) return {};
    return JoinPath(path_, subfolders_[static_cast<std::size_t>(index)]);
}

int FolderList::ListIndex() const
{
    if (!Exists()) return -1;
    auto row = static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
    if (row == LB_ERR) return -1;
    return row - AncestorCount();
}

bool FolderList::SetListIndex(int index)
{
    if (!Exists() || index < -AncestorCount() || index >= ListCount()) return false;
    return SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(RowOfIndex(index)), 0) != LB_ERR;
}

bool FolderList::OpenRow(int index)
{
    std::wstring target = List(index);
    if (target.empty()) return false;
    if (SetPath(target)) return true;
    // The folder went away since it was listed: show what is there now.
    Refresh();
    return false;
}

bool FolderList::Refresh()
{
    if (path_.empty()) return false;
    std::optional<std::vector<std::wstring>> names = ListNames(path_, &IsListedFolder);
    subfolders_ = names ? std::move(*names) : std::vector<std::wstring>{};
    Fill();
    return names.has_value();
}

void FolderList::Fill()
{
    if (!Exists()) return;
    HWND list = Handle();
    const HeldRedraw held(list);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_SETCOUNT, chain_.size() + subfolders_.size(), 0);
    if (!chain_.empty()) SendMessageW(list, LB_SETCURSEL, chain_.size() - 1, 0);
}

std::wstring FolderList::RowText(int row) const
{
    const int ancestors = AncestorCount();
    if (row < 0) return {};
    if (row < ancestors) return FolderRowName(chain_[static_cast<std::size_t>(row)]);
    if (row - ancestors < ListCount()) return subfolders_[static_cast<std::size_t>(row - ancestors)];
    return {};
}

int FolderList::OnCharToItem(wchar_t c, int caret)
{
    int row = NextRowStartingWith(AncestorCount() + ListCount(), caret, c, [this](int i) { return RowText(i); });
    return row < 0 ? -2 : row;
}

void FolderList::OnNotify(int code)
{
    if (code == LBN_DBLCLK) OpenRow(ListIndex());
}

bool FolderList::OnChar(wchar_t c)
{
    if (c == L'\r') {
        OpenRow(ListIndex());
        return true;
    }
    if (c == L'\b') {
        // The row above the highlighted one: from the open folder, its parent.
        if (ListIndex() - 1 >= -AncestorCount()) OpenRow(ListIndex() - 1);
        return true;
    }
    return false;
}

void FolderList::OnFontChanged()
{
    if (Exists()) SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, RowHeightForFont());
}

void FolderList::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
        return;
    }
    const int row = static_cast<int>(item.itemID);
    const int ancestors = AncestorCount();
    if (row >= ancestors + ListCount()) return;
    const int level = row < ancestors ? row : ancestors;
    const int icon = IconSize();
    const int step = icon / 2;
    const int iconX = rc.left + 2 + level * step;

    FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
    const ListIcon kind = row == 0 ? rootIcon_ : row < ancestors ? ListIcon::OpenFolder : ListIcon::ClosedFolder;
    DrawListIcon(dc, iconX, rc.top + (rc.bottom - rc.top - icon) / 2, kind, icon, enabled);

    const std::wstring text = RowText(row);
    RECT textRect{iconX + icon + 3, rc.top, rc.right, rc.bottom};
    SIZE extent{};
    const SelectedObject font(dc, ControlFont());
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT mark{textRect.left - 1, rc.top, std::min<LONG>(rc.right, textRect.left + extent.cx + 2), rc.bottom};
    if (selected) FillRect(dc, &mark, GetSysColorBrush(enabled ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &mark);
}

} // namespace tavlo
