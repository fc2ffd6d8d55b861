#include "console/ConsoleCommand.h"

#include "common/Catalogue.h"
#include "console/ConsoleArguments.h"
#include "console/ConsoleTargets.h"
#include "engine/Prediction.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"
#include "engine/RenameRun.h"
#include "engine/Undo.h"
#include "engine/UndoJournal.h"
#include "settings/Options.h"
#include "settings/Settings.h"

namespace tavlo {

namespace {

// The stored options as the window program would find them; every write refused, so the command can
// never change what the window program stores.
class ReadOnlySettings final : public SettingsStore {
public:
    explicit ReadOnlySettings(SettingsStore& store) : store_(store) {}
    std::wstring Read(const std::wstring& app, const std::wstring& section, const std::wstring& key,
                      const std::wstring& defaultValue) override
    {
        return store_.Read(app, section, key, defaultValue);
    }
    bool Write(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&) override { return false; }
    bool DeleteSection(const std::wstring&, const std::wstring&) override { return false; }
    bool DeleteApplication(const std::wstring&) override { return false; }

private:
    SettingsStore& store_;
};

class NoResults final : public ResultSink {
public:
    void AddResult(const std::wstring&) override {}
};

RenameRules StoredRules(SettingsStore& store)
{
    ReadOnlySettings readOnly(store);
    OptionState state;
    LoadSettings(readOnly, state);
    return RulesOf(state);
}

std::wstring WithArgument(TextNumber text, const std::wstring& argument)
{
    return FillTag(ProgramString(text), L"%ARG%", argument);
}

// Standard error takes the log's lines without the ideographic space that indents them in the log.
class ErrorLines final : public LogSink {
public:
    explicit ErrorLines(LogSink& err) : err_(err) {}
    void AddLine(const std::wstring& line) override
    {
        err_.AddLine(!line.empty() && line.front() == L'\u3000' ? line.substr(1) : line);
    }

private:
    LogSink& err_;
};

void Complain(LogSink& err, const std::wstring& line)
{
    ErrorLines lines(err);
    LogLine(lines, line);
}

int Undo(ConsoleContext& c, const RenameRules& rules)
{
    UndoJournal journal(c.journal);
    const UndoJournal::Choice choice = journal.Choose();
    if (choice.running) {
        // Asked again, the undo passes over that run to the one before.
        Complain(c.err, FillTag(ProgramString(program_text::UndoInProgress), L"%TIME%", choice.running->Time));
        journal.PassOver(choice.running->Id);
        return ConsoleFileLeft;
    }
    if (!choice.run) {
        Complain(c.err, ProgramString(program_text::NothingToUndo));
        return ConsoleFileLeft;
    }
    const UndoOutcome outcome = TakeBack(*choice.run, c.fs, c.out, rules, &c.stop);
    // A stopped undo is not marked: the next one takes the rest, and finds the files put back already.
    if (outcome.Stopped) {
        LogLine(c.out, GeneralString(general_text::Stopped));
        return ConsoleFileLeft;
    }
    if (!journal.MarkTakenBack(choice.run->Id)) Complain(c.err, ProgramString(program_text::JournalNotWritten));
    return outcome.Left == 0 ? ConsoleAllDone : ConsoleFileLeft;
}

int DryRun(ConsoleContext& c, const std::vector<std::wstring>& files, Mode mode, const RenameRules& rules)
{
    const std::vector<Prediction> predictions = PredictRun(files, mode, c.fs, rules, &c.stop);
    int left = static_cast<int>(files.size() - predictions.size());
    for (const Prediction& p : predictions) {
        LogLine(c.out, p.path + L"\t" + p.newName + L"\t" + ResultText(p));
        left += !(p.Renames() || p.result == program_text::SameName);
    }
    if (c.stop) LogLine(c.out, GeneralString(general_text::Stopped));
    return left + (c.stop ? 1 : 0);
}

int Run(ConsoleContext& c, const std::vector<std::wstring>& files, Mode mode, const RenameRules& rules)
{
    // The journal's trouble goes to standard error; the run goes on.
    ErrorLines complaints(c.err);
    NoResults results;
    return static_cast<int>(RunBatch(files, mode, rules, c.fs, c.journal, {c.out, results, complaints}, &c.stop).left);
}

} // namespace

int RunConsoleCommand(const std::vector<std::wstring>& arguments, ConsoleContext& c)
{
    using namespace program_text;
    const ParsedArguments parsed = ParseConsoleArguments(arguments);
    if (!parsed.request) {
        if (arguments.empty()) {
            Complain(c.err, ProgramString(ConsoleUsage));
            return ConsoleBadCommand;
        }
        Complain(c.err, WithArgument(parsed.error, parsed.culprit));
        Complain(c.err, ProgramString(SeeConsoleHelp));
        return ConsoleBadCommand;
    }
    const ConsoleRequest& request = *parsed.request;
    if (request.action == ConsoleRequest::Action::Help) {
        LogLine(c.out, ProgramString(ConsoleUsage));
        return ConsoleAllDone;
    }
    const RenameRules rules = StoredRules(c.settings);
    if (request.action == ConsoleRequest::Action::Undo) return Undo(c, rules);

    if (const TextNumber missing = RowsMissing(request.mode, rules); missing != TextNumber{}) {
        Complain(c.err, ProgramString(missing));
        return ConsoleFileLeft;
    }
    const Targets targets = FindTargets(request.paths, request.recursive, request.all, &c.stop);
    if (c.stop) {
        LogLine(c.out, GeneralString(general_text::Stopped));
        return ConsoleFileLeft;
    }
    for (const std::wstring& name : targets.unmatched) Complain(c.err, WithArgument(NothingMatches, name));
    const int left = request.dryRun ? DryRun(c, targets.files, request.mode, rules)
                                    : Run(c, targets.files, request.mode, rules);
    return left == 0 && targets.unmatched.empty() ? ConsoleAllDone : ConsoleFileLeft;
}

} // namespace tavlo
