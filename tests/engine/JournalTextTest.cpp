// The journal's reader on what a damaged or foreign file holds; each case was found by the fuzzer.
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

} // namespace
} // namespace tavlo
