// The console command in this process: its command line, its matching of names, and whole runs over
// a temporary folder with the stored rules in a private registry key and the journal in memory.
#include "MemoryJournal.h"
#include "RecordingSinks.h"
#include "ScriptedRenames.h"
#include "TestSupport.h"
#include "common/Catalogue.h"
#include "console/ConsoleArguments.h"
#include "core/CommandLines.h"
#include "console/ConsoleCommand.h"
#include "console/ConsoleTargets.h"
#include "settings/RegistryStore.h"
#include "settings/RegistryTestRoot.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <windows.h>

namespace tavlo {
namespace {

using test::TempDir;

TEST(ConsoleArguments, SplitLikeTheSystemsOwnSplitter)
{
    for (const wchar_t* line :
         {L"tavlo2c lower a.TXT", L"\"C:\\Program Files\\tavlo2c.exe\" -n \"my file.TXT\"  b",
          L"x a\\\\\"b c\"d \\\"e", L"x \"a\\\\\" b\\\\c\\", L"x \"\" \"a\"\"b\" c\t\td", L"x \"\"\"a\"\"\"\" b\"\"c", L"\"C:\\a b\"x y", L"x *.TXT \"<a>\""}) {
        int count = 0;
        LPWSTR* system = CommandLineToArgvW(line, &count);
        ASSERT_NE(system, nullptr);
        std::vector<std::wstring> expected(system, system + count);
        LocalFree(system);
        EXPECT_EQ(SplitArguments(line), expected) << static_cast<int>(wcslen(line));
    }
}

class ConsoleRun : public ::testing::Test {
protected:
    ConsoleRun()
    {
        HKEY key = nullptr;
        const std::wstring path = root_.path() + L"\\Vesmir's Soft\\Tavlo2";
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        const wchar_t no[] = L"False";
        for (int row = 0; row < 6; ++row) {
            const std::wstring name = L"Exp34_" + std::to_wstring(row);
            RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof no);
        }
        RegCloseKey(key);
    }
    int Run(std::vector<std::wstring> arguments, FileSystem& fs = SystemFileSystem())
    {
        out.lines.clear();
        err.lines.clear();
        ConsoleContext context{settings_, journal, fs, out, err, stop};
        return RunConsoleCommand(arguments, context);
    }

    TempDir dir;
    test::MemoryJournal journal;
    test::RecordingLog out, err;
    std::atomic<bool> stop{false};

private:
    test::RegistryTestRoot root_;
    RegistryStore settings_{root_.path()};
};

TEST_F(ConsoleRun, FoldersPatternsAndExitCodes)
{
    dir.Write(L"a.TXT");
    dir.Write(L"page.html");
    dir.Write(L"b.txt");
    const std::wstring sub = dir.MakeDir(L"sub");
    dir.Write(L"sub\\c.TXT");

    // A wrong command line touches nothing and says why on standard error.
    EXPECT_EQ(Run({L"sideways", dir.path()}), ConsoleBadCommand);
    EXPECT_EQ(Run({L"lower", L"--fast", dir.path()}), ConsoleBadCommand);
    EXPECT_EQ(err.lines.front(), L"不明なスイッチです: --fast");
    EXPECT_EQ(Run({L"lower"}), ConsoleBadCommand);
    EXPECT_TRUE(out.lines.empty());

    // "*.htm" never takes page.html through its short name; "<" is no wildcard.
    EXPECT_EQ(Run({L"upper", dir / L"*.htm", dir / L"page.ht<"}), ConsoleFileLeft);
    EXPECT_EQ(err.lines.size(), 2u);
    EXPECT_TRUE(TempDir::Exists(dir / L"page.html"));

    // A folder without -r: the files directly in it; a file named twice counts once.
    EXPECT_EQ(Run({L"lower", dir.path(), dir / L"A.TXT"}), ConsoleAllDone);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"page.html", L"sub"}));
    EXPECT_EQ(TempDir::ListNames(sub), std::vector<std::wstring>{L"c.TXT"});
    EXPECT_EQ(out.lines.back(), GeneralString(general_text::AllDone));
    EXPECT_EQ(out.lines.size(), 4u + 2 + 2 + 1) << "renamed, kept, kept, the closing line";

    // -r reaches below; a file that keeps its name under the rule (b.txt) is left: exit 1.
    EXPECT_EQ(Run({L"6", L"-r", dir / L"*.txt"}), ConsoleAllDone);
    EXPECT_EQ(TempDir::ListNames(sub), std::vector<std::wstring>{L"c.txt"});
    EXPECT_EQ(Run({L"cut3", dir / L"*.txt"}), ConsoleFileLeft);

    // The stored rows: 4->3 has its defaults (html->htm among them), 3->4 none, which is said on standard error.
    EXPECT_EQ(Run({L"3to4", dir.path()}), ConsoleFileLeft);
    EXPECT_EQ(err.lines, std::vector<std::wstring>{ProgramString(program_text::NoThreeToFourRow)});
    EXPECT_EQ(Run({L"4to3", L"-n", dir / L"page.html"}), ConsoleAllDone);
    EXPECT_TRUE(TempDir::Exists(dir / L"page.html")) << "-n renames nothing";
}

// Every spelling of one file is that file once, under its stored name: the run changes the extension
// only, never the case of a base name typed otherwise; what names no file is said.
TEST_F(ConsoleRun, OneFileInAnySpellingIsOneTargetUnderItsStoredName)
{
    const std::wstring page = dir.Write(L"Page.HTML");
    wchar_t alias[MAX_PATH]{};
    GetShortPathNameW(page.c_str(), alias, MAX_PATH);
    EXPECT_EQ(Run({L"lower", L"-n", dir / L"PAGE.HTML", dir / L"pa*.HTML", dir / L"page.html", alias}), ConsoleAllDone);
    EXPECT_EQ(out.lines.size(), 1u) << "one prediction";
    EXPECT_EQ(Run({L"lower", dir / L"PAGE.HTML", dir / L"page.html"}), ConsoleAllDone);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"Page.html"});

    // At a drive's root too, where the folder is written with its backslash.
    const std::wstring root = L"C:\\T2TWICE" + std::to_wstring(GetCurrentProcessId()) + L".TXT";
    CloseHandle(CreateFileW(root.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    std::wstring lower = root;
    CharLowerW(lower.data());
    EXPECT_EQ(Run({L"lower", L"-n", root, root.substr(0, root.size() - 4) + L"*.TXT", lower}), ConsoleAllDone);
    DeleteFileW(root.c_str());
    EXPECT_EQ(out.lines.size(), 1u) << "one prediction";

    EXPECT_EQ(Run({L"lower", dir / L"Page.html:stream", L"\\\\?\\" + dir / L"Page.html"}), ConsoleFileLeft);
    EXPECT_EQ(err.lines.size(), 2u);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"Page.html"});
}

// The dry run prints what the run then does, line by line, and the run can be taken back.
TEST_F(ConsoleRun, DryRunEqualsTheRunAndUndoTakesItBack)
{
    for (const wchar_t* name : {L"a.jpeg", L"b.jpg", L"c.html", L"c.htm", L"d", L"e.tar.gz"}) dir.Write(name);
    ASSERT_EQ(Run({L"cut3", L"--dry-run", dir.path()}), ConsoleFileLeft);
    const std::vector<std::wstring> predicted = out.lines;
    ASSERT_EQ(predicted.size(), 6u);
    EXPECT_EQ(predicted[0], dir / L"a.jpeg" + L"\ta.jpe\t変更します");
    EXPECT_EQ(predicted[3], dir / L"c.html" + L"\t\t同じ名前のファイルが既にあるため変更しません");

    ASSERT_EQ(Run({L"cut3", dir.path()}), ConsoleFileLeft);
    for (const std::wstring& line : predicted) {
        const std::size_t tab = line.find(L'\t');
        const std::wstring newName = line.substr(tab + 1, line.find(L'\t', tab + 1) - tab - 1);
        if (!newName.empty()) EXPECT_TRUE(TempDir::Exists(dir / newName)) << newName.size();
        else EXPECT_TRUE(TempDir::Exists(line.substr(0, tab)));
    }

    EXPECT_EQ(Run({L"--undo"}), ConsoleAllDone);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.jpeg", L"b.jpg", L"c.htm", L"c.html", L"d", L"e.tar.gz"}));
    EXPECT_EQ(out.lines.back(), ProgramString(program_text::AllBack));
    EXPECT_EQ(Run({L"--undo"}), ConsoleFileLeft);
    EXPECT_EQ(err.lines, std::vector<std::wstring>{ProgramString(program_text::NothingToUndo)});
}

// Ctrl+C stops after the file being renamed; the journal holds it, and the files not reached are left.
TEST_F(ConsoleRun, StopAfterTheCurrentFile)
{
    struct StopOnRename : test::ScriptedRenames {
        explicit StopOnRename(std::atomic<bool>& s) : ScriptedRenames({}), stop(s) {}
        bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override
        {
            stop = true;
            return ScriptedRenames::RenameNoReplace(from, to);
        }
        std::atomic<bool>& stop;
    } fs(stop);
    dir.Write(L"a.TXT");
    dir.Write(L"b.TXT");
    EXPECT_EQ(Run({L"lower", dir.path()}, fs), ConsoleFileLeft);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.txt", L"b.TXT"}));
    EXPECT_EQ(out.lines.back(), GeneralString(general_text::Stopped));
    stop = false;
    EXPECT_EQ(Run({L"--undo"}), ConsoleAllDone);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.TXT", L"b.TXT"}));
}

TEST_F(ConsoleRun, AJournalThatCannotBeWrittenIsSaidOnStandardError)
{
    journal.writable = false;
    dir.Write(L"a.TXT");
    EXPECT_EQ(Run({L"lower", dir / L"a.TXT"}), ConsoleAllDone);
    EXPECT_EQ(err.lines, std::vector<std::wstring>{ProgramString(program_text::UndoUnavailable).substr(1)});
    EXPECT_EQ(out.lines.back(), GeneralString(general_text::AllDone));
}

} // namespace
} // namespace tavlo
