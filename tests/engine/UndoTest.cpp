#include "engine/Undo.h"

#include "MemoryJournal.h"
#include "RecordingSinks.h"
#include "TestSupport.h"
#include "common/Catalogue.h"
#include "core/Paths.h"
#include "engine/JournalRecorder.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavlo {
namespace {

using test::TempDir;

using test::MemoryJournal;

// What the program does around a run: the engine, its renames written to the journal.
class UndoTest : public ::testing::Test {
protected:
    // Renames `names` in `mode` as one run, recorded as every front end records it; true when the
    // journal took all of it (the recorder tells the log otherwise).
    bool RunOver(const std::vector<std::wstring>& names, Mode mode)
    {
        ++runs;
        test::RecordingLog runLog;
        test::RecordingResults results;
        JournalRecorder recorder(store, SystemFileSystem(), mode, runLog, L"2026-12-08 10:00:" + std::to_wstring(runs),
                                 "run" + std::to_string(runs));
        RenameEngine engine(SystemFileSystem(), opts);
        engine.SetRecorder(&recorder);
        for (const auto& name : names) Report(engine.ChangeExtension(dir / name, mode), runLog, results, &recorder);
        const std::wstring unavailable = Text(program_text::UndoUnavailable);
        return std::count(runLog.lines.begin(), runLog.lines.end(), unavailable) == 0;
    }
    UndoOutcome Undo()
    {
        log.lines.clear();
        std::optional<JournalRun> run = journal.LastRun();
        if (!run) return {-1, -1};
        UndoOutcome outcome = TakeBack(*run, SystemFileSystem(), log, opts);
        journal.MarkTakenBack(run->Id);
        return outcome;
    }
    std::wstring Text(TextNumber n) { return std::wstring(ProgramText(n)); }

    TempDir dir;
    MemoryJournal store;
    UndoJournal journal{store};
    RenameRules opts;
    test::RecordingLog log;
    int runs = 0;
};

TEST_F(UndoTest, RunsAreTakenBackNewestFirstOneByOne)
{
    dir.Write(L"a.html", "a");
    dir.Write(L"b.html", "b");
    ASSERT_TRUE(RunOver({L"a.html", L"b.html"}, Mode::CutToThree));
    ASSERT_TRUE(RunOver({L"a.htm"}, Mode::UpperCase)); // case only: through a temporary name on Wine
    ASSERT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.HTM", L"b.htm"}));

    EXPECT_EQ(Undo().Back, 1);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.htm", L"b.htm"}));
    const std::wstring header = L"[ " + ShortenPath(dir / L"a.HTM") + L" ]";
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{header, Text(program_text::RenamedFrom), L"\u3000[ a.htm ]", Text(program_text::PutBack), Text(program_text::AllBack)}));

    const UndoOutcome second = Undo();
    EXPECT_EQ(second.Back, 2);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.html", L"b.html"}));
    EXPECT_EQ(log.lines.front(), L"[ " + ShortenPath(dir / L"b.htm") + L" ]") << "newest first";
    EXPECT_EQ(TempDir::ReadBytes(dir / L"a.html"), "a");
    EXPECT_FALSE(journal.LastRun()) << "nothing left to take back";
}

TEST_F(UndoTest, AnUndoCutBetweenItsTwoStepsIsFinishedByTheNext)
{
    dir.Write(L"a.htm", "a");
    dir.Write(L"~tavlo2-2.tmp", "someone else's");
    ASSERT_TRUE(RunOver({L"a.htm"}, Mode::UpperCase));
    // The undo's case-only rename stopped after its first step: no record names where the file is.
    ASSERT_TRUE(MoveFileW((dir / L"a.HTM").c_str(), (dir / L"~tavlo2-1.tmp").c_str()));
    EXPECT_EQ(Undo().Back, 1);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.htm", L"~tavlo2-2.tmp"}));
    EXPECT_EQ(TempDir::ReadBytes(dir / L"a.htm"), "a");
}

TEST_F(UndoTest, AFileThatChangedSinceOrWhoseOldNameIsTakenIsLeftAlone)
{
    for (const wchar_t* name : {L"gone.html", L"other.html", L"taken.html", L"fine.html"}) dir.Write(name, "x");
    ASSERT_TRUE(RunOver({L"gone.html", L"other.html", L"taken.html", L"fine.html"}, Mode::CutToThree));
    ASSERT_TRUE(MoveFileW((dir / L"gone.htm").c_str(), (dir / L"gone.txt").c_str())); // renamed again
    ASSERT_TRUE(DeleteFileW((dir / L"other.htm").c_str()));
    dir.Write(L"other.htm", "another file of that name");
    dir.Write(L"taken.html", "new file in the old name");

    const UndoOutcome outcome = Undo();
    EXPECT_EQ(outcome.Back, 1);
    EXPECT_EQ(outcome.Left, 3);
    EXPECT_EQ(log.lines.back(), Text(program_text::SomeLeft));
    for (TextNumber reason : {program_text::NewNameMissing, program_text::OtherFile, program_text::OldNameTaken})
        EXPECT_NE(std::find(log.lines.begin(), log.lines.end(), Text(reason)), log.lines.end()) << NumberOf(reason);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"fine.html", L"gone.txt", L"other.htm", L"taken.htm", L"taken.html"}));
    EXPECT_EQ(TempDir::ReadBytes(dir / L"taken.html"), "new file in the old name");
    EXPECT_EQ(TempDir::ReadBytes(dir / L"other.htm"), "another file of that name");
}

TEST_F(UndoTest, TheJournalKeepsTwentyRunsAndSurvivesARunCutShort)
{
    for (int i = 0; i < 25; ++i) {
        const std::wstring name = L"f" + std::to_wstring(i) + L".html";
        dir.Write(name);
        ASSERT_TRUE(RunOver({name}, Mode::CutToThree));
    }
    EXPECT_EQ(ParseJournal(store.text).size(), UndoJournal::kRunsKept);
    EXPECT_EQ(journal.LastRun()->Files.front().To, dir / L"f24.htm");

    // Power cut in the middle of writing a record: what was flushed before still counts.
    store.text += "F\trun25\t12";
    EXPECT_EQ(Undo().Back, 1);
    EXPECT_TRUE(TempDir::Exists(dir / L"f24.html"));
}

TEST_F(UndoTest, AJournalThatCannotBeWrittenNeverStopsARename)
{
    store.writable = false;
    dir.Write(L"a.html");
    EXPECT_FALSE(RunOver({L"a.html"}, Mode::CutToThree));
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"a.htm"});
    EXPECT_FALSE(journal.LastRun());
}

TEST(JournalText, PathsOutsideTheBasicPlaneAndKanjiComeBack)
{
    const std::wstring path = L"C:\\写真\\\U0001F600 caf\u00E9.JPG";
    EXPECT_EQ(FromJournalText(ToJournalText(path)), path);
    JournalRun run{.Id = "id", .Time = L"2026-12-08 10:00:00", .Mode = 2, .Files = {JournalFile{path, path + L"X", {}, FileIdentity{1, 2, 3}}}, .TakenBack = true};
    const std::vector<JournalRun> back = ParseJournal(FormatJournal({run}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Files[0].From, path);
    EXPECT_EQ(back[0].Files[0].Identity, (FileIdentity{1, 2, 3}));
    EXPECT_TRUE(back[0].TakenBack);
}

} // namespace
} // namespace tavlo
