#include "windows/TargetModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavlo {
namespace {

std::wstring Name(int i) { return L"C:\\T\\f" + std::to_wstring(i) + L".txt"; }

// Paths from outside taken as they are and always readable, so the list rules can be tested alone.
struct FakeList {
    int limitMessages = 0;
    TargetModel list{[this] { ++limitMessages; }, [](const std::wstring& p) { return p; },
                     [](const std::wstring&) { return true; }};
};

TEST(TargetModel, SamePathTwiceKeepsOneEntryAndBothSucceed)
{
    FakeList f;
    EXPECT_TRUE(f.list.ListInAdd(L"C:\\T\\a.txt"));
    EXPECT_TRUE(f.list.ListInAdd(L"C:\\T\\a.txt"));
    EXPECT_EQ(f.list.Count(), 1u);
    // Exact comparison: another spelling is another entry.
    EXPECT_TRUE(f.list.ListInAdd(L"C:\\T\\A.txt"));
    EXPECT_EQ(f.list.Entries(), (std::vector<std::wstring>{L"C:\\T\\a.txt", L"C:\\T\\A.txt"}));
}

TEST(TargetModel, LimitIsOneThousandAndTheDuplicateTestComesFirst)
{
    FakeList f;
    for (int i = 0; i < 999; ++i) ASSERT_TRUE(f.list.ListInAdd(Name(i)));
    EXPECT_TRUE(f.list.ListInAdd(Name(999)));
    EXPECT_EQ(f.list.Count(), 1000u);
    EXPECT_EQ(f.limitMessages, 0);

    EXPECT_FALSE(f.list.ListInAdd(Name(1000)));
    EXPECT_EQ(f.limitMessages, 1);
    EXPECT_EQ(f.list.Count(), 1000u);

    EXPECT_TRUE(f.list.ListInAdd(Name(500)));
    EXPECT_EQ(f.limitMessages, 1);
}

TEST(TargetModel, ABatchBeyondTheLimitShowsTheMessageOnceAndKeepsTheFirstThousandInOrder)
{
    FakeList f;
    std::vector<std::wstring> drop;
    for (int i = 0; i < 1200; ++i) drop.push_back(Name(1199 - i));
    EXPECT_FALSE(f.list.AddBatch(drop));
    EXPECT_EQ(f.limitMessages, 1);
    ASSERT_EQ(f.list.Count(), 1000u);
    EXPECT_EQ(f.list.Entry(0), Name(1199));
    EXPECT_EQ(f.list.Entry(999), Name(200));
}

TEST(TargetModel, OutsidePathsThatCannotBeUsedAreSkippedSilently)
{
    int messages = 0;
    std::vector<std::wstring> expanded;
    TargetModel list(
        [&] { ++messages; },
        [&](const std::wstring& p) {
            expanded.push_back(p);
            return p.starts_with(L"C:") ? L"C:\\Long\\" + p.substr(3) : std::wstring();
        },
        [](const std::wstring& p) { return !p.ends_with(L"folder"); });

    EXPECT_TRUE(list.Gaibu_ListInAdd(L""));
    EXPECT_TRUE(expanded.empty());
    EXPECT_TRUE(list.Gaibu_ListInAdd(L"relative.txt"));
    EXPECT_TRUE(list.Gaibu_ListInAdd(L"C:\\folder"));
    EXPECT_EQ(list.Count(), 0u);

    EXPECT_TRUE(list.AddBatch({L"x", L"C:\\a.txt", L"C:\\folder", L"C:\\b.txt", L"C:\\a.txt"}));
    EXPECT_EQ(list.Entries(), (std::vector<std::wstring>{L"C:\\Long\\a.txt", L"C:\\Long\\b.txt"}));
    EXPECT_EQ(messages, 0);
}

TEST(TargetModel, FailureWhileCheckingAnOutsidePathIsARefusal)
{
    TargetModel list([] {}, [](const std::wstring& p) -> std::wstring {
        if (p == L"C:\\bad") throw std::runtime_error("x");
        return p;
    }, [](const std::wstring&) { return true; });
    EXPECT_FALSE(list.AddBatch({L"C:\\1", L"C:\\bad", L"C:\\2"}));
    EXPECT_EQ(list.Entries(), std::vector<std::wstring>{L"C:\\1"});
}

TEST(TargetModel, DeleteSelectedRemovesExactlyTheSelectedRowsAndKeepsTheOrder)
{
    FakeList f;
    for (int i = 1; i <= 6; ++i) f.list.ListInAdd(Name(i));
    for (std::size_t row : {2u, 3u, 5u}) f.list.SetSelected(row - 1, true);
    f.list.DeleteSelected();
    EXPECT_EQ(f.list.Entries(), (std::vector<std::wstring>{Name(1), Name(4), Name(6)}));
    for (std::size_t i = 0; i < f.list.Count(); ++i) EXPECT_FALSE(f.list.IsSelected(i));

    f.list.SelectAll();
    f.list.DeleteSelected();
    EXPECT_TRUE(f.list.Empty());
}

TEST(TargetModel, SameFolderIsTheParentOfTheFirstSelectedEntry)
{
    FakeList f;
    f.list.ListInAdd(L"C:\\a.txt");
    f.list.ListInAdd(L"C:\\data\\a.txt");
    f.list.ListInAdd(L"D:\\other\\deep\\b.txt");
    EXPECT_FALSE(f.list.SameFolder().has_value());

    f.list.SetSelected(2, true);
    f.list.SetSelected(1, true);
    EXPECT_EQ(f.list.SameFolder(), L"C:\\data");
    f.list.SetSelected(0, true);
    EXPECT_EQ(f.list.SameFolder(), L"C:\\");
}

TEST(TargetModel, ShortAndLongNamesOfOneFileOnDiskGiveOneEntry)
{
    test::TempDir dir;
    const std::wstring longName = dir.Write(L"A long file name.document");
    dir.MakeDir(L"sub");
    wchar_t shortBuf[MAX_PATH]{};
    ASSERT_GT(GetShortPathNameW(longName.c_str(), shortBuf, MAX_PATH), 0u);
    const std::wstring shortName = shortBuf;
    ASSERT_NE(shortName, longName);

    int messages = 0;
    TargetModel list([&] { ++messages; });
    EXPECT_TRUE(list.AddBatch({shortName, dir / L"a LONG file name.DOCUMENT", longName, dir / L"sub",
                               dir / L"missing.txt"}));
    ASSERT_EQ(list.Count(), 1u);
    const std::wstring& entry = list.Entry(0);
    EXPECT_EQ(entry.substr(entry.find_last_of(L'\\') + 1), L"A long file name.document");
    EXPECT_EQ(messages, 0);
}

} // namespace
} // namespace tavlo
