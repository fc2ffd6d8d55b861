#pragma once
// The target list window: the files the next run renames.
#include "windows/ChildForm.h"

namespace tavlo {

class mdiFile : public ChildForm {
public:
    mdiFile(ChildHost& host, SettingsStore& store);

    HWND lstFile() const { return lstFile_; }

    // Empties the list.
    void RefreshForm();

protected:
    void CreateControls() override;
    void Form_Resize() override;

private:
    HWND lstFile_ = nullptr;
};

} // namespace tavlo
