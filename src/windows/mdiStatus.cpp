#include "windows/mdiStatus.h"

#include "common/Catalogue.h"
#include "windows/FormTexts.h"

namespace tavlo {

mdiStatus::mdiStatus(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"Status_", 5000, form_text::kStatusLoadError})
{
}

void mdiStatus::CreateControls()
{
    lstKekka_ = CreateControl(L"LISTBOX",
                              WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                              WS_EX_CLIENTEDGE);
    AddFontControl(lstKekka_);
    AddContextControl(lstKekka_);
    AddToolTipControl(lstKekka_, ProgramText(5001));
}

void mdiStatus::Form_Resize()
{
    FillWithControl(lstKekka_);
}

void mdiStatus::RefreshForm()
{
    SendMessageW(lstKekka_, LB_RESETCONTENT, 0, 0);
}

} // namespace tavlo
