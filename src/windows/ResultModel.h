#pragma once
// The result list's entries: full paths of renamed files, one entry per file, where two paths name
// the same file when their UpperCaseNarrow forms are equal. Selection is kept here too, since the
// drag out of the list offers exactly the selected entries.
#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavlo {

class ResultModel {
public:
    static constexpr std::size_t kCapacity = 1000;

    enum class Change {
        None,     // the same text is already listed
        Replaced, // the file was listed under another spelling; its entry now shows the new one
        Appended,
        Dropped,  // a new file with the list full: dropped without a message
    };
    struct Added {
        Change change = Change::None;
        std::size_t index = 0; // the entry touched (Replaced, Appended or None)
    };

    // Records the full path of a file that now carries its final name.
    Added ListInAdd(const std::wstring& path);

    // Removes every entry.
    void Clear();

    std::size_t Count() const { return entries_.size(); }
    const std::wstring& Entry(std::size_t index) const { return entries_.at(index).text; }
    std::vector<std::wstring> Entries() const;

    bool IsSelected(std::size_t index) const { return entries_.at(index).selected; }
    void SetSelected(std::size_t index, bool selected);
    void SelectAll();
    void SelectClear();
    // The selected entries' texts in list order.
    std::vector<std::wstring> SelectedPaths() const;

    using ExpandFn = std::function<std::wstring(const std::wstring&)>;
    using CanOpenFn = std::function<bool(const std::wstring&)>;

    // Checks every entry against the disk: an entry whose expanded long path is empty or cannot be
    // opened is removed, any other is replaced by its long path. Order and selection of the kept
    // entries stay. When a check throws, the list is emptied and the result is false.
    bool Refresh(const ExpandFn& expandLongPath, const CanOpenFn& canOpenFile);
    // The same against the real disk (ExpandLongPath, CanOpenFile).
    bool Refresh();

private:
    struct Item {
        std::wstring text;
        std::wstring key; // UpperCaseNarrow(text)
        bool selected = false;
    };
    void Reindex();

    std::vector<Item> entries_;
    // Each file's entry by its key, so that a run adding a thousand results does not compare each
    // with every entry before it.
    std::unordered_map<std::wstring, std::size_t> byKey_;
};

} // namespace tavlo
