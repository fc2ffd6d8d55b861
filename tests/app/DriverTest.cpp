#include "MemoryJournal.h"
#include "ScriptedRenames.h"
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "common/Catalogue.h"
#include "common/PathUtil.h"
#include "core/Paths.h"
#include "engine/RenameEngine.h"
#include "ui/ControlHook.h"
#include "windows/SharedMenu.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace tavlo {
namespace {

using test::FrameTest;
using test::PumpMessages;
using test::TempDir;

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

class DriverTest : public FrameTest {
protected:
    // Opens the program with `names` (files in the temp folder) on its command line.
    void OpenWith(const std::vector<std::wstring>& names)
    {
        std::wstring commandLine;
        for (const std::wstring& name : names) commandLine += (commandLine.empty() ? L"" : L" ") + Quoted(dir / name);
        ASSERT_TRUE(Open(true, commandLine));
    }
    std::vector<std::wstring> Lines(HWND list)
    {
        std::vector<std::wstring> lines;
        LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
            lines.push_back(text);
        }
        return lines;
    }
    std::vector<std::wstring> Targets() { return Lines(frame->FileWindow().lstFile()); }
    std::vector<std::wstring> Log() { return Lines(frame->StatusWindow().lstKekka()); }
    int SelectedTargets() { return static_cast<int>(SendMessageW(frame->FileWindow().lstFile(), LB_GETSELCOUNT, 0, 0)); }
    bool ModeButtonsEnabled()
    {
        for (int i = 0; i < frmTavlo::kModeCount; ++i)
            if (!IsWindowEnabled(frame->btnExe(i))) return false;
        return true;
    }
    std::wstring Full(const std::wstring& name) { return ExpandLongPath(dir / name); }

    TempDir dir;
};

TEST_F(DriverTest, ARunThatFinishesEveryFileEmptiesTheList)
{
    for (const wchar_t* name : {L"a.html", L"b.jpeg", L"c.mpeg"}) dir.Write(name);
    OpenWith({L"a.html", L"b.jpeg", L"c.mpeg"});
    ASSERT_EQ(Targets().size(), 3u);
    EXPECT_TRUE(ModeButtonsEnabled());
    const std::wstring header = L"[ " + ShortenPath(Full(L"a.html")) + L" ]";

    Press(0);
    EXPECT_TRUE(Targets().empty());
    EXPECT_FALSE(ModeButtonsEnabled());
    EXPECT_FALSE(IsWindowEnabled(frame->btnCancel()));
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.htm", L"b.jpe", L"c.mpe"}));
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().front(), header);
    EXPECT_EQ(Log().back(), GeneralText(general_text::AllDone));
    EXPECT_EQ(Lines(frame->OutFileWindow().lstOutFile()).size(), 3u);
    for (ChildForm* child : frame->Children()) EXPECT_TRUE(IsWindowEnabled(child->Handle()));
}

TEST_F(DriverTest, EntriesTheEngineLeftStayInTheirOrderDeselected)
{
    // Mode 0 leaves extensions of three characters or fewer: the second and the fifth.
    std::vector<std::wstring> names = {L"1.html", L"2.htm", L"3.jpeg", L"4.mpeg", L"5.txt", L"6.tiff", L"7.aiff"};
    for (const auto& n : names) dir.Write(n);
    OpenWith(names);
    ASSERT_EQ(Targets().size(), 7u);
    Press(0);
    EXPECT_EQ(Targets(), (std::vector<std::wstring>{Full(L"2.htm"), Full(L"5.txt")}));
    EXPECT_EQ(SelectedTargets(), 0);
    EXPECT_TRUE(ModeButtonsEnabled());
    EXPECT_EQ(Log().back(), GeneralText(general_text::AllDone));

    // The log holds only the last run.
    Press(0);
    EXPECT_EQ(Log().front(), L"[ " + ShortenPath(Full(L"2.htm")) + L" ]");
}

TEST_F(DriverTest, ATableModeWithNoRowOnOnlyAddsItsLine)
{
    dir.Write(L"a.html");
    OpenWith({L"a.html"});
    options.Exp43.fill(false);
    frame->StatusWindow().ListInAdd(L"earlier line");
    Press(2);
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"earlier line", std::wstring(ProgramText(program_text::NoFourToThreeRow))}));
    EXPECT_EQ(Targets().size(), 1u);
    EXPECT_TRUE(ModeButtonsEnabled());
    for (ChildForm* child : frame->Children()) EXPECT_TRUE(IsWindowEnabled(child->Handle()));

    options.Exp34.fill(false);
    Press(3);
    EXPECT_EQ(Log().back(), ProgramText(program_text::NoThreeToFourRow));
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"a.html"});
}

// Waits until `count` files carry a new name, then does `act` from another thread, the way a user's
// click arrives while the run is busy.
class ActWhenRenamed {
public:
    ActWhenRenamed(const TempDir& dir, std::size_t count, std::function<void()> act)
        : thread_([&dir, count, act = std::move(act), this] {
              for (int i = 0; i < 3000 && !stop_; ++i) {
                  std::size_t renamed = 0;
                  for (const auto& n : dir.Names()) renamed += n.size() > 4 && n.substr(n.size() - 4) == L".htm";
                  if (renamed >= count) {
                      act();
                      return;
                  }
                  Sleep(2);
              }
          })
    {
    }
    ~ActWhenRenamed()
    {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::vector<std::wstring> ManyFiles(const TempDir& dir, int count)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"f%03d.html", i);
        dir.Write(name);
        names.push_back(name);
    }
    return names;
}

TEST_F(DriverTest, CancelStopsAfterTheCurrentFile)
{
    std::vector<std::wstring> names = ManyFiles(dir, 300);
    OpenWith(names);
    ASSERT_EQ(Targets().size(), 300u);
    HWND cancel = frame->btnCancel();
    {
        ActWhenRenamed click(dir, 5, [cancel] { PostMessageW(cancel, BM_CLICK, 0, 0); });
        Press(0);
    }
    std::size_t renamed = 0;
    for (const auto& n : dir.Names()) renamed += n.substr(n.size() - 4) == L".htm";
    ASSERT_GE(renamed, 5u);
    ASSERT_LT(renamed, 300u) << "the run did not stop";
    EXPECT_EQ(Log().back(), GeneralText(general_text::Stopped));
    // Every file still listed kept its old name; every renamed one left the list.
    std::vector<std::wstring> left = Targets();
    EXPECT_EQ(left.size(), 300u - renamed);
    for (const auto& path : left) EXPECT_TRUE(TempDir::Exists(path)) << path;
    EXPECT_EQ(left.front(), Full(names[renamed]));
    EXPECT_EQ(SelectedTargets(), 0);
    EXPECT_FALSE(frame->CancelFlag);

    // The next run starts afresh and finishes.
    Press(0);
    EXPECT_TRUE(Targets().empty());
    EXPECT_EQ(Log().back(), GeneralText(general_text::AllDone));
}

// The three lists show a run at a steady pace rather than after every change: whatever they hold at
// its end is exactly what the run wrote, in order.
TEST_F(DriverTest, ALongRunLeavesTheListsAsItWroteThemAndShowsItsProgress)
{
    std::vector<std::wstring> names = ManyFiles(dir, 300);
    std::vector<std::wstring> expectedLog, expectedResults, expectedLeft;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::wstring path = Full(names[i]);
        expectedLog.push_back(L"[ " + ShortenPath(path) + L" ]");
        if (i % 7 == 3) {
            dir.Write(names[i].substr(0, names[i].size() - 1)); // the new name is taken
            expectedLog.push_back(std::wstring(ProgramText(program_text::RenameFailed)));
            expectedLeft.push_back(path);
            continue;
        }
        const std::wstring renamed = path.substr(0, path.size() - 1);
        expectedLog.insert(expectedLog.end(), {std::wstring(ProgramText(program_text::RenamedFrom)), L"\u3000[ " + GetFileName(renamed) + L" ]",
                                               std::wstring(ProgramText(program_text::RenamedTo))});
        expectedResults.push_back(renamed);
    }
    expectedLog.push_back(std::wstring(GeneralText(general_text::AllDone)));
    OpenWith(names);
    ASSERT_EQ(Targets().size(), 300u);

    // Each paint of a list, with the number of log lines at that moment.
    HWND lists[] = {frame->FileWindow().lstFile(), frame->StatusWindow().lstKekka(), frame->OutFileWindow().lstOutFile()};
    std::vector<LRESULT> paints[3];
    for (int k = 0; k < 3; ++k) {
        ControlHook::Add(lists[k], &paints[k], [&, k](HWND h, UINT msg, WPARAM w, LPARAM l, const ControlHook::Next& next) {
            if (msg == WM_PAINT) paints[k].push_back(SendMessageW(lists[1], LB_GETCOUNT, 0, 0));
            return next(h, msg, w, l);
        });
    }
    Press(0);
    PumpMessages();

    EXPECT_EQ(Log(), expectedLog);
    EXPECT_EQ(Lines(lists[2]), expectedResults);
    EXPECT_EQ(Targets(), expectedLeft);
    EXPECT_EQ(SelectedTargets(), 0);
    const LRESULT top = SendMessageW(lists[0], LB_GETTOPINDEX, 0, 0);
    // The same list walked the plain way: every entry scrolled to the top in turn, the done ones removed.
    SendMessageW(lists[0], LB_RESETCONTENT, 0, 0);
    for (const auto& name : names) SendMessageW(lists[0], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Full(name).c_str()));
    SendMessageW(lists[0], LB_SETTOPINDEX, names.size() - 1, 0);
    for (LRESULT i = 0, n = 0; n < static_cast<LRESULT>(names.size()); ++n) {
        if (n % 7 == 3) ++i;
        else SendMessageW(lists[0], LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    }
    EXPECT_EQ(top, SendMessageW(lists[0], LB_GETTOPINDEX, 0, 0));

    const LRESULT total = static_cast<LRESULT>(expectedLog.size());
    auto paintedWhen = [&](int k, auto test) { return std::any_of(paints[k].begin(), paints[k].end(), test); };
    // The result list has nothing to show at the start, and its last change comes before the closing line.
    for (int k = 0; k < 3; ++k) {
        if (k != 2) {
            EXPECT_TRUE(paintedWhen(k, [](LRESULT n) { return n == 0; })) << "at the start, list " << k;
        }
        EXPECT_TRUE(paintedWhen(k, [&](LRESULT n) { return n > 0 && n < total - 1; })) << "during the run, list " << k;
        EXPECT_GE(paints[k].back(), k == 2 ? total - 1 : total) << "at the end, list " << k;
    }
}

// The real file system; before rename number `at` (from 1) it does `act` on the run's thread, as a
// user's click arrives while that file is being renamed.
class ActAtRename final : public test::ScriptedRenames {
public:
    ActAtRename(int at, std::function<void()> act) : ScriptedRenames({}), at_(at), act_(std::move(act)) {}
    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override
    {
        if (++calls_ == at_) act_();
        return ScriptedRenames::RenameNoReplace(from, to);
    }

private:
    int calls_ = 0;
    const int at_;
    std::function<void()> act_;
};

TEST_F(DriverTest, CancelDuringAFileStopsAfterThatFile)
{
    std::vector<std::wstring> names = ManyFiles(dir, 40);
    OpenWith(names);
    HWND cancel = frame->btnCancel();
    ActAtRename fs(5, [cancel] { SendMessageW(cancel, BM_CLICK, 0, 0); });
    frame->SetFileSystem(fs);
    Press(0);
    std::size_t renamed = 0;
    for (const auto& n : dir.Names()) renamed += n.substr(n.size() - 4) == L".htm";
    EXPECT_EQ(renamed, 5u);
    EXPECT_EQ(Targets().size(), 40u - renamed);
    EXPECT_EQ(Log().back(), GeneralText(general_text::Stopped));
}

TEST_F(DriverTest, ClosingDuringARunStopsItAndClosesAfterwards)
{
    std::vector<std::wstring> names = ManyFiles(dir, 300);
    OpenWith(names);
    HWND window = frame->Handle();
    {
        ActWhenRenamed close(dir, 5, [window] { PostMessageW(window, WM_CLOSE, 0, 0); });
        Press(0);
    }
    PumpMessages();
    EXPECT_FALSE(IsWindow(window)) << "the close went through after the run";
    std::size_t renamed = 0;
    for (const auto& n : dir.Names()) renamed += n.substr(n.size() - 4) == L".htm";
    EXPECT_LT(renamed, 300u);
    EXPECT_EQ(dir.Names().size(), 300u) << "no file lost";
    EXPECT_EQ(store.Current(L"Version"), L"1.00") << "the shutdown ran";
}

// Logging off or restarting: the same shutdown as a close, written before the session is gone.
TEST_F(DriverTest, TheSessionEndWritesTheSettingsAndStopsARunAfterTheCurrentFile)
{
    ASSERT_TRUE(Open());
    options.Tip = false;
    SetWindowPos(frame->Handle(), nullptr, 40, 50, 900, 700, SWP_NOZORDER);
    EXPECT_EQ(SendMessageW(frame->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(frame->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(store.Current(L"Version"), L"1.00");
    EXPECT_EQ(store.Current(L"Tip"), L"False");
    EXPECT_EQ(store.Current(L"Main_Width"), std::to_wstring(900 * 15));
    EXPECT_NE(store.Current(L"Dir_In"), L"<absent>") << "the children wrote their keys";
    PumpMessages();
    EXPECT_FALSE(frame->Exists());
    frame.reset();

    std::vector<std::wstring> names = ManyFiles(dir, 40);
    OpenWith(names);
    HWND window = frame->Handle();
    // The session's end is asked while the fifth file is being renamed, and comes right after.
    ActAtRename fs(5, [window] {
        SendMessageW(window, WM_QUERYENDSESSION, 0, 0);
        PostMessageW(window, WM_ENDSESSION, TRUE, 0);
    });
    frame->SetFileSystem(fs);
    store.SetCurrent(L"Version", L"<gone>");
    Press(0);
    std::size_t renamed = 0;
    for (const auto& n : dir.Names()) renamed += n.substr(n.size() - 4) == L".htm";
    EXPECT_EQ(renamed, 5u);
    EXPECT_EQ(dir.Names().size(), 40u) << "no file lost";
    EXPECT_EQ(store.Current(L"Version"), L"1.00");
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
}

// Batch files pass paths such as %~dp0..\\: only the file named is taken, never a decoy that a look-up
// of the raw text would land on; a relative name is taken from the current folder at start.
TEST_F(DriverTest, CommandLinePathsNameExactlyTheirFile)
{
    dir.MakeDir(L"sub");
    dir.MakeDir(L"sub\\" + GetFileName(ExpandLongPath(dir.path())));
    dir.Write(L"a.html");
    dir.Write(L"sub\\" + GetFileName(ExpandLongPath(dir.path())) + L"\\a.html");
    dir.Write(L"sub\\b.html");
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW((dir / L"sub").c_str()));
    const bool opened = Open(true, Quoted(dir / L"sub\\..\\a.html") + L" b.html " + Quoted(dir / L"a.ht>l"));
    SetCurrentDirectoryW(saved);
    ASSERT_TRUE(opened);
    EXPECT_EQ(Targets(), (std::vector<std::wstring>{Full(L"a.html"), Full(L"sub\\b.html")}));
}

TEST_F(DriverTest, UndoAsksThenTakesTheLastRunBackAndSaysWhenNothingIsLeft)
{
    test::MemoryJournal journal;
    OpenWith({});
    for (const wchar_t* name : {L"a.html", L"b.html"}) frame->FileWindow().Gaibu_ListInAdd(dir.Write(name));
    frame->SetJournalStore(journal);
    std::vector<std::wstring> asked;
    int answer = IDNO;
    frame->SetMessageBox([&](const std::wstring& text, UINT) {
        asked.push_back(text);
        return answer;
    });
    Press(0);
    ASSERT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.htm", L"b.htm"}));

    frame->mnuUndo_Click(); // answered No: nothing happens
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find(L" 2 "), std::wstring::npos) << "names the number of files";
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.htm", L"b.htm"}));

    answer = IDYES;
    SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(kCmdUndo, 0), 0); // from the menu bar
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.html", L"b.html"}));
    EXPECT_EQ(Log().back(), ProgramText(program_text::AllBack));
    EXPECT_TRUE(Lines(frame->OutFileWindow().lstOutFile()).empty()) << "the results follow the disk";

    frame->mnuUndo_Click();
    EXPECT_EQ(asked.back(), ProgramText(program_text::NothingToUndo));
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.html", L"b.html"}));
}

// A case-only rename whose second step and way back both fail leaves the file under a temporary name:
// the list shows it there, and Undo brings it back under its old name.
TEST_F(DriverTest, AFileLeftUnderATemporaryNameIsListedThereAndUndoBringsItBack)
{
    using Act = test::ScriptedRenames::Act;
    test::MemoryJournal journal;
    OpenWith({});
    frame->FileWindow().Gaibu_ListInAdd(dir.Write(L"a.html", "content"));
    frame->SetJournalStore(journal);
    // Direct rename claimed but not done, to the temporary name done, onwards and back refused.
    test::ScriptedRenames fs({Act::Pretend, Act::Do, Act::Refuse, Act::Refuse});
    frame->SetFileSystem(fs);
    frame->SetMessageBox([](const std::wstring&, UINT) { return IDYES; });
    Press(Mode::UpperCase);
    ASSERT_EQ(dir.Names(), std::vector<std::wstring>{L"~tavlo2-1.tmp"});
    EXPECT_EQ(Targets(), std::vector<std::wstring>{Full(L"~tavlo2-1.tmp")});

    frame->mnuUndo_Click();
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"a.html"});
    EXPECT_EQ(TempDir::ReadBytes(dir / L"a.html"), "content");
    EXPECT_EQ(Log().back(), ProgramText(program_text::AllBack));
    EXPECT_TRUE(Targets().empty()) << "the list follows the disk";
}

// The preview: a right click on a mode button shows what the run would do, row by row, and Cancel
// changes nothing; with the option on, a press shows it first, and 実行 renames exactly the rows it
// marked "変更します".
TEST_F(DriverTest, ThePreviewShowsEveryRowAndOnlyItsRunButtonRenames)
{
    OpenWith({});
    for (const wchar_t* name : {L"a.html", L"b.html", L"b.htm", L"c.txt"}) frame->FileWindow().Gaibu_ListInAdd(dir.Write(name));
    frame->BtnEnabledChange();
    frmPreview& preview = frame->PreviewDialog();
    std::vector<std::vector<std::wstring>> rows;
    std::wstring title, counts;
    bool run = false;
    preview.OnShown = [&] {
        rows.clear();
        HWND list = preview.lvwFiles();
        for (int i = 0; i < static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); ++i) {
            std::vector<std::wstring> row;
            for (int c = 0; c < 3; ++c) {
                wchar_t text[512]{};
                LVITEMW item{};
                item.iSubItem = c;
                item.pszText = text;
                item.cchTextMax = 512;
                SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
                row.push_back(text);
            }
            rows.push_back(row);
        }
        title = test::WindowText(preview.Handle());
        counts = test::WindowText(preview.lblCounts());
        SendMessageW(run ? preview.btnRun() : preview.btnCancel(), BM_CLICK, 0, 0);
        EXPECT_FALSE(preview.IsVisible());
        preview.Hide();
    };
    const std::wstring will = ProgramString(program_text::WillRename);
    const std::vector<std::vector<std::wstring>> expected = {
        {Full(L"a.html"), L"a.htm", will},
        {Full(L"b.html"), L"", ProgramString(program_text::NameTaken)},
        {Full(L"b.htm"), L"", ProgramString(program_text::ShortEnough).substr(1)},
        {Full(L"c.txt"), L"", ProgramString(program_text::ShortEnough).substr(1)}};

    // A right click on the button reaches the frame through the strip.
    RECT button{};
    GetWindowRect(frame->btnExe(0), &button);
    SendMessageW(frame->btnExe(0), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame->btnExe(0)),
                 MAKELPARAM(button.left + 5, button.top + 5));
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(title, ProgramString(program_text::PreviewTitle) + ProgramString(program_text::ModeCaptionFirst));
    EXPECT_NE(counts.find(L" 1 "), std::wstring::npos) << counts;
    EXPECT_NE(counts.find(L" 3 "), std::wstring::npos) << counts;
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.html", L"b.htm", L"b.html", L"c.txt"}));
    EXPECT_TRUE(Log().empty()) << "Cancel writes no log line";

    // From the keyboard: the menu key on the focused button.
    rows.clear();
    SetFocus(frame->btnExe(0));
    SendMessageW(frame->btnExe(0), WM_KEYDOWN, VK_APPS, 0);
    SendMessageW(frame->btnExe(0), WM_KEYUP, VK_APPS, 0);
    EXPECT_EQ(rows, expected);

    rows.clear();
    run = true;
    options.Preview = true;
    Press(0);
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"a.htm", L"b.htm", L"b.html", L"c.txt"}));
    EXPECT_EQ(Log().back(), GeneralText(general_text::AllDone));
    EXPECT_EQ(Targets(), (std::vector<std::wstring>{Full(L"b.html"), Full(L"b.htm"), Full(L"c.txt")}));
}

TEST_F(DriverTest, AJournalThatCannotBeWrittenIsToldOnceAndTheRunGoesOn)
{
    test::MemoryJournal journal;
    journal.writable = false;
    std::vector<std::wstring> names = ManyFiles(dir, 3);
    OpenWith(names);
    frame->SetJournalStore(journal);
    Press(0);
    EXPECT_TRUE(Targets().empty());
    const std::vector<std::wstring> log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), std::wstring(ProgramText(program_text::UndoUnavailable))), 1);
}

TEST_F(DriverTest, CommandLineNamesAreTakenWholeOrNotAtAll)
{
    dir.Write(L"a.txt");
    dir.Write(L"b c.txt");
    ASSERT_TRUE(Open(true, Quoted(dir / L"b c.txt") + L" relative.txt " + (dir / L"a.txt")));
    EXPECT_EQ(Targets(), (std::vector<std::wstring>{Full(L"b c.txt"), Full(L"a.txt")}));
    Close();
    ASSERT_TRUE(Open(true, (dir / L"a.txt") + L" \"" + (dir / L"b c.txt")));
    EXPECT_TRUE(Targets().empty());
    EXPECT_FALSE(ModeButtonsEnabled());
}

class UninstallTest : public FrameTest {
protected:
    // Loads with `commandLine`, answering the question with `yes`; returns whether the load went on.
    bool LoadWith(const std::wstring& commandLine, bool yes)
    {
        frame = std::make_unique<frmTavlo>(store.store());
        frame->SetQuitOnDestroy(false);
        frame->SetMessageBox([this, yes](const std::wstring& text, UINT) {
            questions.push_back(text);
            return yes ? IDYES : IDNO;
        });
        return frame->Create() && frame->MDIForm_Load(commandLine);
    }
    std::vector<std::wstring> questions;
};

TEST_F(UninstallTest, DeletesTheSettingsOnlyAfterYesAndEndsEitherWay)
{
    store.SetCurrent(L"Tip", L"False");
    EXPECT_FALSE(LoadWith(L"/u", false));
    EXPECT_EQ(questions, std::vector<std::wstring>{L"で使用したレジストリを全て削除します"});
    EXPECT_EQ(store.Current(L"Tip"), L"False");
    EXPECT_FALSE(frame->FileWindow().Exists()) << "no window loaded";

    EXPECT_FALSE(LoadWith(L"/U", true));
    EXPECT_EQ(store.Current(L"Tip"), L"<absent>");
}

TEST_F(UninstallTest, OnlyTheWholeArgumentTextIsTheOption)
{
    for (const wchar_t* text : {L" /u", L"/u x.txt", L"/ux"}) {
        questions.clear();
        EXPECT_TRUE(LoadWith(text, true)) << text;
        EXPECT_TRUE(questions.empty()) << text;
        frame.reset();
    }
}

} // namespace
} // namespace tavlo
