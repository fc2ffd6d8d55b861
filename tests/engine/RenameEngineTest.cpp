#include "engine/RenameEngine.h"
#include "engine/Prediction.h"
#include "engine/RenameReport.h"

#include "RecordingSinks.h"
#include "ScriptedRenames.h"
#include "TestSupport.h"
#include "common/Catalogue.h"
#include "common/PlatformText.h"
#include "core/Paths.h"

#include <gtest/gtest.h>

#include <map>

namespace tavlo {
namespace {

using test::TempDir;

std::wstring Text(TextNumber n) { return std::wstring(ProgramText(n)); }
std::wstring NameLine(const std::wstring& name) { return L"\u3000[ " + name + L" ]"; }
std::wstring Header(const std::wstring& path) { return L"[ " + ShortenPath(path) + L" ]"; }

RenameRules Defaults()
{
    RenameRules o;
    o.Hira = true;
    o.Exp43.fill(true);
    o.Exp34.fill(true);
    return o;
}

class RenameEngineTest : public ::testing::Test {
protected:
    // Runs the engine on a file named `name` in the temp folder; the log and results are kept.
    std::int16_t Run(const std::wstring& path, Mode mode)
    {
        log.lines.clear();
        results.paths.clear();
        return Reported(RenameEngine(SystemFileSystem(), opts).ChangeExtension(path, mode));
    }
    // The log of a successful rename to `newName`.
    std::vector<std::wstring> RenamedLog(const std::wstring& path, const std::wstring& newName)
    {
        return {Header(path), Text(program_text::RenamedFrom), NameLine(newName), Text(program_text::RenamedTo)};
    }
    // Tells the log and results of `outcome`, as a run does; 0 when the file is done, else 1.
    std::int16_t Reported(const RenameOutcome& outcome)
    {
        Report(outcome, log, results);
        return outcome.Done() ? 0 : 1;
    }
    std::vector<std::wstring> Refused(const std::wstring& path, TextNumber reason)
    {
        return {Header(path), Text(reason)};
    }

    TempDir dir;
    RenameRules opts = Defaults();
    test::RecordingLog log;
    test::RecordingResults results;
};

// Wine's disk layer answers a case-only rename with success and keeps the old name; the engine
// must rename for real there too.
TEST_F(RenameEngineTest, UpperAndLowerCaseChangeOnlyTheExtensionOnDisk)
{
    std::wstring page = dir.Write(L"Page.html", "<html>");
    EXPECT_EQ(Run(page, Mode::UpperCase), 0);
    EXPECT_EQ(log.lines, RenamedLog(page, L"Page.HTML"));
    EXPECT_EQ(results.paths, std::vector<std::wstring>{dir / L"Page.HTML"});
    // The name as stored, not as the case-insensitive lookup would answer.
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"Page.HTML"});
    EXPECT_EQ(TempDir::ReadBytes(dir / L"Page.HTML"), "<html>");

    EXPECT_EQ(Run(dir / L"Page.HTML", Mode::LowerCase), 0);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"Page.html"});
}

TEST_F(RenameEngineTest, AnUnchangedNameIsDoneAndListedWithoutRenaming)
{
    std::wstring page = dir.Write(L"PAGE.HTML");
    EXPECT_EQ(Run(page, Mode::UpperCase), 0);
    EXPECT_EQ(log.lines, Refused(page, program_text::SameName));
    EXPECT_EQ(results.paths, std::vector<std::wstring>{page});
    EXPECT_EQ(Run(dir.Write(L"a.txt"), Mode::HalfWidth), 0);
    EXPECT_EQ(log.lines.back(), Text(program_text::SameName));
}

TEST_F(RenameEngineTest, CutToThree)
{
    std::wstring html = dir.Write(L"a.html");
    EXPECT_EQ(Run(html, Mode::CutToThree), 0);
    EXPECT_EQ(log.lines, RenamedLog(html, L"a.htm"));

    std::wstring jpeg = dir.Write(L"b.Jpeg");
    EXPECT_EQ(Run(jpeg, Mode::CutToThree), 0);
    EXPECT_TRUE(TempDir::Exists(dir / L"b.Jpe"));

    std::wstring htm = dir.Write(L"c.htm");
    EXPECT_EQ(Run(htm, Mode::CutToThree), 1);
    EXPECT_EQ(log.lines, Refused(htm, program_text::ShortEnough));

    // The full-width test comes before the length test.
    for (const wchar_t* wide : {L"d.\uFF48\uFF54\uFF4D\uFF4C", L"e.\uFF48\uFF54", L"f.\u6F22\u5B57"}) {
        std::wstring p = dir.Write(wide);
        EXPECT_EQ(Run(p, Mode::CutToThree), 1);
        EXPECT_EQ(log.lines, Refused(p, program_text::HasWideChar));
        EXPECT_TRUE(TempDir::Exists(p));
    }
    // Half-width katakana take one byte each in code page 932.
    std::wstring kana = dir.Write(L"g.\uFF76\uFF80\uFF76\uFF85");
    EXPECT_EQ(Run(kana, Mode::CutToThree), 0);
    EXPECT_TRUE(TempDir::Exists(dir / L"g.\uFF76\uFF80\uFF76"));
    EXPECT_FALSE(TempDir::Exists(kana));
}

TEST_F(RenameEngineTest, DocBecomesTxtOnlyForTextFiles)
{
    std::wstring report = dir.Write(L"REPORT.Doc", "plain words\r\n");
    EXPECT_EQ(Run(report, Mode::DocToTxt), 0);
    EXPECT_EQ(log.lines, RenamedLog(report, L"REPORT.TXT"));

    std::string early(700, 'x');
    early[100] = '\0';
    std::wstring binary = dir.Write(L"bin.doc", early);
    EXPECT_EQ(Run(binary, Mode::DocToTxt), 1);
    EXPECT_EQ(log.lines, Refused(binary, program_text::NotText));

    std::string late(700, 'x');
    late[600] = '\0';
    std::wstring lateZero = dir.Write(L"late.doc", late);
    EXPECT_EQ(Run(lateZero, Mode::DocToTxt), 0);
    EXPECT_TRUE(TempDir::Exists(dir / L"late.TXT"));

    std::string edge(513, 'x');
    edge[511] = '\0';
    EXPECT_EQ(Run(dir.Write(L"edge.doc", edge), Mode::DocToTxt), 1);

    std::wstring empty = dir.Write(L"empty.DOC", "");
    EXPECT_EQ(Run(empty, Mode::DocToTxt), 0);
    EXPECT_TRUE(TempDir::Exists(dir / L"empty.TXT"));

    std::wstring docx = dir.Write(L"x.DOCX");
    EXPECT_EQ(Run(docx, Mode::DocToTxt), 1);
    EXPECT_EQ(log.lines, Refused(docx, program_text::NotDoc));
}

TEST_F(RenameEngineTest, DocOfAFileThatCannotBeReadIsNotText)
{
    std::wstring locked = dir.Write(L"locked.doc", "text");
    HANDLE h = CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run(locked, Mode::DocToTxt), 1);
    EXPECT_EQ(log.lines, Refused(locked, program_text::NotText));
    CloseHandle(h);
    EXPECT_TRUE(TempDir::Exists(locked));

}

TEST_F(RenameEngineTest, TablesFollowTheirEnabledRows)
{
    std::wstring page = dir.Write(L"page.html");
    EXPECT_EQ(Run(page, Mode::FourToThree), 0);
    EXPECT_EQ(log.lines, RenamedLog(page, L"page.HTM"));

    std::wstring sound = dir.Write(L"SOUND.aif");
    EXPECT_EQ(Run(sound, Mode::ThreeToFour), 0);
    EXPECT_TRUE(TempDir::Exists(dir / L"SOUND.AIFF"));

    opts.Exp43[3] = false;
    std::wstring aiff = dir.Write(L"x.aiff");
    EXPECT_EQ(Run(aiff, Mode::FourToThree), 1);
    EXPECT_EQ(log.lines, Refused(aiff, program_text::NotEnabled));
    EXPECT_EQ(Run(dir.Write(L"y.tiff"), Mode::FourToThree), 0); // row 4 still on

    std::wstring movie = dir.Write(L"MOVIE.avi");
    EXPECT_EQ(Run(movie, Mode::FourToThree), 1);
    EXPECT_EQ(log.lines, Refused(movie, program_text::NotEnabled));
    EXPECT_EQ(Run(movie, Mode::ThreeToFour), 1);
}

TEST_F(RenameEngineTest, FullAndHalfWidth)
{
    std::wstring txt = dir.Write(L"memo.txt");
    EXPECT_EQ(Run(txt, Mode::FullWidth), 0);
    EXPECT_EQ(log.lines, RenamedLog(txt, L"memo.\uFF54\uFF58\uFF54"));
    EXPECT_EQ(Run(dir / L"memo.\uFF54\uFF58\uFF54", Mode::HalfWidth), 0);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"memo.txt"});

    // Hiragana follow the option.
    std::wstring hira = dir.Write(L"k.\u3066\u3059\u3068");
    opts.Hira = false;
    EXPECT_EQ(Run(hira, Mode::HalfWidth), 0);
    EXPECT_EQ(log.lines.back(), Text(program_text::SameName));
    opts.Hira = true;
    EXPECT_EQ(Run(hira, Mode::HalfWidth), 0);
    EXPECT_TRUE(TempDir::Exists(dir / L"k.\uFF83\uFF7D\uFF84"));
}

TEST_F(RenameEngineTest, DoubleExtensionsCountAsOneWhenAskedFor)
{
    std::wstring data = dir.Write(L"DATA.lzh.zip");
    EXPECT_EQ(Run(data, Mode::CutToThree), 1);
    EXPECT_EQ(log.lines.back(), Text(program_text::ShortEnough));
    EXPECT_EQ(Run(data, Mode::FullWidth), 0);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"DATA.lzh.\uFF5A\uFF49\uFF50"});
    EXPECT_EQ(Run(dir / L"DATA.lzh.\uFF5A\uFF49\uFF50", Mode::HalfWidth), 0);

    opts.DblExp = true;
    EXPECT_EQ(Run(data, Mode::FullWidth), 0);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"DATA.\uFF4C\uFF5A\uFF48\uFF0E\uFF5A\uFF49\uFF50"});
    EXPECT_EQ(Run(dir / L"DATA.\uFF4C\uFF5A\uFF48\uFF0E\uFF5A\uFF49\uFF50", Mode::HalfWidth), 0);
    EXPECT_EQ(Run(data, Mode::CutToThree), 0);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"DATA.lzh"});
}

TEST_F(RenameEngineTest, NoExtensionOrUnknownModeWritesOnlyTheHeader)
{
    std::wstring readme = dir.Write(L"README");
    std::wstring dotted = dir / L"README.";
    for (int number = 0; number < 8; ++number) {
        const Mode mode = *ModeOf(number);
        EXPECT_EQ(Run(readme, mode), 1);
        EXPECT_EQ(log.lines, std::vector<std::wstring>{Header(readme)});
        EXPECT_EQ(Run(dotted, mode), 1);
        EXPECT_EQ(log.lines, std::vector<std::wstring>{Header(dotted)});
    }
    std::wstring page = dir.Write(L"page.html");
    for (int number : {kModeCount, -1, 100}) {
        const Mode mode = static_cast<Mode>(number); // as a damaged stored value would give it
        EXPECT_EQ(Run(page, mode), 1);
        EXPECT_EQ(log.lines, std::vector<std::wstring>{Header(page)});
        EXPECT_TRUE(results.paths.empty());
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"README", L"page.html"}));
}

TEST_F(RenameEngineTest, AnExistingTargetIsNeverReplaced)
{
    std::wstring page = dir.Write(L"page.html", "mine");
    dir.Write(L"page.htm", "theirs");
    EXPECT_EQ(Run(page, Mode::CutToThree), 1);
    EXPECT_EQ(log.lines, Refused(page, program_text::RenameFailed));
    EXPECT_TRUE(results.paths.empty());
    EXPECT_EQ(TempDir::ReadBytes(page), "mine");
    EXPECT_EQ(TempDir::ReadBytes(dir / L"page.htm"), "theirs");
}

TEST_F(RenameEngineTest, AFileHeldOpenByAnotherProgramKeepsItsName)
{
    std::wstring page = dir.Write(L"busy.html", "data");
    HANDLE h = CreateFileW(page.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run(page, Mode::CutToThree), 1);
    EXPECT_EQ(log.lines, Refused(page, program_text::RenameFailed));
    // The case-only way through a temporary name leaves nothing behind either.
    EXPECT_EQ(Run(page, Mode::UpperCase), 1);
    EXPECT_EQ(log.lines, Refused(page, program_text::RenameFailed));
    CloseHandle(h);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"busy.html"});
    EXPECT_EQ(TempDir::ReadBytes(page), "data");
}

TEST_F(RenameEngineTest, AVanishedFileIsMissingInEveryModeBeforeAnyOtherCheck)
{
    // Modes that would rename it, that would leave its name as it is, and that would read it.
    for (const wchar_t* name : {L"gone.html", L"gone.doc", L"gone.txt", L"gone"}) {
        for (Mode mode : {Mode::UpperCase, Mode::LowerCase, Mode::DocToTxt, Mode::CutToThree, Mode::Content}) {
            const std::wstring gone = dir / name;
            EXPECT_EQ(Run(gone, mode), 1) << name << " " << ModeNumber(mode);
            EXPECT_EQ(log.lines, Refused(gone, program_text::FileMissing)) << name << " " << ModeNumber(mode);
        }
    }
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(RenameEngineTest, ANameTheSystemWouldAlterIsNotCreated)
{
    // A full-width dot turns into a trailing dot, which the system would silently drop.
    std::wstring odd = dir.Write(L"odd.\uFF0E");
    EXPECT_EQ(Run(odd, Mode::HalfWidth), 1);
    EXPECT_EQ(log.lines, Refused(odd, program_text::RenameFailed));
    EXPECT_TRUE(TempDir::Exists(odd));
    EXPECT_EQ(dir.Names().size(), 1u);
}

TEST_F(RenameEngineTest, PathsLongerThanMaxPathWork)
{
    std::wstring relative;
    std::wstring folder = dir.path();
    while (folder.size() <= 300) {
        relative += (relative.empty() ? L"" : L"\\") + std::wstring(40, L'd');
        folder = dir.MakeDir(relative);
    }
    ASSERT_GT(folder.size(), 300u);
    std::wstring file = folder + L"\\long.html";
    TempDir::WriteBytes(file, std::string(600, 'z'));
    ASSERT_TRUE(TempDir::Exists(file));
    EXPECT_EQ(Run(file, Mode::CutToThree), 0);
    EXPECT_EQ(TempDir::ListNames(folder), std::vector<std::wstring>{L"long.htm"});
    std::wstring doc = folder + L"\\long.doc";
    TempDir::WriteBytes(doc, "words");
    EXPECT_EQ(Run(doc, Mode::DocToTxt), 0);
    EXPECT_TRUE(IsTextFile(folder + L"\\long.TXT", SystemFileSystem()));
}

// Wine's disk is case-sensitive underneath: two names that differ only in letter case can both exist
// there, made from the Unix side.
class CaseTwinTest : public RenameEngineTest {
protected:
    void SetUp() override
    {
        using UnixName = char*(CDECL*)(LPCWSTR);
        auto unixName = reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
        if (!unixName) GTEST_SKIP() << "only Wine shows two names that differ only in case";
        char* folder = unixName(dir.path().c_str());
        ASSERT_NE(folder, nullptr);
        unixFolder = folder;
        HeapFree(GetProcessHeap(), 0, folder);
    }
    void MakeFromUnix(const std::string& name, const std::string& content)
    {
        std::string cmd = "/bin/sh -c \"printf " + content + " > '" + unixFolder + "/" + name + "'\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA("Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        // Wine does not wait for a Unix child: wait for the name to show up.
        std::wstring wanted(name.begin(), name.end());
        for (int i = 0; i < 500; ++i) {
            auto names = dir.Names();
            if (std::find(names.begin(), names.end(), wanted) != names.end() &&
                TempDir::ReadBytes(dir / wanted) == content)
                return;
            Sleep(10);
        }
    }
    std::string unixFolder;
};

TEST_F(CaseTwinTest, ATwinWithTheExactNewNameIsNeverReplaced)
{
    MakeFromUnix("b.html", "one");
    MakeFromUnix("b.HTML", "two");
    ASSERT_EQ(dir.Names(), (std::vector<std::wstring>{L"b.HTML", L"b.html"}));
    EXPECT_EQ(Run(dir / L"b.html", Mode::UpperCase), 1);
    EXPECT_EQ(log.lines.back(), Text(program_text::RenameFailed));
    EXPECT_EQ(Run(dir / L"b.HTML", Mode::LowerCase), 1);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"b.HTML", L"b.html"}));
    EXPECT_EQ(TempDir::ReadBytes(dir / L"b.html"), "one");
    EXPECT_EQ(TempDir::ReadBytes(dir / L"b.HTML"), "two");
}

TEST_F(CaseTwinTest, ATwinInAnotherCaseIsNeverReplaced)
{
    MakeFromUnix("a.html", "one");
    MakeFromUnix("A.HTML", "two");
    ASSERT_EQ(dir.Names(), (std::vector<std::wstring>{L"A.HTML", L"a.html"}));
    EXPECT_EQ(Run(dir / L"a.html", Mode::UpperCase), 1);
    EXPECT_EQ(log.lines.back(), Text(program_text::RenameFailed));
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"A.HTML", L"a.html"}));
    EXPECT_EQ(TempDir::ReadBytes(dir / L"a.html"), "one");
    EXPECT_EQ(TempDir::ReadBytes(dir / L"A.HTML"), "two");
}

// The real disk, with the renames scripted in turn: carried out, refused, or claimed but not done.
// Prediction equals outcome: in every mode, over files that cover each reason (names taken on disk and
// by an earlier entry, case twins, the text test, a table row switched off, no extension, a lone dot,
// double extensions, a file that is gone), the prediction of each entry is what the run then does.
TEST_F(CaseTwinTest, EveryPredictionIsWhatTheRunThenDoes)
{
    using namespace program_text;
    const std::vector<std::pair<std::wstring, std::string>> files = {
        {L"x.html", "1"}, {L"x.htmx", "2"}, {L"taken.html", "3"}, {L"taken.htm", "4"}, {L"noext", "5"},
        {L"memo.doc", "text"}, {L"bin.doc", std::string("a\0b", 3)}, {L"a.tar.gz", "6"}, {L"p.jpeg", "7"},
        {L"q.TXT", "8"}, {L"r.\uFF54\uFF58\uFF54", "9"}, {L"s.htm", "10"}, {L"u.JPG", "11"}};
    opts.Exp43 = {true, false, true, true, true, true}; // the JPEG row off
    opts.DblExp = true;
    for (int number = 0; number < kModeCount; ++number) {
        const Mode mode = *ModeOf(number);
        for (const std::wstring& name : dir.Names()) DeleteFileW((dir / name).c_str());
        std::vector<std::wstring> paths;
        for (const auto& [name, content] : files) paths.push_back(dir.Write(name, content));
        MakeFromUnix("t.html", "one");
        MakeFromUnix("t.HTML", "two");
        paths.push_back(dir / L"t.html");
        paths.push_back(dir / L"dot.");
        paths.push_back(dir / L"gone.html");

        const std::vector<Prediction> predicted = PredictRun(paths, mode, SystemFileSystem(), opts);
        ASSERT_EQ(predicted.size(), paths.size());
        RenameEngine engine(SystemFileSystem(), opts);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const RenameOutcome outcome = engine.ChangeExtension(paths[i], mode);
            const Prediction& p = predicted[i];
            SCOPED_TRACE(testing::Message() << "mode " << number << " " << ToUtf8(paths[i]));
            EXPECT_EQ(p.path, paths[i]);
            EXPECT_EQ(p.Renames(), outcome.kind == RenameOutcome::Kind::Renamed);
            if (p.Renames()) {
                EXPECT_EQ(p.newName, GetFileName(outcome.newPath));
            }
            // A file that is gone has a reason of its own; the run's rule may still call its name unchanged.
            if (p.result == FileGone || p.result == CannotRead) continue;
            if (outcome.kind == RenameOutcome::Kind::Refused) {
                EXPECT_EQ(p.result, outcome.reason);
            }
            if (outcome.kind == RenameOutcome::Kind::Unchanged) {
                EXPECT_EQ(p.result, SameName);
            }
            EXPECT_EQ(p.Renames(), p.result == WillRename);
        }
        if (mode == Mode::CutToThree) {
            EXPECT_EQ(predicted[0].newName, L"x.htm");
            EXPECT_EQ(predicted[1].result, NameTakenByEarlier) << "x.htmx would take x.htm too";
            EXPECT_EQ(predicted[2].result, NameTaken);
        }
        if (mode == Mode::UpperCase) {
            EXPECT_EQ(predicted[13].result, CaseTwin);
        }
        if (mode == Mode::DocToTxt) {
            EXPECT_EQ(predicted[5].newName, L"memo.TXT");
        }
        EXPECT_EQ(predicted[15].result, FileGone);
        EXPECT_EQ(ResultText(predicted[15]), ProgramString(FileGone));
    }
    EXPECT_EQ(ResultText(Prediction{L"", L"", SameName}), ProgramString(SameName).substr(1)) << "no leading space";
}

class CaseOnlyFaults : public RenameEngineTest {
protected:
    using Act = test::ScriptedRenames::Act;
    std::int16_t RunScripted(std::vector<Act> script)
    {
        log.lines.clear();
        results.paths.clear();
        test::ScriptedRenames fs(std::move(script));
        return Reported(RenameEngine(fs, opts).ChangeExtension(page, Mode::UpperCase));
    }
    std::wstring page = dir.Write(L"a.html", "content");
};

// The calls in order: direct rename, old to temporary, temporary to new, temporary back to old.
TEST_F(CaseOnlyFaults, ARefusedOrIgnoredDirectRenameGoesThroughATemporaryName)
{
    dir.Write(L"~tavlo2-1.tmp", "someone else's");
    for (auto direct : {Act::Refuse, Act::Pretend}) {
        EXPECT_EQ(RunScripted({direct}), 0);
        EXPECT_EQ(log.lines, RenamedLog(page, L"a.HTML"));
        EXPECT_EQ(results.paths, std::vector<std::wstring>{dir / L"a.HTML"});
        EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.HTML", L"~tavlo2-1.tmp"}));
        EXPECT_EQ(TempDir::ReadBytes(dir / L"a.HTML"), "content");
        ASSERT_TRUE(DeleteFileW((dir / L"a.HTML").c_str()));
        dir.Write(L"a.html", "content");
    }
    EXPECT_EQ(TempDir::ReadBytes(dir / L"~tavlo2-1.tmp"), "someone else's");
}

TEST_F(CaseOnlyFaults, AFailedSecondStepPutsTheOldNameBack)
{
    for (auto step : {Act::Refuse, Act::Pretend}) {
        EXPECT_EQ(RunScripted({Act::Pretend, Act::Do, step}), 1);
        EXPECT_EQ(log.lines, Refused(page, program_text::RenameFailed));
        EXPECT_TRUE(results.paths.empty());
        EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"a.html"});
        EXPECT_EQ(TempDir::ReadBytes(page), "content");
    }
}

TEST_F(CaseOnlyFaults, AFileThatCannotGoBackStaysUnderATemporaryNameTheLogGives)
{
    EXPECT_EQ(RunScripted({Act::Pretend, Act::Do, Act::Refuse, Act::Refuse}), 1);
    const std::wstring temporary = dir / L"~tavlo2-1.tmp";
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{Header(page), Text(program_text::RenameFailed), Text(program_text::LeftUnderTemporaryName), NameLine(temporary)}));
    EXPECT_TRUE(results.paths.empty());
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"~tavlo2-1.tmp"});
    EXPECT_EQ(TempDir::ReadBytes(temporary), "content");
}

TEST(RenameEngineFaults, ThrowingSinksDoNotStopTheRename)
{
    struct Throwing : LogSink, ResultSink {
        void AddLine(const std::wstring&) override { throw std::runtime_error("sink"); }
        void AddResult(const std::wstring&) override { throw std::runtime_error("sink"); }
    } sink;
    TempDir dir;
    std::wstring page = dir.Write(L"p.html");
    RenameRules opts = Defaults();
    const RenameOutcome outcome = RenameEngine(SystemFileSystem(), opts).ChangeExtension(page, Mode::CutToThree);
    EXPECT_NO_THROW(Report(outcome, static_cast<LogSink&>(sink), static_cast<ResultSink&>(sink)));
    EXPECT_TRUE(outcome.Done());
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"p.htm"});
}

} // namespace
} // namespace tavlo
