#pragma once
// The real file system, but with renames that follow a script: done, refused, or answered as done
// while nothing happened (as some volumes answer a case-only rename). Calls past the script are done.
#include "core/FileSystem.h"

#include <vector>

namespace tavlo::test {

class ScriptedRenames : public FileSystem {
public:
    enum Act { Do, Refuse, Pretend };
    explicit ScriptedRenames(std::vector<Act> script) : script_(std::move(script)) {}

    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override
    {
        Act act = calls_ < script_.size() ? script_[calls_] : Do;
        ++calls_;
        if (act == Do) return real_.RenameNoReplace(from, to);
        return act == Pretend;
    }
    std::optional<std::wstring> StoredName(const std::wstring& path) override { return real_.StoredName(path); }
    std::vector<std::wstring> NamesLike(const std::wstring& path) override { return real_.NamesLike(path); }
    std::optional<std::vector<std::wstring>> FolderNames(const std::wstring& folder) override
    {
        return real_.FolderNames(folder);
    }
    std::optional<std::string> ReadHead(const std::wstring& path, std::size_t n) override
    {
        return real_.ReadHead(path, n);
    }
    bool CanOpen(const std::wstring& path) override { return real_.CanOpen(path); }
    std::optional<FileIdentity> Identity(const std::wstring& path) override { return real_.Identity(path); }

private:
    FileSystem& real_ = SystemFileSystem();
    std::vector<Act> script_;
    std::size_t calls_ = 0;
};

} // namespace tavlo::test
