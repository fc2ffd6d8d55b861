#pragma once
// The input file window. For now an empty child window with the common behaviour; its controls come later.
#include "windows/ChildForm.h"

namespace tavlo {

class mdiInFile : public ChildForm {
public:
    mdiInFile(ChildHost& host, SettingsStore& store);

    // The file list arrives later; until then there is nothing to re-read or deselect.
    void RefreshForm() {}
    void SelectClear() {}
};

} // namespace tavlo
