#include "core/CommandLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

using Names = std::vector<std::wstring>;

TEST(SplitCommandLine, SplitsAtSingleSpacesAndSkipsEmptyNames)
{
    EXPECT_EQ(SplitCommandLine(L"a.txt b.txt C:\\c.txt").names, (Names{L"a.txt", L"b.txt", L"C:\\c.txt"}));
    EXPECT_EQ(SplitCommandLine(L"  a  b ").names, (Names{L"a", L"b"}));
    EXPECT_TRUE(SplitCommandLine(L"").names.empty());
    EXPECT_TRUE(SplitCommandLine(L"   ").names.empty());
    EXPECT_TRUE(SplitCommandLine(L"a b").complete);
}

TEST(SplitCommandLine, OnlyTheSpaceSeparates)
{
    EXPECT_EQ(SplitCommandLine(L"a\tb c").names, (Names{L"a\tb", L"c"}));
    EXPECT_EQ(SplitCommandLine(L"a\u3000b").names, (Names{L"a\u3000b"}));
}

TEST(SplitCommandLine, QuotedNamesKeepTheirSpaces)
{
    CommandLineNames r = SplitCommandLine(L"\"C:\\My Files\\a b.txt\" notes.txt");
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.names, (Names{L"C:\\My Files\\a b.txt", L"notes.txt"}));
    EXPECT_EQ(SplitCommandLine(L"x \"\" y").names, (Names{L"x", L"y"}));
    // A closing quote ends the name even without a blank after it.
    EXPECT_EQ(SplitCommandLine(L"\"a b\"c d").names, (Names{L"a b", L"c", L"d"}));
}

TEST(SplitCommandLine, AQuoteInsideANameIsAnOrdinaryCharacter)
{
    EXPECT_EQ(SplitCommandLine(L"ab\"c d\"").names, (Names{L"ab\"c", L"d\""}));
}

TEST(SplitCommandLine, AnUnclosedQuoteMakesTheSplitIncomplete)
{
    CommandLineNames r = SplitCommandLine(L"a.txt b.txt \"C:\\open quote.txt");
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.names, (Names{L"a.txt", L"b.txt"}));
    EXPECT_FALSE(SplitCommandLine(L"\"").complete);
}

TEST(IsUninstallOption, OnlyTheTwoCharactersAloneInEitherCase)
{
    EXPECT_TRUE(IsUninstallOption(L"/U"));
    EXPECT_TRUE(IsUninstallOption(L"/u"));
    for (auto text : {L"", L" /u", L"/u ", L"/u a.txt", L"/UU", L"U", L"-u", L"/Ｕ", L"\\u"})
        EXPECT_FALSE(IsUninstallOption(text)) << text;
}

TEST(ArgumentText, DropsTheProgramPathAndOneSeparatingBlank)
{
    EXPECT_EQ(ArgumentText(L"\"C:\\Program Files\\Tavlo2\\tavlo2.exe\" /u"), L"/u");
    EXPECT_EQ(ArgumentText(L"C:\\Tavlo2\\tavlo2.exe /u"), L"/u");
    EXPECT_EQ(ArgumentText(L"tavlo2.exe  /u"), L" /u");
    EXPECT_EQ(ArgumentText(L"tavlo2.exe\t\"a b.txt\" c"), L"\"a b.txt\" c");
    EXPECT_EQ(ArgumentText(L"tavlo2.exe"), L"");
    EXPECT_EQ(ArgumentText(L"\"C:\\p q\\tavlo2.exe\""), L"");
    EXPECT_EQ(ArgumentText(L"\"C:\\p q\\tavlo2.exe\"/u"), L"/u");
    EXPECT_EQ(ArgumentText(L"tavlo2.exe a.txt "), L"a.txt ");
}

} // namespace
} // namespace tavlo
