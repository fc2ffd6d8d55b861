#include "windows/SharedMenu.h"

#include "windows/FormTexts.h"

namespace tavlo {

MenuHandle BuildSharedMenuBar()
{
    using namespace form_text;
    MenuHandle bar(CreateMenu());
    if (!bar) return bar;
    HMENU log = CreatePopupMenu();
    AppendMenuW(log, MF_STRING, kCmdLogCopy, kMenuLogCopy);
    AppendMenuW(log, MF_STRING, kCmdLogSave, kMenuLogSave);
    HMENU def = CreatePopupMenu();
    AppendMenuW(def, MF_STRING, kCmdInDirDefault, kMenuInDirDefault);

    AppendMenuW(bar.get(), MF_STRING, kCmdExit, kMenuExit);
    AppendMenuW(bar.get(), MF_STRING, kCmdFont, kMenuFont);
    AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(log), kMenuLog);
    AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(def), kMenuDefault);
    AppendMenuW(bar.get(), MF_STRING, kCmdOption, kMenuOption);
    AppendMenuW(bar.get(), MF_STRING, kCmdHelp, kMenuHelp);
    AppendMenuW(bar.get(), MF_STRING, kCmdAbout, kMenuAbout);
    return bar;
}

bool EnableTopLevelMenus(HMENU bar, bool enabled)
{
    if (!bar) return false;
    bool ok = true;
    UINT flags = MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED);
    for (int i = 0; i < kSharedMenuTopCount; ++i) {
        // Each entry on its own: one that fails does not keep the others from changing.
        if (EnableMenuItem(bar, i, flags) == -1) ok = false;
    }
    return ok;
}

bool IsTopLevelMenuEnabled(HMENU bar, int position)
{
    UINT state = GetMenuState(bar, position, MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool DispatchSharedMenu(MenuCommands& target, int id)
{
    switch (id) {
        case kCmdExit: target.mnuExit_Click(); return true;
        case kCmdFont: target.mnuFont_Click(); return true;
        case kCmdLogCopy: target.mnuLogCopy_Click(); return true;
        case kCmdLogSave: target.mnuLogSave_Click(); return true;
        case kCmdInDirDefault: target.mnuInDirDefault_Click(); return true;
        case kCmdOption: target.mnuOption_Click(); return true;
        case kCmdHelp: target.mnuHelp_Click(); return true;
        case kCmdAbout: target.mnuAbout_Click(); return true;
        default: return false;
    }
}

} // namespace tavlo
