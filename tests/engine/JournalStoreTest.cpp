// The journal file as processes share it: an appender holding it open, a reader holding it, writers at
// once, a tail a power cut left.
#include "TestSupport.h"
#include "common/Handles.h"
#include "common/JournalStore.h"
#include "engine/UndoJournal.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>
#include <vector>

namespace tavlo {
namespace {

using test::TempDir;

void OneRun(JournalStore& store, const std::string& id, int files = 1)
{
    UndoJournal journal(store);
    UndoJournal::Run run = journal.Begin(6, L"2026-01-01 00:00:00", id);
    for (int i = 0; i < files; ++i) {
        const std::wstring from = L"C:\\d\\" + std::wstring(id.begin(), id.end()) + L"-" + std::to_wstring(i) + L".TXT";
        run.Intent(from, {}, from.substr(0, from.size() - 3) + L"txt", {1, 2, static_cast<std::uint64_t>(i)});
        run.Renamed(from, from.substr(0, from.size() - 3) + L"txt", {1, 2, static_cast<std::uint64_t>(i)});
    }
}

HANDLE OpenLike(const std::wstring& path, DWORD access, DWORD share)
{
    return CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// With twenty runs stored, a run start trims; another process holding the journal as an appender does
// keeps the trim from replacing the file, and the run is journaled all the same; so does a reader (on
// some systems). Once the journal is let go, the next run trims it.
TEST(JournalStore, ARunIsJournaledWhileAnotherHoldsTheJournal)
{
    TempDir dir;
    JournalFileStore store(dir / L"journal.txt");
    for (int i = 0; i < 20; ++i) OneRun(store, "r" + std::to_string(i));
    {
        FileHandle appender(OpenLike(dir / L"journal.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE));
        ASSERT_TRUE(appender);
        OneRun(store, "held");
        const std::vector<JournalRun> runs = ParseJournal(*store.Read());
        ASSERT_EQ(runs.size(), 21u) << "nothing trimmed, nothing lost";
        EXPECT_EQ(UndoJournal(store).Choose().run->Id, "held");
    }
    {
        FileHandle reader(OpenLike(dir / L"journal.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
        ASSERT_TRUE(reader);
        OneRun(store, "read");
        EXPECT_EQ(UndoJournal(store).Choose().run->Id, "read");
    }
    OneRun(store, "after");
    const std::vector<JournalRun> runs = ParseJournal(*store.Read());
    ASSERT_EQ(runs.size(), UndoJournal::kRunsKept);
    EXPECT_EQ(runs.back().Id, "after");
    EXPECT_FALSE(TempDir::Exists(dir / L"journal.txt.new"));
}

// A tail cut short, as text or as zero bytes, does not take in the next run's first line.
TEST(JournalStore, ATornTailOnDiskStaysApart)
{
    for (const std::string& torn : {std::string("F\t123-45"), std::string(9, '\0')}) {
        TempDir dir;
        JournalFileStore store(dir / L"journal.txt");
        OneRun(store, "first");
        const std::string whole = *store.Read();
        TempDir::WriteBytes(dir / L"journal.txt", whole + torn);
        OneRun(store, "second");
        const std::vector<JournalRun> runs = ParseJournal(*store.Read());
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(UndoJournal(store).Choose().run->Id, "second");
    }
}

// Several writers at once, each with its own handle: every line whole, every run with all its files,
// while runs start (and would trim) meanwhile.
TEST(JournalStore, WritersAtOnceKeepEveryLineWhole)
{
    TempDir dir;
    const std::wstring path = dir / L"journal.txt";
    {
        JournalFileStore first(path);
        for (int i = 0; i < 20; ++i) OneRun(first, "old" + std::to_string(i));
    }
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w)
        writers.emplace_back([&path, w] {
            JournalFileStore store(path);
            for (int r = 0; r < 5; ++r) OneRun(store, "w" + std::to_string(w) + "-" + std::to_string(r), 200);
        });
    for (std::thread& t : writers) t.join();
    JournalFileStore store(path);
    const std::vector<JournalRun> runs = ParseJournal(*store.Read());
    int ours = 0;
    for (const JournalRun& run : runs) {
        if (run.Id.rfind("w", 0) != 0) continue;
        ++ours;
        EXPECT_EQ(run.Files.size(), 200u) << run.Id;
        EXPECT_TRUE(run.Ended) << run.Id;
    }
    EXPECT_EQ(ours, 20);
}

// A journal that is no journal of ours is moved aside, whole; one that cannot be opened now is left.
TEST(JournalStore, AForeignJournalIsSetAsideWhole)
{
    TempDir dir;
    TempDir::WriteBytes(dir / L"journal.txt", "something else entirely");
    JournalFileStore store(dir / L"journal.txt");
    UndoJournal journal(store);
    journal.Begin(6, L"t", "r").Renamed(L"C:\\a.TXT", L"C:\\a.txt", {1, 2, 3});
    ASSERT_FALSE(journal.SetAsidePath().empty());
    EXPECT_EQ(TempDir::ReadBytes(journal.SetAsidePath()), "something else entirely");
    EXPECT_EQ(ParseJournal(*store.Read()).size(), 1u);

    FileHandle locked(OpenLike(dir / L"journal.txt", GENERIC_READ, 0));
    ASSERT_TRUE(locked);
    EXPECT_FALSE(store.Read()) << "unreadable is not empty";
    EXPECT_FALSE(store.ReadStart(8));
}

TEST(JournalStore, AStampTellsItsProcessRunning)
{
    JournalFileStore store(L"C:\\unused.txt");
    const std::string stamp = store.WriterStamp();
    EXPECT_TRUE(store.WriterRunning(stamp));
    const std::string pid = stamp.substr(0, stamp.find('.'));
    EXPECT_FALSE(store.WriterRunning(pid + ".12345")) << "the same id, another process";
    EXPECT_FALSE(store.WriterRunning("garbage"));
}

} // namespace
} // namespace tavlo
