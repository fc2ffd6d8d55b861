#include "windows/mdiStatus.h"

#include "common/Handles.h"

#include "common/Catalogue.h"
#include "common/Clipboard.h"
#include "common/TextFile.h"
#include "windows/FormTexts.h"
#include "windows/SharedMenu.h"

#include <commdlg.h>

namespace tavlo {

namespace {

enum : int {
    kCmdDel = kCmdFirstPopupItem,
};

// The save dialog's two filters, in the dialog's pairs-of-texts form, and its default extension.
constexpr wchar_t kLogFilter[] = L"LogFile(*.LOG)\0*.LOG\0全てのファイル(*.*)\0*.*\0";
constexpr wchar_t kLogExtension[] = L"LOG";

// A file (not a folder) of that name exists.
bool FileExists(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    if (!FindHandle(FindFirstFileW(path.c_str(), &found))) return false;
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

std::wstring ChooseLogFile(HWND owner)
{
    std::wstring name(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kLogFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrDefExt = kLogExtension;
    // No overwrite prompt here: the window asks itself. The current folder stays where it was,
    // since the folder windows work relative to nothing else.
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return {};
    name.resize(wcsnlen(name.c_str(), name.size()));
    return name;
}

mdiStatus::mdiStatus(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"Status_", program_text::LogCaption, form_text::kStatusLoadError}), chooser_(ChooseLogFile)
{
}

mdiStatus::~mdiStatus()
{
    // While this object is whole, so that OnDestroy is still this class's.
    ChildForm::DestroyHandle();
}


void mdiStatus::SetFileChooser(FileChooser fn) { chooser_ = fn ? std::move(fn) : FileChooser(ChooseLogFile); }

void mdiStatus::CreateControls()
{
    lstKekka_ = CreateControl(L"LISTBOX",
                              WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                              0, {}, nullptr, WS_EX_CLIENTEDGE);
    AddFontControl(lstKekka_);
    AddContextControl(lstKekka_);
    AddToolTipControl(lstKekka_, ProgramText(program_text::LogTip));
    redraw_.SetBeforeDraw([this] { Settle(); });
    // A window made again after an unload starts with an empty log, like its list.
    log_.Clear();
}

void mdiStatus::OnDestroy()
{
    redraw_.Forget();
    width_.Reset(nullptr);
    lstKekka_ = nullptr;
    ChildForm::OnDestroy();
}

void mdiStatus::Form_Resize()
{
    // A new font (this runs after every font change) means new widths.
    width_.FollowFont(lstKekka_);
    FillWithControl(lstKekka_);
}

std::vector<ChildForm::PopupItem> mdiStatus::PopupItems() const
{
    return {{kCmdDel, GeneralString(general_text::Reset)}};
}

bool mdiStatus::OnPopupCommand(int id)
{
    if (id != kCmdDel) return false;
    mnuDel_Click();
    return true;
}

bool mdiStatus::OnCommand(int id, int code, HWND control)
{
    if (control && control == lstKekka_) {
        // The user moved the current line (click or keys); the next line goes after it.
        if (code == LBN_SELCHANGE) {
            LRESULT caret = SendMessageW(lstKekka_, LB_GETCARETINDEX, 0, 0);
            if (caret != LB_ERR) log_.SetCurrentLine(static_cast<int>(caret));
        }
        return true;
    }
    return ChildForm::OnCommand(id, code, control);
}

std::optional<LRESULT> mdiStatus::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ChildForm::HandleMessage(msg, wParam, lParam);
}

void mdiStatus::ListInAdd(const std::wstring& strData)
{
    // Drawn at a steady pace while lines pour in, not after each one.
    redraw_.Hold(lstKekka_);
    const LogModel::Append done = log_.ListInAdd(strData);
    if (lstKekka_) {
        if (done.droppedFirst) SendMessageW(lstKekka_, LB_DELETESTRING, 0, 0);
        if (done.appended) {
            width_.Fit(lstKekka_, strData);
            LRESULT added = SendMessageW(lstKekka_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strData.c_str()));
            // The list box could not take it: keep both sides the same rather than shifted.
            if (added == LB_ERR || added == LB_ERRSPACE) {
                SendMessageW(lstKekka_, LB_RESETCONTENT, 0, 0);
                for (const std::wstring& line : log_.Lines())
                    SendMessageW(lstKekka_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            }
        }
    }
}

void mdiStatus::Settle()
{
    width_.Apply(lstKekka_);
    ShowCurrentLine();
}

void mdiStatus::ShowCurrentLine()
{
    const int current = log_.CurrentLine();
    if (current < 0) return;
    // Scrolled fully into view, as the newest line must be visible while a run writes.
    SendMessageW(lstKekka_, LB_SETCARETINDEX, static_cast<WPARAM>(current), FALSE);
}

void mdiStatus::RefreshForm()
{
    log_.Clear();
    if (!lstKekka_) return;
    // The empty list is drawn with the next paced drawing, not at once: a run clears the log and
    // fills it again before anybody could see it empty.
    redraw_.Hold(lstKekka_);
    SendMessageW(lstKekka_, LB_RESETCONTENT, 0, 0);
    width_.Reset(lstKekka_);
}

void mdiStatus::mnuDel_Click()
{
    RefreshForm();
}

void mdiStatus::LogCopy()
{
    if (!PutClipboardText(log_.Text(), Handle())) ClearClipboard(Handle());
}

void mdiStatus::LogSave()
{
    HWND client = Host().MdiClient();
    const std::wstring name = chooser_(client ? GetParent(client) : Handle());
    if (!name.empty()) SaveLogFile(name);
}

void mdiStatus::SaveLogFile(const std::wstring& strFileName)
{
    if (log_.Count() == 0) return;
    if (FileExists(strFileName) && ShowBox(GeneralString(general_text::OverwriteQuestion), MB_YESNO) != IDYES) return;
    // Written beside the target and put in its place only when whole, so a failed save never costs
    // the file that was there.
    if (!SaveTextFile(strFileName, log_.Text())) ShowBox(GeneralString(general_text::SaveFailed), MB_OK);
}

void mdiStatus::FocusLog()
{
    if (!lstKekka_) return;
    HWND client = Host().MdiClient();
    if (client && IsWindowVisible(Handle()))
        SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    SetFocus(lstKekka_);
}

} // namespace tavlo
