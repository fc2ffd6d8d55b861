#include "common/PathUtil.h"

#include "core/FileSystem.h"
#include "common/PlatformText.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <system_error>
#include <thread>

namespace tavlo {
namespace {

// The absolute form the system itself would use: "." and ".." resolved, '/' made '\\', a relative path
// taken from the current folder. Looking the raw text up component by component would resolve ".."
// to a folder of that name and so could name a different file. Empty when the system refuses it.
std::wstring FullPath(const std::wstring& path)
{
    // The system treats these as wildcards in a look-up, which could answer with another file.
    if (path.empty() || path.find_first_of(L"*?<>\"") != std::wstring::npos) return {};
    return SystemFullPath(path);
}

} // namespace

std::wstring SystemFullPath(const std::wstring& path)
{
    if (path.empty()) return {};
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return {};
        if (n < full.size()) {
            full.resize(n);
            return full;
        }
        full.resize(n);
    }
}

std::wstring ExpandLongPath(const std::wstring& given, FileSystem& fs) { return ExpandFullPath(FullPath(given), fs); }

std::wstring ExpandLongPath(const std::wstring& path) { return ExpandLongPath(path, SystemFileSystem()); }

LongPathBatch::LongPathBatch() : fs_(SystemFileSystem()) {}

std::wstring LongPathBatch::Expand(const std::wstring& given) { return ExpandFull(FullPath(given)); }

bool CanOpenFile(const std::wstring& path) { return SystemFileSystem().CanOpen(path); }

std::vector<bool> CanOpenFiles(const std::vector<std::wstring>& paths)
{
    // The threads mostly wait, so more of them than processors still pays; a short list stays on this one.
    constexpr std::size_t kPathsPerThread = 64, kMostThreads = 4;
    std::vector<char> open(paths.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i; (i = next++) < paths.size();) open[i] = CanOpenFile(paths[i]);
    };
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = 1; t < std::min(kMostThreads, paths.size() / kPathsPerThread + 1); ++t)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer helpers: this thread does the rest.
    }
    work();
    for (std::thread& helper : helpers) helper.join();
    return {open.begin(), open.end()};
}

std::wstring FormatDiskFree(std::uint64_t freeBytes, const std::wstring& groupSeparator,
                            const std::wstring& decimalSeparator)
{
    // Held in single precision, as shown: one decimal, thousands grouped.
    float megabytes = static_cast<float>(static_cast<double>(freeBytes) / 1048576.0);
    double tenths = std::round(static_cast<double>(megabytes) * 10.0);
    std::uint64_t whole = static_cast<std::uint64_t>(tenths / 10.0);
    unsigned fraction = static_cast<unsigned>(tenths - static_cast<double>(whole) * 10.0);

    std::wstring digits = std::to_wstring(whole);
    std::wstring grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += groupSeparator;
        grouped += digits[i];
    }
    return L" (" + grouped + decimalSeparator + std::to_wstring(fraction) + L"M Free)";
}

std::wstring GetDiskFreeText(const std::wstring& path)
{
    if (path.size() < 2) return {};
    std::wstring root = path.substr(0, 2) + L"\\";
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return {};
    if (sectorsPerCluster == 0 || bytesPerSector == 0 || freeClusters == 0) return {};
    std::uint64_t bytes = std::uint64_t{sectorsPerCluster} * bytesPerSector * freeClusters;

    // Both separators from the locale, as the number format "###,##0.0" means.
    wchar_t group[8]{}, decimal[8]{};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, group, 8) <= 0) group[0] = L',';
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8) <= 0) decimal[0] = L'.';
    return FormatDiskFree(bytes, group, decimal);
}

std::wstring GetTempFolder()
{
    wchar_t buffer[256]{};
    DWORD n = GetTempPathW(255, buffer);
    if (n == 0 || n > 255) return {};
    return std::wstring(buffer);
}

std::wstring GetProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (!folder.empty() && folder.back() == L':') folder += L'\\';
    return folder;
}

std::wstring UpperCaseNarrow(const std::wstring& text)
{
    std::wstring upper = PlatformUpper(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if ((c >= 0xFF41 && c <= 0xFF5A) || (c >= 0x03B1 && c <= 0x03C9) || (c >= 0x0430 && c <= 0x044F)) upper[i] = c;
    }
    return upper;
}

} // namespace tavlo
