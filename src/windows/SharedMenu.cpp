#include "windows/SharedMenu.h"

#include "common/Catalogue.h"
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
    AppendMenuW(log, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(log, MF_STRING, kCmdUndo, ProgramText(program_text::UndoMenu).data());
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

std::vector<int> SharedMenuPositions(HMENU bar)
{
    std::vector<int> positions;
    int count = bar ? GetMenuItemCount(bar) : 0;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(bar, i, TRUE, &mii)) continue;
        bool ours = false;
        if (mii.hSubMenu) {
            // Log and Default are known by their first items; a child's system menu is not ours.
            UINT first = GetMenuItemID(mii.hSubMenu, 0);
            ours = first == static_cast<UINT>(kCmdLogCopy) || first == static_cast<UINT>(kCmdInDirDefault);
        } else {
            ours = mii.wID == static_cast<UINT>(kCmdExit) || mii.wID == static_cast<UINT>(kCmdFont) ||
                   mii.wID == static_cast<UINT>(kCmdOption) || mii.wID == static_cast<UINT>(kCmdHelp) ||
                   mii.wID == static_cast<UINT>(kCmdAbout);
        }
        if (ours) positions.push_back(i);
    }
    return positions;
}

bool EnableTopLevelMenus(HMENU bar, bool enabled)
{
    if (!bar) return false;
    std::vector<int> positions = SharedMenuPositions(bar);
    bool ok = positions.size() == kSharedMenuTopCount;
    UINT flags = MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED);
    for (int position : positions) {
        // Each entry on its own: one that fails does not keep the others from changing.
        if (EnableMenuItem(bar, position, flags) == -1) ok = false;
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
        case kCmdExit: target.Exit(); return true;
        case kCmdFont: target.PickFont(); return true;
        case kCmdLogCopy: target.CopyLog(); return true;
        case kCmdLogSave: target.SaveLog(); return true;
        case kCmdInDirDefault: target.EditInputFolderDefault(); return true;
        case kCmdOption: target.EditOptions(); return true;
        case kCmdHelp: target.ShowHelp(); return true;
        case kCmdAbout: target.ShowAbout(); return true;
        case kCmdUndo: target.UndoLastRun(); return true;
        default: return false;
    }
}

std::wstring MenuLiteral(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out += c;
        if (c == L'&') out += L'&';
    }
    return out;
}

} // namespace tavlo
