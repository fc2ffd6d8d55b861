// The console command over 10,000 files of one folder in mode cut3, its output redirected to a file as a
// script would: the run against a plain MoveFileW loop over as many files plus the command's start with
// nothing to do; the dry run against the same loop; the run's peak working set, and what twenty stored
// runs of as many files add to it; then the dry run over 100,000 files in 100 folders. Best of three
// rounds, since a start under Wine varies by a tenth of a second.
#include "BenchConsole.h"
#include "BenchMeasure.h"
#include "BenchTargets.h"
#include "ProgramProcess.h"
#include "TestSupport.h"
#include "common/JournalStore.h"
#include "common/TextFile.h"
#include "core/Paths.h"
#include "engine/UndoJournal.h"

#include <algorithm>
#include <cstdio>

namespace {

using bench::Seconds;
using tavlo::test::TempDir;

constexpr int kFiles = 10000;

std::vector<std::wstring> Fill(const std::wstring& folder, const wchar_t* stem)
{
    std::vector<std::wstring> paths;
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"%ls%05d.html", stem, i);
        paths.push_back(folder + L"\\" + name);
        TempDir::WriteBytes(paths.back(), "x");
    }
    return paths;
}


struct Round {
    double run = 0, dry = 0, empty = 0, plain = 0, peak = 0;
};

Round RunRound(const std::wstring& folder, bool plainFirst)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring mine = folder + L"\\c", plainDir = folder + L"\\p";
    CreateDirectoryW(mine.c_str(), nullptr);
    CreateDirectoryW(plainDir.c_str(), nullptr);
    Fill(mine, L"c");
    const std::vector<std::wstring> plainFiles = Fill(plainDir, L"p");
    TempDir::WriteBytes(folder + L"\\x.htm", "x");

    Round round;
    auto plainLoop = [&] {
        round.plain = Seconds([&] {
            for (const std::wstring& p : plainFiles) MoveFileW(p.c_str(), p.substr(0, p.size() - 1).c_str());
        });
    };
    if (plainFirst) plainLoop();
    round.dry = bench::RunConsole(L"cut3 -n c", folder);
    round.run = bench::RunConsole(L"cut3 c", folder, &round.peak);
    round.empty = bench::RunConsole(L"cut3 x.htm", folder);
    if (!plainFirst) plainLoop();

    for (const std::wstring& sub : {mine, plainDir}) {
        for (const std::wstring& name : TempDir::ListNames(sub)) DeleteFileW((sub + L"\\" + name).c_str());
        RemoveDirectoryW(sub.c_str());
    }
    DeleteFileW((folder + L"\\x.htm").c_str());
    RemoveDirectoryW(folder.c_str());
    return round;
}

// The peak working set of a run over 10,000 files with twenty runs of 10,000 files stored in the journal
// (about 30 MB); the user's journal is put back afterwards.
double PeakWithFullJournal(const std::wstring& folder)
{
    const std::wstring path = tavlo::DefaultJournalPath();
    const std::string saved = tavlo::JournalFileStore(path).Read().value_or(std::string());
    std::vector<tavlo::JournalRun> runs;
    for (int r = 0; r < 20; ++r) {
        tavlo::JournalRun run{.Id = "stored" + std::to_string(r), .Time = L"2026-01-01 00:00:00", .Ended = true};
        for (int i = 0; i < kFiles; ++i) {
            const std::wstring name = L"C:\\stored\\folder\\file" + std::to_wstring(i);
            run.Files.push_back({name + L".html", name + L".htm", {}, {1, 2, static_cast<std::uint64_t>(i)}});
        }
        runs.push_back(std::move(run));
    }
    tavlo::SaveBytesFile(path, tavlo::FormatJournal(runs));
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring mine = folder + L"\\c";
    CreateDirectoryW(mine.c_str(), nullptr);
    Fill(mine, L"c");
    double peak = 0;
    const bool ran = bench::RunConsole(L"cut3 c", folder, &peak) >= 0;
    for (const std::wstring& name : TempDir::ListNames(mine)) DeleteFileW((mine + L"\\" + name).c_str());
    RemoveDirectoryW(mine.c_str());
    RemoveDirectoryW(folder.c_str());
    if (saved.empty()) DeleteFileW(path.c_str());
    else tavlo::SaveBytesFile(path, saved);
    return ran ? peak : 0;
}

// `tavlo2c lower -n -r` over a tree of 100 folders of 1,000 files each, every extension in upper case so
// that each file has a line to say: the time and the peak working set.
void LargeTree(const std::wstring& folder)
{
    constexpr int kFolders = 100, kPerFolder = 1000;
    const std::wstring tree = folder + L"\\tree";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(tree.c_str(), nullptr);
    std::vector<std::wstring> subs;
    for (int f = 0; f < kFolders; ++f) {
        subs.push_back(tree + L"\\d" + std::to_wstring(f));
        CreateDirectoryW(subs.back().c_str(), nullptr);
        for (int i = 0; i < kPerFolder; ++i) TempDir::WriteBytes(subs.back() + L"\\file" + std::to_wstring(i) + L".TXT", "");
    }
    double peak = 0;
    std::string output;
    const double seconds = bench::RunConsole(L"lower -n -r tree", folder, &peak, &output);
    const long lines = static_cast<long>(std::count(output.begin(), output.end(), '\n'));
    std::printf("\ntavlo2c lower -n -r over %d files in %d folders: %.1f s", kFolders * kPerFolder, kFolders, seconds);
    bench::Target(seconds, 10, "%.0f s");
    std::printf(", peak working set %.1f MB", peak);
    bench::Target(peak, 150, "%.0f MB");
    bench::Measured(seconds > 0 && peak > 0 && lines == kFolders * kPerFolder, "the dry run over the tree, a line per file");
    for (const std::wstring& sub : subs) {
        for (const std::wstring& name : TempDir::ListNames(sub)) DeleteFileW((sub + L"\\" + name).c_str());
        RemoveDirectoryW(sub.c_str());
    }
    RemoveDirectoryW(tree.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace

int main()
{
    Round best{1e9, 1e9, 1e9, 1e9, 0};
    for (int i = 0; i < 3; ++i) {
        const Round r = RunRound(L"C:\\tvconsole", i % 2 == 0);
        if (r.run < 0 || r.dry < 0 || r.empty < 0) {
            std::printf("tavlo2c failed\n");
            return 1;
        }
        std::printf("round %d: run %8.1f ms, dry run %8.1f ms, start with nothing to do %6.1f ms, MoveFileW loop %8.1f ms\n",
                    i + 1, r.run * 1000, r.dry * 1000, r.empty * 1000, r.plain * 1000);
        best = {std::min(best.run, r.run), std::min(best.dry, r.dry), std::min(best.empty, r.empty),
                std::min(best.plain, r.plain), std::max(best.peak, r.peak)};
    }
    std::printf("tavlo2c cut3 over %d files %8.1f ms against MoveFileW loop + start %8.1f ms: ratio %.2f", kFiles,
                best.run * 1000, (best.plain + best.empty) * 1000, best.run / (best.plain + best.empty));
    bench::Target(best.run / (best.plain + best.empty), 1.2);
    std::printf("\ntavlo2c cut3 -n over %d files %8.1f ms against the MoveFileW loop %8.1f ms: ratio %.2f", kFiles,
                best.dry * 1000, best.plain * 1000, best.dry / best.plain);
    bench::Target(best.dry / best.plain, 0.3);
    std::printf("\npeak working set of the run %.1f MB", best.peak);
    bench::Target(best.peak, 50, "%.0f MB");
    bench::Measured(best.peak > 0, "the run's working set");
    const double full = PeakWithFullJournal(L"C:\\tvconsole");
    std::printf("\nthe same run with 20 runs of %d files stored: %.1f MB, %.1f MB more", kFiles, full, full - best.peak);
    bench::Target(full - best.peak, 10, "%.0f MB");
    bench::Measured(full > 0, "the working set beside a full journal");
    LargeTree(L"C:\\tvtree");
    std::printf("\n");
    return bench::Verdict();
}
