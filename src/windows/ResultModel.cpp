#include "windows/ResultModel.h"

#include "common/Fault.h"
#include "common/PathUtil.h"

namespace tavlo {

ResultModel::Added ResultModel::ListInAdd(const std::wstring& path)
{
    Added result;
    std::wstring key = UpperCaseNarrow(path);
    if (const auto hit = byKey_.find(key); hit != byKey_.end()) {
        Item& item = entries_[hit->second];
        result.index = hit->second;
        if (item.text != path) {
            // Keep the position, show the latest name.
            item.text = path;
            result.change = Change::Replaced;
        }
        return result;
    }
    if (entries_.size() >= kCapacity) {
        result.change = Change::Dropped;
        return result;
    }
    byKey_.emplace(key, entries_.size());
    entries_.push_back(Item{path, std::move(key), false});
    result.change = Change::Appended;
    result.index = entries_.size() - 1;
    return result;
}

void ResultModel::Clear()
{
    entries_.clear();
    byKey_.clear();
}

void ResultModel::Reindex()
{
    byKey_.clear();
    // Two entries a refresh found to be one file: the first answers for both, as a scan from the top would.
    for (std::size_t i = 0; i < entries_.size(); ++i) byKey_.emplace(entries_[i].key, i);
}

std::vector<std::wstring> ResultModel::Entries() const
{
    std::vector<std::wstring> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back(e.text);
    return out;
}

void ResultModel::SetSelected(std::size_t index, bool selected)
{
    if (index < entries_.size()) entries_[index].selected = selected;
}

void ResultModel::SelectAll()
{
    for (auto& e : entries_) e.selected = true;
}

void ResultModel::SelectClear()
{
    for (auto& e : entries_) e.selected = false;
}

std::vector<std::wstring> ResultModel::SelectedPaths() const
{
    std::vector<std::wstring> out;
    for (const auto& e : entries_)
        if (e.selected) out.push_back(e.text);
    return out;
}

bool ResultModel::Refresh(const ExpandFn& expandLongPath, const CanOpenFn& canOpenFile)
{
    try {
        std::size_t i = 0;
        while (i < entries_.size()) {
            std::wstring p = expandLongPath(entries_[i].text);
            if (!p.empty() && canOpenFile(p)) {
                entries_[i].key = UpperCaseNarrow(p);
                entries_[i].text = std::move(p);
                ++i;
            } else {
                entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        Reindex();
        return true;
    } catch (...) {
        ReportFault("ResultModel refresh");
        Clear();
        return false;
    }
}

bool ResultModel::Refresh()
{
    return Refresh([](const std::wstring& p) { return ExpandLongPath(p); },
                   [](const std::wstring& p) { return CanOpenFile(p); });
}

} // namespace tavlo
