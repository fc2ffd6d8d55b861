#include "engine/RenameReport.h"

#include "common/Catalogue.h"
#include "common/OnItsOwn.h"
#include "engine/ExtensionModel.h"

namespace tavlo {
namespace {

enum LogText : std::int16_t {
    SameName = 20001,
    RenameFailed = 20002,
    RenamedFrom = 20003,
    RenamedTo = 20004,
};

std::wstring Text(std::int16_t number) { return std::wstring(ProgramText(number)); }

} // namespace

std::vector<std::wstring> LogLines(const RenameOutcome& outcome)
{
    std::vector<std::wstring> lines{L"[ " + ShortenPath(outcome.path) + L" ]"};
    switch (outcome.kind) {
    case RenameOutcome::Kind::NoExtension: break;
    case RenameOutcome::Kind::Refused: lines.push_back(Text(outcome.reason)); break;
    case RenameOutcome::Kind::Unchanged: lines.push_back(Text(SameName)); break;
    case RenameOutcome::Kind::Failed:
        lines.push_back(Text(RenameFailed));
        if (!outcome.strandedAt.empty()) {
            lines.push_back(Text(program_text::LeftUnderTemporaryName));
            lines.push_back(L"\u3000[ " + outcome.strandedAt + L" ]");
        }
        break;
    case RenameOutcome::Kind::Renamed:
        lines.push_back(Text(RenamedFrom));
        lines.push_back(L"\u3000[ " + GetFileName(outcome.newPath) + L" ]");
        lines.push_back(Text(RenamedTo));
        break;
    }
    return lines;
}

void LogLine(LogSink& log, const std::wstring& line)
{
    // What the log cannot take, it does not show; the work goes on.
    OnItsOwn([&] { log.AddLine(line); });
}

void Report(const RenameOutcome& outcome, LogSink& log, ResultSink& results, RenameRecorder* recorder)
{
    // The file is renamed whatever the log, the journal or the result list make of it.
    for (const std::wstring& line : LogLines(outcome)) LogLine(log, line);
    if (outcome.kind == RenameOutcome::Kind::Renamed && recorder)
        OnItsOwn([&] { recorder->Renamed(outcome.path, outcome.newPath); });
    if (outcome.Done()) OnItsOwn([&] { results.AddResult(outcome.newPath); });
}

} // namespace tavlo
