#include "common/FileEnum.h"
#include "core/LongPath.h"

#include "common/Handles.h"
#include "common/PathUtil.h"
#include "common/SystemFileSystem.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

namespace tavlo {

namespace {

// Keeps the system from asking for a disk while a drive without a medium is touched.
class QuietErrors {
public:
    QuietErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~QuietErrors() { SetThreadErrorMode(previous_, nullptr); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    DWORD previous_ = 0;
};

std::wstring SearchPattern(const std::wstring& folder)
{
    std::wstring system = ToSystemPath(folder);
    if (!system.empty() && system.back() != L'\\') system += L'\\';
    return system + L'*';
}

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

std::wstring WithoutTrailingSlash(std::wstring path)
{
    // "C:\" and "\\server\share\" keep theirs: there it names the root.
    while (path.size() > 3 && path.back() == L'\\') {
        std::size_t slashes = std::count(path.begin(), path.end(), L'\\');
        if (path.rfind(L"\\\\", 0) == 0 && slashes <= 4) break;
        path.pop_back();
    }
    return path;
}

std::string SortKey(const std::wstring& name)
{
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE | SORT_STRINGSORT;
    int bytes = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, name.c_str(), static_cast<int>(name.size()), nullptr,
                              0, nullptr, nullptr, 0);
    if (bytes <= 0) return {};
    std::string key(static_cast<std::size_t>(bytes), '\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, name.c_str(), static_cast<int>(name.size()),
                  reinterpret_cast<LPWSTR>(key.data()), bytes, nullptr, nullptr, 0);
    // The key ends with a zero byte; without it a key is never a false prefix of another.
    if (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}

} // namespace

std::optional<std::vector<FoundEntry>> ListFolderEntries(const std::wstring& folder)
{
    if (folder.empty() || folder.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
    QuietErrors quiet;
    const std::wstring pattern = SearchPattern(folder);
    WIN32_FIND_DATAW data;
    // The basic form skips the short names, and the large fetch reads a big folder in fewer calls.
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find && GetLastError() == ERROR_INVALID_PARAMETER)
        find = FindHandle(FindFirstFileW(pattern.c_str(), &data));
    std::vector<FoundEntry> entries;
    if (!find) {
        // An empty drive root has not even "." to report; the folder itself is there.
        if (GetLastError() == ERROR_FILE_NOT_FOUND && FolderExists(folder)) return entries;
        return std::nullopt;
    }
    do {
        if (!IsDotEntry(data.cFileName)) entries.push_back(FoundEntry{data.cFileName, data.dwFileAttributes});
    } while (FindNextFileW(find.get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return entries;
}

namespace {
FolderReader folderReader = &ListFolderEntries;
} // namespace

FolderReader SetFolderReader(FolderReader reader)
{
    FolderReader previous = folderReader;
    folderReader = reader ? reader : &ListFolderEntries;
    return previous;
}

std::optional<std::vector<std::wstring>> ListNames(const std::wstring& folder, bool (*keep)(std::uint32_t))
{
    std::optional<std::vector<FoundEntry>> entries = folderReader(folder);
    if (!entries) return std::nullopt;
    std::vector<std::wstring> names;
    names.reserve(entries->size());
    for (FoundEntry& entry : *entries)
        if (!keep || keep(entry.Attributes)) names.push_back(std::move(entry.Name));
    SortByName(names);
    return names;
}

bool FolderExists(const std::wstring& path)
{
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos) return false;
    QuietErrors quiet;
    std::wstring system = ToSystemPath(path);
    DWORD attributes = GetFileAttributesW(system.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring AbsolutePath(const std::wstring& path)
{
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos) return {};
    std::wstring full = SystemFullPath(path);
    if (full.empty()) return {};
    if (full.rfind(L"\\\\?\\", 0) == 0) {
        // Back to the plain form: the rest of the program keeps paths that way.
        if (full.rfind(L"\\\\?\\UNC\\", 0) == 0) full = L"\\\\" + full.substr(8);
        else full = full.substr(4);
    }
    full = WithoutTrailingSlash(full);
    if (full.size() >= 2 && full[1] == L':') full[0] = static_cast<wchar_t>(towupper(full[0]));
    return full;
}

std::wstring AbsoluteFolderPath(const std::wstring& path)
{
    const std::wstring full = AbsolutePath(path);
    if ((full.size() >= 3 && full[1] == L':') || UncRootLength(full) != 0) {
        QuietErrors quiet;
        std::wstring stored = ExpandLongPath(full);
        if (!stored.empty()) return stored;
    }
    return full;
}

std::wstring CurrentFolder()
{
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    std::wstring current(needed, L'\0');
    DWORD written = GetCurrentDirectoryW(needed, current.data());
    if (written == 0 || written >= needed) return {};
    current.resize(written);
    return WithoutTrailingSlash(current);
}

void SortByName(std::vector<std::wstring>& names)
{
    // One key per name: comparing keys is far cheaper than asking the locale for every comparison.
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::wstring& name : names) keys.push_back(SortKey(name));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (int c = keys[a].compare(keys[b])) return c < 0;
        return names[a] < names[b];
    });
    std::vector<std::wstring> sorted;
    sorted.reserve(names.size());
    for (std::size_t i : order) sorted.push_back(std::move(names[i]));
    names = std::move(sorted);
}

std::vector<std::wstring> LogicalDriveRoots()
{
    std::vector<std::wstring> roots;
    DWORD needed = GetLogicalDriveStringsW(0, nullptr);
    if (needed == 0) return roots;
    std::wstring buffer(needed + 1, L'\0');
    DWORD written = GetLogicalDriveStringsW(needed, buffer.data());
    if (written == 0 || written > needed) return roots;
    for (const wchar_t* p = buffer.c_str(); *p; p += wcslen(p) + 1) {
        std::wstring root = p;
        if (root.size() >= 2 && root[1] == L':') {
            root[0] = static_cast<wchar_t>(towupper(root[0]));
            roots.push_back(root);
        }
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}

DriveKind KindOfDrive(const std::wstring& root)
{
    switch (GetDriveTypeW(root.c_str())) {
        case DRIVE_NO_ROOT_DIR: return DriveKind::NoRoot;
        case DRIVE_REMOVABLE: return DriveKind::Removable;
        case DRIVE_FIXED: return DriveKind::Fixed;
        case DRIVE_REMOTE: return DriveKind::Remote;
        case DRIVE_CDROM: return DriveKind::Optical;
        case DRIVE_RAMDISK: return DriveKind::RamDisk;
        default: return DriveKind::Unknown;
    }
}

std::wstring DriveLabel(const std::wstring& root, DriveKind kind)
{
    if (kind != DriveKind::Fixed && kind != DriveKind::RamDisk) return {};
    QuietErrors quiet;
    wchar_t label[MAX_PATH + 1]{};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) return {};
    return label;
}

bool DriveIsReady(const std::wstring& root)
{
    if (root.size() < 2 || root[1] != L':') return false;
    // Reading the root needs a medium in the drive and a target behind the letter; nothing less works.
    return FolderExists(root.substr(0, 2) + L'\\');
}

} // namespace tavlo
