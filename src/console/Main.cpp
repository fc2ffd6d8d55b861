// tavlo2c: the console command. The command line is split here, not by the C runtime, so that no
// wildcard is expanded before the command's own matching sees it.
#include "common/Catalogue.h"
#include "common/Fault.h"
#include "common/Handles.h"
#include "common/JournalStore.h"
#include "console/ConsoleArguments.h"
#include "core/CommandLines.h"
#include "console/ConsoleCommand.h"
#include "console/ConsoleOutput.h"
#include "settings/RegistryStore.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> stopRequested{false};
// Set once the command's work is over, every record written.
HANDLE workDone = nullptr;

BOOL WINAPI OnControlKey(DWORD event)
{
    // Like Cancel: the file being renamed is finished, the journal holds what was done.
    stopRequested = true;
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
    // Closing the console (or logging off) ends the process when this returns: first the current file
    // is finished and recorded. The system allows a few seconds for that.
    if (workDone) WaitForSingleObject(workDone, 4500);
    return TRUE;
}

int RunCommand(tavlo::ConsoleStream& err)
{
    try {
        std::vector<std::wstring> arguments = tavlo::SplitArguments(GetCommandLineW());
        if (!arguments.empty()) arguments.erase(arguments.begin());
        tavlo::ConsoleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
        tavlo::JournalFileStore journal(tavlo::DefaultJournalPath());
        tavlo::ConsoleContext context{tavlo::SystemSettingsStore(), journal, tavlo::SystemFileSystem(), out, err,
                                      stopRequested};
        return tavlo::RunConsoleCommand(arguments, context);
    } catch (...) {
        tavlo::ReportFault("tavlo2c");
        err.AddLine(tavlo::ProgramString(tavlo::program_text::ConsoleFault));
        return tavlo::ConsoleFault;
    }
}

} // namespace

int main()
{
    tavlo::KernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    workDone = done.get();
    SetConsoleCtrlHandler(OnControlKey, TRUE);
    tavlo::ConsoleStream err(GetStdHandle(STD_ERROR_HANDLE));
    const int code = RunCommand(err);
    if (workDone) SetEvent(workDone);
    return code;
}
