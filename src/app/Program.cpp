#include "app/Program.h"

#include "app/frmTavlo.h"

#include <windows.h>

namespace tavlo {

int RunProgram(SettingsStore& store, const std::wstring& arguments)
{
    frmTavlo frame(store);
    // The load reports a frame that could not be made with its own error text.
    frame.Create();
    if (!frame.MDIForm_Load(arguments)) {
        // "/U", an automatic run, or a load error.
        return frame.ExitCode();
    }
    frame.Show();
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (frame.TranslateKeys(msg)) continue;
        if (TranslateMDISysAccel(frame.MdiClient(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace tavlo
