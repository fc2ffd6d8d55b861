#include "common/JournalStore.h"

#include "common/ComPtr.h"
#include "common/Handles.h"
#include "common/SystemFileSystem.h"
#include "common/TextFile.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

namespace tavlo {

void JournalFileStore::CloseFile::operator()(void* handle) const
{
    FileHandle owned(handle);
}

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
        file_.reset(file);
        lastFlush_ = GetTickCount64();
    }
    // Written at once: the system has it even if this process is ended the next moment.
    const std::string bytes = line + "\n";
    DWORD written = 0;
    if (!WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written != bytes.size()) {
        Close();
        return false;
    }
    if (GetTickCount64() - lastFlush_ >= kFlushMs) Flush();
    return true;
}

void JournalFileStore::Flush()
{
    if (!file_) return;
    FlushFileBuffers(file_.get());
    lastFlush_ = GetTickCount64();
}

void JournalFileStore::Close()
{
    if (!file_) return;
    FlushFileBuffers(file_.get());
    file_.reset();
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

std::wstring JournalTimeNow()
{
    SYSTEMTIME t{};
    GetLocalTime(&t);
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::string NewJournalRunId()
{
    static unsigned counter = 0;
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + "-" +
           std::to_string(++counter);
}

std::wstring DefaultJournalPath()
{
    CoTaskMemPtr<wchar_t> folder;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, folder.put()))) return {};
    return std::wstring(folder.get()) + L"\\Tavlo2\\journal.txt";
}

} // namespace tavlo
