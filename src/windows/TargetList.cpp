#include "windows/TargetList.h"

namespace tavlo {

TargetList::Added TargetList::Append(const std::wstring& path)
{
    if (listed_.count(path)) return Added::AlreadyListed;
    if (entries_.size() >= capacity_) return Added::Full;
    entries_.push_back(path);
    listed_.insert(path);
    if (!waiting_.empty()) waiting_.push_back(false);
    return Added::New;
}

void TargetList::Erase(std::size_t index)
{
    if (index >= entries_.size()) return;
    listed_.erase(entries_[index]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    if (index < waiting_.size()) waiting_.erase(waiting_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TargetList::Replace(std::size_t index, const std::wstring& path)
{
    if (index >= entries_.size()) return;
    listed_.erase(entries_[index]);
    entries_[index] = path;
    listed_.insert(path);
}

void TargetList::Clear()
{
    entries_.clear();
    listed_.clear();
    waiting_.clear();
}

void TargetList::BeginRun()
{
    waiting_.assign(entries_.size(), true);
}

void TargetList::MarkDone(std::size_t index)
{
    if (index < waiting_.size()) waiting_[index] = false;
}

std::vector<std::size_t> TargetList::EndRun()
{
    std::vector<std::size_t> leaving;
    std::vector<std::wstring> staying;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i < waiting_.size() && !waiting_[i]) {
            leaving.push_back(i);
            listed_.erase(entries_[i]);
        } else {
            staying.push_back(std::move(entries_[i]));
        }
    }
    entries_ = std::move(staying);
    waiting_.clear();
    return leaving;
}

} // namespace tavlo
