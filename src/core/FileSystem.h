#pragma once
// What the engine and the path utilities need from the file system, so the text logic stays
// free of platform headers. Win32FileSystem is the real one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavlo {

// What tells one file from another across renames: its size, its last write time and the file
// system's own number for it.
struct FileIdentity {
    std::uint64_t Size = 0;
    std::uint64_t WriteTime = 0;
    std::uint64_t FileId = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Renames a file within its folder. Never replaces an existing file; fails as a whole.
    virtual bool RenameNoReplace(const std::wstring& from, const std::wstring& to) = 0;
    // The name of the last component of `path` as stored on disk (long form), or nothing when
    // no entry is found or the path holds a wildcard.
    virtual std::optional<std::wstring> StoredName(const std::wstring& path) = 0;
    // True when an entry answers to `path` (in any letter case).
    virtual bool Exists(const std::wstring& path) { return StoredName(path).has_value(); }
    // Every name in the folder of `path` that equals its last component but for letter case, read from
    // a listing: a case-sensitive folder can hold several, which the lookup above cannot tell apart.
    virtual std::vector<std::wstring> NamesLike(const std::wstring& path) = 0;
    // Every name in `folder` as stored, or nothing when it cannot be listed.
    virtual std::optional<std::vector<std::wstring>> FolderNames(const std::wstring& folder) = 0;
    // Up to `maxBytes` bytes from the start of the file, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> ReadHead(const std::wstring& path, std::size_t maxBytes) = 0;
    // Up to `maxBytes` bytes from `offset`, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> ReadRange(const std::wstring& path, std::uint64_t offset, std::size_t maxBytes)
    {
        if (offset != 0) return std::nullopt;
        return ReadHead(path, maxBytes);
    }
    // True when the file (not a folder) can be opened for reading.
    virtual bool CanOpen(const std::wstring& path) = 0;
    // The identity of the file at `path`, or nothing when it cannot be asked.
    virtual std::optional<FileIdentity> Identity(const std::wstring& path) = 0;
    // The identities of every entry of `folder` by name, read in one pass; nothing when the folder
    // cannot be read that way (callers then ask Identity file by file).
    virtual std::optional<std::vector<std::pair<std::wstring, FileIdentity>>> FolderIdentities(const std::wstring&)
    {
        return std::nullopt;
    }
};

// The process's file system (Win32, long paths allowed).
FileSystem& SystemFileSystem();

} // namespace tavlo
