#pragma once
// Taking a run back: every file of the run renamed back to its old name, newest first, never
// replacing, and only while it still is the file the run renamed. A run cut off during a step left an
// intent without its outcome: that file is looked for by its identity under its new, its temporary and
// its old name, and put back from where it is found.
#include "core/FileSystem.h"
#include "engine/RenameEngine.h"
#include "engine/Sinks.h"
#include "engine/UndoJournal.h"

#include <atomic>

namespace tavlo {

struct UndoOutcome {
    int Back = 0;     // files that carry their old name again
    int Left = 0;     // files left as they were, the log says why (those a stop kept it from included)
    bool Stopped = false;
};

// Writes per file a header line and the outcome lines, then the closing line. `stop`, when set, ends the
// undo before the next file.
UndoOutcome TakeBack(const JournalRun& run, FileSystem& fs, LogSink& log, const RenameRules& rules,
                     const std::atomic<bool>* stop = nullptr);

} // namespace tavlo
