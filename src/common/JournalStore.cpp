#include "common/JournalStore.h"

#include "common/Handles.h"
#include "common/SystemFileSystem.h"
#include "common/TextFile.h"

#include <windows.h>
#include <shlobj.h>

namespace tavlo {

std::optional<std::string> JournalFileStore::Read()
{
    Close();
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
    if (!file_) {
        if (path_.empty() || !MakeFolder()) return false;
        HANDLE file = CreateFileW(ToSystemPath(path_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        file_ = file;
        lastFlush_ = GetTickCount64();
    }
    // Written at once: the system has it even if this process is ended the next moment.
    const std::string bytes = line + "\n";
    DWORD written = 0;
    if (!WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written != bytes.size()) {
        Close();
        return false;
    }
    if (GetTickCount64() - lastFlush_ >= kFlushMs) Flush();
    return true;
}

void JournalFileStore::Flush()
{
    if (!file_) return;
    FlushFileBuffers(file_);
    lastFlush_ = GetTickCount64();
}

void JournalFileStore::Close()
{
    if (!file_) return;
    FlushFileBuffers(file_);
    CloseHandle(file_);
    file_ = nullptr;
}

bool JournalFileStore::Replace(const std::string& text)
{
    Close();
    return !path_.empty() && MakeFolder() && SaveBytesFile(path_, text);
}

bool JournalFileStore::Remove()
{
    Close();
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
