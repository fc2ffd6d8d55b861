#include "dialogs/frmPreview.h"

#include "common/Catalogue.h"
#include "dialogs/DialogTexts.h"
#include "ui/HeldStates.h"

#include <commctrl.h>

#include <algorithm>

namespace tavlo {
namespace {

constexpr int kIdCounts = 100, kIdFiles = 101;
// Twips.
constexpr float kMargin = 120, kGap = 90;
// The share of the list's width each column starts with: file, new name, result.
constexpr float kColumnShare[] = {0.4f, 0.17f, 0.43f};

void SetColumnWidths(HWND list, int width)
{
    for (int c = 0; c < 3; ++c)
        SendMessageW(list, LVM_SETCOLUMNWIDTH, c, static_cast<LPARAM>(width * kColumnShare[c]));
}

} // namespace

frmPreview::frmPreview()
    : DialogForm(DialogFormSpec{.KeyPrefix = L"Preview_", .StoresSize = true, .DefaultWidth = 9600,
                                .DefaultHeight = 6000, .LoadErrorText = dialog_text::kPreviewLoadError})
{
}

frmPreview::~frmPreview()
{
    DestroyHandle();
}

void frmPreview::CreateControls()
{
    lblCounts_ = CreateControl(L"STATIC", SS_LEFT | SS_NOPREFIX, kIdCounts);
    lvwFiles_ = CreateControl(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, kIdFiles,
                              {}, nullptr, WS_EX_CLIENTEDGE);
    btnRun_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    btnCancel_ = CreateControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
    SendMessageW(lvwFiles_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const TextNumber headers[] = {program_text::PreviewFileColumn, program_text::PreviewNameColumn,
                                    program_text::PreviewResultColumn};
    for (int c = 0; c < 3; ++c) {
        std::wstring text = ProgramString(headers[c]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = text.data();
        column.cx = 100;
        column.iSubItem = c;
        SendMessageW(lvwFiles_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (HWND c : {lblCounts_, lvwFiles_, btnRun_, btnCancel_}) AddFontControl(c);
}

void frmPreview::LoadMore()
{
    SetWindowTextW(btnRun_, ProgramString(program_text::PreviewRun).c_str());
    SetWindowTextW(btnCancel_, ProgramString(program_text::PreviewCancel).c_str());
    Form_Resize();
}

bool frmPreview::ShowFor(const std::wstring& modeCaption, std::vector<Prediction> rows)
{
    caption_ = modeCaption;
    rows_ = std::move(rows);
    ok_ = false;
    if (!Form_Load()) return false;
    Fill();
    Show();
    // The rows are a copy of one moment; the next showing brings its own.
    rows_.clear();
    return ok_;
}

void frmPreview::Fill()
{
    SetWindowTextW(Handle(), (ProgramString(program_text::PreviewTitle) + caption_).c_str());
    const auto renamed = std::count_if(rows_.begin(), rows_.end(), [](const Prediction& p) { return p.Renames(); });
    const std::wstring counts =
        FillTag(FillTag(ProgramString(program_text::PreviewCounts), L"%RENAME%", std::to_wstring(renamed)), L"%LEAVE%",
                std::to_wstring(rows_.size() - static_cast<std::size_t>(renamed)));
    SetWindowTextW(lblCounts_, counts.c_str());

    {
        const HeldRedraw held(lvwFiles_);
        SendMessageW(lvwFiles_, LVM_DELETEALLITEMS, 0, 0);
        SendMessageW(lvwFiles_, LVM_SETITEMCOUNT, rows_.size(), 0);
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            std::wstring cells[] = {rows_[i].path, rows_[i].newName, ResultText(rows_[i])};
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = cells[0].data();
            const int at = static_cast<int>(SendMessageW(lvwFiles_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            for (int c = 1; c < 3; ++c) {
                LVITEMW sub{};
                sub.iSubItem = c;
                sub.pszText = cells[c].data();
                SendMessageW(lvwFiles_, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
            }
        }
    }
    RECT client{};
    GetClientRect(lvwFiles_, &client);
    SetColumnWidths(lvwFiles_, client.right);
}

void frmPreview::Form_Resize()
{
    if (!btnRun_) return;
    const float width = ScaleWidth(), height = ScaleHeight();
    const float line = LineHeight() + Scale().YToTwips(2);
    MoveControl(lblCounts_, TwipsRect{kMargin, kMargin, std::max(0.0f, width - 2 * kMargin), line});
    const float buttonTop = height - kMargin - ButtonHeight();
    const float listTop = kMargin + line + kGap;
    MoveControl(lvwFiles_, TwipsRect{kMargin, listTop, std::max(0.0f, width - 2 * kMargin),
                                     std::max(0.0f, buttonTop - kGap - listTop)});
    const std::wstring run = WindowText(btnRun_), cancel = WindowText(btnCancel_);
    PlaceButtonRow({{btnRun_, run}, {btnCancel_, cancel}}, width - kMargin, buttonTop, kGap);
}

bool frmPreview::OnControl(int id, int code, HWND)
{
    if (code != BN_CLICKED || (id != IDOK && id != IDCANCEL)) return false;
    // Enter is 実行; Escape and キャンセル change nothing.
    ok_ = id == IDOK;
    Hide();
    return true;
}

void frmPreview::OnDestroy()
{
    DialogForm::OnDestroy();
    lblCounts_ = lvwFiles_ = btnRun_ = btnCancel_ = nullptr;
}

} // namespace tavlo
