// The journal's reader on what a damaged or foreign file holds; each case was found by the fuzzer.
#include "MemoryJournal.h"
#include "RecordingSinks.h"
#include "common/Catalogue.h"
#include "engine/JournalRecorder.h"
#include "engine/ModelFileSystem.h"
#include "engine/RenameReport.h"

#include <memory>
#include "engine/UndoJournal.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

// A run line whose mode is no mode of the program (here beyond any integer) is a bad line: passed over,
// not read as a run that could never be written back the same.
TEST(JournalText, ARunWithAnImpossibleModeIsPassedOver)
{
    const std::string text = std::string("R\t", 2) + std::string("\0hh9008\0", 8) + "\t\t" + "12345678901234567890\n" +
                             "R\tgood\t2026-01-01 00:00:00\t3\n";
    const std::vector<JournalRun> runs = ParseJournal(text);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Id, "good");
    EXPECT_EQ(ParseJournal(FormatJournal(runs)).size(), 1u);
}

// A record whose path holds a control character (here the CR of a line ended twice) names no file a
// volume can hold: it is a damaged line, passed over, not read as a path that could not be written back.
TEST(JournalText, APathWithAControlCharacterIsADamagedLine)
{
    const std::string text = "R\tr\t2026-01-01 00:00:00\t6\nF\tr\t1\t2\t3\tC:\\a.TXT\tC:\\a.txt\r\r\n"
                             "F\tr\t1\t2\t4\tC:\\b.TXT\tC:\\b.txt\r\n";
    const std::vector<JournalRun> runs = ParseJournal(text);
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].Files.size(), 1u);
    EXPECT_EQ(runs[0].Files[0].To, L"C:\\b.txt");
}

// The journal keeps the last twenty runs: the twenty-first cuts off the oldest.
TEST(JournalText, KeepsTheLastTwentyRuns)
{
    test::MemoryJournal store;
    UndoJournal journal(store);
    for (int i = 0; i < 21; ++i)
        journal.Begin(0, L"2026-01-01 00:00:00", "run" + std::to_string(i)).Renamed(L"C:\\a.html", L"C:\\a.htm", {1, 2, 3});
    const std::vector<JournalRun> runs = ParseJournal(store.text);
    ASSERT_EQ(runs.size(), UndoJournal::kRunsKept);
    EXPECT_EQ(runs.front().Id, "run1");
    EXPECT_EQ(journal.LastRun()->Id, "run20");
}


// Damaged records read as nothing: a path that is not a full one, old and new name in two folders, an
// overlong or broken UTF-8 form, a number past 64 bits, a second run line with an id already used.
TEST(JournalText, RecordsThatNoRunCouldHaveWrittenArePassedOver)
{
    const std::string text = "R\tr\t2026-01-01 00:00:00\t6\n"
                             "F\tr\t1\t2\t3\ta.TXT\ta.txt\n"                               // relative
                             "F\tr\t1\t2\t3\tC:\\x\\a.TXT\tC:\\y\\a.txt\n"                  // two folders
                             "F\tr\t1\t2\t3\tC:\\\xC0\xAF.TXT\tC:\\\xC0\xAF.txt\n"          // overlong '/'
                             "F\tr\t1\t2\t3\tC:\\\xE3\x28\xA1.TXT\tC:\\\xE3\x28\xA1.txt\n"  // damaged middle byte
                             "F\tr\t18446744073709551616\t2\t3\tC:\\b.TXT\tC:\\b.txt\n"     // 2^64
                             "R\tr\t2026-01-02 00:00:00\t7\n"                              // id used
                             "F\tr\t1\t2\t3\tC:\\\xE5\x86\x99.TXT\tC:\\\xE5\x86\x99.txt\n"; // kept: 写
    const std::vector<JournalRun> runs = ParseJournal(text);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Mode, 6);
    ASSERT_EQ(runs[0].Files.size(), 1u);
    EXPECT_EQ(runs[0].Files[0].From, L"C:\\\u5199.TXT");
}

// Intent records: one without its outcome is a file the cut caught during its step; a second intent of
// the same file (the temporary step) replaces the first; the outcome completes it; X drops it.
TEST(JournalText, IntentsAreCompletedReplacedOrDropped)
{
    const std::string text = "R\tr\t2026-01-01 00:00:00\t6\n"
                             "I\tr\t1\t2\t3\tC:\\a.TXT\t\tC:\\a.txt\n"
                             "I\tr\t1\t2\t3\tC:\\a.TXT\tC:\\~tavlo2-1.tmp\tC:\\a.txt\n"
                             "I\tr\t1\t2\t4\tC:\\b.TXT\t\tC:\\b.txt\n"
                             "F\tr\t1\t2\t4\tC:\\b.TXT\tC:\\b.txt\n"
                             "I\tr\t1\t2\t5\tC:\\c.TXT\t\tC:\\c.txt\n"
                             "X\tr\tC:\\c.TXT\n";
    const std::vector<JournalRun> runs = ParseJournal(text);
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].Files.size(), 2u);
    EXPECT_FALSE(runs[0].Files[0].Done);
    EXPECT_EQ(runs[0].Files[0].Temporary, L"C:\\~tavlo2-1.tmp");
    EXPECT_EQ(runs[0].Files[0].To, L"C:\\a.txt");
    EXPECT_TRUE(runs[0].Files[1].Done);
    EXPECT_EQ(runs[0].Files[1].Identity.FileId, 4u);
    EXPECT_EQ(FormatJournal(ParseJournal(FormatJournal(runs))), FormatJournal(runs));
}

// A file's outcome goes out with the next file's intent: one append per file. Cut off before that, the
// intent alone stands (undo then looks on the disk); a run that ends writes the last outcome.
TEST(JournalText, AnOutcomeRidesWithTheNextRecord)
{
    struct Counting : test::MemoryJournal {
        int appends = 0;
        bool Append(const std::string& line) override { return ++appends, MemoryJournal::Append(line); }
    } store;
    UndoJournal journal(store);
    std::string cut;
    {
        UndoJournal::Run run = journal.Begin(2, L"2026-01-01 00:00:00", "r");
        for (std::uint64_t i = 1; i <= 3; ++i) {
            const std::wstring from = L"C:\\f" + std::to_wstring(i) + L".html", to = from.substr(0, from.size() - 1);
            run.Intent(from, {}, to, {1, 2, i});
            run.Renamed(from, to, {1, 2, i});
        }
        cut = store.text;
    }
    EXPECT_EQ(store.appends, 2 + 3 + 1); // a new journal's header and the run, one per file, the end
    const std::vector<JournalRun> atCut = ParseJournal(cut), ended = ParseJournal(store.text);
    ASSERT_EQ(atCut.size(), 1u);
    ASSERT_EQ(atCut[0].Files.size(), 3u);
    EXPECT_TRUE(atCut[0].Files[1].Done);
    EXPECT_FALSE(atCut[0].Files[2].Done);
    EXPECT_EQ(atCut[0].Files[2].To, L"C:\\f3.htm");
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_TRUE(ended[0].Ended);
    EXPECT_TRUE(ended[0].Files[2].Done);
}

// A torn last line (text cut short, or zero bytes a power cut left) never takes in the next record, and
// undo chooses the newest run.
TEST(JournalText, ATornTailNeverSwallowsTheNextRun)
{
    for (const std::string& torn : {std::string("F\t123-45"), std::string(7, '\0')}) {
        test::MemoryJournal store;
        UndoJournal journal(store);
        journal.Begin(6, L"2026-01-01 00:00:01", "first").Renamed(L"C:\\a.TXT", L"C:\\a.txt", {1, 2, 3});
        store.text += torn;
        journal.Begin(6, L"2026-01-01 00:00:02", "second").Renamed(L"C:\\b.TXT", L"C:\\b.txt", {1, 2, 4});
        ASSERT_EQ(ParseJournal(store.text).size(), 2u);
        EXPECT_EQ(journal.Choose().run->Id, "second");
    }
}

// A run of a process that still runs is not taken back: Undo names it once, and asked again passes over
// it. An ended run, or one whose process is gone (cut off), can be taken back.
TEST(JournalText, ARunInProgressIsNamedOnceThenPassedOver)
{
    test::MemoryJournal store;
    UndoJournal journal(store);
    store.stamp = "10.1";
    journal.Begin(6, L"2026-01-01 00:00:01", "ended").Renamed(L"C:\\a.TXT", L"C:\\a.txt", {1, 2, 3});
    store.stamp = "11.1";
    std::optional<UndoJournal::Run> going(journal.Begin(6, L"2026-01-01 00:00:02", "going"));
    going->Renamed(L"C:\\b.TXT", L"C:\\b.txt", {1, 2, 4});
    store.running = {"10.1", "11.1"};

    UndoJournal::Choice first = journal.Choose();
    ASSERT_TRUE(first.running);
    EXPECT_EQ(first.running->Id, "going");
    EXPECT_FALSE(first.run);
    journal.PassOver("going");
    EXPECT_EQ(journal.Choose().run->Id, "ended");

    store.running.clear(); // its process was cut off: its records stand
    EXPECT_EQ(journal.Choose().run->Id, "going");
    going.reset();
    EXPECT_TRUE(ParseJournal(store.text).back().Ended);
}

// A journal that is not ours is set aside, never wiped, and the log names where; one that cannot be read
// now is neither replaced nor trimmed; one another process writes is not trimmed until it is let go.
TEST(JournalText, NoJournalIsEverWiped)
{
    test::MemoryJournal store;
    store.text = "not a journal\n";
    test::ModelFileSystem fs;
    fs.AddFolder(L"C:\\d", false);
    fs.AddFile(L"C:\\d", L"a.TXT");
    test::RecordingLog log;
    {
        RenameEngine engine(fs, RenameRules{});
        JournalRecorder recorder(store, fs, Mode::LowerCase, log);
        engine.SetRecorder(&recorder);
        Report(engine.ChangeExtension(L"C:\\d\\a.TXT", Mode::LowerCase), log, *std::make_unique<test::RecordingResults>(), &recorder);
    }
    EXPECT_EQ(store.setAside, "not a journal\n");
    EXPECT_EQ(log.lines.front(), FillTag(ProgramString(program_text::JournalSetAside), L"%PATH%", store.asidePath));
    UndoJournal journal(store);
    ASSERT_EQ(ParseJournal(store.text).size(), 1u);
    EXPECT_EQ(journal.Choose().run->Files.at(0).To, L"C:\\d\\a.txt");

    for (int i = 0; i < 25; ++i) {
        store.heldByAnother = i < 22;
        store.readable = i != 23;
        journal.Begin(6, L"t", "n" + std::to_string(i)).Renamed(L"C:\\a.TXT", L"C:\\a.txt", {1, 2, 3});
        if (i == 21) {
            EXPECT_EQ(ParseJournal(store.text).size(), 23u) << "held: nothing trimmed";
        }
    }
    const std::vector<JournalRun> runs = ParseJournal(store.text);
    EXPECT_EQ(runs.size(), UndoJournal::kRunsKept);
    EXPECT_EQ(runs.back().Id, "n24");
}

// The cut is found reading backwards in pieces, also where a run's first line crosses a piece's border.
TEST(JournalText, TheCutPointIsFoundAcrossPieces)
{
    std::string text = "TAVLO2-JOURNAL 1\n";
    std::vector<std::uint64_t> starts;
    for (int run = 0; run < 6; ++run) {
        starts.push_back(text.size());
        text += "R\tr" + std::to_string(run) + "\tt\t0\n" + std::string(65536 - 3 + run, 'x') + "\n";
    }
    std::uint64_t biggest = 0;
    const JournalReadAt read = [&](std::uint64_t at, std::size_t n) {
        biggest = std::max<std::uint64_t>(biggest, n);
        return text.substr(static_cast<std::size_t>(at), n);
    };
    EXPECT_EQ(JournalCutPoint(read, text.size(), 4), starts[2]);
    EXPECT_EQ(JournalCutPoint(read, text.size(), 6), 0u);
    EXPECT_LE(biggest, 65536u);
}

} // namespace
} // namespace tavlo
