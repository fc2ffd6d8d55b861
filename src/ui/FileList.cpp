#include "ui/HeldStates.h"
#include "ui/FileList.h"

#include "common/FileEnum.h"
#include "common/GdiHandles.h"
#include "core/Names.h"
#include "ui/ListRows.h"

namespace tavlo {

namespace {

FilePattern AllFiles()
{
    return *FilePattern::Parse(L"*.*");
}

} // namespace

FileList::FileList() : pattern_(L"*.*"), parsed_(AllFiles()) {}

bool FileList::Create(HWND parent, bool visible, const RECT& place)
{
    if (Exists()) return true;
    const DWORD style = WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT |
                        LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT;
    if (!CreateControl(parent, L"LISTBOX", style, 0, visible, place)) return false;
    OnFontChanged();
    SetPath(CurrentFolder());
    return true;
}

bool FileList::SetPath(const std::wstring& path)
{
    std::wstring full = AbsoluteFolderPath(path);
    if (full.empty() || !FolderExists(full)) return false;
    // A folder that exists but cannot be listed (access denied) opens as an empty one.
    path_ = std::move(full);
    files_ = ListNames(path_, &IsListedFile).value_or(std::vector<std::wstring>{});
    Filter();
    return true;
}

bool FileList::SetPattern(const std::wstring& pattern)
{
    std::optional<FilePattern> parsed = FilePattern::Parse(pattern);
    if (!parsed) return false;
    pattern_ = pattern;
    parsed_ = std::move(*parsed);
    Filter();
    return true;
}

void FileList::Clear()
{
    path_.clear();
    files_.clear();
    Filter();
}

bool FileList::Refresh()
{
    std::optional<std::vector<std::wstring>> names;
    if (!path_.empty()) names = ListNames(path_, &IsListedFile);
    files_ = names ? std::move(*names) : std::vector<std::wstring>{};
    Filter();
    return names.has_value();
}

std::optional<std::vector<std::wstring>> FileList::NamesIn(const std::wstring& folder) const
{
    std::optional<std::vector<std::wstring>> names = ListNames(folder, &IsListedFile);
    if (names) std::erase_if(*names, [this](const std::wstring& name) { return !parsed_.Matches(name); });
    return names;
}

std::wstring FileList::List(int index) const
{
    if (index < 0 || index >= ListCount()) return {};
    return shown_[static_cast<std::size_t>(index)];
}

bool FileList::Selected(int index) const
{
    if (!Exists() || index < 0 || index >= ListCount()) return false;
    return SendMessageW(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

bool FileList::SetSelected(int index, bool selected)
{
    if (!Exists() || index < 0 || index >= ListCount()) return false;
    return SendMessageW(Handle(), LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(index)) != LB_ERR;
}

void FileList::SetAllSelected(bool selected)
{
    if (Exists() && ListCount() > 0) SendMessageW(Handle(), LB_SETSEL, selected ? TRUE : FALSE, -1);
}

int FileList::SelectedCount() const
{
    if (!Exists()) return 0;
    auto count = static_cast<int>(SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0));
    return count == LB_ERR ? 0 : count;
}

void FileList::Filter()
{
    shown_.clear();
    shown_.reserve(files_.size());
    for (const std::wstring& name : files_)
        if (parsed_.Matches(name)) shown_.push_back(name);
    Fill();
}

void FileList::Fill()
{
    if (!Exists()) return;
    HWND list = Handle();
    const HeldRedraw held(list);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_SETCOUNT, shown_.size(), 0);
}

void FileList::OnFontChanged()
{
    if (Exists()) SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, RowHeightForFont());
}

int FileList::OnCharToItem(wchar_t c, int caret)
{
    int row = NextRowStartingWith(ListCount(), caret, c, [this](int i) -> const std::wstring& {
        return shown_[static_cast<std::size_t>(i)];
    });
    return row < 0 ? -2 : row;
}

void FileList::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= shown_.size()) {
        FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
        return;
    }
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rc, GetSysColorBrush(selected ? (enabled ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW));
    const int icon = IconSize();
    DrawListIcon(dc, rc.left + 2, rc.top + (rc.bottom - rc.top - icon) / 2, ListIcon::File, icon, enabled);
    const std::wstring& name = shown_[item.itemID];
    RECT textRect{rc.left + 2 + icon + 3, rc.top, rc.right - 2, rc.bottom};
    const SelectedObject font(dc, ControlFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

bool FileList::OnChar(wchar_t c)
{
    // Enter and Backspace mean nothing to a file list; the list box would beep or jump on them.
    return c == L'\r' || c == L'\b';
}

} // namespace tavlo
