#pragma once
// The console command: renames the files a command line names, prints what the run's log would hold,
// and answers with an exit code a script can test. Shares the engine, the stored rules and the undo
// journal with the window program; reads the settings and never writes them.
#include "core/FileSystem.h"
#include "common/JournalStore.h"
#include "engine/Sinks.h"
#include "settings/SettingsStore.h"

#include <atomic>
#include <string>
#include <vector>

namespace tavlo {

enum ConsoleExit : int {
    ConsoleAllDone = 0,    // every named file carries its final name (would, with -n)
    ConsoleFileLeft = 1,   // a file was left, a name matched nothing, or undo left a file
    ConsoleBadCommand = 2, // the command line is wrong; nothing was touched
    ConsoleFault = 3,      // an unexpected fault; what was renamed is in the journal
};

struct ConsoleContext {
    SettingsStore& settings;
    JournalStore& journal;
    FileSystem& fs;
    LogSink& out;
    LogSink& err;
    // Set by Ctrl+C, Ctrl+Break or closing the console: the work stops before the next file.
    const std::atomic<bool>& stop;
};

// `arguments` are those after the program's path.
int RunConsoleCommand(const std::vector<std::wstring>& arguments, ConsoleContext& context);

} // namespace tavlo
