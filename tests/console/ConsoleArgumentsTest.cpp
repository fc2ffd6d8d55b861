// The console command's arguments and the patterns of its paths: text logic only.
#include "common/Catalogue.h"
#include "console/ConsoleArguments.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(ConsoleArguments, ModesSwitchesAndMistakes)
{
    EXPECT_EQ(ModeByName(L"CUT3"), Mode::CutToThree);
    EXPECT_EQ(ModeByName(L"Narrow"), Mode::HalfWidth);
    EXPECT_EQ(ModeByName(L"7"), Mode::UpperCase);
    EXPECT_EQ(ModeByName(L"Content"), Mode::Content);
    EXPECT_FALSE(ModeByName(L"9"));
    EXPECT_FALSE(ModeByName(L"lowe"));

    ParsedArguments p = ParseConsoleArguments({L"4to3", L"a", L"-N", L"--utf8", L"-r", L"--", L"-b"});
    ASSERT_TRUE(p.request);
    EXPECT_EQ(p.request->action, ConsoleRequest::Action::Run);
    EXPECT_EQ(p.request->mode, Mode::FourToThree);
    EXPECT_TRUE(p.request->dryRun && p.request->recursive);
    EXPECT_EQ(p.request->paths, (std::vector<std::wstring>{L"a", L"-b"}));

    EXPECT_EQ(ParseConsoleArguments({L"lower", L"a", L"/?"}).request->action, ConsoleRequest::Action::Help);
    EXPECT_EQ(ParseConsoleArguments({L"--undo"}).request->action, ConsoleRequest::Action::Undo);
    EXPECT_EQ(ParseConsoleArguments({L"--undo", L"a"}).error, program_text::UndoTakesNothingElse);
    EXPECT_EQ(ParseConsoleArguments({L"lower"}).error, program_text::ModeAndPathNeeded);
    EXPECT_EQ(ParseConsoleArguments({L"-n", L"a.txt"}).error, program_text::UnknownMode);
    p = ParseConsoleArguments({L"lower", L"-x", L"a"});
    EXPECT_EQ(p.error, program_text::UnknownSwitch);
    EXPECT_EQ(p.culprit, L"-x");
}

} // namespace
} // namespace tavlo
