#include "app/FrameRuns.h"

#include "app/CommandLine.h"
#include "app/frmTavlo.h"
#include "common/Catalogue.h"
#include "common/Fault.h"
#include "common/OnItsOwn.h"
#include "engine/Prediction.h"
#include "engine/RenameReport.h"
#include "engine/Undo.h"
#include "engine/UndoJournal.h"
#include "settings/Options.h"
#include "ui/PacedRedraw.h"
#include "windows/TargetCollector.h"
#include "windows/TargetList.h"

#include <algorithm>

namespace tavlo {

FrameRuns::~FrameRuns()
{
    // A run still going ends after its current file, its records written.
    run_.reset();
}

bool FrameRuns::TakeCommandLine(std::wstring_view commandLine)
{
    CommandLineNames split = tavlo::SplitCommandLine(std::wstring(commandLine));
    mdiFile::AddBatch batch(*f_.file_, split.names);
    return TakeCommandLineNames(
        split, [this] { f_.file_->RefreshForm(); }, [this](const std::wstring& name) { return f_.file_->Gaibu_ListInAdd(name); });
}

bool FrameRuns::AutoStart(std::wstring_view commandLine, const std::optional<std::vector<std::wstring>>& dropped)
{
    if (dropped) {
        AutoExecuteDropped(*dropped);
        return true;
    }
    return !commandLine.empty() && AutoExecute(commandLine);
}

void FrameRuns::Stop()
{
    if (run_) run_->Stop();
}

bool FrameRuns::AutoExecute(std::wstring_view commandLine)
{
    options.AutoRunning = true;
    bool ran = false;
    try {
        // The children load without any work of their own and are never shown.
        if (!f_.LoadChildren()) throw Form::LoadError();
        f_.CancelFlag = false;
        TakeCommandLine(commandLine);
        if (f_.file_->Count() >= 1) {
            const std::size_t left = RunTargets(f_.file_->Entries(), AutoModeOf(options));
            if (options.AutoLog) f_.status_->LogCopy();
            ran = true;
            // Scripts can tell: every named file carries its final name, or not (a name passed over
            // on the way to the list is a file the run did not rename; one given twice counts once).
            f_.exitCode_ = left == 0 && f_.file_->PassedOver() == 0 ? 0 : 1;
        }
    } catch (...) {
        ReportFault("FrameRuns::AutoExecute");
        ran = false;
    }
    // Fresh windows for the visible start that follows when nothing ran.
    f_.ReleaseChildren();
    f_.about_.Unload();
    return ran;
}

void FrameRuns::AutoExecuteDropped(const std::vector<std::wstring>& files)
{
    options.AutoRunning = true;
    try {
        if (!f_.LoadChildren()) throw Form::LoadError();
        // Each file as the target list would take it, without the list's limit on the count.
        TargetCollector collector(files);
        TargetList targets(files.size());
        int passedOver = 0;
        for (const std::wstring& name : files) {
            if (const std::optional<std::wstring> target = collector.Target(name)) targets.Append(*target);
            else ++passedOver;
        }
        const std::size_t left = RunTargets(targets.Entries(), AutoModeOf(options));
        if (options.AutoLog) f_.status_->LogCopy();
        f_.exitCode_ = left == 0 && passedOver == 0 ? 0 : 1;
    } catch (...) {
        ReportFault("FrameRuns::AutoExecuteDropped");
        f_.exitCode_ = 1;
    }
    f_.ReleaseChildren();
    f_.about_.Unload();
}

std::size_t FrameRuns::RunTargets(const std::vector<std::wstring>& targets, Mode mode)
{
    try {
        return RunBatch(targets, mode, RulesOf(options), *f_.fileSystem_, *f_.journalStore_,
                        {*f_.status_, *f_.outFile_, *f_.status_})
            .left;
    } catch (...) {
        ReportFault("FrameRuns::RunTargets");
        // The walk ends without its closing line, and not every file can be known renamed.
        return std::max<std::size_t>(targets.size(), 1);
    }
}

void FrameRuns::ShowPreview(Mode mode)
{
    if (f_.locked_) return;
    std::vector<Prediction> rows = PredictRun(f_.file_->Entries(), mode, *f_.fileSystem_, RulesOf(options));
    // Between preview and run the disk may change: the run's own checks still decide.
    if (f_.preview_.ShowFor(Form::WindowText(f_.btnExe(ModeNumber(mode))), std::move(rows))) RunMode(mode);
}

void FrameRuns::RunMode(Mode mode)
{
    if (f_.locked_) return;
    if (const TextNumber missing = RowsMissing(mode, RulesOf(options)); missing != TextNumber{}) {
        f_.status_->ListInAdd(ProgramString(missing));
        return;
    }

    f_.locked_ = true;
    try {
        // The worker starts first, so that showing the run (the controls disabled, the log cleared, the
        // first drawing) goes on beside its first files. What it finds reaches the windows only at the
        // next pass of the message loop, after all of this.
        run_ = std::make_unique<BackgroundRun>(f_.Handle(), frmTavlo::kRunProgress);
        run_->Start([targets = f_.file_->Entries(), mode, rules = RulesOf(options), fs = f_.fileSystem_,
                     journal = f_.journalStore_](const RunSinks& sinks, const std::atomic<bool>& stop, RunObserver& observer) {
            RunBatch(targets, mode, rules, *fs, *journal, sinks, &stop, &observer);
        });
        f_.LockInterface();
        f_.status_->RefreshForm();
        f_.inFile_->SelectClear();
        f_.file_->BeginRun();
        // The lists show the run at a steady pace: now, about thirty times a second while the outcomes
        // come in, and once at the end. Drawing every state would cost more than the run.
        PacedRedraw::DrawAll();
    } catch (...) {
        ReportFault("FrameRuns::RunMode");
        // What the worker renamed so far still reaches the lists.
        Finish();
        if (f_.locked_) EndRun();
    }
}

void FrameRuns::ShowRunEvent(BackgroundRun::Event& event)
{
    using Kind = BackgroundRun::Event::Kind;
    switch (event.kind) {
        case Kind::Line: LogLine(*f_.status_, event.text); break;
        case Kind::Result: OnItsOwn([&] { f_.outFile_->AddResult(event.text); }); break;
        case Kind::Reached: f_.file_->ShowAtTop(event.index); break;
        case Kind::Finished:
            if (event.outcome.Done()) f_.file_->MarkDone(event.index);
            // The file is where the list says it is, even when a fault left it under a temporary name.
            else if (!event.outcome.strandedAt.empty()) f_.file_->ReplaceEntry(event.index, event.outcome.strandedAt);
            break;
    }
}

void FrameRuns::Progress()
{
    if (!run_) return;
    bool ended = false;
    OnItsOwn([&] { ended = run_->Deliver([this](BackgroundRun::Event& e) { ShowRunEvent(e); }); });
    if (ended) EndRun();
}

void FrameRuns::Finish()
{
    if (!run_) return;
    run_->Stop();
    OnItsOwn([&] { run_->Finish([this](BackgroundRun::Event& e) { ShowRunEvent(e); }); });
    EndRun();
}

void FrameRuns::EndRun()
{
    run_.reset();
    // What stays: the files left as they were and those the run did not reach.
    OnItsOwn([&] { f_.file_->EndRun(); });
    f_.UnlockInterface();
    PacedRedraw::DrawAll();
}

void FrameRuns::Undo()
{
    if (f_.locked_) return;
    UndoJournal journal(*f_.journalStore_);
    const UndoJournal::Choice choice = journal.Choose();
    if (choice.running) {
        // Another process is still renaming: its run is not taken back; asked again, the one before is.
        f_.ShowBox(FillTag(ProgramString(program_text::UndoInProgress), L"%TIME%", choice.running->Time), MB_OK);
        journal.PassOver(choice.running->Id);
        return;
    }
    const std::optional<JournalRun>& run = choice.run;
    if (!run) {
        f_.ShowBox(ProgramString(program_text::NothingToUndo), MB_OK);
        return;
    }
    const std::wstring question = FillTag(FillTag(ProgramString(program_text::UndoQuestion), L"%TIME%", run->Time),
                                          L"%COUNT%", std::to_wstring(run->Files.size()));
    if (f_.ShowBox(question, MB_YESNO) != IDYES) return;

    f_.status_->RefreshForm();
    TakeBack(*run, *f_.fileSystem_, *f_.status_, RulesOf(options));
    journal.MarkTakenBack(run->Id);
    // What the lists show follows the disk again.
    f_.outFile_->RefreshForm();
    f_.file_->RemoveMissing();
    f_.inFile_->RefreshForm();
    f_.BtnEnabledChange();
    PacedRedraw::DrawAll();
}

} // namespace tavlo
