#pragma once
// The stored form of an absolute drive path, component by component ("C:\\DATA\\PAGE~1.HTM" ->
// "C:\\Data\\page.html"), from what a FileSystem answers. Text logic only: ExpandLongPath in PathUtil.h
// makes a path absolute the system's way first.
#include "core/FileSystem.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

namespace tavlo {

// Deeper paths than this are refused: no volume holds them, and each component costs a look-up.
inline constexpr std::size_t kMaxPathComponents = 256;

// The path with an upper-case drive letter and every component as stored; empty when a component is
// missing or the path is no absolute drive or share path ("C:\\...", "\\\\server\\share\\..."), or names
// no file (a stream, the system's "\\\\?\\" and "\\\\.\\" forms, devices). A share's server and name stay
// as given.
std::wstring ExpandFullPath(const std::wstring& fullPath, FileSystem& fs);
// The length of "\\\\server\\share" at the start of `path`, or 0 when it is no share path.
std::size_t UncRootLength(const std::wstring& path);

// ExpandLongPath for a batch of paths (a drop, a command line): each folder is looked up once for the
// whole batch, and a folder that several of the files share is listed once instead of being asked
// for each name. Lives for one batch: a folder renamed later would otherwise keep its old form.
class LongPathBatch {
public:
    LongPathBatch();
    explicit LongPathBatch(FileSystem& fs) : fs_(fs) {}
    // `path` made absolute by the system first (PathUtil.cpp).
    std::wstring Expand(const std::wstring& path);
    // An absolute drive path.
    std::wstring ExpandFull(const std::wstring& fullPath);

private:
    struct Folder {
        std::wstring stored;                                 // as stored; empty when missing
        int lookups = 0;
        bool listed = false;
        std::unordered_map<std::wstring, std::wstring> names; // upper case -> stored; "" when ambiguous
    };
    std::optional<std::wstring> StoredName(Folder& folder, const std::wstring& path, const std::wstring& name);

    FileSystem& fs_;
    std::unordered_map<std::wstring, Folder> folders_; // keyed by the folder as given
};

} // namespace tavlo
