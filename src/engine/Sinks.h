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

// Told of every step of a rename before it is taken, and of its outcome after it, before anyone else.
class RenameRecorder {
public:
    virtual ~RenameRecorder() = default;
    // `from` is about to become `to`, through `temporary` when that is not empty.
    virtual void Intent(const std::wstring& /*from*/, const std::wstring& /*temporary*/, const std::wstring& /*to*/) {}
    // The file now stands at `to`: its new name, or the temporary name it was left under.
    virtual void Renamed(const std::wstring& from, const std::wstring& to) = 0;
    // The steps left the file under its old name.
    virtual void NotRenamed(const std::wstring& /*from*/) {}
};

} // namespace tavlo
