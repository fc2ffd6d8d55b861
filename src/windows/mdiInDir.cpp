#include "windows/mdiInDir.h"

#include "windows/FormTexts.h"

namespace tavlo {

mdiInDir::mdiInDir(ChildHost& host, SettingsStore& store)
    : ChildForm(host, store, ChildFormSpec{L"InDir_", 1000, form_text::kInDirLoadError})
{
}

} // namespace tavlo
