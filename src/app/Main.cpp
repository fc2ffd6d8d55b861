#include "app/CommandLine.h"
#include "app/frmTavlo.h"
#include "settings/RegistryStore.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // Drag and drop of files needs OLE on this thread.
    OleInitialize(nullptr);

    int exitCode = 0;
    {
        tavlo::frmTavlo frame(tavlo::SystemSettingsStore());
        // The arguments exactly as given after the program's path: "/u" with a blank before it is no option.
        const std::wstring arguments = tavlo::ArgumentText(GetCommandLineW());
        if (frame.Create() && frame.MDIForm_Load(arguments)) {
            frame.Show();
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (TranslateMDISysAccel(frame.MdiClient(), &msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        } else {
            // "/U", an automatic run, or a window that could not be made.
            exitCode = frame.ExitCode();
        }
    }
    OleUninitialize();
    return exitCode;
}
