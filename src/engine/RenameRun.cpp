#include "engine/RenameRun.h"

#include "common/Catalogue.h"
#include "engine/JournalRecorder.h"
#include "engine/RenameReport.h"

namespace tavlo {

RunCounts RunBatch(const std::vector<std::wstring>& targets, Mode mode, const RenameRules& rules,
                   FileSystem& fs, JournalStore& journal, const RunSinks& sinks, const std::atomic<bool>* stop,
                   RunObserver* observer)
{
    RunCounts counts;
    RenameEngine engine(fs, rules);
    {
        // The recorder writes the run's end as it goes, before the closing line.
        JournalRecorder recorder(journal, fs, mode, sinks.complaints);
        engine.SetRecorder(&recorder);
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if ((stop && *stop) || (observer && !observer->Next(i))) {
                counts.stopped = true;
                break;
            }
            const RenameOutcome outcome = engine.ChangeExtension(targets[i], mode);
            Report(outcome, sinks.log, sinks.results, &recorder);
            ++counts.reached;
            counts.left += !outcome.Done();
            if (observer) observer->Finished(i, outcome);
        }
    }
    counts.left += targets.size() - counts.reached;
    LogLine(sinks.log, GeneralString(counts.stopped ? general_text::Stopped : general_text::AllDone));
    return counts;
}

} // namespace tavlo
