#pragma once
// An in-memory file system that behaves like the volumes the program runs on: names looked up in any
// letter case and stored as given; folders that are case-sensitive underneath and may hold case twins;
// case-only renames that a volume may refuse or answer as done while the old name stays; steps that
// fail; names that appear or vanish between two steps; and a process killed after any step. Every file
// has a content of its own, so that a test can tell whether one was lost, doubled or replaced.
#include "core/FileSystem.h"
#include "core/Names.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavlo::test {

class ModelFileSystem final : public FileSystem {
public:
    struct File {
        std::wstring name;
        int content = 0;     // what the file holds: unique per file
        std::string head;    // its first bytes
    };
    // What a volume does with a rename that changes letter case only.
    enum class CaseOnly { Done, Refused, ClaimedNotDone };
    // Thrown after the step the process is killed at.
    struct Killed {};

    CaseOnly caseOnly = CaseOnly::Done;
    // Renames by their number (from 0): those listed fail as if access were denied.
    std::vector<int> failing;
    // Called before every rename with its number: what others do to the folder meanwhile.
    std::function<void(int step, ModelFileSystem&)> meanwhile;
    // The rename after which the process is killed; -1 for none.
    int killAfter = -1;
    // Whether a folder's identities can be read in one pass, as some volumes allow.
    bool identitiesInOnePass = false;

    void AddFolder(const std::wstring& folder, bool caseSensitive) { folders_[folder].caseSensitive = caseSensitive; }
    int AddFile(const std::wstring& folder, const std::wstring& name, std::string head = "text")
    {
        folders_[folder].files.push_back(File{name, ++lastContent_, std::move(head)});
        return lastContent_;
    }
    // Takes a file away (moved elsewhere by someone else); its content stays accounted for.
    bool TakeAway(const std::wstring& folder, const std::wstring& name)
    {
        auto& files = folders_[folder].files;
        auto it = std::find_if(files.begin(), files.end(), [&](const File& f) { return f.name == name; });
        if (it == files.end()) return false;
        elsewhere_.push_back(*it);
        files.erase(it);
        return true;
    }
    const std::vector<File>& Files(const std::wstring& folder) { return folders_[folder].files; }
    bool CaseSensitive(const std::wstring& folder) { return folders_[folder].caseSensitive; }
    // Every content on the volume and taken away, sorted: the same list before and after, or a file was
    // lost or doubled.
    std::vector<int> AllContents() const
    {
        std::vector<int> all;
        for (const auto& [folder, f] : folders_)
            for (const File& file : f.files) all.push_back(file.content);
        for (const File& file : elsewhere_) all.push_back(file.content);
        std::sort(all.begin(), all.end());
        return all;
    }
    // The name a content has in `folder`, or nothing.
    std::optional<std::wstring> NameOf(const std::wstring& folder, int content)
    {
        for (const File& f : folders_[folder].files)
            if (f.content == content) return f.name;
        return std::nullopt;
    }
    int Renames() const { return step_; }

    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override
    {
        const int step = step_++;
        if (meanwhile) meanwhile(step, *this);
        const bool result = DoRename(step, from, to);
        if (step == killAfter) throw Killed{};
        return result;
    }
    std::optional<std::wstring> StoredName(const std::wstring& path) override
    {
        if (path.find_first_of(L"*?<>\"") != std::wstring::npos) return std::nullopt;
        const File* f = Find(path);
        if (!f) return std::nullopt;
        return f->name;
    }
    std::vector<std::wstring> NamesLike(const std::wstring& path) override
    {
        std::vector<std::wstring> names;
        const std::pair<std::wstring, std::wstring> parts = Split(path);
        auto it = FindFolder(parts.first);
        if (it == folders_.end()) return names;
        for (const File& f : it->second.files)
            if (Same(f.name, parts.second)) names.push_back(f.name);
        return names;
    }
    std::optional<std::vector<std::wstring>> FolderNames(const std::wstring& folder) override
    {
        auto it = FindFolder(Trimmed(folder));
        if (it == folders_.end()) return std::nullopt;
        std::vector<std::wstring> names;
        for (const File& f : it->second.files) names.push_back(f.name);
        return names;
    }
    std::optional<std::string> ReadHead(const std::wstring& path, std::size_t maxBytes) override
    {
        const File* f = Find(path);
        if (!f) return std::nullopt;
        return f->head.substr(0, maxBytes);
    }
    std::optional<std::string> ReadRange(const std::wstring& path, std::uint64_t offset, std::size_t maxBytes) override
    {
        const File* f = Find(path);
        if (!f) return std::nullopt;
        if (offset >= f->head.size()) return std::string();
        return f->head.substr(static_cast<std::size_t>(offset), maxBytes);
    }
    bool CanOpen(const std::wstring& path) override { return Find(path) != nullptr; }
    std::optional<FileIdentity> Identity(const std::wstring& path) override
    {
        const File* f = Find(path);
        if (!f) return std::nullopt;
        return FileIdentity{f->head.size(), 0, static_cast<std::uint64_t>(f->content)};
    }

    std::optional<std::vector<std::pair<std::wstring, FileIdentity>>> FolderIdentities(const std::wstring& folder) override
    {
        auto it = FindFolder(Trimmed(folder));
        if (!identitiesInOnePass || it == folders_.end()) return std::nullopt;
        std::vector<std::pair<std::wstring, FileIdentity>> all;
        for (const File& f : it->second.files)
            all.emplace_back(f.name, FileIdentity{f.head.size(), 0, static_cast<std::uint64_t>(f.content)});
        return all;
    }

private:
    struct Folder {
        bool caseSensitive = false;
        std::vector<File> files;
    };

    static bool Same(const std::wstring& a, const std::wstring& b) { return FoldName(a) == FoldName(b); }
    static std::wstring Trimmed(const std::wstring& folder)
    {
        return !folder.empty() && folder.back() == L'\\' ? folder.substr(0, folder.size() - 1) : folder;
    }
    static std::pair<std::wstring, std::wstring> Split(const std::wstring& path)
    {
        const std::size_t slash = path.find_last_of(L'\\');
        if (slash == std::wstring::npos) return {L"", path};
        return {path.substr(0, slash), path.substr(slash + 1)};
    }
    // A folder is found in any case of its path, like a file.
    std::map<std::wstring, Folder>::iterator FindFolder(const std::wstring& folder)
    {
        auto exact = folders_.find(folder);
        if (exact != folders_.end()) return exact;
        return std::find_if(folders_.begin(), folders_.end(), [&](const auto& f) { return Same(f.first, folder); });
    }
    // The look-up: the exact name first, then the first name equal but for case.
    File* Find(const std::wstring& path)
    {
        const std::pair<std::wstring, std::wstring> parts = Split(path);
        const std::wstring& folder = parts.first;
        const std::wstring& name = parts.second;
        auto it = FindFolder(folder);
        if (it == folders_.end()) return nullptr;
        auto& files = it->second.files;
        auto exact = std::find_if(files.begin(), files.end(), [&](const File& f) { return f.name == name; });
        if (exact != files.end()) return &*exact;
        auto like = std::find_if(files.begin(), files.end(), [&](const File& f) { return Same(f.name, name); });
        return like != files.end() ? &*like : nullptr;
    }
    bool DoRename(int step, const std::wstring& from, const std::wstring& to)
    {
        if (std::find(failing.begin(), failing.end(), step) != failing.end()) return false;
        const auto [folder, name] = Split(from);
        const auto [toFolder, toName] = Split(to);
        if (!Same(folder, toFolder) || toName.empty()) return false;
        File* source = Find(from);
        if (!source) return false;
        Folder& f = FindFolder(folder)->second;
        const bool caseOnly = Same(source->name, toName);
        // Never replaces: the target is looked up in any case, in a case-sensitive folder too.
        for (const File& other : f.files) {
            if (&other == source) continue;
            if (Same(other.name, toName)) return false;
        }
        if (caseOnly) {
            if (caseOnly_(CaseOnly::Refused)) return false;
            if (caseOnly_(CaseOnly::ClaimedNotDone)) return true;
        }
        source->name = toName;
        return true;
    }
    bool caseOnly_(CaseOnly what) const { return caseOnly == what; }

    std::map<std::wstring, Folder> folders_;
    std::vector<File> elsewhere_;
    int lastContent_ = 0;
    int step_ = 0;
};

} // namespace tavlo::test
