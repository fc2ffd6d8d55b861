#include "DialogTestSupport.h"
#include "common/Catalogue.h"
#include "dialogs/frmMenuMente.h"
#include "ui/InputBox.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavlo {
namespace {

using namespace test;

struct Alias {
    std::wstring Name;
    std::wstring Dir;
    friend bool operator==(const Alias&, const Alias&) = default;
};

class MenuMenteTest : public DialogTest {
protected:
    void SetUp() override
    {
        options.Tip = true;
        dialog.SetStore(store.store());
        dialog.SetMessageBox([this](const std::wstring& text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        previousInput = SetInputBoxHandler([this](HWND, const std::wstring& prompt, const std::wstring& title,
                                                  const std::wstring& proposed) {
            questions.push_back({prompt, title, proposed});
            return answer;
        });
    }
    void TearDown() override { SetInputBoxHandler(previousInput); }

    // The input folder window's calling order: its aliases, empty slots up to 9, the caption.
    void HandIn(const std::vector<Alias>& aliases)
    {
        for (int i = 0; i < frmMenuMente::kSlotCount; ++i) {
            if (i < static_cast<int>(aliases.size())) dialog.Set_Menu(i, aliases[i].Name, aliases[i].Dir);
            else dialog.Set_Menu(i, L"", L"");
        }
        dialog.pstr_Me_Caption = std::wstring(ProgramText(program_text::InDirCaption));
    }
    void ShowAnd(const std::function<void()>& work)
    {
        dialog.OnShown = [&] {
            work();
            EndShowing(dialog);
        };
        dialog.Show();
        dialog.OnShown = nullptr;
    }
    // What the caller fetches after OK.
    std::vector<Alias> Fetch() const
    {
        std::vector<Alias> out;
        for (int i = 0; i <= dialog.MenuCount; ++i) {
            Alias a;
            dialog.Get_Menu(i, a.Name, a.Dir);
            out.push_back(a);
        }
        return out;
    }
    std::vector<std::wstring> Entries() const
    {
        std::vector<std::wstring> out;
        const auto count = static_cast<int>(SendMessageW(dialog.lbxMenu(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t buffer[512]{};
            SendMessageW(dialog.lbxMenu(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            out.push_back(buffer);
        }
        return out;
    }
    int Selected() const { return static_cast<int>(SendMessageW(dialog.lbxMenu(), LB_GETCURSEL, 0, 0)); }
    void Select(int index)
    {
        SendMessageW(dialog.lbxMenu(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        // The notification a click sends.
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(dialog.lbxMenu()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(dialog.lbxMenu()));
    }
    std::vector<HWND> EditingControls() const
    {
        return {dialog.txtDir(), dialog.lbxMenu(), dialog.btnUp(), dialog.btnDown(),
                dialog.btnDel(), dialog.btnDelAll(), dialog.btnName()};
    }
    static std::vector<Alias> Three()
    {
        return {{L"Work", L"C:\\work"}, {L"Photos", L"D:\\pictures\\2024\\summer\\beach"}, {L"Temp", L"C:\\temp"}};
    }

    struct Question {
        std::wstring Prompt, Title, Proposed;
    };
    frmMenuMente dialog;
    std::wstring answer;
    std::vector<Question> questions;
    std::vector<std::wstring> messages;
    InputBoxHandler previousInput;
};

TEST_F(MenuMenteTest, ShowingListsTheHandedInSlotsWithTheFirstSelected)
{
    ASSERT_TRUE(dialog.Form_Load());
    EXPECT_EQ(WindowText(dialog.btnOk()), GeneralText(general_text::OkButton));
    EXPECT_EQ(WindowText(dialog.btnCancel()), GeneralText(general_text::CancelButton));
    EXPECT_EQ(WindowText(dialog.btnName()), L"名前の変更");
    HandIn(Three());
    ShowAnd([&] {
        EXPECT_EQ(WindowText(dialog.Handle()), L"拡張子変更ファイル格納フォルダのエリアスメンテナンス");
        // The title bar is wide enough for the whole caption.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
        HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
        const SIZE caption = TextExtent(dialog.Handle(), WindowText(dialog.Handle()), font);
        DeleteObject(font);
        const RECT outer = ScreenRect(dialog.Handle());
        EXPECT_GE(outer.right - outer.left, caption.cx + GetSystemMetrics(SM_CXSIZE) + GetSystemMetrics(SM_CXSMICON));
        ExpectLaidOut(dialog.Handle(), {dialog.lbxMenu(), dialog.btnUp(), dialog.btnDown(), dialog.btnDel(),
                                        dialog.btnDelAll(), dialog.txtDir(), dialog.btnName(), dialog.btnOk(),
                                        dialog.btnCancel()});
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Work", L"Photos", L"Temp"}));
        EXPECT_EQ(Selected(), 0);
        EXPECT_EQ(WindowText(dialog.txtDir()), L"C:\\work");
        EXPECT_EQ(GetFocus(), dialog.lbxMenu());
        for (HWND c : EditingControls()) EXPECT_TRUE(Enabled(c));
        for (HWND b : {dialog.btnUp(), dialog.btnDown(), dialog.btnDel(), dialog.btnDelAll()})
            EXPECT_NE(SendMessageW(b, BM_GETIMAGE, IMAGE_ICON, 0), 0) << "each icon button shows a picture";
        EXPECT_EQ(dialog.Tips().Text(dialog.btnDelAll()), GeneralText(general_text::DeleteAllTip));
        Select(1);
        EXPECT_EQ(WindowText(dialog.txtDir()), L"D:\\pictures\\...\\summer\\beach") << "shortened for display";
        EXPECT_FALSE(dialog.pblnOk);
        Click(dialog.btnOk());
    });
    EXPECT_TRUE(dialog.pblnOk);
    EXPECT_EQ(dialog.MenuCount, 2);
    EXPECT_EQ(Fetch(), Three());
}

TEST_F(MenuMenteTest, AFilledSlotNeedsANameAndAFolderAndTheFirstGapEndsTheList)
{
    HandIn({{L"A", L"C:\\a"}, {L"B", L""}, {L"C", L"C:\\c"}});
    dialog.Set_Menu(10, L"Ten", L"C:\\ten");
    dialog.Set_Menu(-1, L"Minus", L"C:\\minus");
    ShowAnd([&] {
        EXPECT_EQ(Entries(), std::vector<std::wstring>{L"A"});
        Click(dialog.btnOk());
    });
    EXPECT_EQ(dialog.MenuCount, 0);
    EXPECT_EQ(Fetch(), (std::vector<Alias>{{L"A", L"C:\\a"}}));
    std::wstring name = L"x", dir = L"y";
    dialog.Get_Menu(2, name, dir);
    EXPECT_EQ(name, L"");
    EXPECT_EQ(dir, L"");

    HandIn({{L"", L"C:\\a"}, {L"B", L"C:\\b"}});
    ShowAnd([&] {
        EXPECT_TRUE(Entries().empty());
        EXPECT_EQ(WindowText(dialog.txtDir()), L"");
        for (HWND c : EditingControls()) EXPECT_FALSE(Enabled(c));
        EXPECT_EQ(GetFocus(), dialog.btnCancel());
        Click(dialog.btnOk());
    });
    EXPECT_EQ(dialog.MenuCount, -1);
}

TEST_F(MenuMenteTest, MovingStopsAtBothEndsOfAFullList)
{
    std::vector<Alias> ten;
    for (int i = 0; i < 10; ++i) ten.push_back({L"N" + std::to_wstring(i), L"C:\\d" + std::to_wstring(i)});
    HandIn(ten);
    ShowAnd([&] {
        Click(dialog.btnUp());
        EXPECT_EQ(Selected(), 0);
        Select(9);
        Click(dialog.btnDown());
        EXPECT_EQ(Selected(), 9);
        EXPECT_EQ(WindowText(dialog.txtDir()), L"C:\\d9");
        Click(dialog.btnOk());
    });
    EXPECT_EQ(Fetch(), ten);
}

TEST_F(MenuMenteTest, MovingSwapsNamesAndFoldersAndTheFolderFollowsTheSelection)
{
    HandIn(Three());
    ShowAnd([&] {
        Select(2);
        Click(dialog.btnUp());
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Work", L"Temp", L"Photos"}));
        EXPECT_EQ(Selected(), 1);
        EXPECT_EQ(WindowText(dialog.txtDir()), L"C:\\temp");
        Click(dialog.btnUp());
        EXPECT_EQ(Selected(), 0);
        Click(dialog.btnDown());
        Click(dialog.btnDown());
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Work", L"Photos", L"Temp"}));
        Select(0);
        Click(dialog.btnDown());
        EXPECT_EQ(WindowText(dialog.txtDir()), L"C:\\work");
        Click(dialog.btnOk());
    });
    EXPECT_EQ(Fetch(), (std::vector<Alias>{Three()[1], Three()[0], Three()[2]}));
}

TEST_F(MenuMenteTest, RenameAsksAndRefusesANameThatExists)
{
    HandIn(Three());
    ShowAnd([&] {
        Select(1);
        answer = L"Work";
        Click(dialog.btnName());
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0].Prompt, L"フォルダエリアス名を入力してください");
        EXPECT_EQ(questions[0].Title, L"フォルダエリアス名の変更");
        EXPECT_EQ(questions[0].Proposed, L"Photos");
        EXPECT_EQ(messages, std::vector<std::wstring>{L"すでに存在するフォルダエリアス名には変更できません"});
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Work", L"Photos", L"Temp"}));

        // The same name and an empty answer (also a cancelled box) change nothing, silently.
        answer = L"Photos";
        Click(dialog.btnName());
        answer = L"";
        Click(dialog.btnName());
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Work", L"Photos", L"Temp"}));

        // Letter case makes a different name.
        answer = L"WORK";
        Click(dialog.btnName());
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Work", L"WORK", L"Temp"}));
        EXPECT_EQ(Selected(), 1);
        EXPECT_EQ(WindowText(dialog.txtDir()), L"D:\\pictures\\...\\summer\\beach");
        Click(dialog.btnOk());
    });
    EXPECT_EQ(Fetch(), (std::vector<Alias>{Three()[0], {L"WORK", Three()[1].Dir}, Three()[2]}));
}

TEST_F(MenuMenteTest, DeleteSelectsTheNextOrThePreviousEntry)
{
    HandIn(Three());
    ShowAnd([&] {
        Select(1);
        Click(dialog.btnDel());
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Work", L"Temp"}));
        EXPECT_EQ(Selected(), 1);
        EXPECT_EQ(WindowText(dialog.txtDir()), L"C:\\temp");
        Click(dialog.btnDel());
        EXPECT_EQ(Entries(), std::vector<std::wstring>{L"Work"});
        EXPECT_EQ(Selected(), 0);
        EXPECT_EQ(WindowText(dialog.txtDir()), L"C:\\work");
        Click(dialog.btnOk());
    });
    EXPECT_EQ(Fetch(), std::vector<Alias>{Three()[0]});
    std::wstring name, dir;
    dialog.Get_Menu(1, name, dir);
    EXPECT_EQ(name + dir, L"");
}

TEST_F(MenuMenteTest, DeletingTheOnlyEntryDisablesEveryEditingControl)
{
    HandIn({{L"Only", L"C:\\only"}});
    ShowAnd([&] {
        Click(dialog.btnDel());
        EXPECT_TRUE(Entries().empty());
        EXPECT_EQ(WindowText(dialog.txtDir()), L"");
        for (HWND c : EditingControls()) EXPECT_FALSE(Enabled(c)) << GetDlgCtrlID(c);
        EXPECT_TRUE(Enabled(dialog.btnOk()));
        EXPECT_TRUE(Enabled(dialog.btnCancel()));
        Click(dialog.btnOk());
    });
    EXPECT_EQ(dialog.MenuCount, -1);
}

TEST_F(MenuMenteTest, DeleteAllThenOkReturnsNothing)
{
    HandIn(Three());
    ShowAnd([&] {
        Click(dialog.btnDelAll());
        EXPECT_TRUE(Entries().empty());
        EXPECT_EQ(WindowText(dialog.txtDir()), L"");
        for (HWND c : EditingControls()) EXPECT_FALSE(Enabled(c));
        Click(dialog.btnOk());
    });
    EXPECT_TRUE(dialog.pblnOk);
    EXPECT_EQ(dialog.MenuCount, -1);
    for (int i = -1; i <= 10; ++i) {
        std::wstring name = L"x", dir = L"y";
        dialog.Get_Menu(i, name, dir);
        EXPECT_EQ(name, L"");
        EXPECT_EQ(dir, L"");
    }
}

TEST_F(MenuMenteTest, CancelAndTheCloseBoxReturnFalseAndTheNextShowingUsesTheNewSlots)
{
    HandIn(Three());
    ShowAnd([&] {
        Click(dialog.btnDelAll());
        Click(dialog.btnCancel());
    });
    EXPECT_FALSE(dialog.pblnOk);
    EXPECT_TRUE(dialog.IsLoaded());

    HandIn({{L"Fresh", L"C:\\fresh"}});
    ShowAnd([&] {
        EXPECT_EQ(Entries(), std::vector<std::wstring>{L"Fresh"});
        CloseBox(dialog.Handle());
    });
    EXPECT_FALSE(dialog.pblnOk);
    EXPECT_FALSE(dialog.IsLoaded()) << "the close box unloads";
    EXPECT_NE(store.Current(L"MenuMente_Left"), L"<absent>");

    // Handed in while unloaded: the showing loads the dialog again and lists exactly these.
    HandIn({{L"Again", L"C:\\again"}, {L"More", L"C:\\more"}});
    ShowAnd([&] {
        EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Again", L"More"}));
        EXPECT_EQ(WindowText(dialog.btnName()), L"名前の変更");
        Click(dialog.btnOk());
    });
    EXPECT_EQ(Fetch(), (std::vector<Alias>{{L"Again", L"C:\\again"}, {L"More", L"C:\\more"}}));
}

TEST_F(MenuMenteTest, APositionThatIsNoNumberCountsAsAbsent)
{
    store.SetCurrent(L"MenuMente_Top", L"abc");
    EXPECT_TRUE(dialog.Form_Load());
    EXPECT_TRUE(failures.texts.empty());
    EXPECT_TRUE(dialog.IsLoaded());
}

} // namespace
} // namespace tavlo
