#include "windows/mdiOutFile.h"

#include "common/Catalogue.h"
#include "windows/FormTexts.h"

namespace tavlo {

mdiOutFile::mdiOutFile(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"OutFile_", 6000, form_text::kOutFileLoadError})
{
}

void mdiOutFile::CreateControls()
{
    lstOutFile_ = CreateControl(L"LISTBOX",
                                WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                                WS_EX_CLIENTEDGE);
    AddFontControl(lstOutFile_);
    AddContextControl(lstOutFile_);
    AddToolTipControl(lstOutFile_, ProgramText(6001));
}

void mdiOutFile::Form_Resize()
{
    FillWithControl(lstOutFile_);
}

void mdiOutFile::RefreshForm()
{
    SendMessageW(lstOutFile_, LB_RESETCONTENT, 0, 0);
}

} // namespace tavlo
