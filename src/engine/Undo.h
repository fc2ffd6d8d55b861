#pragma once
// Taking a run back: every file of the run renamed back to its old name, newest first, never
// replacing, and only while it still is the file the run renamed.
#include "common/FileSystem.h"
#include "engine/RenameEngine.h"
#include "engine/Sinks.h"
#include "engine/UndoJournal.h"

namespace tavlo {

struct UndoOutcome {
    int Back = 0;     // files that carry their old name again
    int Left = 0;     // files left as they were, the log says why
};

// Writes per file a header line and the outcome lines, then the closing line.
UndoOutcome TakeBack(const JournalRun& run, FileSystem& fs, LogSink& log, const RenameRules& rules);

} // namespace tavlo
