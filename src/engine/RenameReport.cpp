#include "engine/RenameReport.h"

#include "common/Catalogue.h"
#include "common/OnItsOwn.h"
#include "core/Paths.h"

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
    if (outcome.detected != TextNumber{} && outcome.Done())
        lines.push_back(FillTag(ProgramString(program_text::ContentFound), L"%FORMAT%", ProgramString(outcome.detected)));
    return lines;
}

void LogLine(LogSink& log, const std::wstring& line)
{
    // What the log cannot take, it does not show; the work goes on.
    OnItsOwn([&] { log.AddLine(line); });
}

void Report(const RenameOutcome& outcome, LogSink& log, ResultSink& results, RenameRecorder* recorder)
{
    // The journal hears first: a log line can block (a console with selected text), and a run cut off
    // there must still be taken back. A file stranded under a temporary name is recorded too.
    const std::wstring& now = outcome.kind == RenameOutcome::Kind::Renamed ? outcome.newPath : outcome.strandedAt;
    if (recorder && outcome.kind == RenameOutcome::Kind::Renamed)
        OnItsOwn([&] { recorder->Renamed(outcome.path, now); });
    if (recorder && outcome.kind == RenameOutcome::Kind::Failed)
        OnItsOwn([&] { now.empty() ? recorder->NotRenamed(outcome.path) : recorder->Renamed(outcome.path, now); });
    // The file is renamed whatever the log, the journal or the result list make of it.
    for (const std::wstring& line : LogLines(outcome)) LogLine(log, line);
    if (outcome.Done()) OnItsOwn([&] { results.AddResult(outcome.newPath); });
}

} // namespace tavlo
