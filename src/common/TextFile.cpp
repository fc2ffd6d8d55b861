#include "common/TextFile.h"

#include "common/Handles.h"
#include "common/PathUtil.h"
#include "common/PlatformText.h"

#include <windows.h>

#include <algorithm>

namespace tavlo {
namespace {

// Paths longer than MAX_PATH need the \\?\ form, which in turn needs a full path.
std::wstring ExtendedPath(const std::wstring& path)
{
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    const std::wstring full = SystemFullPath(path);
    if (full.empty()) return path;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool WriteAll(HANDLE h, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// Creates a new, uniquely named file beside `target`; never opens an existing one.
FileHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& tempPath)
{
    const std::size_t slash = target.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + L"~tavlo2_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                   std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(++counter) + L".tmp";
        FileHandle h(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (h) return h;
        const DWORD err = GetLastError();
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) break;
    }
    tempPath.clear();
    return FileHandle();
}

} // namespace

bool SaveTextFile(const std::wstring& path, const std::wstring& text)
{
    std::optional<std::string> cp932 = ToCp932Exactly(text);
    const std::string bytes = cp932 ? std::move(*cp932) : "\xEF\xBB\xBF" + ToUtf8(text);
    if (!cp932 && bytes.size() == 3 && !text.empty()) return false;
    return SaveBytesFile(path, bytes);
}

bool SaveBytesFile(const std::wstring& path, const std::string& bytes)
{
    if (path.empty()) return false;
    const std::wstring target = ExtendedPath(path);

    // A folder is never replaced by a file, nor a read-only file by a new one: the rename below
    // would do either on some file systems.
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;

    std::wstring tempPath;
    FileHandle file = CreateTemporaryBeside(target, tempPath);
    if (!file) return false;

    bool ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    file.reset();
    ok = ok && MoveFileExW(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(tempPath.c_str());
    return ok;
}

} // namespace tavlo
