#pragma once
// The default folder dialog. Stands in for the dialog until it is built: it loads, unloads and takes the font
// without showing anything, so the commands that open it already run.
#include <string>

namespace tavlo {

class frmDefault {
public:
    bool Form_Load() { return true; }
    void Unload() {}
    // Shows the dialog modally; returns at once for now.
    void Show() {}
    void SetFontData() {}

    // True only when the dialog was closed with OK.
    bool pblnOk = false;
    std::wstring DirName;
    bool Yuko = false;
};

} // namespace tavlo
