#include "common/SystemFileSystem.h"

#include "common/Handles.h"
#include "common/FileEnum.h"
#include "core/FileSystem.h"

#include <windows.h>

namespace tavlo {
namespace {

bool NeedsNormalising(const std::wstring& path)
{
    if (path.find(L'/') != std::wstring::npos) return true;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        std::wstring_view part(path.data() + start, end - start);
        if (part == L"." || part == L"..") return true;
        start = end + 1;
    }
    return false;
}

// '<', '>' and '"' are wildcards to the system's look-ups as much as '*' and '?' are.
bool HasWildcard(const std::wstring& path) { return path.find_first_of(L"*?<>\"") != std::wstring::npos; }

class Win32FileSystem final : public FileSystem {
public:
    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override
    {
        if (HasWildcard(from) || HasWildcard(to)) return false;
        // No MOVEFILE_REPLACE_EXISTING: an existing target makes the call fail, the file untouched.
        return MoveFileExW(ToSystemPath(from).c_str(), ToSystemPath(to).c_str(), 0) != FALSE;
    }

    std::optional<std::wstring> StoredName(const std::wstring& path) override
    {
        // A wildcard would let the search answer with some other, matching entry.
        if (path.empty() || HasWildcard(path)) return std::nullopt;
        WIN32_FIND_DATAW data;
        FindHandle find(FindFirstFileW(ToSystemPath(path).c_str(), &data));
        if (!find) return std::nullopt;
        return std::wstring(data.cFileName);
    }

    bool Exists(const std::wstring& path) override
    {
        // One look-up of the name, where a search would read the folder on some systems.
        if (path.empty() || HasWildcard(path)) return false;
        if (GetFileAttributesW(ToSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        // A name the search finds the system's way ("README." for README) counts as the search says.
        return StoredName(path).has_value();
    }

    std::vector<std::wstring> NamesLike(const std::wstring& path) override
    {
        std::vector<std::wstring> names;
        const std::size_t slash = path.find_last_of(L'\\');
        if (HasWildcard(path) || slash == std::wstring::npos || slash + 1 >= path.size()) return names;
        const std::wstring name = path.substr(slash + 1);
        // A wildcard makes the system list the folder instead of looking one name up; the '?' keeps
        // that listing to names of the same length.
        std::wstring pattern = path;
        pattern.back() = L'?';
        WIN32_FIND_DATAW data;
        FindHandle find(FindFirstFileW(ToSystemPath(pattern).c_str(), &data));
        if (!find) return names;
        do {
            if (CompareStringOrdinal(data.cFileName, -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
                names.emplace_back(data.cFileName);
        } while (FindNextFileW(find.get(), &data));
        return names;
    }

    std::optional<std::vector<std::wstring>> FolderNames(const std::wstring& folder) override
    {
        if (folder.empty() || HasWildcard(folder)) return std::nullopt;
        std::optional<std::vector<FoundEntry>> entries = ListFolderEntries(folder);
        if (!entries) return std::nullopt;
        std::vector<std::wstring> names;
        names.reserve(entries->size());
        for (FoundEntry& entry : *entries) names.push_back(std::move(entry.Name));
        return names;
    }

    std::optional<std::string> ReadHead(const std::wstring& path, std::size_t maxBytes) override
    {
        return ReadRange(path, 0, maxBytes);
    }

    std::optional<std::string> ReadRange(const std::wstring& path, std::uint64_t offset, std::size_t maxBytes) override
    {
        if (HasWildcard(path)) return std::nullopt;
        FileHandle file(CreateFileW(ToSystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file) return std::nullopt;
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        if (offset != 0 && !SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return std::nullopt;
        std::string bytes(maxBytes, '\0');
        std::size_t got = 0;
        while (got < maxBytes) {
            DWORD n = 0;
            if (!ReadFile(file.get(), bytes.data() + got, static_cast<DWORD>(maxBytes - got), &n, nullptr))
                return std::nullopt;
            if (n == 0) break;
            got += n;
        }
        bytes.resize(got);
        return bytes;
    }

    std::optional<FileIdentity> Identity(const std::wstring& path) override
    {
        if (path.empty() || HasWildcard(path)) return std::nullopt;
        // No access asked: the identity of a file another program holds open can still be read.
        FileHandle file(CreateFileW(ToSystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
        auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
        return FileIdentity{join(info.nFileSizeHigh, info.nFileSizeLow),
                            join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime),
                            join(info.nFileIndexHigh, info.nFileIndexLow) ^ (std::uint64_t{info.dwVolumeSerialNumber} << 32)};
    }

    std::optional<std::vector<std::pair<std::wstring, FileIdentity>>> FolderIdentities(const std::wstring& folder) override
    {
        if (folder.empty() || HasWildcard(folder)) return std::nullopt;
        FileHandle dir(CreateFileW(ToSystemPath(folder).c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!dir) return std::nullopt;
        BY_HANDLE_FILE_INFORMATION folderInfo;
        if (!GetFileInformationByHandle(dir.get(), &folderInfo)) return std::nullopt;
        const std::uint64_t volume = std::uint64_t{folderInfo.dwVolumeSerialNumber} << 32;
        std::vector<std::pair<std::wstring, FileIdentity>> entries;
        alignas(8) static thread_local BYTE buffer[64 * 1024];
        FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
        while (GetFileInformationByHandleEx(dir.get(), kind, buffer, sizeof buffer)) {
            kind = FileIdBothDirectoryInfo;
            for (BYTE* at = buffer;;) {
                const auto* e = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
                std::wstring name(e->FileName, e->FileNameLength / sizeof(wchar_t));
                const auto id = static_cast<std::uint64_t>(e->FileId.QuadPart);
                entries.emplace_back(std::move(name),
                                     FileIdentity{static_cast<std::uint64_t>(e->EndOfFile.QuadPart),
                                                  static_cast<std::uint64_t>(e->LastWriteTime.QuadPart), id ^ volume});
                if (e->NextEntryOffset == 0) break;
                at += e->NextEntryOffset;
            }
        }
        if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
        return entries;
    }

    bool CanOpen(const std::wstring& path) override
    {
        if (path.empty() || HasWildcard(path)) return false;
        // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, as wanted.
        FileHandle file(CreateFileW(ToSystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        return static_cast<bool>(file);
    }
};

} // namespace

std::wstring ToSystemPath(const std::wstring& path)
{
    if (path.rfind(L"\\\\?\\", 0) == 0 || NeedsNormalising(path)) return path;
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'.')
        return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

FileSystem& SystemFileSystem()
{
    static Win32FileSystem fs;
    return fs;
}

} // namespace tavlo
