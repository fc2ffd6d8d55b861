#include "windows/ResultModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavlo {
namespace {

using Change = ResultModel::Change;

TEST(ResultModel, SamePathTwiceKeepsOneEntry)
{
    ResultModel list;
    EXPECT_EQ(list.ListInAdd(L"C:\\A\\x.txt").change, Change::Appended);
    ResultModel::Added again = list.ListInAdd(L"C:\\A\\x.txt");
    EXPECT_EQ(again.change, Change::None);
    EXPECT_EQ(again.index, 0u);
    EXPECT_EQ(list.Count(), 1u);
}

TEST(ResultModel, AnotherSpellingOfAListedFileReplacesItsEntryInPlace)
{
    ResultModel list;
    list.ListInAdd(L"C:\\A\\first.txt");
    list.ListInAdd(L"C:\\A\\x.htm");
    list.ListInAdd(L"C:\\A\\last.txt");
    list.SetSelected(1, true);

    ResultModel::Added r = list.ListInAdd(L"C:\\A\\x.HTM");
    EXPECT_EQ(r.change, Change::Replaced);
    EXPECT_EQ(r.index, 1u);
    EXPECT_EQ(list.Entries(), (std::vector<std::wstring>{L"C:\\A\\first.txt", L"C:\\A\\x.HTM", L"C:\\A\\last.txt"}));
    EXPECT_TRUE(list.IsSelected(1));

    // Converted back: still the one entry, showing the latest name.
    EXPECT_EQ(list.ListInAdd(L"c:\\a\\X.htm").change, Change::Replaced);
    EXPECT_EQ(list.Entry(1), L"c:\\a\\X.htm");
    EXPECT_EQ(list.Count(), 3u);
}

TEST(ResultModel, FullWidthSmallLettersAreNotTheSameAsCapitals)
{
    ResultModel list;
    list.ListInAdd(L"C:\\A\\x.ｔｘｔ");
    // Full-width capitals are a different file: the identity keeps full-width small letters as they are.
    EXPECT_EQ(list.ListInAdd(L"C:\\A\\x.ＴＸＴ").change, Change::Appended);
    // Half-width letters fold.
    EXPECT_EQ(list.ListInAdd(L"C:\\a\\X.ｔｘｔ").change, Change::Replaced);
    EXPECT_EQ(list.Count(), 2u);
}

TEST(ResultModel, HoldsAtMostOneThousandEntriesAndDropsNewFilesSilently)
{
    ResultModel list;
    for (int i = 0; i < 999; ++i) list.ListInAdd(L"C:\\R\\f" + std::to_wstring(i) + L".txt");
    EXPECT_EQ(list.ListInAdd(L"C:\\R\\f999.txt").change, Change::Appended);
    ASSERT_EQ(list.Count(), 1000u);

    EXPECT_EQ(list.ListInAdd(L"C:\\R\\new.txt").change, Change::Dropped);
    EXPECT_EQ(list.Count(), 1000u);
    EXPECT_EQ(list.Entry(999), L"C:\\R\\f999.txt");

    // A file already listed is still updated when the list is full.
    EXPECT_EQ(list.ListInAdd(L"C:\\R\\F5.TXT").change, Change::Replaced);
    EXPECT_EQ(list.Entry(5), L"C:\\R\\F5.TXT");
    EXPECT_EQ(list.ListInAdd(L"C:\\R\\F5.TXT").change, Change::None);
}

TEST(ResultModel, SelectedPathsFollowListOrder)
{
    ResultModel list;
    for (auto p : {L"C:\\1", L"C:\\2", L"C:\\3", L"C:\\4"}) list.ListInAdd(p);
    EXPECT_TRUE(list.SelectedPaths().empty());
    list.SetSelected(3, true);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    EXPECT_EQ(list.SelectedPaths(), (std::vector<std::wstring>{L"C:\\1", L"C:\\3", L"C:\\4"}));
    list.SelectClear();
    EXPECT_TRUE(list.SelectedPaths().empty());
    list.SelectAll();
    EXPECT_EQ(list.SelectedPaths().size(), 4u);
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(ResultModel, RefreshRemovesMissingFilesAndShowsTheOthersUnderTheirLongPaths)
{
    ResultModel list;
    for (auto p : {L"C:\\K\\a", L"C:\\K\\gone", L"C:\\K\\b", L"C:\\K\\unreadable"}) list.ListInAdd(p);
    list.SetSelected(2, true);
    auto expand = [](const std::wstring& p) { return p.ends_with(L"gone") ? std::wstring() : p + L".Long"; };
    auto canOpen = [](const std::wstring& p) { return p.find(L"unreadable") == std::wstring::npos; };

    EXPECT_TRUE(list.Refresh(expand, canOpen));
    EXPECT_EQ(list.Entries(), (std::vector<std::wstring>{L"C:\\K\\a.Long", L"C:\\K\\b.Long"}));
    EXPECT_TRUE(list.IsSelected(1));
    // The identity follows the new text.
    EXPECT_EQ(list.ListInAdd(L"C:\\K\\B.LONG").change, Change::Replaced);
    EXPECT_EQ(list.Entry(1), L"C:\\K\\B.LONG");
}

TEST(ResultModel, RefreshThatFailsEmptiesTheList)
{
    ResultModel list;
    for (auto p : {L"C:\\1", L"C:\\2", L"C:\\3"}) list.ListInAdd(p);
    auto expand = [](const std::wstring& p) -> std::wstring {
        if (p == L"C:\\2") throw std::runtime_error("disk gone");
        return p;
    };
    EXPECT_FALSE(list.Refresh(expand, [](const std::wstring&) { return true; }));
    EXPECT_EQ(list.Count(), 0u);
}

TEST(ResultModel, RefreshAgainstTheDisk)
{
    test::TempDir dir;
    const std::wstring keep1 = dir.Write(L"Keep One.txt");
    const std::wstring gone = dir.Write(L"gone.txt");
    const std::wstring keep2 = dir.Write(L"Keep Two.HTM");
    const std::wstring folder = dir.MakeDir(L"a folder");

    ResultModel list;
    // Listed under other spellings than stored: the refresh brings back the stored names.
    list.ListInAdd(dir / L"KEEP ONE.TXT");
    list.ListInAdd(gone);
    list.ListInAdd(folder);
    list.ListInAdd(dir / L"keep two.htm");
    ASSERT_TRUE(DeleteFileW(gone.c_str()));

    EXPECT_TRUE(list.Refresh());
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(test::TempDir::ListNames(dir.path()).size(), 3u);
    auto storedName = [](const std::wstring& p) { return p.substr(p.find_last_of(L'\\') + 1); };
    EXPECT_EQ(storedName(list.Entry(0)), L"Keep One.txt");
    EXPECT_EQ(storedName(list.Entry(1)), L"Keep Two.HTM");
    EXPECT_EQ(list.Entry(0)[0], static_cast<wchar_t>(towupper(keep1[0])));
    EXPECT_EQ(_wcsicmp(list.Entry(1).c_str(), keep2.c_str()), 0);
}

} // namespace
} // namespace tavlo
