#include "engine/FolderListing.h"

#include "core/Names.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace tavlo {

FolderListing::FolderListing(FileSystem& fs, std::wstring folder) : fs_(fs), folder_(std::move(folder))
{
    if (std::optional<std::vector<std::wstring>> names = fs.FolderNames(folder_)) {
        listed_ = true;
        for (const std::wstring& name : *names) Add(name);
    }
}

std::vector<std::wstring> FolderListing::Like(const std::wstring& name)
{
    if (!listed_) return fs_.NamesLike(folder_ + name);
    const auto hit = names_.find(FoldName(name));
    return hit == names_.end() ? std::vector<std::wstring>{} : hit->second;
}

void FolderListing::Renamed(const std::wstring& from, const std::wstring& to)
{
    if (!listed_) return;
    const auto hit = names_.find(FoldName(from));
    if (hit != names_.end()) {
        std::vector<std::wstring>& old = hit->second;
        old.erase(std::remove(old.begin(), old.end(), from), old.end());
        if (old.empty()) names_.erase(hit);
    }
    Add(to);
}

void FolderListing::Add(const std::wstring& name) { names_[FoldName(name)].push_back(name); }

} // namespace tavlo
