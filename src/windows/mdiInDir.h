#pragma once
// The input folder window. For now an empty child window with the common behaviour; its controls come later.
#include "windows/ChildForm.h"

namespace tavlo {

class mdiInDir : public ChildForm {
public:
    mdiInDir(ChildHost& host, SettingsStore& store);

    // Puts the input focus where the user starts: for now the window itself.
    void FocusStart() { SetFocus(Handle()); }
};

} // namespace tavlo
