#pragma once
// Real files for tests: a fresh folder under the prefix's temporary folder, removed afterwards.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavlo::test {

class TempDir {
public:
    TempDir()
    {
        wchar_t base[MAX_PATH + 1]{};
        GetTempPathW(MAX_PATH, base);
        static unsigned counter = 0;
        for (;;) {
            path_ = std::wstring(base) + L"tavlo2test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                    std::to_wstring(++counter);
            if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        }
    }
    ~TempDir() { RemoveTree(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& path() const { return path_; }
    // Full path of a name inside the folder.
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    // Creates (or overwrites) a file with the given bytes and returns its full path.
    std::wstring Write(const std::wstring& name, const std::string& bytes = "text") const
    {
        std::wstring full = *this / name;
        WriteBytes(full, bytes);
        return full;
    }
    std::wstring MakeDir(const std::wstring& name) const
    {
        std::wstring full = *this / name;
        CreateDirectoryW(Long(full).c_str(), nullptr);
        return full;
    }
    // The names in the folder exactly as stored, sorted.
    std::vector<std::wstring> Names() const { return ListNames(path_); }

    static std::wstring Long(const std::wstring& p) { return p.rfind(L"\\\\?\\", 0) == 0 ? p : L"\\\\?\\" + p; }

    static void WriteBytes(const std::wstring& full, const std::string& bytes)
    {
        HANDLE h = CreateFileW(Long(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }
    static std::string ReadBytes(const std::wstring& full)
    {
        std::string out;
        HANDLE h = CreateFileW(Long(full).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return out;
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
        CloseHandle(h);
        return out;
    }
    static bool Exists(const std::wstring& full)
    {
        return GetFileAttributesW(Long(full).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    static std::vector<std::wstring> ListNames(const std::wstring& dir)
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(Long(dir + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring n = fd.cFileName;
            if (n != L"." && n != L"..") names.push_back(n);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static void RemoveTree(const std::wstring& dir)
    {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(Long(dir + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring n = fd.cFileName;
                if (n == L"." || n == L"..") continue;
                std::wstring full = dir + L"\\" + n;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
                else {
                    SetFileAttributesW(Long(full).c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(Long(full).c_str());
                }
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(Long(dir).c_str());
    }

    std::wstring path_;
};

} // namespace tavlo::test
