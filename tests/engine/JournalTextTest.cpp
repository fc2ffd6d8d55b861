// The journal's reader on what a damaged or foreign file holds; each case was found by the fuzzer.
#include "MemoryJournal.h"
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

} // namespace
} // namespace tavlo
