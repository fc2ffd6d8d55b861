#include "app/Program.h"

#include "app/CommandLine.h"
#include "app/SendTo.h"
#include "app/frmTavlo.h"

#include <windows.h>

namespace tavlo {

namespace {

int Run(SettingsStore& store, const std::wstring& arguments, const std::vector<std::wstring>* dropped)
{
    frmTavlo frame(store);
    if (dropped) frame.SetDroppedFiles(*dropped);
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

} // namespace

int RunProgram(SettingsStore& store, const std::wstring& arguments) { return Run(store, arguments, nullptr); }

int RunDropped(SettingsStore& store, const std::vector<std::wstring>& files)
{
    return Run(store, QuotedNames(files), &files);
}

int RunProcess(SettingsStore& store, const std::wstring& arguments)
{
    switch (SendToOptionOf(arguments)) {
    case SendToOption::Serve: {
        const std::optional<std::vector<std::wstring>> files = ServeSendToDrop();
        return files ? RunDropped(store, *files) : 0;
    }
    case SendToOption::Add: {
        wchar_t self[32768];
        const DWORD length = GetModuleFileNameW(nullptr, self, 32768);
        return length > 0 && length < 32768 && AddSendToEntry(self) ? 0 : 1;
    }
    case SendToOption::Remove: return RemoveSendToEntry() ? 0 : 1;
    case SendToOption::None: break;
    }
    return RunProgram(store, arguments);
}

} // namespace tavlo
