#pragma once
// The drive list: a drop-down of every drive the system reports, each with a glyph of its kind and,
// for fixed drives, the volume label. One drive is the current one.
#include "common/FileEnum.h"
#include "ui/ListControl.h"

#include <functional>
#include <string>
#include <vector>

namespace tavlo {

class DriveList : public ListControl {
public:
    DriveList() = default;

    // Creates the list in `parent`; the current drive is that of the process's current folder.
    bool Create(HWND parent, bool visible = true, const RECT& place = RECT{0, 0, 120, 24});

    // The current drive's row text: its first two characters name the drive ("c: [SYSTEM]").
    // Empty when the system reports no drive.
    std::wstring Drive() const;
    // The current drive as "C:".
    std::wstring DriveName() const;
    // Makes the drive named by the first two characters of `drive` current. False when the system
    // reports no such drive or the drive is not ready (no medium, target gone); the current drive stays.
    bool SetDrive(const std::wstring& drive);

    // Reads the system's drives again. The current drive stays when it is still there; otherwise the
    // drive of the process's current folder (or the first drive) takes its place and OnChange follows.
    void Refresh();

    int ListCount() const { return static_cast<int>(drives_.size()); }
    // The row text of a drive by its position in the list; empty outside.
    std::wstring List(int index) const;
    // The position of the current drive, or -1.
    int ListIndex() const { return current_; }

    // Whenever the current drive changes, by the user or by the program. A drive the user picks
    // becomes current whether or not it is ready: the window decides what happens then.
    std::function<void()> OnChange;

protected:
    void OnNotify(int code) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnFontChanged() override;

private:
    struct Entry {
        std::wstring Root;  // "C:\"
        DriveKind Kind = DriveKind::Unknown;
        std::wstring Text;
    };

    void Fill();
    int Find(const std::wstring& driveName) const;
    void Select(int index);
    void TakeUserChoice();

    std::vector<Entry> drives_;
    int current_ = -1;
};

} // namespace tavlo
