#pragma once
// The execution log window.
#include "windows/ChildForm.h"

namespace tavlo {

class mdiStatus : public ChildForm {
public:
    mdiStatus(ChildHost& host, SettingsStore& store);

    HWND lstKekka() const { return lstKekka_; }

    // Empties the list.
    void RefreshForm();
    // Copying and saving the log arrive with the log itself; until then they do nothing.
    void LogCopy() {}
    void LogSave() {}

protected:
    void CreateControls() override;
    void Form_Resize() override;

private:
    HWND lstKekka_ = nullptr;
};

} // namespace tavlo
