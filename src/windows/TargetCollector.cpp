#include "windows/TargetCollector.h"

#include "common/PathUtil.h"

namespace tavlo {

TargetCollector::TargetCollector(const std::vector<std::wstring>& names)
{
    std::vector<std::wstring> given, paths;
    for (const std::wstring& name : names) {
        if (name.empty() || checked_.count(name)) continue;
        std::wstring path = batch_.Expand(name);
        checked_[name] = Checked{path, false};
        if (path.empty()) continue;
        given.push_back(name);
        paths.push_back(std::move(path));
    }
    const std::vector<bool> opens = CanOpenFiles(paths);
    for (std::size_t i = 0; i < given.size(); ++i) checked_[given[i]].opens = opens[i];
}

std::optional<std::wstring> TargetCollector::Target(const std::wstring& name)
{
    if (const auto hit = checked_.find(name); hit != checked_.end()) {
        if (!hit->second.opens) return std::nullopt;
        return hit->second.path;
    }
    const std::wstring path = name.empty() ? std::wstring() : batch_.Expand(name);
    if (path.empty() || !CanOpenFile(path)) return std::nullopt;
    return path;
}

} // namespace tavlo
