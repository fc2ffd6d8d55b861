#include "common/PathUtil.h"

#include "TestSupport.h"
#include "core/FileSystem.h"
#include "common/PlatformText.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

using test::TempDir;

bool EndsWith(const std::wstring& s, const std::wstring& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(ExpandLongPath, GivesEveryComponentAsStored)
{
    TempDir dir;
    dir.MakeDir(L"My Doc");
    std::wstring file = dir.Write(L"My Doc\\ReadMe.txt");
    std::wstring expanded = ExpandLongPath(PlatformLower(file));
    EXPECT_EQ(expanded.substr(0, 3), L"C:\\");
    EXPECT_TRUE(EndsWith(expanded, L"\\My Doc\\ReadMe.txt")) << expanded;
    EXPECT_EQ(expanded, ExpandLongPath(file));
    EXPECT_EQ(PlatformUpper(expanded), PlatformUpper(file));

    // A trailing backslash is dropped with the component it would have started.
    EXPECT_TRUE(EndsWith(ExpandLongPath(PlatformUpper(dir / L"my doc\\")), L"\\My Doc"));
}

TEST(ExpandLongPath, RootsAndRefusals)
{
    EXPECT_EQ(ExpandLongPath(L"d:\\"), L"D:\\");
    EXPECT_EQ(ExpandLongPath(L"c:\\"), L"C:\\");
    TempDir dir;
    EXPECT_EQ(ExpandLongPath(dir / L"MISSING\\FILE.TXT"), L"");
    EXPECT_EQ(ExpandLongPath(dir / L"missing.txt"), L"");
    EXPECT_EQ(ExpandLongPath(L"\\\\server\\share\\file.txt"), L"");
    EXPECT_EQ(ExpandLongPath(L"FILE.TXT"), L"");
    EXPECT_EQ(ExpandLongPath(L"C:FILE.TXT"), L"");
    EXPECT_EQ(ExpandLongPath(L""), L"");
}

TEST(ExpandLongPath, AWildcardNeverResolvesToAnotherFile)
{
    TempDir dir;
    dir.Write(L"ReadMe.txt");
    dir.MakeDir(L"Sub");
    EXPECT_EQ(ExpandLongPath(dir / L"Re*.txt"), L"");
    EXPECT_EQ(ExpandLongPath(dir / L"ReadMe.tx?"), L"");
    EXPECT_EQ(ExpandLongPath(dir / L"S?b\\x"), L"");
    EXPECT_FALSE(ExpandLongPath(dir / L"ReadMe.txt").empty());
}

// Decoys stand where a look-up of the raw text would land: only the file the path names is found.
TEST(ExpandLongPath, DotsSlashesAndRelativeNamesNameWhatTheSystemWouldOpen)
{
    TempDir dir;
    const std::wstring folder = ExpandLongPath(dir.path());
    const std::wstring leaf = folder.substr(folder.find_last_of(L'\\') + 1);
    dir.MakeDir(L"sub");
    dir.MakeDir(L"sub\\" + leaf);
    dir.MakeDir(L"in");
    dir.Write(L"a.html");
    dir.Write(L"sub\\" + leaf + L"\\a.html");
    dir.Write(L"in\\a.html");

    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW((dir / L"in").c_str()));
    for (int batch = 0; batch < 2; ++batch) {
        LongPathBatch paths;
        auto expand = [&](const std::wstring& p) { return batch ? paths.Expand(p) : ExpandLongPath(p); };
        EXPECT_EQ(expand(dir / L"sub\\..\\a.html"), folder + L"\\a.html");
        EXPECT_EQ(expand(dir / L"in/a.html"), folder + L"\\in\\a.html");
        EXPECT_EQ(expand(dir / L".\\in\\.\\a.html"), folder + L"\\in\\a.html");
        EXPECT_EQ(expand(L"a.html"), folder + L"\\in\\a.html") << "relative to the current folder";
        EXPECT_EQ(expand(L"..\\A.HTML"), folder + L"\\a.html");
        for (const wchar_t* odd : {L"a.ht>l", L"a.ht<l", L"a.ht\"l", L"a.ht?l", L"a.*"})
            EXPECT_EQ(expand(dir / odd), L"") << odd;
    }
    SetCurrentDirectoryW(saved);
}

TEST(LongPathBatch, AnswersAsTheSingleLookupDoes)
{
    TempDir dir;
    std::vector<std::wstring> paths;
    for (int i = 0; i < 20; ++i) paths.push_back(dir.Write(L"File" + std::to_wstring(i) + L".Txt"));
    LongPathBatch batch;
    for (const std::wstring& p : paths) EXPECT_EQ(batch.Expand(PlatformUpper(p)), ExpandLongPath(p)) << p;
    // Made after the folder was read, gone since, or never there.
    const std::wstring late = dir.Write(L"Late.txt");
    EXPECT_EQ(batch.Expand(PlatformLower(late)), ExpandLongPath(late));
    ASSERT_TRUE(DeleteFileW(paths[0].c_str()));
    EXPECT_FALSE(CanOpenFile(batch.Expand(paths[0])));
    EXPECT_EQ(batch.Expand(dir / L"missing.txt"), L"");
    EXPECT_EQ(batch.Expand(dir / L"nowhere\\x.txt"), L"");
}

TEST(ExpandLongPath, HandlesPathsLongerThanMaxPath)
{
    TempDir dir;
    std::wstring relative;
    while ((dir / relative).size() <= 320) {
        relative += (relative.empty() ? L"" : L"\\") + std::wstring(50, L'e');
        dir.MakeDir(relative);
    }
    std::wstring file = dir.Write(relative + L"\\Deep.Txt");
    std::wstring expanded = ExpandLongPath(PlatformUpper(file));
    EXPECT_GT(expanded.size(), 320u);
    EXPECT_TRUE(EndsWith(expanded, L"\\Deep.Txt"));
    EXPECT_TRUE(CanOpenFile(expanded));
}

// Answers every lookup, so only the component limit can refuse.
struct EverythingExists : FileSystem {
    int lookups = 0;
    bool RenameNoReplace(const std::wstring&, const std::wstring&) override { return false; }
    std::optional<std::wstring> StoredName(const std::wstring&) override
    {
        ++lookups;
        return L"x";
    }
    std::vector<std::wstring> NamesLike(const std::wstring&) override { return {L"x"}; }
    std::optional<std::vector<std::wstring>> FolderNames(const std::wstring&) override { return std::nullopt; }
    std::optional<FileIdentity> Identity(const std::wstring&) override { return std::nullopt; }
    std::optional<std::string> ReadHead(const std::wstring&, std::size_t) override { return std::nullopt; }
    bool CanOpen(const std::wstring&) override { return false; }
};

TEST(ExpandLongPath, HoldsAtMost256Components)
{
    auto pathOf = [](int components) {
        std::wstring p = L"c:";
        for (int i = 1; i < components; ++i) p += L"\\x";
        return p;
    };
    EverythingExists fs;
    std::wstring atLimit = ExpandLongPath(pathOf(256), fs);
    EXPECT_EQ(atLimit, L"C:" + pathOf(256).substr(2));
    EXPECT_EQ(fs.lookups, 255);
    EXPECT_EQ(ExpandLongPath(pathOf(257), fs), L"");
}

// A long list is checked on several threads; every answer still belongs to its own path.
TEST(CanOpenFile, ManyAtOnceAnswerInOrder)
{
    TempDir dir;
    std::vector<std::wstring> paths;
    std::vector<bool> expected;
    for (int i = 0; i < 300; ++i) {
        const std::wstring name = L"f" + std::to_wstring(i) + L".txt";
        const int kind = i % 3;
        paths.push_back(kind == 0 ? dir.Write(name) : kind == 1 ? dir / name : dir.path());
        expected.push_back(kind == 0);
    }
    EXPECT_EQ(CanOpenFiles(paths), expected);
    EXPECT_EQ(CanOpenFiles({}), std::vector<bool>{});
}

TEST(CanOpenFile, OnlyReadableFiles)
{
    TempDir dir;
    std::wstring file = dir.Write(L"a.txt");
    EXPECT_TRUE(CanOpenFile(file));
    EXPECT_FALSE(CanOpenFile(dir.path()));
    EXPECT_FALSE(CanOpenFile(dir / L"missing.txt"));
    EXPECT_FALSE(CanOpenFile(dir / L"a.*"));

    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CanOpenFile(file));
    CloseHandle(h);
    EXPECT_TRUE(CanOpenFile(file));
}

TEST(DiskFree, FormatsMegabytesWithOneDecimalAndGroups)
{
    EXPECT_EQ(FormatDiskFree(5242880, L","), L" (5.0M Free)");
    EXPECT_EQ(FormatDiskFree(5ull << 30, L","), L" (5,120.0M Free)");
    EXPECT_EQ(FormatDiskFree(1294467072ull, L","), L" (1,234.5M Free)");
    EXPECT_EQ(FormatDiskFree(1048576ull * 1234567, L".", L","), L" (1.234.567,0M Free)");
    EXPECT_EQ(FormatDiskFree(0, L","), L" (0.0M Free)");
    EXPECT_EQ(FormatDiskFree(104858, L","), L" (0.1M Free)");
}

TEST(DiskFree, AsksTheDriveNamedByTheFirstTwoCharacters)
{
    std::wstring c = GetDiskFreeText(L"C:\\anything");
    EXPECT_EQ(c.substr(0, 2), L" (");
    EXPECT_TRUE(EndsWith(c, L"M Free)")) << c;
    EXPECT_EQ(GetDiskFreeText(L"Q:"), L"");
    EXPECT_EQ(GetDiskFreeText(L""), L"");
}

// A locale with "." between thousands and "," before decimals shows "1.234,5M", never a mix.
TEST(DiskFree, TakesBothSeparatorsFromTheLocale)
{
    wchar_t group[8]{}, decimal[8]{};
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, group, 8), 0);
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8), 0);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, L".");
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",");
    const std::wstring text = GetDiskFreeText(L"C:\\");
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, group);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal);
    ASSERT_GE(text.size(), 10u) << text;
    EXPECT_EQ(text.substr(text.size() - 9, 1), L",") << text;
    EXPECT_EQ(text.find(L','), text.size() - 9) << text;
}

TEST(TempFolder, IsWhatTheSystemReports)
{
    wchar_t buffer[MAX_PATH + 1]{};
    GetTempPathW(MAX_PATH, buffer);
    EXPECT_EQ(GetTempFolder(), buffer);
    EXPECT_EQ(GetTempFolder().back(), L'\\');
}

TEST(UpperCaseNarrow, KeepsWideGreekAndCyrillicSmallLetters)
{
    EXPECT_EQ(UpperCaseNarrow(L"abc\uFF41\uFF42\uFF43\u03B1\u03B2\u0433\u0434"),
              L"ABC\uFF41\uFF42\uFF43\u03B1\u03B2\u0433\u0434");
    EXPECT_EQ(UpperCaseNarrow(L"c:\\data\\page.html"), L"C:\\DATA\\PAGE.HTML");
    EXPECT_EQ(UpperCaseNarrow(L"\u00E9t\u00E9"), L"\u00C9T\u00C9");
    EXPECT_EQ(UpperCaseNarrow(L""), L"");
}

} // namespace
} // namespace tavlo
