#include "app/CommandLine.h"
#include "app/Program.h"
#include "common/ComPtr.h"
#include "settings/RegistryStore.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // Drag and drop of files needs OLE on this thread.
    const tavlo::OleSession ole;
    // The arguments exactly as given after the program's path: "/u" with a blank before it is no option.
    return tavlo::RunProcess(tavlo::SystemSettingsStore(), tavlo::ArgumentText(GetCommandLineW()));
}
