#pragma once
#include "engine/Sinks.h"

#include <string>
#include <vector>

namespace tavlo::test {

struct RecordingLog : LogSink {
    std::vector<std::wstring> lines;
    void AddLine(const std::wstring& line) override { lines.push_back(line); }
};

struct RecordingResults : ResultSink {
    std::vector<std::wstring> paths;
    void AddResult(const std::wstring& path) override { paths.push_back(path); }
};

} // namespace tavlo::test
