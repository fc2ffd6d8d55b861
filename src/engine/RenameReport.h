#pragma once
// How the runs tell of a rename: the log's lines for an outcome, and who hears of it.
#include "engine/RenameEngine.h"
#include "engine/Sinks.h"

#include <string>
#include <vector>

namespace tavlo {

// The log's lines for one outcome: the file's heading, then what became of it.
std::vector<std::wstring> LogLines(const RenameOutcome& outcome);

// The pieces the runs and the undo share: a file's shortened path as the heading of its lines, a name
// under it, and the two lines that give the temporary name a file was left under (none for "").
std::wstring FileHeading(const std::wstring& path);
std::wstring NameLine(const std::wstring& name);
std::vector<std::wstring> StrandedLines(const std::wstring& temporary);

// Tells the log, the result list (a file with its final name) and the recorder (a renamed file, or one
// left under a temporary name) of one outcome. Each on its own: a sink that fails keeps none of the others from hearing of it.
void Report(const RenameOutcome& outcome, LogSink& log, ResultSink& results, RenameRecorder* recorder = nullptr);

// Appends one line to the log; a failing log is passed over.
void LogLine(LogSink& log, const std::wstring& line);

} // namespace tavlo
