#pragma once
// The target list's entries: the files the next run renames, in the order they arrived, each path
// at most once (exact comparison), at most 1000. Selection is kept here as the delete and
// same-folder commands and the run's progress marking work on it.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

class TargetModel {
public:
    static constexpr std::size_t kCapacity = 1000;

    using ExpandFn = std::function<std::wstring(const std::wstring&)>;
    using CanOpenFn = std::function<bool(const std::wstring&)>;
    using NotifyFn = std::function<void()>;

    // `onFull` shows the list-full message; it is called once for every refused entry.
    // The path checks default to the real disk (ExpandLongPath, CanOpenFile).
    explicit TargetModel(NotifyFn onFull, ExpandFn expandLongPath = {}, CanOpenFn canOpenFile = {});

    // Adds an already normalised path. A duplicate is dropped silently and counts as success;
    // false only when the list is full (after `onFull`) or adding failed.
    bool ListInAdd(const std::wstring& path);

    // Adds a path from another program or the command line: normalised to its long form first;
    // empty texts, paths that do not expand and files that cannot be opened are skipped as a
    // success. False only when ListInAdd refused, or on an internal failure.
    bool Gaibu_ListInAdd(const std::wstring& path);

    // One batch from outside (a drop): Gaibu_ListInAdd for each path in order, stopping at the
    // first refusal so that the full-list message appears once. True when every path was taken.
    bool AddBatch(const std::vector<std::wstring>& paths);

    // Removes every entry (RefreshForm and the delete-all command share it).
    void Clear();
    // Removes the selected entries; the rest keep their order.
    void DeleteSelected();

    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const std::wstring& Entry(std::size_t index) const { return entries_.at(index).text; }
    std::vector<std::wstring> Entries() const;
    void RemoveAt(std::size_t index);

    bool IsSelected(std::size_t index) const { return entries_.at(index).selected; }
    void SetSelected(std::size_t index, bool selected);
    void SelectAll();
    void SelectClear();

    // The folder that the same-folder command hands to the input folder window: the parent folder
    // of the first selected entry (a drive's root keeps its backslash); nothing when none is selected.
    std::optional<std::wstring> SameFolder() const;

private:
    struct Item {
        std::wstring text;
        bool selected = false;
    };
    std::vector<Item> entries_;
    NotifyFn onFull_;
    ExpandFn expand_;
    CanOpenFn canOpen_;
};

} // namespace tavlo
