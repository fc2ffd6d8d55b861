#pragma once
// Reading folders and drives for the list controls: thin wrappers over the system's find, path and
// volume calls. Long paths work throughout; no call brings up the system's "insert a disk" box.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

struct FoundEntry {
    std::wstring Name;
    std::uint32_t Attributes = 0;
};

// Every entry of `folder` as the system stores it ("." and ".." left out), in the order the system
// gives them. Nullopt when the folder cannot be read (missing, not a folder, drive not ready, denied).
std::optional<std::vector<FoundEntry>> ListFolderEntries(const std::wstring& folder);

// The names of the entries of `folder` that `keep` accepts by their attributes, in name order.
// Nullopt when the folder cannot be read.
std::optional<std::vector<std::wstring>> ListNames(const std::wstring& folder, bool (*keep)(std::uint32_t));

// The listing ListNames reads folders through (ListFolderEntries unless replaced); returns the one it
// replaces. Tests put in one that refuses a folder, to show one that exists but cannot be listed
// (access denied), which a test run with every right cannot make on demand.
using FolderReader = std::optional<std::vector<FoundEntry>> (*)(const std::wstring& folder);
FolderReader SetFolderReader(FolderReader reader);

// True when `path` names an existing folder (a drive root included).
bool FolderExists(const std::wstring& path);

// The absolute form of `path` (relative parts and "." / ".." resolved, "C:" taken as the current folder
// of drive C), without a trailing backslash except at a root; the drive letter upper-cased and every
// component as stored on disk where it can be found. Empty when the system cannot make it absolute.
std::wstring AbsoluteFolderPath(const std::wstring& path);
// The same without the look-ups: every component as written.
std::wstring AbsolutePath(const std::wstring& path);

// The process's current folder, without a trailing backslash except at a root.
std::wstring CurrentFolder();

// Sorts names in the order the lists show them: the user's locale collation without case, names that
// collate alike in code order.
void SortByName(std::vector<std::wstring>& names);

// The roots of the drives the system reports ("C:\"), in drive-letter order.
std::vector<std::wstring> LogicalDriveRoots();

enum class DriveKind { Unknown, NoRoot, Removable, Fixed, Remote, Optical, RamDisk };
DriveKind KindOfDrive(const std::wstring& root);

// The volume label of a drive, or empty. Only asked of fixed and RAM drives: a removable, optical or
// network drive can keep the caller waiting.
std::wstring DriveLabel(const std::wstring& root, DriveKind kind);

// True when the drive's volume can be read now (a medium is in, the target exists).
bool DriveIsReady(const std::wstring& root);

} // namespace tavlo
