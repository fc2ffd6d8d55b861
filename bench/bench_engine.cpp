// Times the rename engine against a plain loop of MoveFileW over the same number of files, and the
// path normalisation the target list does per file. Prints figures; exits with 1 when a target is missed.
#include "BenchMeasure.h"
#include "BenchTargets.h"
#include "RecordingSinks.h"
#include "TestSupport.h"
#include "common/PathUtil.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using bench::Seconds;

using tavlo::test::TempDir;

constexpr int kFiles = 1000;

std::wstring Numbered(int i, const wchar_t* ext)
{
    wchar_t name[32];
    swprintf(name, 32, L"file%04d.%ls", i, ext);
    return name;
}

void Fill(const TempDir& dir, const wchar_t* ext)
{
    for (int i = 0; i < kFiles; ++i) dir.Write(Numbered(i, ext), "some text");
}

bool DiskRenamesCaseOnly()
{
    TempDir probe;
    std::wstring file = probe.Write(L"probe.txt");
    MoveFileW(file.c_str(), (probe / L"probe.TXT").c_str());
    return probe.Names() == std::vector<std::wstring>{L"probe.TXT"};
}

// The engine in `mode` over files with extension `from`; the plain loop renames the same number of
// equivalent files from `from` to `to` with MoveFileW. A case-only rename that the disk ignores is
// compared with the plain loop of the two renames through a temporary name that really rename there.
// Three rounds on fresh files, the two sides taking turns at going first; the best times count.
void Compare(const char* label, tavlo::Mode mode, const wchar_t* from, const wchar_t* to, double target)
{
    tavlo::RenameRules opts;
    opts.Exp43.fill(true);
    opts.Exp34.fill(true);
    const bool detour = mode == tavlo::Mode::UpperCase && !DiskRenamesCaseOnly();
    double engineTime = 1e9, plainTime = 1e9;
    int done = kFiles, moved = kFiles;
    for (int round = 0; round < 3; ++round) {
        TempDir engineDir, plainDir;
        Fill(engineDir, from);
        Fill(plainDir, from);
        auto engineSide = [&] {
            tavlo::test::RecordingLog log;
            tavlo::test::RecordingResults results;
            tavlo::RenameEngine engine(tavlo::SystemFileSystem(), opts);
            int doneNow = 0;
            engineTime = std::min(engineTime, Seconds([&] {
                for (int i = 0; i < kFiles; ++i) {
                    const tavlo::RenameOutcome outcome = engine.ChangeExtension(engineDir / Numbered(i, from), mode);
                    tavlo::Report(outcome, log, results);
                    doneNow += outcome.Done();
                }
            }));
            done = std::min(done, doneNow);
        };
        auto plainSide = [&] {
            int movedNow = 0;
            plainTime = std::min(plainTime, Seconds([&] {
                for (int i = 0; i < kFiles; ++i) {
                    std::wstring source = plainDir / Numbered(i, from);
                    if (detour) {
                        std::wstring temporary = plainDir / L"~plain.tmp";
                        if (!MoveFileW(source.c_str(), temporary.c_str())) continue;
                        source = temporary;
                    }
                    movedNow += MoveFileW(source.c_str(), (plainDir / Numbered(i, to)).c_str()) != 0;
                }
            }));
            moved = std::min(moved, movedNow);
        };
        if (round % 2 == 0) {
            engineSide();
            plainSide();
        } else {
            plainSide();
            engineSide();
        }
    }
    std::printf("%-34s engine %7.1f ms (%d done)   MoveFileW loop%s %7.1f ms (%d ok)   ratio %.2f",
                label, engineTime * 1000, done, detour ? " x2" : "", plainTime * 1000, moved,
                engineTime / plainTime);
    if (target > 0) bench::Target(engineTime / plainTime, target);
    bench::Measured(done == kFiles && moved == kFiles, "not every file was renamed");
    std::printf("\n");
}

void NormaliseAndProbe()
{
    TempDir dir;
    Fill(dir, L"txt");
    int usable = 0;
    double t = Seconds([&] {
        for (int i = 0; i < kFiles; ++i) {
            std::wstring p = tavlo::ExpandLongPath(dir / Numbered(i, i % 2 ? L"TXT" : L"txt"));
            usable += !p.empty() && tavlo::CanOpenFile(p);
        }
    });
    std::printf("%-34s %7.1f ms for %d paths (%d usable), %.1f us per path\n", "ExpandLongPath + CanOpenFile (half the names in another case)", t * 1000,
                kFiles, usable, t * 1e6 / kFiles);
}

} // namespace

int main()
{
    std::printf("%d files per run\n", kFiles);
    Compare("mode 7 (upper case, case-only)", tavlo::Mode::UpperCase, L"txt", L"TXT", 1.5);
    Compare("mode 0 (cut to three)", tavlo::Mode::CutToThree, L"html", L"htm", 1.10);
    Compare("mode 4 (full width)", tavlo::Mode::FullWidth, L"txt", L"\uFF54\uFF58\uFF54", 1.10);
    NormaliseAndProbe();
    return bench::Verdict();
}
