#pragma once
// The menu bar that the main window and every child window carry, and the command numbers of its
// items. A child's items forward to the main window's handlers of the same name.
#include "common/GdiHandles.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

enum MenuCommand : int {
    kCmdExit = 101,
    kCmdFont,
    kCmdLogCopy,
    kCmdLogSave,
    kCmdInDirDefault,
    kCmdOption,
    kCmdHelp,
    kCmdAbout,
    kCmdUndo,
    // Context-menu items of the child windows start here; each window numbers its own.
    kCmdFirstPopupItem = 200,
};

// Positions of the seven top-level entries, left to right: Exit, Font, Log, Default, Option, Help, About.
inline constexpr int kSharedMenuTopCount = 7;

// Builds a fresh copy of the shared menu bar; every window owns its own copy.
MenuHandle BuildSharedMenuBar();

// Positions of the seven shared entries in a menu bar, left to right. A maximised MDI child adds
// its own entries to the bar it shows, so positions are found, not assumed.
std::vector<int> SharedMenuPositions(HMENU bar);

// Enables or greys the seven top-level entries of a menu bar; false when one of them failed.
bool EnableTopLevelMenus(HMENU bar, bool enabled);

// True when the top-level entry at `position` is enabled.
bool IsTopLevelMenuEnabled(HMENU bar, int position);

// The commands of the shared menu bar, carried out by the main window.
class MenuCommands {
public:
    virtual ~MenuCommands() = default;
    virtual void Exit() = 0;
    virtual void PickFont() = 0;
    virtual void CopyLog() = 0;
    virtual void SaveLog() = 0;
    virtual void EditInputFolderDefault() = 0;
    virtual void EditOptions() = 0;
    virtual void ShowHelp() = 0;
    virtual void ShowAbout() = 0;
    virtual void UndoLastRun() = 0;
};

// Calls the handler of a shared menu command; false when `id` is not one.
bool DispatchSharedMenu(MenuCommands& target, int id);

// A text shown in a menu as it is: '&' doubled, so that it is no accelerator mark.
std::wstring MenuLiteral(std::wstring_view text);

} // namespace tavlo
