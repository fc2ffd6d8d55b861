#pragma once
// The file list: the files of one folder whose names match a pattern, in name order, with extended
// selection (click, Shift+click, Ctrl+click). Hidden and system files and folders are never listed.
// The list box holds no strings of its own: it is told the row count and draws rows from the names
// kept here, so that tens of thousands of files fill it at once.
#include "core/Wildcard.h"
#include "ui/ListControl.h"

#include <optional>
#include <string>
#include <vector>

namespace tavlo {

class FileList : public ListControl {
public:
    FileList();

    // Creates the list in `parent` showing the process's current folder with the pattern "*.*".
    bool Create(HWND parent, bool visible = true, const RECT& place = RECT{0, 0, 120, 120});

    // The listed folder, absolute, without a trailing backslash except at a root.
    const std::wstring& Path() const { return path_; }
    // Lists another folder. False when it is not an existing, readable folder; the list stays as it was.
    bool SetPath(const std::wstring& path);

    const std::wstring& Pattern() const { return pattern_; }
    // The names this list would show for `folder` under its pattern, in its order, without showing
    // them; nothing when the folder cannot be read.
    std::optional<std::vector<std::wstring>> NamesIn(const std::wstring& folder) const;
    // Applies a pattern (semicolon-separated masks, see FilePattern). False when the pattern is not
    // usable; the pattern and the list then stay as they were. The folder is not read again.
    bool SetPattern(const std::wstring& pattern);

    // Reads the folder again; the selection is cleared. False when it can no longer be read, and the
    // list is then empty.
    // No folder and no rows: nothing can be added from it.
    void Clear();
    bool Refresh();

    int ListCount() const { return static_cast<int>(shown_.size()); }
    // The name of a row without its folder; empty outside 0 to ListCount() - 1.
    std::wstring List(int index) const;
    bool Selected(int index) const;
    bool SetSelected(int index, bool selected);
    // Selects or deselects every row.
    void SetAllSelected(bool selected);
    int SelectedCount() const;

protected:
    bool OnChar(wchar_t c) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnFontChanged() override;
    int OnCharToItem(wchar_t c, int caret) override;

private:
    void Filter();
    void Fill();

    std::wstring path_;
    std::wstring pattern_;
    FilePattern parsed_;
    std::vector<std::wstring> files_;  // every listable file of the folder, in name order
    std::vector<std::wstring> shown_;  // those that match the pattern
};

} // namespace tavlo
