#include "windows/LogModel.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlo {
namespace {

std::wstring Numbered(int i) { return L"line " + std::to_wstring(i); }

void Fill(LogModel& log, int count)
{
    for (int i = 0; i < count; ++i) log.ListInAdd(Numbered(i));
}

TEST(LogModel, AppendsInOrderAndTheNewestLineBecomesCurrent)
{
    LogModel log;
    EXPECT_EQ(log.CurrentLine(), -1);
    log.ListInAdd(L"[ C:\\A\\x.txt ]");
    EXPECT_EQ(log.CurrentLine(), 0);
    log.ListInAdd(L"\u3000x.TXT に変更しました");
    log.ListInAdd(L"全て終了しました");
    ASSERT_EQ(log.Count(), 3u);
    EXPECT_EQ(log.Line(0), L"[ C:\\A\\x.txt ]");
    EXPECT_EQ(log.Line(2), L"全て終了しました");
    EXPECT_EQ(log.CurrentLine(), 2);
}

TEST(LogModel, TextEndsEveryLineWithCrLfTheLastOneIncluded)
{
    LogModel log;
    EXPECT_EQ(log.Text(), L"");
    log.ListInAdd(L"[ C:\\A\\x.txt ]");
    log.ListInAdd(L"\u3000変更しました");
    log.ListInAdd(L"");
    log.ListInAdd(L"全て終了しました");
    EXPECT_EQ(log.Text(), L"[ C:\\A\\x.txt ]\r\n\u3000変更しました\r\n\r\n全て終了しました\r\n");
}

TEST(LogModel, ClearingEmptiesTheLogAndTheNextLineIsTheFirst)
{
    LogModel log;
    Fill(log, 5);
    log.Clear();
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(log.CurrentLine(), -1);
    EXPECT_EQ(log.Text(), L"");
    log.ListInAdd(L"again");
    EXPECT_EQ(log.CurrentLine(), 0);
    EXPECT_EQ(log.Line(0), L"again");
}

TEST(LogModel, CapDropsTheOldestLineOnlyOnceTheCurrentLineIsBeyond30000)
{
    LogModel log;
    Fill(log, 30001); // current line 30000: still appends without dropping
    EXPECT_EQ(log.CurrentLine(), 30000);
    LogModel::Append a = log.ListInAdd(Numbered(30001));
    EXPECT_FALSE(a.droppedFirst);
    ASSERT_EQ(log.Count(), 30002u);
    EXPECT_EQ(log.CurrentLine(), 30001);

    a = log.ListInAdd(Numbered(30002));
    EXPECT_TRUE(a.appended);
    EXPECT_TRUE(a.droppedFirst);
    ASSERT_EQ(log.Count(), 30002u);
    EXPECT_EQ(log.Line(0), Numbered(1));
    EXPECT_EQ(log.Line(30001), Numbered(30002));
    EXPECT_EQ(log.CurrentLine(), 30001);

    log.ListInAdd(Numbered(30003));
    EXPECT_EQ(log.Count(), 30002u);
    EXPECT_EQ(log.Line(0), Numbered(2));
    EXPECT_EQ(log.Line(30001), Numbered(30003));
}

TEST(LogModel, AfterAClickTheNextLineGoesToTheEndAndTheLineAfterTheClickedOneBecomesCurrent)
{
    LogModel log;
    Fill(log, 20);
    log.SetCurrentLine(5);
    log.ListInAdd(L"new");
    EXPECT_EQ(log.Count(), 21u);
    EXPECT_EQ(log.Line(20), L"new");
    EXPECT_EQ(log.CurrentLine(), 6);
    log.ListInAdd(L"newer");
    EXPECT_EQ(log.Line(21), L"newer");
    EXPECT_EQ(log.CurrentLine(), 7);

    // With no current line the first line becomes current; indexes outside the log are ignored.
    log.SetCurrentLine(22);
    EXPECT_EQ(log.CurrentLine(), 7);
    log.SetCurrentLine(-1);
    log.ListInAdd(L"x");
    EXPECT_EQ(log.Line(22), L"x");
    EXPECT_EQ(log.CurrentLine(), 0);
}

TEST(LogModel, CapFollowsTheCurrentLineNotTheCount)
{
    LogModel log;
    Fill(log, 30002);
    log.SetCurrentLine(100);
    LogModel::Append a = log.ListInAdd(L"kept all");
    EXPECT_FALSE(a.droppedFirst);
    EXPECT_EQ(log.Count(), 30003u);
    EXPECT_EQ(log.Line(0), Numbered(0));
    EXPECT_EQ(log.CurrentLine(), 101);

    // A current line beyond the cap that is not the last line: the oldest goes, the index stays.
    log.SetCurrentLine(30001);
    a = log.ListInAdd(L"dropped one");
    EXPECT_TRUE(a.droppedFirst);
    EXPECT_EQ(log.Count(), 30003u);
    EXPECT_EQ(log.Line(0), Numbered(1));
    EXPECT_EQ(log.Line(30002), L"dropped one");
    EXPECT_EQ(log.CurrentLine(), 30001);
}

} // namespace
} // namespace tavlo
