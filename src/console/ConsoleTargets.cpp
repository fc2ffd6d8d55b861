#include "console/ConsoleTargets.h"

#include "common/FileEnum.h"
#include "common/PathUtil.h"
#include "common/SystemFileSystem.h"
#include "core/Names.h"
#include "core/Paths.h"
#include "core/Wildcard.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

namespace tavlo {

namespace {

bool HasPattern(std::wstring_view name) { return name.find_first_of(L"*?") != std::wstring_view::npos; }

bool IsFolder(std::uint32_t attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Collects files once each. A name is compared as stored; the folder in any case, as the volume
// finds it (a case-sensitive folder may hold case twins, which are two files).
class Collector {
public:
    Collector(Targets& targets, bool all, const std::atomic<bool>* stop) : targets_(targets), all_(all), stop_(stop) {}

    // `folder` and `name` as stored, so that every spelling of one file gives one path.
    void Add(const std::wstring& folder, const std::wstring& name)
    {
        const std::wstring path = JoinPath(folder, name);
        if (seen_.insert(FoldName(path.substr(0, path.size() - name.size())) + name).second)
            targets_.files.push_back(path);
    }

    // The files of `folder` that fit `mask` (every file without one), in name order, then those of its
    // subfolders when `recursive`. True when any file was found.
    bool AddFolder(const std::wstring& folder, const FileMask* mask, bool recursive)
    {
        if (stop_ && *stop_) return false;
        std::optional<std::vector<FoundEntry>> entries = ListFolderEntries(folder);
        if (!entries) return false;
        std::vector<std::wstring> files, folders;
        for (FoundEntry& e : *entries) {
            // What the window's lists leave out, unless all is asked for.
            if (!all_ && !(IsFolder(e.Attributes) ? IsListedFolder(e.Attributes) : IsListedFile(e.Attributes))) continue;
            if (IsFolder(e.Attributes)) {
                if ((e.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) folders.push_back(std::move(e.Name));
            } else if (!mask || mask->Matches(e.Name)) {
                files.push_back(std::move(e.Name));
            }
        }
        SortByName(files);
        for (const std::wstring& f : files) Add(folder, f);
        bool found = !files.empty();
        if (recursive) {
            SortByName(folders);
            for (const std::wstring& sub : folders) found = AddFolder(JoinPath(folder, sub), mask, true) || found;
        }
        return found;
    }

private:
    Targets& targets_;
    const bool all_;
    const std::atomic<bool>* stop_;
    std::unordered_set<std::wstring> seen_;
};

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
    // "C:\*.txt": the root keeps its backslash.
    if (slash == 0 || (slash == 2 && path[1] == L':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

} // namespace

Targets FindTargets(const std::vector<std::wstring>& paths, bool recursive, bool all, const std::atomic<bool>* stop)
{
    Targets targets;
    Collector collector(targets, all, stop);
    for (const std::wstring& given : paths) {
        if (stop && *stop) break;
        bool found = false;
        const std::size_t slash = given.find_last_of(L"\\/");
        const std::wstring last = slash == std::wstring::npos ? given : given.substr(slash + 1);
        if (HasPattern(last) && !HasPattern(given.substr(0, given.size() - last.size()))) {
            // The mask means what the system's own search makes of it; one no name can fit finds nothing.
            const std::wstring folder = AbsoluteFolderPath(FolderOf(given));
            const std::optional<FileMask> mask = FileMask::Parse(last);
            if (!folder.empty() && mask) found = collector.AddFolder(folder, &*mask, recursive);
        } else if (!HasPattern(given)) {
            // Spelled as stored below: a folder the way the window's lists show it, a file once.
            const std::wstring full = AbsolutePath(given);
            const DWORD attributes = full.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(ToSystemPath(full).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) {
                found = false;
            } else if (IsFolder(attributes)) {
                found = collector.AddFolder(AbsoluteFolderPath(full), nullptr, recursive);
            } else {
                // The stored spelling of every component (a short name, a name typed in another case);
                // what names no file (a stream, a device) is nothing found.
                const std::wstring stored = ExpandLongPath(full);
                const std::size_t cut = stored.find_last_of(L'\\');
                found = cut != std::wstring::npos;
                if (found) collector.Add(stored.substr(0, cut), stored.substr(cut + 1));
            }
        }
        if (!found) targets.unmatched.push_back(given);
    }
    return targets;
}

} // namespace tavlo
