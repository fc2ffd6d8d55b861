#pragma once
// The folder list: the open folder with every folder above it up to the root, and its subfolders below,
// drawn as a small tree. Rows are numbered as the windows address them: -1 the open folder, -2 its
// parent and so on up to the root; 0 to ListCount() - 1 the subfolders in name order.
#include "ui/ListControl.h"

#include <functional>
#include <string>
#include <vector>

namespace tavlo {

class FolderList : public ListControl {
public:
    FolderList() = default;

    // Creates the list in `parent` and opens the process's current folder.
    bool Create(HWND parent, bool visible = true, const RECT& place = RECT{0, 0, 120, 120});

    // The open folder, absolute, without a trailing backslash except at a root.
    const std::wstring& Path() const { return path_; }
    // Opens a folder (relative paths and a bare "C:" work as the system resolves them). False when it
    // is not an existing, readable folder; the list then stays as it was.
    bool SetPath(const std::wstring& path);

    // The number of subfolders.
    int ListCount() const { return static_cast<int>(subfolders_.size()); }
    // The number of rows above the subfolders: the open folder and its ancestors.
    int AncestorCount() const { return static_cast<int>(chain_.size()); }
    // The full path of a row, -AncestorCount() to ListCount() - 1; empty outside.
    std::wstring List(int index) const;

    // The highlighted row, in the same numbering; -1 right after a folder opened.
    int ListIndex() const;
    bool SetListIndex(int index);

    // Opens the folder of a row, as a double click on it does.
    bool OpenRow(int index);

    // Reads the subfolders again. False when the open folder can no longer be read; it is then shown
    // without subfolders.
    bool Refresh();

    // Whenever the open folder changes, by the user or by the program.
    std::function<void()> OnChange;

protected:
    void OnNotify(int code) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnChar(wchar_t c) override;
    void OnFontChanged() override;
    int OnCharToItem(wchar_t c, int caret) override;

private:
    void Fill();
    // What row `row` of the list box (0 the root) shows.
    std::wstring RowText(int row) const;
    int RowOfIndex(int index) const { return index + AncestorCount(); }

    std::wstring path_;
    std::vector<std::wstring> chain_;       // root first, the open folder last
    std::vector<std::wstring> subfolders_;  // names, in name order
    ListIcon rootIcon_ = ListIcon::FixedDrive;
};

} // namespace tavlo
