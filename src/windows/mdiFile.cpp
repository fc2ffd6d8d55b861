#include "windows/mdiFile.h"

#include "common/Catalogue.h"
#include "windows/FormTexts.h"

namespace tavlo {

mdiFile::mdiFile(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"File_", 3000, form_text::kFileLoadError})
{
}

void mdiFile::CreateControls()
{
    lstFile_ = CreateControl(L"LISTBOX",
                             WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                             WS_EX_CLIENTEDGE);
    AddFontControl(lstFile_);
    AddContextControl(lstFile_);
    AddToolTipControl(lstFile_, ProgramText(3001));
}

void mdiFile::Form_Resize()
{
    FillWithControl(lstFile_);
}

void mdiFile::RefreshForm()
{
    SendMessageW(lstFile_, LB_RESETCONTENT, 0, 0);
}

} // namespace tavlo
