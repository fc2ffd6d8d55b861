#pragma once
// The names of one folder, listed once and then kept up to date by the renames made (or predicted) in
// it, so that asking for the case twins of each of a thousand files does not read the folder a thousand
// times. Keyed by the upper-case form, as the volume looks names up.
#include "core/FileSystem.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace tavlo {

class FolderListing {
public:
    // `folder` ends with a backslash. A folder that cannot be listed sends every question to `fs`.
    FolderListing(FileSystem& fs, std::wstring folder);

    // The exact names of the folder that equal `name` but for case (its own spelling among them).
    std::vector<std::wstring> Like(const std::wstring& name);
    // The entry `from` is now named `to`.
    void Renamed(const std::wstring& from, const std::wstring& to);

private:
    void Add(const std::wstring& name);

    FileSystem& fs_;
    const std::wstring folder_;
    bool listed_ = false;
    std::unordered_map<std::wstring, std::vector<std::wstring>> names_;
};

} // namespace tavlo
