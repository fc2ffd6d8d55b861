// Times the file list filling itself from a folder of 20,000 files (reading, sorting, matching the
// pattern and filling the list box of a real window) against a plain FindFirstFileW/FindNextFileW walk
// of the same folder. Prints figures; exits with 1 when the target is missed.
//
// The folder is kept between runs (%TEMP%\tavlo2_bench_lists); making it file by file is slow under
// Wine, whose case-insensitive lookups grow with the folder. A folder made some other way can be
// named on the command line instead, for example one filled from the Unix side with
//   mkdir big && (cd big && for i in $(seq -w 0 19999); do : > file$i.txt; done)
#include "BenchTargets.h"
#include "common/FileEnum.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFiles = 20000;
constexpr int kRounds = 5;

double Milliseconds(const std::function<void()>& work)
{
    auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MedianOf(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) times.push_back(Milliseconds(work));
    return Median(times);
}

int PlainWalk(const std::wstring& folder)
{
    int count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do ++count;
    while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

std::wstring BenchFolder()
{
    wchar_t temp[MAX_PATH + 1]{};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"tavlo2_bench_lists";
}

// Makes the missing files of the kept folder: names of mixed case and a few extensions, so that
// sorting and matching have real work.
void Populate(const std::wstring& folder)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    int existing = PlainWalk(folder) - 2;
    if (existing >= kFiles) return;
    std::printf("making %d files in %ls (kept for later runs)...\n", kFiles, folder.c_str());
    std::fflush(stdout);
    const wchar_t* extensions[] = {L"txt", L"HTM", L"html", L"jpeg", L"Doc"};
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[64];
        swprintf(name, 64, L"\\%ls%05d.%ls", (i % 3 == 0) ? L"Photo" : (i % 3 == 1) ? L"memo" : L"写真", (i * 7919) % kFiles,
                 extensions[i % 5]);
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (i % 2000 == 1999) {
            std::printf("  %d\n", i + 1);
            std::fflush(stdout);
        }
    }
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring folder = argv && argc > 1 ? std::wstring(argv[1]) : BenchFolder();
    if (argv) LocalFree(argv);
    if (argc <= 1) Populate(folder);

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Tavlo2.BenchHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 600, nullptr, nullptr,
                                wc.hInstance, nullptr);
    tavlo::FileList files;
    tavlo::FolderList folders;
    if (!host || !files.Create(host, true, RECT{0, 0, 380, 560}) || !folders.Create(host, false)) {
        std::printf("could not create the lists\n");
        return 1;
    }

    int walked = 0;
    double walk = MedianOf([&] { walked = PlainWalk(folder); });
    double fill = MedianOf([&] {
        files.SetPath(folder);
        files.Refresh();
    }) / 2.0;
    double refresh = MedianOf([&] { files.Refresh(); });
    double pattern = MedianOf([&] {
        files.SetPattern(L"*.htm;*.html");
        files.SetPattern(L"*.*");
    }) / 2.0;
    double sortOnly = MedianOf([&] {
        std::vector<std::wstring> names;
        for (int i = 0; i < files.ListCount(); ++i) names.push_back(files.List(i));
        std::reverse(names.begin(), names.end());
        tavlo::SortByName(names);
    });
    double parent = MedianOf([&] { folders.SetPath(folder + L"\\.."); });

    std::printf("folder: %ls\n", folder.c_str());
    std::printf("entries seen by the plain walk: %d, files listed: %d\n", walked, files.ListCount());
    std::printf("plain FindFirstFileW/FindNextFileW walk:        %8.1f ms\n", walk);
    std::printf("file list SetPath (read, sort, match, fill):    %8.1f ms\n", fill);
    std::printf("file list Refresh:                              %8.1f ms\n", refresh);
    std::printf("file list SetPattern (no disk read):            %8.1f ms\n", pattern);
    std::printf("  of which sorting %d names alone:              %8.1f ms\n", files.ListCount(), sortOnly);
    std::printf("folder list opening the parent folder:          %8.1f ms\n", parent);
    if (walk > 0) {
        std::printf("ratio file list / plain walk: %.2f", fill / walk);
        bench::Target(fill / walk, 3.0);
        std::printf("\n");
    }

    DestroyWindow(host);
    return bench::Verdict();
}
