#pragma once
// The result list window: files that carry their final name.
#include "windows/ChildForm.h"

namespace tavlo {

class mdiOutFile : public ChildForm {
public:
    mdiOutFile(ChildHost& host, SettingsStore& store);

    HWND lstOutFile() const { return lstOutFile_; }

    // Empties the list.
    void RefreshForm();

protected:
    void CreateControls() override;
    void Form_Resize() override;

private:
    HWND lstOutFile_ = nullptr;
};

} // namespace tavlo
