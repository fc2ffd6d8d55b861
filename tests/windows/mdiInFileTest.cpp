#include "common/Catalogue.h"
#include "InputBoxAnswers.h"
#include "UiTestSupport.h"
#include "common/FileEnum.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo {
namespace {

using test::FrameTest;
using test::InputBoxAnswers;
using test::PumpMessages;
using test::RectIn;
using test::TempDir;

using Names = std::vector<std::wstring>;

std::wstring LongForm(const std::wstring& path)
{
    wchar_t buf[4096]{};
    DWORD n = GetLongPathNameW(path.c_str(), buf, 4096);
    return n > 0 && n < 4096 ? std::wstring(buf) : path;
}

void SetAttributes(const std::wstring& path, DWORD attributes)
{
    ASSERT_TRUE(SetFileAttributesW(TempDir::Long(path).c_str(), attributes)) << "cannot set attributes";
}

class InputFileTest : public FrameTest {
protected:
    void OpenAt(const std::wstring& folder)
    {
        store.SetCurrent(L"Dir_In", folder);
        ASSERT_TRUE(Open());
        win().SetMessageBox([this](const std::wstring& text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        frame->FileWindow().SetMessageBox([this](const std::wstring& text, UINT) {
            fullMessages.push_back(text);
            return IDOK;
        });
        base = LongForm(folder);
    }
    mdiInFile& win() { return frame->InFileWindow(); }
    FileList& files() { return win().filFile(); }
    Names Rows()
    {
        Names rows;
        for (int i = 0; i < files().ListCount(); ++i) rows.push_back(files().List(i));
        return rows;
    }
    // The target list's entries, relative to the opened folder where they lie in it.
    Names Targets()
    {
        Names out;
        for (const std::wstring& entry : frame->FileWindow().Entries())
            out.push_back(entry.rfind(base + L"\\", 0) == 0 ? entry.substr(base.size() + 1) : entry);
        return out;
    }
    void ClearTargets() { frame->FileWindow().RefreshForm(); }
    void Click(HWND button)
    {
        SendMessageW(win().Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    void Command(int id) { SendMessageW(win().Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::wstring FilterItem()
    {
        wchar_t text[512]{};
        GetMenuStringW(win().PopupMenu(), mdiInFile::kIdFilter, text, 512, MF_BYCOMMAND);
        return text;
    }
    bool ModeButtonsEnabled() { return IsWindowEnabled(frame->btnExe(0)) != FALSE; }

    TempDir dir;
    std::wstring base;
    std::vector<std::wstring> messages;
    std::vector<std::wstring> fullMessages;
};

TEST_F(InputFileTest, HiddenAndSystemFilesNeverReachTheTargetList)
{
    for (const wchar_t* name : {L"a.txt", L"h.txt", L"r.txt", L"s.txt"}) dir.Write(name);
    std::wstring sub = dir.MakeDir(L"sub");
    TempDir::WriteBytes(sub + L"\\x.txt", "x");
    TempDir::WriteBytes(sub + L"\\hidden.txt", "x");
    SetAttributes(dir / L"h.txt", FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(dir / L"s.txt", FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(dir / L"r.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(sub + L"\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    OpenAt(dir.path());
    EXPECT_EQ(Rows(), (Names{L"a.txt", L"r.txt"}));

    win().SelectAll();
    Click(win().btnAdd());
    EXPECT_EQ(Targets(), (Names{L"a.txt", L"r.txt"}));
    ClearTargets();
    Click(win().btnAddAll());
    EXPECT_EQ(Targets(), (Names{L"a.txt", L"r.txt"}));
    ClearTargets();
    Click(win().btnAddAllAll());
    EXPECT_EQ(Targets(), (Names{L"a.txt", L"r.txt", L"sub\\x.txt"}));
    EXPECT_TRUE(fullMessages.empty());
}

TEST_F(InputFileTest, ATwoMaskFilterHoldsForEveryAddCommand)
{
    for (const wchar_t* name : {L"a.htm", L"b.html", L"c.htmx", L"d.txt", L"E.HTM", L"f.htm.bak"}) dir.Write(name);
    std::wstring sub = dir.MakeDir(L"sub");
    for (const wchar_t* name : {L"g.html", L"h.txt"}) TempDir::WriteBytes(sub + L"\\" + name, "x");
    OpenAt(dir.path());
    EXPECT_EQ(files().ListCount(), 6);
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(*.*)");

    InputBoxAnswers answers;
    answers.answers.push_back(L"*.htm;*.html");
    Command(mdiInFile::kIdFilter);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].Prompt, std::wstring(ProgramText(program_text::FilterPrompt)) + L"\r*.*");
    EXPECT_EQ(answers.asked[0].Title, ProgramText(program_text::FilterTitle));
    EXPECT_EQ(answers.asked[0].Default, L"");
    EXPECT_EQ(options.Filter, L"*.htm;*.html");
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(*.htm;*.html)");
    EXPECT_EQ(Rows(), (Names{L"a.htm", L"b.html", L"E.HTM"}));

    files().SetSelected(1, true);
    Click(win().btnAdd());
    EXPECT_EQ(Targets(), (Names{L"b.html"}));
    ClearTargets();
    Click(win().btnAddAll());
    EXPECT_EQ(Targets(), (Names{L"a.htm", L"b.html", L"E.HTM"}));
    ClearTargets();
    Click(win().btnAddAllAll());
    EXPECT_EQ(Targets(), (Names{L"a.htm", L"b.html", L"E.HTM", L"sub\\g.html"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(InputFileTest, SubfolderAddTakesTheFolderThenEachSubfolderOneLevelDeep)
{
    dir.Write(L"top.txt");
    // Made out of order: the add goes by name.
    std::wstring b = dir.MakeDir(L"B");
    std::wstring a = dir.MakeDir(L"A");
    std::wstring c = dir.MakeDir(L"A\\C");
    TempDir::WriteBytes(b + L"\\b1.txt", "x");
    TempDir::WriteBytes(a + L"\\a2.txt", "x");
    TempDir::WriteBytes(a + L"\\a1.txt", "x");
    TempDir::WriteBytes(c + L"\\deep.txt", "x");
    OpenAt(dir.path());
    files().SetSelected(0, true);
    EXPECT_FALSE(ModeButtonsEnabled());

    Click(win().btnAddAllAll());
    EXPECT_EQ(Targets(), (Names{L"top.txt", L"A\\a1.txt", L"A\\a2.txt", L"B\\b1.txt"}));
    EXPECT_EQ(files().SelectedCount(), 0);
    EXPECT_TRUE(ModeButtonsEnabled());

    // Again: everything is listed already and is skipped without a word.
    Click(win().btnAddAllAll());
    EXPECT_EQ(Targets().size(), 4u);
    EXPECT_TRUE(fullMessages.empty());
}

TEST_F(InputFileTest, AFullTargetListStopsTheSubfolderAddAfterOneMessage)
{
    for (int i = 0; i < 30; ++i) dir.Write(L"f" + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i) + L".txt");
    std::wstring sub = dir.MakeDir(L"later");
    TempDir::WriteBytes(sub + L"\\never.txt", "x");
    OpenAt(dir.path());
    for (int i = 0; i < 990; ++i) ASSERT_TRUE(frame->FileWindow().ListInAdd(L"C:\\earlier\\" + std::to_wstring(i)));

    Names offered;
    win().SetAddTarget([&](const std::wstring& path) {
        offered.push_back(path);
        return frame->FileWindow().ListInAdd(path);
    });
    Click(win().btnAddAllAll());

    Names targets = Targets();
    ASSERT_EQ(targets.size(), 1000u);
    EXPECT_EQ(targets[990], L"f00.txt");
    EXPECT_EQ(targets[999], L"f09.txt");
    EXPECT_EQ(fullMessages.size(), 1u);
    // Ten taken, the eleventh refused, and nothing asked after it.
    ASSERT_EQ(offered.size(), 11u);
    EXPECT_EQ(offered.back(), base + L"\\f10.txt");
    win().SetAddTarget(nullptr);
}

TEST_F(InputFileTest, AFullTargetListLeavesTheRefusedSelectedRowsSelected)
{
    for (int i = 0; i < 6; ++i) dir.Write(L"n" + std::to_wstring(i) + L".txt");
    OpenAt(dir.path());
    for (int i = 0; i < 997; ++i) ASSERT_TRUE(frame->FileWindow().ListInAdd(L"C:\\earlier\\" + std::to_wstring(i)));
    for (int i : {0, 2, 3, 4, 5}) files().SetSelected(i, true);

    Click(win().btnAdd());
    EXPECT_EQ(frame->FileWindow().Entries().size(), 1000u);
    EXPECT_EQ(fullMessages.size(), 1u);
    // n0, n2, n3 went over; n4 was refused and stays selected with n5 behind it.
    EXPECT_FALSE(files().Selected(0));
    EXPECT_FALSE(files().Selected(2));
    EXPECT_FALSE(files().Selected(3));
    EXPECT_TRUE(files().Selected(4));
    EXPECT_TRUE(files().Selected(5));
}

TEST_F(InputFileTest, AddSelectedSkipsAListedFileSilentlyAndDeselectsAllRows)
{
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) dir.Write(name);
    OpenAt(dir.path());
    ASSERT_TRUE(frame->FileWindow().ListInAdd(mdiInFile::TargetPath(dir.path(), L"b.txt")));
    for (int i : {0, 1, 2}) files().SetSelected(i, true);

    Click(win().btnAdd());
    EXPECT_EQ(Targets(), (Names{L"b.txt", L"a.txt", L"c.txt"}));
    EXPECT_EQ(files().SelectedCount(), 0);
    EXPECT_TRUE(fullMessages.empty());
    EXPECT_TRUE(ModeButtonsEnabled());
}

TEST_F(InputFileTest, ACancelledFilterBoxChangesNothingAndAnUnusableFilterFallsBackToAllFiles)
{
    for (const wchar_t* name : {L"a.txt", L"b.doc"}) dir.Write(name);
    std::wstring sub = dir.MakeDir(L"sub");
    TempDir::WriteBytes(sub + L"\\c.doc", "x");
    OpenAt(dir.path());
    InputBoxAnswers answers;
    answers.answers = {L"*.txt", L"", L"a|b"};

    Command(mdiInFile::kIdFilter);
    EXPECT_EQ(Rows(), Names{L"a.txt"});
    Command(mdiInFile::kIdFilter);
    EXPECT_EQ(options.Filter, L"*.txt");
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(*.txt)");
    EXPECT_EQ(Rows(), Names{L"a.txt"});
    EXPECT_TRUE(messages.empty());

    Command(mdiInFile::kIdFilter);
    EXPECT_EQ(answers.asked[2].Prompt, std::wstring(ProgramText(program_text::FilterPrompt)) + L"\r*.txt");
    EXPECT_EQ(messages, Names{std::wstring(ProgramText(program_text::FilterRefused))});
    EXPECT_EQ(options.Filter, L"*.*");
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(*.*)");
    EXPECT_EQ(Rows(), (Names{L"a.txt", L"b.doc"}));
    // The hidden list of the subfolder add went back to all files too.
    Click(win().btnAddAllAll());
    EXPECT_EQ(Targets(), (Names{L"a.txt", L"b.doc", L"sub\\c.doc"}));
    Close();

    // An '&' shows as itself in the menu, not as an accelerator mark.
    store.SetCurrent(L"Filter", L"R&D*.*");
    OpenAt(dir.path());
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(R&&D*.*)");
}

TEST_F(InputFileTest, AStoredFilterIsAppliedAtLoadAndAnUnusableOneFallsBackToAllFiles)
{
    for (const wchar_t* name : {L"a.txt", L"b.doc"}) dir.Write(name);
    store.SetCurrent(L"Filter", L"*.doc");
    OpenAt(dir.path());
    EXPECT_EQ(Rows(), Names{L"b.doc"});
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(*.doc)");
    Close();

    store.SetCurrent(L"Filter", L"<>");
    OpenAt(dir.path());
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_EQ(Rows(), (Names{L"a.txt", L"b.doc"}));
    EXPECT_EQ(options.Filter, L"*.*");
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(*.*)");
    Close();

    // An '&' shows as itself in the menu, not as an accelerator mark.
    store.SetCurrent(L"Filter", L"R&D*.*");
    OpenAt(dir.path());
    EXPECT_EQ(FilterItem(), std::wstring(ProgramText(program_text::FilterMenu)) + L"(R&&D*.*)");
}

TEST_F(InputFileTest, TheWaitPointerShowsWhileFilesAreAdded)
{
    dir.Write(L"a.txt");
    OpenAt(dir.path());
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    std::vector<bool> waiting;
    win().SetAddTarget([&](const std::wstring&) {
        waiting.push_back(GetCursor() == wait);
        return true;
    });
    Click(win().btnAddAll());
    Click(win().btnAddAllAll());
    EXPECT_EQ(waiting, (std::vector<bool>{true, true}));
    EXPECT_NE(GetCursor(), wait);

    // A failure inside the command brings the pointer back too.
    win().SetAddTarget([](const std::wstring&) -> bool { throw std::runtime_error("target gone"); });
    Click(win().btnAddAll());
    EXPECT_NE(GetCursor(), wait);
    win().SetAddTarget(nullptr);
}

// A folder that exists but cannot be listed (access denied); a test run with every right cannot
// make one, so the listing refuses it.
class UnreadableFolder {
public:
    explicit UnreadableFolder(std::wstring folder)
    {
        denied_ = LongForm(folder);
        previous_ = SetFolderReader([](const std::wstring& f) -> std::optional<std::vector<FoundEntry>> {
            if (LongForm(f) == denied_) return std::nullopt;
            return ListFolderEntries(f);
        });
    }
    ~UnreadableFolder() { SetFolderReader(previous_); }

private:
    static inline std::wstring denied_;
    FolderReader previous_;
};

TEST_F(InputFileTest, AnUnreadableFolderOpensEmptyAndTheSubfolderAddGoesOnPastIt)
{
    dir.Write(L"a.txt");
    dir.MakeDir(L"sub1");
    dir.Write(L"sub1\\b.txt");
    dir.MakeDir(L"sub2");
    dir.Write(L"sub2\\c.txt");
    OpenAt(dir.path());
    UnreadableFolder denied(dir / L"sub1");

    files().SetAllSelected(true);
    Click(win().btnAddAllAll());
    EXPECT_EQ(Targets(), (Names{L"a.txt", L"sub2\\c.txt"}));
    EXPECT_EQ(files().SelectedCount(), 0);
    EXPECT_TRUE(IsWindowEnabled(frame->btnExe(0)));

    win().DirName(dir / L"sub1");
    EXPECT_EQ(LongForm(files().Path()), LongForm(dir / L"sub1"));
    EXPECT_TRUE(Rows().empty());
    frame->InDirWindow().DirName(dir / L"sub1");
    EXPECT_EQ(LongForm(frame->InDirWindow().dlbDir().Path()), LongForm(dir / L"sub1"));
}

// The shown folder vanishes (a stick pulled, a rename elsewhere): on refresh both windows move to the
// same fall-back, so "add all" never takes files from a folder the user did not choose.
TEST_F(InputFileTest, AVanishedFolderMovesBothWindowsTogether)
{
    dir.MakeDir(L"gone");
    dir.Write(L"gone\\x.txt");
    OpenAt(dir / L"gone");
    frame->InDirWindow().DirName(dir / L"gone");
    ASSERT_EQ(Rows(), Names{L"x.txt"});
    ASSERT_TRUE(DeleteFileW((dir / L"gone\\x.txt").c_str()));
    ASSERT_TRUE(RemoveDirectoryW((dir / L"gone").c_str()));

    frame->InDirWindow().mnuRefresh_Click();
    EXPECT_EQ(LongForm(frame->InDirWindow().dlbDir().Path()), LongForm(CurrentFolder()));
    EXPECT_EQ(LongForm(files().Path()), LongForm(frame->InDirWindow().dlbDir().Path()));
}

TEST_F(InputFileTest, FollowsTheFolderFallsBackAndRefreshesOnCommand)
{
    dir.Write(L"a.txt");
    OpenAt(dir.path());
    win().DirName(dir / L"missing");
    EXPECT_EQ(files().Path(), CurrentFolder());

    win().DirName(dir.path());
    EXPECT_EQ(Rows(), Names{L"a.txt"});
    dir.Write(L"b.txt");
    EXPECT_EQ(Rows(), Names{L"a.txt"});
    Command(mdiInFile::kIdAll);
    EXPECT_EQ(files().SelectedCount(), 1);
    Command(mdiInFile::kIdRefresh);
    EXPECT_EQ(Rows(), (Names{L"a.txt", L"b.txt"}));
    EXPECT_EQ(files().SelectedCount(), 0);
    Command(mdiInFile::kIdAll);
    EXPECT_EQ(files().SelectedCount(), 2);
    Command(mdiInFile::kIdClear);
    EXPECT_EQ(files().SelectedCount(), 0);
}

TEST_F(InputFileTest, EnterInTheFileListGoesToTheTargetList)
{
    dir.Write(L"a.txt");
    OpenAt(dir.path());
    SetFocus(files().Handle());
    SendMessageW(files().Handle(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(GetFocus(), frame->FileWindow().lstFile());
}

TEST_F(InputFileTest, AfterARunTheListShowsTheNewNames)
{
    dir.Write(L"page.html");
    OpenAt(dir.path());
    Click(win().btnAddAll());
    ASSERT_EQ(Targets(), Names{L"page.html"});
    files().SetSelected(0, true);
    Press(0);
    ASSERT_EQ(dir.Names(), Names{L"page.htm"});
    EXPECT_EQ(Rows(), Names{L"page.htm"});
    EXPECT_EQ(files().SelectedCount(), 0);
}

TEST_F(InputFileTest, TheFileListFillsTheWindowAboveTheButtonRow)
{
    OpenAt(dir.path());
    SetWindowPos(win().Handle(), nullptr, 0, 0, 320, 300, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    const TwipsScale& s = TwipsScale::Screen();
    RECT client{};
    GetClientRect(win().Handle(), &client);
    RECT list = RectIn(files().Handle(), win().Handle());
    RECT add = RectIn(win().btnAdd(), win().Handle());
    RECT all = RectIn(win().btnAddAll(), win().Handle());
    RECT sub = RectIn(win().btnAddAllAll(), win().Handle());

    EXPECT_NEAR(list.left, s.XToPixels(60), 1);
    EXPECT_NEAR(list.top, s.YToPixels(60), 1);
    EXPECT_NEAR(list.right, client.right - s.XToPixels(60), 1);
    EXPECT_NEAR(add.top, list.bottom + s.YToPixels(60), 1);
    EXPECT_NEAR(add.bottom, client.bottom - s.YToPixels(60), 2);
    EXPECT_NEAR(add.left, s.XToPixels(60), 1);
    EXPECT_EQ(add.bottom - add.top, s.YToPixels(375));
    EXPECT_EQ(add.right - add.left, s.XToPixels(495));
    // The second button starts a button's width plus 120 from the edge, the third 60 after it.
    EXPECT_NEAR(all.left, s.XToPixels(495 + 120), 1);
    EXPECT_NEAR(sub.left, all.right + s.XToPixels(60), 1);
    EXPECT_EQ(all.top, add.top);
    EXPECT_EQ(sub.top, add.top);
}

} // namespace
} // namespace tavlo
