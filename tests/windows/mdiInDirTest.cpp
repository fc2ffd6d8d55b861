#include "common/Catalogue.h"

#include "DriveWithoutMedium.h"
#include "InputBoxAnswers.h"
#include "UiTestSupport.h"
#include "common/FileEnum.h"
#include "common/PathUtil.h"
#include "core/Paths.h"
#include "ui/ListRows.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tavlo {
namespace {

using test::FrameTest;
using test::InputBoxAnswers;
using test::PumpMessages;
using test::RectIn;
using test::TempDir;
using test::WindowText;

// The folder's name as stored on disk, found by the system rather than by the code under test.
std::wstring LongForm(const std::wstring& path)
{
    wchar_t buf[4096]{};
    DWORD n = GetLongPathNameW(path.c_str(), buf, 4096);
    return n > 0 && n < 4096 ? std::wstring(buf) : path;
}

using test::DriveWithoutMedium;

// The alias dialog as a user who edits the list in a scripted way.
class ScriptedAliasDialog final : public AliasDialog {
public:
    void SetEntry(std::int16_t i, const std::wstring& name, const std::wstring& dir) override
    {
        handed.push_back(FolderAlias{name, dir});
        indexes.push_back(i);
    }
    void SetCallerCaption(const std::wstring& text) override { caption = text; }
    void ShowModal() override { ++shown; }
    bool Accepted() override { return ok; }
    std::int16_t LastIndex() override { return static_cast<std::int16_t>(result.size()) - 1; }
    void Entry(std::int16_t i, std::wstring& name, std::wstring& dir) override
    {
        name = i >= 0 && i < static_cast<int>(result.size()) ? result[i].Name : L"";
        dir = i >= 0 && i < static_cast<int>(result.size()) ? result[i].Dir : L"";
    }

    std::vector<FolderAlias> handed;
    std::vector<int> indexes;
    std::wstring caption;
    int shown = 0;
    bool ok = true;
    std::vector<FolderAlias> result;
};

class InputFolderTest : public FrameTest {
protected:
    // Opens the program with `folder` as the configured start folder.
    void OpenAt(const std::wstring& folder)
    {
        store.SetCurrent(L"Dir_In", folder);
        ASSERT_TRUE(Open());
        Hook();
    }
    void Hook()
    {
        win().SetMessageBox([this](const std::wstring& text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    mdiInDir& win() { return frame->InDirWindow(); }
    HMENU popup() { return win().PopupMenu(); }
    bool Enabled(int id) { return !(GetMenuState(popup(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)); }
    // What the context menu shows below mnuMente: a separator, then the alias captions.
    std::vector<std::wstring> AliasItems()
    {
        std::vector<std::wstring> items;
        int count = GetMenuItemCount(popup());
        for (int pos = 3; pos < count; ++pos) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID;
            GetMenuItemInfoW(popup(), pos, TRUE, &info);
            if (info.fType & MFT_SEPARATOR) {
                items.push_back(L"-");
                continue;
            }
            wchar_t text[256]{};
            GetMenuStringW(popup(), pos, text, 256, MF_BYPOSITION);
            EXPECT_EQ(static_cast<int>(info.wID), mdiInDir::kIdFirstAddDir + static_cast<int>(items.size()) - 1);
            items.push_back(text);
        }
        return items;
    }
    void Command(int id) { SendMessageW(win().Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Adds aliases named alias0, alias1, ... in turn.
    void AddAliases(InputBoxAnswers& answers, int n)
    {
        for (int i = 0; i < n; ++i) {
            answers.answers.push_back(L"alias" + std::to_wstring(added++));
            Command(mdiInDir::kIdAdd);
        }
    }
    int added = 0;

    TempDir dir;
    std::vector<std::wstring> messages;
};

TEST_F(InputFolderTest, OpensTheConfiguredFolderAndTheFileWindowFollows)
{
    dir.Write(L"one.txt");
    dir.MakeDir(L"sub");
    OpenAt(dir.path());
    const std::wstring full = LongForm(dir.path());
    EXPECT_EQ(win().DirName(), full);
    EXPECT_EQ(WindowText(win().txtDir()), ShortenPath(full));
    EXPECT_EQ(win().drvDrive().DriveName(), full.substr(0, 2));
    ASSERT_EQ(win().dlbDir().ListCount(), 1);
    EXPECT_EQ(win().dlbDir().List(0), full + L"\\sub");

    FileList& files = frame->InFileWindow().filFile();
    EXPECT_EQ(files.Path(), full);
    ASSERT_EQ(files.ListCount(), 1);
    EXPECT_EQ(files.List(0), L"one.txt");

    // Opening another folder moves both windows.
    win().DirName(dir / L"sub");
    EXPECT_EQ(win().DirName(), full + L"\\sub");
    EXPECT_EQ(files.Path(), full + L"\\sub");
    EXPECT_EQ(files.ListCount(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(InputFolderTest, WithTheConfiguredFolderSwitchedOffTheLastFolderOpens)
{
    TempDir last;
    store.SetCurrent(L"Dir_In_Yuko", L"False");
    store.SetCurrent(L"OldDir_In", last.path());
    OpenAt(dir.path());
    EXPECT_EQ(win().DirName(), LongForm(last.path()));
    EXPECT_FALSE(options.Dir_In_Yuko);
    EXPECT_EQ(options.Dir_In, dir.path());
}

TEST_F(InputFolderTest, AStartFolderThatIsGoneFallsBackToTheCurrentFolderSilently)
{
    const std::wstring gone = dir / L"no longer here";
    OpenAt(gone);
    const std::wstring here = ExpandLongPath(CurrentFolder());
    EXPECT_EQ(win().DirName(), here);
    EXPECT_EQ(frame->InFileWindow().filFile().Path(), CurrentFolder());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(failures.texts.empty());
    Close();
    EXPECT_EQ(store.Current(L"OldDir_In"), here);
    // The configured folder is kept as it was set.
    EXPECT_EQ(store.Current(L"Dir_In"), gone);
}

TEST_F(InputFolderTest, FirstStartWritesTheFolderKeysAndTwentyEmptyAliasKeys)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(win().DirName(), ExpandLongPath(CurrentFolder()));
    EXPECT_EQ(store.Current(L"Dir_In"), L"<absent>");
    Close();
    EXPECT_EQ(store.Current(L"Dir_In"), CurrentFolder());
    EXPECT_EQ(store.Current(L"Dir_In_Yuko"), L"True");
    EXPECT_EQ(store.Current(L"OldDir_In"), ExpandLongPath(CurrentFolder()));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(store.Current(FolderAliases::NameKey(i)), L"") << i;
        EXPECT_EQ(store.Current(FolderAliases::DirKey(i)), L"") << i;
    }
}

TEST_F(InputFolderTest, KeysAreReadWhereTheLegacyProbeSends)
{
    TempDir legacy;
    store.SetLegacy(L"InDir_Left", L"300");
    store.SetLegacy(L"Dir_In", legacy.path());
    store.SetLegacy(L"Dir_In_DirName0", L"old");
    store.SetLegacy(L"Dir_In_DirDir0", legacy.path());
    store.SetCurrent(L"Dir_In_DirName0", L"new");
    store.SetCurrent(L"Dir_In_DirDir0", dir.path());
    OpenAt(dir.path());
    EXPECT_EQ(win().DirName(), LongForm(legacy.path()));
    EXPECT_EQ(win().Aliases().Slot(0).Name, L"old");
    Close();
    EXPECT_EQ(store.Current(L"Dir_In"), legacy.path());
    EXPECT_EQ(store.Current(L"Dir_In_DirName0"), L"old");
}

TEST_F(InputFolderTest, AStartSwitchThatIsNoTruthValueCountsAsOn)
{
    store.SetCurrent(L"Dir_In_Yuko", L"maybe");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_TRUE(options.Dir_In_Yuko);
}

TEST_F(InputFolderTest, AliasesLoadPastAnEmptySlotWhichIsErasedAtExit)
{
    TempDir a, b, d;
    store.SetCurrent(L"Dir_In_DirName0", L"ゼロ");
    store.SetCurrent(L"Dir_In_DirDir0", a.path());
    store.SetCurrent(L"Dir_In_DirName1", L"one & two");
    store.SetCurrent(L"Dir_In_DirDir1", b.path());
    store.SetCurrent(L"Dir_In_DirName2", L"no folder");
    store.SetCurrent(L"Dir_In_DirName3", L"three");
    store.SetCurrent(L"Dir_In_DirDir3", d.path());
    OpenAt(dir.path());

    EXPECT_EQ(win().Aliases().LastIndex(), 2);
    // An '&' shows as itself, not as an accelerator mark.
    EXPECT_EQ(AliasItems(), (std::vector<std::wstring>{L"-", L"ゼロ", L"one && two", L"three"}));
    EXPECT_TRUE(Enabled(mdiInDir::kIdMente));
    EXPECT_TRUE(Enabled(mdiInDir::kIdAdd));

    // Opening an alias through its menu item.
    Command(mdiInDir::kIdFirstAddDir + 1);
    EXPECT_EQ(win().DirName(), LongForm(b.path()));
    EXPECT_EQ(frame->InFileWindow().filFile().Path(), LongForm(b.path()));

    Close();
    EXPECT_EQ(store.Current(L"Dir_In_DirName0"), L"ゼロ");
    EXPECT_EQ(store.Current(L"Dir_In_DirDir1"), b.path());
    EXPECT_EQ(store.Current(L"Dir_In_DirName2"), L"three");
    EXPECT_EQ(store.Current(L"Dir_In_DirDir2"), d.path());
    for (int i = 3; i < 10; ++i) {
        EXPECT_EQ(store.Current(FolderAliases::NameKey(i)), L"") << i;
        EXPECT_EQ(store.Current(FolderAliases::DirKey(i)), L"") << i;
    }
}

TEST_F(InputFolderTest, AddingAnAliasAsksWithTheFolderAndRefusesADuplicateName)
{
    OpenAt(dir.path());
    const std::wstring full = LongForm(dir.path());
    EXPECT_EQ(AliasItems(), std::vector<std::wstring>{});
    EXPECT_FALSE(Enabled(mdiInDir::kIdMente));

    InputBoxAnswers answers;
    answers.answers = {L"Data", L"data", L"Data", L""};
    Command(mdiInDir::kIdAdd);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].Prompt, std::wstring(GeneralText(general_text::AliasPrompt)) + L"\r" + full);
    EXPECT_EQ(answers.asked[0].Title, GeneralText(general_text::AliasTitle));
    EXPECT_EQ(answers.asked[0].Default, ShortenPath(full));
    EXPECT_EQ(AliasItems(), (std::vector<std::wstring>{L"-", L"Data"}));
    EXPECT_TRUE(Enabled(mdiInDir::kIdMente));
    EXPECT_EQ(win().Aliases().Slot(0).Dir, full);

    // Names differ by letter case: a new alias.
    Command(mdiInDir::kIdAdd);
    EXPECT_EQ(AliasItems(), (std::vector<std::wstring>{L"-", L"Data", L"data"}));
    EXPECT_TRUE(messages.empty());

    // The same name again: the message, nothing added.
    Command(mdiInDir::kIdAdd);
    EXPECT_EQ(messages, std::vector<std::wstring>{std::wstring(GeneralText(general_text::AliasTaken))});
    EXPECT_EQ(win().Aliases().Count(), 2);

    // An empty answer (a cancelled box) adds nothing and says nothing.
    Command(mdiInDir::kIdAdd);
    EXPECT_EQ(win().Aliases().Count(), 2);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(answers.asked.size(), 4u);
}

TEST_F(InputFolderTest, NoAliasIsAddedWithoutAnOpenFolder)
{
    dir.MakeDir(L"gone");
    OpenAt(dir / L"gone");
    ASSERT_TRUE(RemoveDirectoryW((dir / L"gone").c_str()));
    InputBoxAnswers answers;
    answers.answers = {L"Gone"};
    Command(mdiInDir::kIdAdd);
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(messages, std::vector<std::wstring>{std::wstring(GeneralText(general_text::NoOpenFolder))});
    EXPECT_EQ(win().Aliases().Count(), 0);
}

TEST_F(InputFolderTest, TheTenthAliasDisablesAddAndAllTenAreStored)
{
    OpenAt(dir.path());
    InputBoxAnswers answers;
    AddAliases(answers, 9);
    EXPECT_TRUE(Enabled(mdiInDir::kIdAdd));
    AddAliases(answers, 1);
    EXPECT_EQ(win().Aliases().LastIndex(), 9);
    EXPECT_FALSE(Enabled(mdiInDir::kIdAdd));
    EXPECT_EQ(AliasItems().size(), 11u);

    // Even when called, the add command does nothing with ten aliases.
    answers.answers.push_back(L"eleven");
    win().mnuAdd_Click();
    EXPECT_EQ(answers.asked.size(), 10u);
    EXPECT_EQ(win().Aliases().Count(), 10);

    Close();
    EXPECT_EQ(store.Current(L"Dir_In_DirName9"), L"alias9");
    EXPECT_EQ(store.Current(L"Dir_In_DirDir9"), LongForm(dir.path()));
}

TEST_F(InputFolderTest, MaintenanceHandsTheTableOverAndTakesTheEditedOneBack)
{
    OpenAt(dir.path());
    InputBoxAnswers answers;
    AddAliases(answers, 3);
    ScriptedAliasDialog dialog;
    win().SetAliasDialog(&dialog);

    // Cancelled: the table stays.
    dialog.ok = false;
    dialog.result = {{L"x", L"C:\\x"}};
    Command(mdiInDir::kIdMente);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(dialog.caption, ProgramText(program_text::InDirCaption));
    ASSERT_EQ(dialog.handed.size(), 10u);
    EXPECT_EQ(dialog.handed[2].Name, L"alias2");
    EXPECT_EQ(dialog.handed[2].Dir, LongForm(dir.path()));
    EXPECT_EQ(dialog.handed[3].Name, L"");
    EXPECT_EQ(dialog.handed[9].Dir, L"");
    EXPECT_EQ(dialog.indexes, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(AliasItems(), (std::vector<std::wstring>{L"-", L"alias0", L"alias1", L"alias2"}));

    // Confirmed: reordered and shortened.
    dialog.ok = true;
    dialog.result = {{L"alias2", L"C:\\two"}, {L"alias0", L"C:\\zero"}};
    Command(mdiInDir::kIdMente);
    EXPECT_EQ(AliasItems(), (std::vector<std::wstring>{L"-", L"alias2", L"alias0"}));
    EXPECT_EQ(win().Aliases().Slot(1).Dir, L"C:\\zero");
    EXPECT_EQ(win().Aliases().Slot(2).Name, L"");
    EXPECT_TRUE(Enabled(mdiInDir::kIdAdd));
    EXPECT_TRUE(Enabled(mdiInDir::kIdMente));

    // Everything deleted: no separator, maintenance off, add on.
    dialog.result.clear();
    Command(mdiInDir::kIdMente);
    EXPECT_EQ(AliasItems(), std::vector<std::wstring>{});
    EXPECT_EQ(GetMenuItemCount(popup()), 3);
    EXPECT_FALSE(Enabled(mdiInDir::kIdMente));
    EXPECT_TRUE(Enabled(mdiInDir::kIdAdd));

    // With no alias the dialog is not even shown.
    Command(mdiInDir::kIdMente);
    EXPECT_EQ(dialog.shown, 3);
    win().SetAliasDialog(nullptr);
}

// Plays the user of the real alias dialog once it is up: notes what it shows, then runs `act`.
struct DialogVisit {
    frmMenuMente* Dialog = nullptr;
    std::function<void(frmMenuMente&)> Act;
    std::wstring Caption;
    std::vector<std::wstring> Entries;
};
DialogVisit* dialogVisit = nullptr;

void CALLBACK PlayAliasDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!dialogVisit || !dialogVisit->Dialog->IsVisible()) return;
    KillTimer(nullptr, id);
    DialogVisit& v = *dialogVisit;
    v.Caption = WindowText(v.Dialog->Handle());
    HWND list = v.Dialog->lbxMenu();
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[256]{};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        v.Entries.push_back(text);
    }
    v.Act(*v.Dialog);
}

TEST_F(InputFolderTest, MaintenanceRunsTheMainWindowsAliasDialog)
{
    OpenAt(dir.path());
    InputBoxAnswers answers;
    AddAliases(answers, 3);
    DialogVisit visit;
    visit.Dialog = &frame->MenuMenteDialog();
    dialogVisit = &visit;

    // Moved down and cancelled: nothing changes.
    visit.Act = [](frmMenuMente& d) {
        d.btnDown_Click();
        d.btnCancel_Click();
    };
    SetTimer(nullptr, 0, 50, PlayAliasDialog);
    Command(mdiInDir::kIdMente);
    EXPECT_EQ(visit.Caption, std::wstring(ProgramText(program_text::InDirCaption)) + std::wstring(GeneralText(general_text::AliasMaintenanceSuffix)));
    EXPECT_EQ(visit.Entries, (std::vector<std::wstring>{L"alias0", L"alias1", L"alias2"}));
    EXPECT_EQ(AliasItems(), (std::vector<std::wstring>{L"-", L"alias0", L"alias1", L"alias2"}));

    // Moved down and confirmed: the new order reaches the menu.
    visit.Entries.clear();
    visit.Act = [](frmMenuMente& d) {
        d.btnDown_Click();
        d.btnOK_Click();
    };
    SetTimer(nullptr, 0, 50, PlayAliasDialog);
    Command(mdiInDir::kIdMente);
    EXPECT_EQ(AliasItems(), (std::vector<std::wstring>{L"-", L"alias1", L"alias0", L"alias2"}));

    // All deleted and confirmed.
    visit.Act = [](frmMenuMente& d) {
        d.btnDelAll_Click();
        d.btnOK_Click();
    };
    SetTimer(nullptr, 0, 50, PlayAliasDialog);
    Command(mdiInDir::kIdMente);
    dialogVisit = nullptr;
    EXPECT_EQ(GetMenuItemCount(popup()), 3);
    EXPECT_FALSE(Enabled(mdiInDir::kIdMente));
    EXPECT_EQ(win().Aliases().Count(), 0);
}

TEST_F(InputFolderTest, DuringAnAutomaticRunOnlyTheFolderKeysAreReadAndNothingIsWritten)
{
    store.SetCurrent(L"Dir_In", dir.path());
    store.SetCurrent(L"Dir_In_DirName0", L"kept");
    store.SetCurrent(L"Dir_In_DirDir0", dir.path());
    frame = std::make_unique<frmTavlo>(store.store());
    frame->SetQuitOnDestroy(false);
    ASSERT_TRUE(frame->Create());
    options.AutoRunning = true;
    ASSERT_TRUE(win().Load());
    ASSERT_TRUE(frame->InFileWindow().Load());
    EXPECT_EQ(win().DirName(), LongForm(dir.path()));
    EXPECT_EQ(frame->InFileWindow().filFile().Path(), LongForm(dir.path()));
    EXPECT_EQ(win().Aliases().LastIndex(), -1);
    EXPECT_EQ(WindowText(win().Handle()), L"");
    frame->InFileWindow().Unload();
    win().Unload();
    options.AutoRunning = false;
    EXPECT_EQ(store.Current(L"OldDir_In"), L"<absent>");
    EXPECT_EQ(store.Current(L"Dir_In_Yuko"), L"<absent>");
    EXPECT_EQ(store.Current(L"Dir_In_DirName1"), L"<absent>");
    EXPECT_EQ(store.Current(L"Dir_In_DirName0"), L"kept");
    EXPECT_TRUE(failures.texts.empty());
}

TEST_F(InputFolderTest, EnterAndBackspaceInTheListsMoveFocusAndFolders)
{
    std::wstring sub = dir.MakeDir(L"sub");
    TempDir::WriteBytes(sub + L"\\inner.txt", "x");
    OpenAt(dir.path());
    const std::wstring full = LongForm(dir.path());
    HWND drives = win().drvDrive().Handle(), folders = win().dlbDir().Handle();

    SetFocus(drives);
    SendMessageW(drives, WM_CHAR, L'\r', 0);
    EXPECT_EQ(GetFocus(), folders);

    // Enter opens the highlighted subfolder.
    ASSERT_TRUE(win().dlbDir().SetListIndex(0));
    SendMessageW(folders, WM_CHAR, L'\r', 0);
    EXPECT_EQ(win().DirName(), full + L"\\sub");
    EXPECT_EQ(frame->InFileWindow().filFile().List(0), L"inner.txt");

    // Backspace with the open folder highlighted opens its parent.
    EXPECT_EQ(win().dlbDir().ListIndex(), -1);
    SendMessageW(folders, WM_CHAR, L'\b', 0);
    EXPECT_EQ(win().DirName(), full);
    EXPECT_EQ(frame->InFileWindow().filFile().Path(), full);
}

TEST_F(InputFolderTest, ADriveWithoutMediumLeavesDriveAndFolderAsTheyWere)
{
    DriveWithoutMedium empty;
    ASSERT_FALSE(empty.name().empty()) << "no drive letter could be mapped";
    OpenAt(dir.path());
    DriveList& drives = win().drvDrive();
    const std::wstring before = drives.DriveName();
    int row = -1;
    for (int i = 0; i < drives.ListCount(); ++i)
        if (DriveOfText(drives.List(i)) == empty.name()) row = i;
    ASSERT_GE(row, 0) << "the drive is not listed";

    // The user picks it in the drop-down.
    SendMessageW(drives.Handle(), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(win().Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives.Handle()), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(drives.Handle()));
    EXPECT_EQ(drives.DriveName(), before);
    EXPECT_EQ(static_cast<int>(SendMessageW(drives.Handle(), CB_GETCURSEL, 0, 0)), drives.ListIndex());
    EXPECT_EQ(win().DirName(), LongForm(dir.path()));
    EXPECT_TRUE(messages.empty());

    // A stored folder on that drive falls back to the current folder.
    win().DirName(empty.name() + L"\\data");
    EXPECT_EQ(win().DirName(), ExpandLongPath(CurrentFolder()));
    EXPECT_EQ(drives.DriveName(), CurrentFolder().substr(0, 2));
}

TEST_F(InputFolderTest, TheListsFillTheWindowAboveTheFolderLine)
{
    OpenAt(dir.path());
    SetWindowPos(win().Handle(), nullptr, 0, 0, 300, 380, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    const TwipsScale& s = TwipsScale::Screen();
    RECT client{};
    GetClientRect(win().Handle(), &client);
    RECT drive = RectIn(win().drvDrive().Handle(), win().Handle());
    RECT list = RectIn(win().dlbDir().Handle(), win().Handle());
    RECT text = RectIn(win().txtDir(), win().Handle());
    const int margin = s.XToPixels(60);

    for (const RECT& r : {drive, list, text}) {
        EXPECT_NEAR(r.left, margin, 1);
        EXPECT_NEAR(r.right, client.right - margin, 1);
    }
    EXPECT_NEAR(drive.top, s.YToPixels(60), 1);
    EXPECT_NEAR(list.top, drive.bottom + s.YToPixels(60), 1);
    EXPECT_NEAR(text.top, list.bottom + s.YToPixels(60), 1);
    EXPECT_NEAR(text.bottom, client.bottom - s.YToPixels(60), 2);

    // Too low for the folder list: it keeps its height and still follows the width.
    SetWindowPos(win().Handle(), nullptr, 0, 0, 360, 90, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    GetClientRect(win().Handle(), &client);
    RECT after = RectIn(win().dlbDir().Handle(), win().Handle());
    EXPECT_EQ(after.bottom - after.top, list.bottom - list.top);
    EXPECT_NEAR(after.right, client.right - margin, 1);
}

} // namespace
} // namespace tavlo
