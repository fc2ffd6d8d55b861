#include "core/Wildcard.h"
#include "core/Names.h"
#include "core/Paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

bool MaskMatches(const std::wstring& mask, const std::wstring& name)
{
    auto parsed = FileMask::Parse(mask);
    EXPECT_TRUE(parsed.has_value()) << "mask not usable";
    return parsed && parsed->Matches(name);
}

bool PatternMatches(const std::wstring& pattern, const std::wstring& name)
{
    auto parsed = FilePattern::Parse(pattern);
    EXPECT_TRUE(parsed.has_value()) << "pattern not usable";
    return parsed && parsed->Matches(name);
}

TEST(FileMask, StarDotStarMatchesEveryNameWithOrWithoutDot)
{
    for (const wchar_t* name : {L"a.txt", L"README", L".profile", L"x.tar.gz", L"日本語.ｔｘｔ"}) {
        EXPECT_TRUE(MaskMatches(L"*.*", name)) << name;
        EXPECT_TRUE(MaskMatches(L"*", name)) << name;
    }
    EXPECT_TRUE(FileMask::Parse(L"*.*")->MatchesAll());
    EXPECT_FALSE(FileMask::Parse(L"*.txt")->MatchesAll());
}

TEST(FileMask, ExtensionMaskTakesTheWholeLastExtension)
{
    EXPECT_TRUE(MaskMatches(L"*.htm", L"x.htm"));
    EXPECT_TRUE(MaskMatches(L"*.htm", L"a.b.htm"));
    EXPECT_FALSE(MaskMatches(L"*.htm", L"x.html"));
    EXPECT_FALSE(MaskMatches(L"*.htm", L"x.htm.bak"));
    EXPECT_FALSE(MaskMatches(L"*.htm", L"xhtm"));
    EXPECT_TRUE(MaskMatches(L"*.htm*", L"x.html"));
    EXPECT_TRUE(MaskMatches(L"*.gitignore", L".gitignore"));
}

TEST(FileMask, StarDotMatchesNamesWithoutExtension)
{
    EXPECT_TRUE(MaskMatches(L"*.", L"README"));
    EXPECT_FALSE(MaskMatches(L"*.", L"a.txt"));
    EXPECT_FALSE(MaskMatches(L"*.", L".profile"));
    EXPECT_TRUE(MaskMatches(L"abc.", L"abc"));
    EXPECT_FALSE(MaskMatches(L"abc.", L"abcd"));
    EXPECT_TRUE(MaskMatches(L"a*.*", L"abc"));
    EXPECT_TRUE(MaskMatches(L"a*.*", L"abc.d"));
    EXPECT_FALSE(MaskMatches(L"a*.*", L"xabc"));
}

TEST(FileMask, QuestionMarkIsOneCharacterOrNothingAtADotOrTheEnd)
{
    EXPECT_TRUE(MaskMatches(L"a?", L"ab"));
    EXPECT_TRUE(MaskMatches(L"a?", L"a"));
    EXPECT_FALSE(MaskMatches(L"a?", L"abc"));
    EXPECT_TRUE(MaskMatches(L"??.txt", L"ab.txt"));
    EXPECT_TRUE(MaskMatches(L"??.txt", L"a.txt"));
    EXPECT_FALSE(MaskMatches(L"??.txt", L"abc.txt"));
    EXPECT_FALSE(MaskMatches(L"a?c", L"a.c"));
    EXPECT_TRUE(MaskMatches(L"file?.*", L"file1.doc"));
    EXPECT_TRUE(MaskMatches(L"?写真*", L"旅写真.jpg"));
    EXPECT_FALSE(MaskMatches(L"?写真*", L"写真.jpg"));
}

TEST(FileMask, LettersCompareWithoutCaseInEveryScriptTheFileSystemFolds)
{
    EXPECT_TRUE(MaskMatches(L"*.HTM", L"page.htm"));
    EXPECT_TRUE(MaskMatches(L"*.htm", L"PAGE.HTM"));
    EXPECT_TRUE(MaskMatches(L"*.ＴＸＴ", L"memo.ｔｘｔ"));
    EXPECT_TRUE(MaskMatches(L"ДОК*", L"документ.txt"));
    EXPECT_FALSE(MaskMatches(L"ΑΛΦΑ.*", L"άλφα.txt")); // ά folds to Ά, not to Α
    EXPECT_TRUE(MaskMatches(L"ΑΛΦΑ.*", L"αλφα.txt"));
    EXPECT_TRUE(MaskMatches(L"ÉTÉ.*", L"été.txt"));
    // Width and kana type are not case: they stay apart.
    EXPECT_FALSE(MaskMatches(L"*.txt", L"memo.ｔｘｔ"));
    EXPECT_FALSE(MaskMatches(L"カ*", L"か.txt"));
}

TEST(FileMask, LiteralCharactersMustAllBeThere)
{
    EXPECT_TRUE(MaskMatches(L"a.b.c", L"A.B.C"));
    EXPECT_FALSE(MaskMatches(L"a.b.c", L"a.b"));
    EXPECT_FALSE(MaskMatches(L"a.b", L"a.b.c"));
    EXPECT_TRUE(MaskMatches(L"*report*", L"2024 Report final.doc"));
    EXPECT_FALSE(MaskMatches(L"*report*", L"repor.doc"));
    EXPECT_TRUE(MaskMatches(L"a*b*c", L"aXbYbZc"));
    EXPECT_FALSE(MaskMatches(L"??.t*", L"abc.t"));
}

TEST(FileMask, UnusableMasks)
{
    for (const wchar_t* text : {L"", L"a<b", L"a>b", L"c:*.txt", L"\"x\"", L"dir/x", L"dir\\x", L"a|b", L"a\tb"})
        EXPECT_FALSE(FileMask::Parse(text).has_value()) << text;
    EXPECT_TRUE(FileMask::Parse(std::wstring(255, L'x')).has_value());
    EXPECT_FALSE(FileMask::Parse(std::wstring(256, L'x')).has_value());
    EXPECT_TRUE(FileMask::Parse(L"[a]{b}(c)+=,;'!#$%&@^`~").has_value());
}

TEST(FilePattern, TwoMasksMatchEitherAndNothingElse)
{
    auto pattern = FilePattern::Parse(L"*.htm;*.html");
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->MaskCount(), 2u);
    EXPECT_TRUE(pattern->Matches(L"a.htm"));
    EXPECT_TRUE(pattern->Matches(L"b.HTML"));
    EXPECT_FALSE(pattern->Matches(L"c.htmx"));
    EXPECT_FALSE(pattern->Matches(L"d.txt"));
    EXPECT_FALSE(pattern->Matches(L"htm"));
}

TEST(FilePattern, BlanksAroundMasksAndEmptyPiecesAreIgnored)
{
    auto pattern = FilePattern::Parse(L"  *.txt ; ;;*.doc  ;");
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->MaskCount(), 2u);
    EXPECT_TRUE(pattern->Matches(L"a.txt"));
    EXPECT_TRUE(pattern->Matches(L"a.doc"));
    EXPECT_FALSE(pattern->Matches(L"a.xls"));
    // A blank inside a mask is part of the name.
    EXPECT_TRUE(PatternMatches(L"my file.*", L"my file.txt"));
    EXPECT_FALSE(PatternMatches(L"my file.*", L"myfile.txt"));
}

TEST(FilePattern, UnusablePatterns)
{
    for (const wchar_t* text : {L"", L"   ", L";", L" ; ; ", L"*.txt;a|b", L"*.txt;C:\\*.doc", L"<>"})
        EXPECT_FALSE(FilePattern::Parse(text).has_value()) << text;
}

TEST(FilePattern, AMatchAllMaskAmongOthersMatchesEverything)
{
    EXPECT_TRUE(PatternMatches(L"*.htm;*.*", L"README"));
    EXPECT_TRUE(PatternMatches(L"*.htm;*", L"x.exe"));
    EXPECT_FALSE(PatternMatches(L"*.htm;*.", L"x.exe"));
    EXPECT_TRUE(PatternMatches(L"*.htm;*.", L"README"));
}

TEST(ListedEntries, HiddenSystemAndFoldersAreLeftOut)
{
    const std::uint32_t readOnly = 0x1, archive = 0x20, normal = 0x80;
    EXPECT_TRUE(IsListedFile(normal));
    EXPECT_TRUE(IsListedFile(archive | readOnly));
    EXPECT_TRUE(IsListedFile(0));
    EXPECT_FALSE(IsListedFile(kAttributeHidden));
    EXPECT_FALSE(IsListedFile(kAttributeSystem | archive));
    EXPECT_FALSE(IsListedFile(kAttributeHidden | readOnly));
    EXPECT_FALSE(IsListedFile(kAttributeDirectory));

    EXPECT_TRUE(IsListedFolder(kAttributeDirectory));
    EXPECT_TRUE(IsListedFolder(kAttributeDirectory | readOnly));
    EXPECT_FALSE(IsListedFolder(kAttributeDirectory | kAttributeHidden));
    EXPECT_FALSE(IsListedFolder(kAttributeDirectory | kAttributeSystem));
    EXPECT_FALSE(IsListedFolder(archive));
}

TEST(NameFolding, FoldsCaseButNotWidthOrMarks)
{
    EXPECT_EQ(FoldNameChar(L'a'), L'A');
    EXPECT_EQ(FoldNameChar(L'Z'), L'Z');
    EXPECT_EQ(FoldNameChar(L'ß'), L'ß');
    EXPECT_EQ(FoldNameChar(L'ÿ'), L'Ÿ');
    EXPECT_EQ(FoldNameChar(L'÷'), L'÷');
    EXPECT_EQ(FoldNameChar(L'ą'), L'Ą');
    EXPECT_EQ(FoldNameChar(L'ł'), L'Ł');
    EXPECT_EQ(FoldNameChar(L'ς'), L'Σ');
    EXPECT_EQ(FoldNameChar(L'ё'), L'Ё');
    EXPECT_EQ(FoldNameChar(L'ｚ'), L'Ｚ');
    EXPECT_EQ(FoldNameChar(L'ⅰ'), L'Ⅰ');
    EXPECT_EQ(FoldNameChar(L'あ'), L'あ');
    EXPECT_TRUE(SameFileName(L"Readme.TXT", L"README.txt"));
    EXPECT_FALSE(SameFileName(L"readme.txt", L"readme.txt "));
    EXPECT_FALSE(SameFileName(L"ｒｅａｄｍｅ", L"readme"));
}

TEST(FolderChain, DriveRootsAndFoldersBelow)
{
    EXPECT_EQ(FolderChain(L"C:\\"), (std::vector<std::wstring>{L"C:\\"}));
    EXPECT_EQ(FolderChain(L"C:\\Data\\Photos"),
              (std::vector<std::wstring>{L"C:\\", L"C:\\Data", L"C:\\Data\\Photos"}));
    EXPECT_EQ(FolderChain(L"d:\\a\\"), (std::vector<std::wstring>{L"d:\\", L"d:\\a"}));
    EXPECT_EQ(FolderChain(L"\\\\server\\share\\docs"),
              (std::vector<std::wstring>{L"\\\\server\\share\\", L"\\\\server\\share\\docs"}));
    EXPECT_EQ(FolderChain(L"\\\\server\\share"), (std::vector<std::wstring>{L"\\\\server\\share\\"}));
    for (const wchar_t* notAbsolute : {L"", L"C:", L"C:data", L"data\\x", L"\\data", L"\\\\server", L"\\\\?\\C:\\x"})
        EXPECT_TRUE(FolderChain(notAbsolute).empty()) << notAbsolute;
}

TEST(FolderChain, Join)
{
    EXPECT_EQ(JoinPath(L"C:\\", L"a"), L"C:\\a");
    EXPECT_EQ(JoinPath(L"C:\\x", L"a"), L"C:\\x\\a");
    EXPECT_EQ(JoinPath(L"\\\\s\\share\\", L"a"), L"\\\\s\\share\\a");
}

} // namespace
} // namespace tavlo
