#include "windows/TargetModel.h"

#include "common/PathUtil.h"
#include "engine/ExtensionModel.h"

#include <utility>

namespace tavlo {

TargetModel::TargetModel(NotifyFn onFull, ExpandFn expandLongPath, CanOpenFn canOpenFile)
    : onFull_(std::move(onFull)), expand_(std::move(expandLongPath)), canOpen_(std::move(canOpenFile))
{
    if (!expand_) expand_ = [](const std::wstring& p) { return ExpandLongPath(p); };
    if (!canOpen_) canOpen_ = [](const std::wstring& p) { return CanOpenFile(p); };
}

bool TargetModel::ListInAdd(const std::wstring& path)
{
    try {
        // The duplicate test comes before the capacity test: a listed path is fine even when full.
        for (const auto& e : entries_)
            if (e.text == path) return true;
        if (entries_.size() >= kCapacity) {
            if (onFull_) onFull_();
            return false;
        }
        entries_.push_back(Item{path, false});
        return true;
    } catch (...) {
        return false;
    }
}

bool TargetModel::Gaibu_ListInAdd(const std::wstring& path)
{
    try {
        if (path.empty()) return true;
        const std::wstring normalised = expand_(path);
        if (normalised.empty()) return true;
        if (!canOpen_(normalised)) return true;
        return ListInAdd(normalised);
    } catch (...) {
        return false;
    }
}

bool TargetModel::AddBatch(const std::vector<std::wstring>& paths)
{
    for (const auto& p : paths)
        if (!Gaibu_ListInAdd(p)) return false;
    return true;
}

void TargetModel::Clear() { entries_.clear(); }

void TargetModel::DeleteSelected()
{
    std::size_t i = 0;
    while (i < entries_.size()) {
        if (entries_[i].selected) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        else ++i;
    }
}

std::vector<std::wstring> TargetModel::Entries() const
{
    std::vector<std::wstring> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back(e.text);
    return out;
}

void TargetModel::RemoveAt(std::size_t index)
{
    if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TargetModel::SetSelected(std::size_t index, bool selected)
{
    if (index < entries_.size()) entries_[index].selected = selected;
}

void TargetModel::SelectAll()
{
    for (auto& e : entries_) e.selected = true;
}

void TargetModel::SelectClear()
{
    for (auto& e : entries_) e.selected = false;
}

std::optional<std::wstring> TargetModel::SameFolder() const
{
    for (const auto& e : entries_)
        if (e.selected) return GetFolderName(e.text);
    return std::nullopt;
}

} // namespace tavlo
