#pragma once
// The options dialog. Stands in for the dialog until it is built: it loads, unloads and takes the font
// without showing anything, so the commands that open it already run.
namespace tavlo {

class frmOption {
public:
    bool Form_Load() { return true; }
    void Unload() {}
    // Shows the dialog modally; returns at once for now.
    void Show() {}
    void SetFontData() {}
};

} // namespace tavlo
