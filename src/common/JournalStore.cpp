#include "common/JournalStore.h"

#include "common/ComPtr.h"
#include "common/Handles.h"
#include "common/SystemFileSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>

namespace tavlo {

namespace {

constexpr DWORD kRetryMs = 20;

// Readers share everything: they never keep a trim from replacing the file, and read what they opened.
HANDLE OpenForReading(const std::wstring& path)
{
    return CreateFileW(ToSystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

std::string ReadAt(HANDLE file, std::uint64_t offset, std::size_t count)
{
    std::string bytes(count, '\0');
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(count), &got, &at)) got = 0;
    bytes.resize(got);
    return bytes;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

std::uint64_t FileTimeValue(const FILETIME& t) { return (std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

} // namespace

void JournalFileStore::CloseFile::operator()(void* handle) const
{
    FileHandle owned(handle);
}

std::optional<std::string> JournalFileStore::ReadUpTo(std::size_t bytes)
{
    Close();
    FileHandle file(OpenForReading(path_));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (text.size() < bytes && ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    if (text.size() > bytes) text.resize(bytes);
    return text;
}

std::optional<std::string> JournalFileStore::Read() { return ReadUpTo(static_cast<std::size_t>(-1)); }

std::optional<std::string> JournalFileStore::ReadStart(std::size_t bytes) { return ReadUpTo(bytes); }

bool JournalFileStore::MakeFolder() const
{
    const std::size_t slash = path_.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    const std::wstring folder = path_.substr(0, slash);
    return CreateDirectoryW(ToSystemPath(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The writers' lock, held while this lives; without a lock file (or after kLockWaitMs) it holds nothing,
// and the write goes ahead all the same.
class JournalFileStore::Locked {
public:
    explicit Locked(JournalFileStore& store)
    {
        if (!store.lock_) {
            const HANDLE file = CreateFileW(ToSystemPath(store.path_ + L".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) return;
            store.lock_.reset(file);
        }
        for (DWORD waited = 0;; waited += kRetryMs) {
            OVERLAPPED at = Region();
            if (LockFileEx(store.lock_.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
                held_ = store.lock_.get();
                return;
            }
            if (waited >= kLockWaitMs) return;
            Sleep(kRetryMs);
        }
    }
    ~Locked()
    {
        OVERLAPPED at = Region();
        if (held_) UnlockFileEx(held_, 0, 1, 0, &at);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    static OVERLAPPED Region()
    {
        OVERLAPPED at{};
        at.OffsetHigh = 0x40000000; // far past any content, so nothing that reads the file meets it
        return at;
    }
    HANDLE held_ = nullptr;
};

bool JournalFileStore::Append(const std::string& line)
{
    if (path_.empty()) return false;
    std::string bytes = line + "\n";
    // The folder is made once, when the file is opened: a run appends thousands of lines.
    if (!file_ && !MakeFolder()) return false;
    Locked locked(*this);
    if (!file_) {
        // Appends share reading and writing, not deleting: while a run holds the journal no trim can
        // replace it.
        const HANDLE file = CreateFileW(ToSystemPath(path_).c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        file_.reset(file);
        lastFlush_ = GetTickCount64();
        // A line cut short by a power cut (text, or a tail of zero bytes) must not take this one in.
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
            const std::string last = ReadAt(file, static_cast<std::uint64_t>(size.QuadPart) - 1, 1);
            if (last != "\n") bytes.insert(bytes.begin(), '\n');
        }
    }
    // Written at once: the system has it even if this process is ended the next moment.
    if (!WriteAll(file_.get(), bytes)) {
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

// Under the lock no append comes between reading and replacing. The replacement fails while any process
// holds the journal open for a run (its handle does not share deleting), so no run's records are cut off;
// the trim is then left to a later run.
bool JournalFileStore::Trim(const std::function<std::uint64_t(const JournalReadAt&, std::uint64_t size)>& cutAt)
{
    Close();
    if (path_.empty()) return false;
    Locked locked(*this);
    const std::wstring fresh = path_ + L".new";
    {
        FileHandle held(OpenForReading(path_));
        if (!held) return false;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(held.get(), &size)) return false;
        const HANDLE file = held.get();
        const JournalReadAt read = [file](std::uint64_t offset, std::size_t count) { return ReadAt(file, offset, count); };
        const std::uint64_t total = static_cast<std::uint64_t>(size.QuadPart);
        const std::uint64_t cut = cutAt(read, total);
        if (cut == 0 || cut >= total) return false;

        const std::string start = read(0, 4096);
        FileHandle out(CreateFileW(ToSystemPath(fresh).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out) return false;
        bool written = WriteAll(out.get(), start.substr(0, start.find('\n') + 1));
        for (std::uint64_t at = cut; written && at < total;) {
            const std::string piece = read(at, 1 << 20);
            if (piece.empty()) break;
            written = WriteAll(out.get(), piece);
            at += piece.size();
        }
        if (!written || !FlushFileBuffers(out.get())) {
            out.reset();
            DeleteFileW(ToSystemPath(fresh).c_str());
            return false;
        }
    }
    if (MoveFileExW(ToSystemPath(fresh).c_str(), ToSystemPath(path_).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(ToSystemPath(fresh).c_str());
    return false;
}

std::wstring JournalFileStore::SetAside()
{
    Close();
    Locked locked(*this);
    SYSTEMTIME t{};
    GetLocalTime(&t);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u%02u%02u-%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    const std::size_t dot = path_.find_last_of(L'.');
    const std::wstring stem = dot == std::wstring::npos ? path_ : path_.substr(0, dot);
    for (int n = 1; n <= 100; ++n) {
        std::wstring aside = stem + L"-" + stamp + (n > 1 ? L"-" + std::to_wstring(n) : L"") + L".damaged.txt";
        if (MoveFileExW(ToSystemPath(path_).c_str(), ToSystemPath(aside).c_str(), 0)) return aside;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return {};
}

bool JournalFileStore::Remove()
{
    Close();
    // The writers' lock goes with it; another process holding it keeps it, which harms nothing.
    lock_.reset();
    DeleteFileW(ToSystemPath(path_ + L".lock").c_str());
    return DeleteFileW(ToSystemPath(path_).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::string JournalFileStore::WriterStamp()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return std::to_string(GetCurrentProcessId()) + "." + std::to_string(FileTimeValue(created));
}

bool JournalFileStore::WriterRunning(const std::string& stamp)
{
    unsigned long pid = 0;
    unsigned long long createdAt = 0;
    if (std::sscanf(stamp.c_str(), "%lu.%llu", &pid, &createdAt) != 2) return false;
    KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return false;
    FILETIME created{}, exited{}, kernel{}, user{};
    DWORD code = 0;
    if (!GetProcessTimes(process.get(), &created, &exited, &kernel, &user) || FileTimeValue(created) != createdAt)
        return false;
    return GetExitCodeProcess(process.get(), &code) && code == STILL_ACTIVE;
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
