#include "common/LongPath.h"

#include "common/PlatformText.h"

#include <algorithm>

namespace tavlo {

std::wstring ExpandFullPath(const std::wstring& path, FileSystem& fs)
{
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return {};
    if (path.size() == 3) return PlatformUpper(path);

    std::wstring result = PlatformUpper(path.substr(0, 2));
    std::size_t components = 1;
    std::size_t pos = 3;
    for (;;) {
        std::size_t slash = path.find(L'\\', pos);
        bool last = slash == std::wstring::npos;
        if (last && pos == path.size()) break; // ends with a backslash: no last component
        std::size_t end = last ? path.size() : slash;
        if (++components > kMaxPathComponents) return {};
        std::optional<std::wstring> name = fs.StoredName(path.substr(0, end));
        if (!name) return {};
        result += L'\\';
        result += *name;
        if (last) break;
        pos = slash + 1;
    }
    return result;
}

std::wstring LongPathBatch::ExpandFull(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'\\');
    // A file at a drive's root, a path ending in a backslash, an empty component before the name or no
    // drive path at all: the plain expansion says what it is.
    if (slash == std::wstring::npos || slash <= 2 || slash + 1 == path.size() || path[slash - 1] == L'\\')
        return ExpandFullPath(path, fs_);
    if (std::count(path.begin(), path.end(), L'\\') + 1 > static_cast<std::ptrdiff_t>(kMaxPathComponents)) return {};
    const std::wstring folderGiven = path.substr(0, slash);
    auto it = folders_.find(folderGiven);
    if (it == folders_.end()) {
        Folder fresh;
        fresh.stored = ExpandFullPath(folderGiven, fs_);
        it = folders_.emplace(folderGiven, std::move(fresh)).first;
    }
    Folder& folder = it->second;
    if (folder.stored.empty()) return {};
    std::optional<std::wstring> name = StoredName(folder, path, path.substr(slash + 1));
    if (!name) return {};
    return folder.stored + L'\\' + *name;
}

// The stored form of `name` in `folder`. From the second name on, the folder is read once and the
// rest found in that listing; a name the listing cannot answer for sure (a short name, a name that
// came later, case twins) is looked up on its own.
std::optional<std::wstring> LongPathBatch::StoredName(Folder& folder, const std::wstring& path,
                                                      const std::wstring& name)
{
    if (++folder.lookups == 2 && !folder.listed) {
        folder.listed = true;
        if (auto names = fs_.FolderNames(folder.stored)) {
            for (const std::wstring& stored : *names) {
                auto [entry, fresh] = folder.names.emplace(PlatformUpper(stored), stored);
                if (!fresh) entry->second.clear();
            }
        }
    }
    if (folder.listed) {
        auto hit = folder.names.find(PlatformUpper(name));
        if (hit != folder.names.end() && !hit->second.empty()) return hit->second;
    }
    return fs_.StoredName(path);
}

} // namespace tavlo
