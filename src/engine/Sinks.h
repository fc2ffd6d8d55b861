#pragma once
// Where the rename engine reports: the execution log and the result list implement these.
#include <string>

namespace tavlo {

class LogSink {
public:
    virtual ~LogSink() = default;
    // Appends one line at the end of the log.
    virtual void ListInAdd(const std::wstring& line) = 0;
};

class ResultSink {
public:
    virtual ~ResultSink() = default;
    // Records one full path of a file that now carries its final name.
    virtual void ListInAdd(const std::wstring& path) = 0;
};

} // namespace tavlo
