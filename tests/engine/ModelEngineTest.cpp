// The engine, the prediction and undo over the model file system, in the situations the fuzzer found
// hardest; each finding of the fuzzer is kept here as a scenario of its own.
#include "common/Catalogue.h"
#include "engine/ModelScenario.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

using namespace test;

Scenario Folder(std::initializer_list<const wchar_t*> names, bool caseSensitive = false)
{
    Scenario s;
    s.fs.AddFolder(kModelFolder, caseSensitive);
    for (const wchar_t* n : names) {
        s.fs.AddFile(kModelFolder, n);
        s.names.push_back(n);
    }
    return s;
}

TEST(ModelEngine, CaseOnlyRenamesOnEveryKindOfVolume)
{
    for (auto caseOnly : {ModelFileSystem::CaseOnly::Done, ModelFileSystem::CaseOnly::Refused,
                          ModelFileSystem::CaseOnly::ClaimedNotDone}) {
        Scenario s = Folder({L"a.TXT", L"b.TXT"});
        s.mode = Mode::LowerCase;
        s.fs.caseOnly = caseOnly;
        EXPECT_EQ(CheckScenario(s), "") << static_cast<int>(caseOnly);
        // Killed after each step of the way through a temporary name.
        for (int kill = 0; kill < 6; ++kill) {
            Scenario k = Folder({L"a.TXT", L"b.TXT"});
            k.mode = Mode::LowerCase;
            k.fs.caseOnly = caseOnly;
            k.fs.killAfter = kill;
            EXPECT_EQ(CheckScenario(k), "") << static_cast<int>(caseOnly) << " killed after " << kill;
        }
    }
}

TEST(ModelEngine, TwinsFailuresAndNamesThatAppearMeanwhile)
{
    Scenario twins = Folder({L"a.txt", L"a.TXT", L"b.html"}, true);
    twins.mode = Mode::UpperCase;
    EXPECT_EQ(CheckScenario(twins), "");

    Scenario failing = Folder({L"a.html", L"b.html", L"c.html"});
    failing.mode = Mode::CutToThree;
    failing.fs.failing = {1};
    EXPECT_EQ(CheckScenario(failing), "");

    // The name a file is about to get turns up just before its rename: the file stays.
    Scenario taken = Folder({L"a.html", L"b.html"});
    taken.mode = Mode::CutToThree;
    taken.fs.meanwhile = [](int step, ModelFileSystem& fs) {
        if (step == 1) fs.AddFile(kModelFolder, L"b.htm");
    };
    EXPECT_EQ(CheckScenario(taken), "");
}

// Found by the fuzzer: an entry spelt in another case than the file on disk is found by the run's
// case-blind look-up, so the prediction finds it too (it said "file gone").
TEST(ModelEngine, AnEntryInAnotherCaseIsTheFileOnDisk)
{
    Scenario s = Folder({L"A.html", L"A.jpg"});
    s.names = {L"a.html", L"a.ht ml", L"a.html"};
    s.mode = Mode::CutToThree;
    EXPECT_EQ(CheckScenario(s), "");

    // Found next: in a case-sensitive folder, a case-only rename of such an entry meets the file's own
    // spelling as another case of the name; the run leaves it, and so does the prediction.
    Scenario twin = Folder({L"a.HTML"}, true);
    twin.names = {L"a.html"};
    twin.mode = Mode::UpperCase;
    EXPECT_EQ(CheckScenario(twin), "");
}

// A volume that refuses case-only renames, in a folder where every temporary name is taken (a fault
// no prediction can see coming): the file stays under its name. An unknown mode changes nothing.
TEST(ModelEngine, NoFreeTemporaryNameAndAnUnknownMode)
{
    Scenario s = Folder({L"a.TXT"});
    for (int n = 1; n <= 100; ++n) s.fs.AddFile(kModelFolder, L"~tavlo2-" + std::to_wstring(n) + L".tmp");
    s.fs.caseOnly = ModelFileSystem::CaseOnly::Refused;
    RenameEngine engine(s.fs, s.rules);
    EXPECT_EQ(engine.ChangeExtension(kModelFolder + L"\\a.TXT", Mode::LowerCase).kind, RenameOutcome::Kind::Failed);
    EXPECT_EQ(s.fs.NameOf(kModelFolder, 1), L"a.TXT");
    EXPECT_EQ(engine.ChangeExtension(kModelFolder + L"\\a.TXT", static_cast<Mode>(kModeCount)).kind, RenameOutcome::Kind::NoExtension);
}

// Found by the fuzzer: the content mode gave "page." (a name a volume would store without its dot) a new
// extension, which undo could never give back. Such a name is left; a picture without an extension gets one,
// killed at any step, in a case-sensitive folder, and comes back whole.
TEST(ModelEngine, TheContentModeLeavesNamesNoUndoCouldGiveBack)
{
    Scenario s;
    s.fs.AddFolder(kModelFolder, true);
    s.fs.AddFile(kModelFolder, L"page.", std::string("\x89PNG\r\n\x1A\n", 8));
    s.fs.AddFile(kModelFolder, L"photo", std::string("\xFF\xD8\xFF\xE0", 4));
    s.names = {L"page.", L"photo"};
    s.mode = Mode::Content;
    for (int kill = -1; kill < 2; ++kill) {
        Scenario k = s;
        k.fs.killAfter = kill;
        EXPECT_EQ(CheckScenario(k), "") << kill;
    }
    RenameEngine engine(s.fs, s.rules);
    EXPECT_EQ(engine.ChangeExtension(kModelFolder + L"\\page.", Mode::Content).kind, RenameOutcome::Kind::NoExtension);
    EXPECT_EQ(engine.ChangeExtension(kModelFolder + L"\\photo", Mode::Content).newPath, kModelFolder + L"\\photo.jpg");
}

// The preview's reasons, stated: a name an earlier entry takes, a name a file has, an extension short
// enough; a blank inside a name is no reason to leave it.
TEST(ModelEngine, ThePredictionGivesEachReason)
{
    using namespace program_text;
    Scenario s = Folder({L"x.html", L"x.htmx", L"t.html", L"t.htm", L"a b.html"});
    std::vector<std::wstring> paths;
    for (const std::wstring& n : s.names) paths.push_back(kModelFolder + L"\\" + n);
    const std::vector<Prediction> p = PredictRun(paths, Mode::CutToThree, s.fs, s.rules);
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[0].result, WillRename);
    EXPECT_EQ(p[0].newName, L"x.htm");
    EXPECT_EQ(p[1].result, NameTakenByEarlier);
    EXPECT_EQ(p[2].result, NameTaken);
    EXPECT_EQ(p[3].result, ShortEnough);
    EXPECT_EQ(p[4].newName, L"a b.htm");
    EXPECT_EQ(CheckScenario(s), "");
}

// Found by the fuzzer: an entry named twice in a case-sensitive folder reaches another file the second
// time (the first was renamed away, a case twin answers the look-up). The preview must read that file's
// content, as the run does, not the first one's again.
TEST(ModelEngine, ThePreviewReadsTheFileTheRunWillFind)
{
    Scenario s;
    s.fs.AddFolder(kModelFolder, true);
    s.fs.AddFile(kModelFolder, L"PAGE.html", std::string("\x89PNG\r\n\x1A\n", 8));
    s.fs.AddFile(kModelFolder, L"page.HTML", std::string("\xFF\xD8\xFF\xE0", 4));
    s.mode = Mode::Content;
    std::vector<std::wstring> paths(2, kModelFolder + L"\\PAGE.html");
    const std::vector<Prediction> p = PredictRun(paths, Mode::Content, s.fs, s.rules);
    EXPECT_EQ(p[0].newName, L"PAGE.png");
    EXPECT_EQ(p[1].newName, L"PAGE.jpg");
    RenameEngine engine(s.fs, s.rules);
    EXPECT_EQ(engine.ChangeExtension(paths[0], Mode::Content).newPath, kModelFolder + L"\\PAGE.png");
    EXPECT_EQ(engine.ChangeExtension(paths[1], Mode::Content).newPath, kModelFolder + L"\\PAGE.jpg");
}

} // namespace
} // namespace tavlo
