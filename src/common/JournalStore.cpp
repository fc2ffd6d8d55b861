#include "common/JournalStore.h"

#include "common/Handles.h"
#include "common/SystemFileSystem.h"
#include "common/TextFile.h"

#include <windows.h>
#include <shlobj.h>

namespace tavlo {

std::optional<std::string> JournalFileStore::Read()
{
    FileHandle file(CreateFileW(ToSystemPath(path_).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}

bool JournalFileStore::MakeFolder() const
{
    const std::size_t slash = path_.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    const std::wstring folder = path_.substr(0, slash);
    return CreateDirectoryW(ToSystemPath(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool JournalFileStore::Append(const std::string& line)
{
    if (path_.empty() || !MakeFolder()) return false;
    FileHandle file(CreateFileW(ToSystemPath(path_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string bytes = line + "\n";
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.get());
}

bool JournalFileStore::Replace(const std::string& text)
{
    return !path_.empty() && MakeFolder() && SaveBytesFile(path_, text);
}

bool JournalFileStore::Remove()
{
    return DeleteFileW(ToSystemPath(path_).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::wstring DefaultJournalPath()
{
    PWSTR folder = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder))) return {};
    std::wstring path = std::wstring(folder) + L"\\Tavlo2\\journal.txt";
    CoTaskMemFree(folder);
    return path;
}

} // namespace tavlo
