#pragma once
// Where the runs report: the execution log and the result list implement the first two, the undo
// journal the third.
#include <string>

namespace tavlo {

class LogSink {
public:
    virtual ~LogSink() = default;
    // Appends one line at the end of the log.
    virtual void AddLine(const std::wstring& line) = 0;
};

class ResultSink {
public:
    virtual ~ResultSink() = default;
    // Records one full path of a file that now carries its final name.
    virtual void AddResult(const std::wstring& path) = 0;
};

// Told of every file a run renamed, after the rename.
class RenameRecorder {
public:
    virtual ~RenameRecorder() = default;
    virtual void Renamed(const std::wstring& from, const std::wstring& to) = 0;
};

} // namespace tavlo
