#include "engine/RenameReport.h"

#include "common/Catalogue.h"
#include "common/OnItsOwn.h"
#include "engine/ExtensionModel.h"

namespace tavlo {
std::wstring FileHeading(const std::wstring& path) { return L"[ " + ShortenPath(path) + L" ]"; }

std::wstring NameLine(const std::wstring& name) { return L"\u3000[ " + name + L" ]"; }

std::vector<std::wstring> StrandedLines(const std::wstring& temporary)
{
    if (temporary.empty()) return {};
    return {ProgramString(program_text::LeftUnderTemporaryName), NameLine(temporary)};
}

std::vector<std::wstring> LogLines(const RenameOutcome& outcome)
{
    std::vector<std::wstring> lines{FileHeading(outcome.path)};
    switch (outcome.kind) {
    case RenameOutcome::Kind::NoExtension: break;
    case RenameOutcome::Kind::Refused: lines.push_back(ProgramString(outcome.reason)); break;
    case RenameOutcome::Kind::Unchanged: lines.push_back(ProgramString(program_text::SameName)); break;
    case RenameOutcome::Kind::Failed:
        lines.push_back(ProgramString(program_text::RenameFailed));
        for (std::wstring& line : StrandedLines(outcome.strandedAt)) lines.push_back(std::move(line));
        break;
    case RenameOutcome::Kind::Renamed:
        lines.push_back(ProgramString(program_text::RenamedFrom));
        lines.push_back(NameLine(GetFileName(outcome.newPath)));
        lines.push_back(ProgramString(program_text::RenamedTo));
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
    // A file stranded under a temporary name is recorded too, so that Undo can bring it back.
    const std::wstring& now = outcome.kind == RenameOutcome::Kind::Renamed ? outcome.newPath : outcome.strandedAt;
    if (recorder && !now.empty() && (outcome.kind == RenameOutcome::Kind::Renamed || outcome.kind == RenameOutcome::Kind::Failed))
        OnItsOwn([&] { recorder->Renamed(outcome.path, now); });
    if (outcome.Done()) OnItsOwn([&] { results.AddResult(outcome.newPath); });
}

} // namespace tavlo
