#include "core/LongPath.h"

#include "core/Names.h"

#include <algorithm>

namespace tavlo {

std::size_t UncRootLength(const std::wstring& path)
{
    if (path.size() < 5 || path[0] != L'\\' || path[1] != L'\\') return 0;
    // "\\?\" and "\\.\" are the system's own forms (devices, raw paths), no share.
    const std::size_t serverEnd = path.find(L'\\', 2);
    if (serverEnd == std::wstring::npos || serverEnd == 2) return 0;
    const std::wstring_view server(path.data() + 2, serverEnd - 2);
    if (server == L"?" || server == L".") return 0;
    const std::size_t shareEnd = path.find(L'\\', serverEnd + 1);
    if (shareEnd == serverEnd + 1) return 0;
    return shareEnd == std::wstring::npos ? path.size() : shareEnd;
}

std::wstring ExpandFullPath(const std::wstring& path, FileSystem& fs)
{
    std::wstring result;
    std::size_t pos = 0;
    if (const std::size_t root = UncRootLength(path)) {
        // The share itself names no file. The server and the share answer no look-up of a name: they
        // stay as given.
        if (root + 1 >= path.size()) return {};
        result = path.substr(0, root);
        pos = root + 1;
    } else {
        if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return {};
        if (path.size() == 3) return FoldName(path);
        result = FoldName(path.substr(0, 2));
        pos = 3;
    }
    // A stream ("file:stream") or a colon anywhere past the drive names no file.
    if (path.find(L':', pos) != std::wstring::npos) return {};
    std::size_t components = 1;
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
    // A file at a drive's or a share's root, a path ending in a backslash, an empty component before the
    // name or no drive path at all: the plain expansion says what it is.
    const std::size_t unc = UncRootLength(path);
    if (slash == std::wstring::npos || slash <= 2 || slash + 1 == path.size() || path[slash - 1] == L'\\' ||
        (unc != 0 && slash <= unc))
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
                auto [entry, fresh] = folder.names.emplace(FoldName(stored), stored);
                if (!fresh) entry->second.clear();
            }
        }
    }
    if (folder.listed) {
        auto hit = folder.names.find(FoldName(name));
        if (hit != folder.names.end() && !hit->second.empty()) return hit->second;
    }
    return fs_.StoredName(path);
}

} // namespace tavlo
