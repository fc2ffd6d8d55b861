#include "windows/mdiInFile.h"

#include "windows/FormTexts.h"

namespace tavlo {

mdiInFile::mdiInFile(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"InFile_", 2000, form_text::kInFileLoadError})
{
}

} // namespace tavlo
