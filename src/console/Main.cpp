// tavlo2c: the console command. The command line is split here, not by the C runtime, so that no
// wildcard is expanded before the command's own matching sees it.
#include "common/JournalStore.h"
#include "console/ConsoleArguments.h"
#include "console/ConsoleCommand.h"
#include "console/ConsoleOutput.h"
#include "settings/RegistryStore.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> stopRequested{false};

BOOL WINAPI OnControlKey(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    // Like Cancel: the file being renamed is finished, the journal holds what was done.
    stopRequested = true;
    return TRUE;
}

} // namespace

int main()
{
    SetConsoleCtrlHandler(OnControlKey, TRUE);
    std::vector<std::wstring> arguments = tavlo::SplitArguments(GetCommandLineW());
    arguments.erase(arguments.begin());
    tavlo::ConsoleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
    tavlo::ConsoleStream err(GetStdHandle(STD_ERROR_HANDLE));
    tavlo::JournalFileStore journal(tavlo::DefaultJournalPath());
    tavlo::ConsoleContext context{tavlo::SystemSettingsStore(), journal, tavlo::SystemFileSystem(), out, err, stopRequested};
    return tavlo::RunConsoleCommand(arguments, context);
}
