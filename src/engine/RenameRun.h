#pragma once
// The run: every front end that renames (the visible run, the automatic run, the console command) hands
// its targets to RunBatch, which decides, renames, records each step in the journal ahead of it and
// reports each outcome; undo's counterpart is TakeBack (Undo.h), the preview's is PredictRun.
#include "core/FileSystem.h"
#include "common/JournalStore.h"
#include "engine/RenameEngine.h"
#include "engine/Sinks.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavlo {

// What a front end sees of a run while it goes on.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // Before target `index`: false ends the run there, as a stop does.
    virtual bool Next(std::size_t /*index*/) { return true; }
    // Target `index` has its outcome; the journal, the log and the result sink have heard of it.
    virtual void Finished(std::size_t /*index*/, const RenameOutcome& /*outcome*/) {}
};

struct RunSinks {
    LogSink& log;          // the outcomes' lines, and the closing line
    ResultSink& results;   // every file that carries its final name
    LogSink& complaints;   // the journal's trouble (it cannot be written, a damaged one was set aside)
};

struct RunCounts {
    std::size_t reached = 0; // targets that got an outcome
    std::size_t left = 0;    // targets without their final name, those not reached included
    bool stopped = false;
};

// Renames `targets` in order by `mode`. Before each target, `stop` (when given) and the observer may end
// the run; the closing line ("stopped" or "all done") ends the log either way. The journal holds the run
// from its first record to its end, so it can be taken back whatever becomes of the process.
RunCounts RunBatch(const std::vector<std::wstring>& targets, Mode mode, const RenameRules& rules,
                   FileSystem& fs, JournalStore& journal, const RunSinks& sinks,
                   const std::atomic<bool>* stop = nullptr, RunObserver* observer = nullptr);

} // namespace tavlo
