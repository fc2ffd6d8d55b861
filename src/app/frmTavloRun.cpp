// The run path of the frame: the command line and the automatic run, the visible run over the target
// list with its interface lock, the preview, and Undo. The frame itself only frames.
#include "app/frmTavlo.h"

#include "app/BackgroundRun.h"
#include "app/CommandLine.h"
#include "common/Catalogue.h"
#include "common/Fault.h"
#include "common/OnItsOwn.h"
#include "common/PathUtil.h"
#include "common/LongPath.h"
#include "engine/Prediction.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"
#include "engine/RenameRun.h"
#include "engine/Undo.h"
#include "engine/UndoJournal.h"
#include "settings/Options.h"
#include "ui/PacedRedraw.h"

#include <algorithm>
#include <unordered_set>

namespace tavlo {

bool frmTavlo::AutoExecute(std::wstring_view commandLine)
{
    options.AutoRunning = true;
    bool ran = false;
    try {
        // The children load without any work of their own and are never shown.
        if (!LoadChildren()) throw LoadError();
        CancelFlag = false;
        SplitCommandLine(commandLine);
        if (file_->Count() >= 1) {
            const std::size_t left = RunTargets(file_->Entries(), options.AutoExe);
            if (options.AutoLog) status_->LogCopy();
            ran = true;
            // Scripts can tell: every named file carries its final name, or not (a name passed over
            // on the way to the list is a file the run did not rename; one given twice counts once).
            exitCode_ = left == 0 && file_->PassedOver() == 0 ? 0 : 1;
        }
    } catch (...) {
        ReportFault("frmTavlo::AutoExecute");
        ran = false;
    }
    // Fresh windows for the visible start that follows when nothing ran.
    ReleaseChildren();
    about_.Unload();
    return ran;
}

void frmTavlo::AutoExecuteDropped(const std::vector<std::wstring>& files)
{
    options.AutoRunning = true;
    try {
        if (!LoadChildren()) throw LoadError();
        // Each file as the target list would take it: its long form, readable, named once.
        LongPathBatch batch;
        std::unordered_set<std::wstring> seen;
        std::vector<std::wstring> targets;
        int passedOver = 0;
        for (const std::wstring& name : files) {
            const std::wstring path = name.empty() ? std::wstring() : batch.Expand(name);
            if (path.empty() || !CanOpenFile(path)) ++passedOver;
            else if (seen.insert(path).second) targets.push_back(path);
        }
        const std::size_t left = RunTargets(targets, options.AutoExe);
        if (options.AutoLog) status_->LogCopy();
        exitCode_ = left == 0 && passedOver == 0 ? 0 : 1;
    } catch (...) {
        ReportFault("frmTavlo::AutoExecuteDropped");
        exitCode_ = 1;
    }
    ReleaseChildren();
    about_.Unload();
}

std::size_t frmTavlo::RunTargets(const std::vector<std::wstring>& targets, std::int16_t mode, RunObserver* observer)
{
    try {
        return RunBatch(targets, mode, RulesOf(options), *fileSystem_, *journalStore_,
                        {*status_, *outFile_, *status_}, nullptr, observer)
            .left;
    } catch (...) {
        ReportFault("frmTavlo::RunTargets");
        // The walk ends without its closing line, and not every file can be known renamed.
        return std::max<std::size_t>(targets.size(), 1);
    }
}

bool frmTavlo::SplitCommandLine(std::wstring_view commandLine)
{
    CommandLineNames split = tavlo::SplitCommandLine(std::wstring(commandLine));
    mdiFile::AddBatch batch(*file_, split.names);
    return TakeCommandLineNames(
        split, [this] { file_->RefreshForm(); }, [this](const std::wstring& name) { return file_->Gaibu_ListInAdd(name); });
}

void frmTavlo::btnExe_Click(std::int16_t Index)
{
    if (locked_) return;
    if (options.Preview) ShowPreview(Index);
    else RunMode(Index);
}

void frmTavlo::ShowPreview(std::int16_t Index)
{
    if (locked_ || Index < 0 || Index >= kModeCount) return;
    std::vector<Prediction> rows = PredictRun(file_->Entries(), Index, *fileSystem_, RulesOf(options));
    // Between preview and run the disk may change: the run's own checks still decide.
    if (preview_.ShowFor(Form::WindowText(btnExe(Index)), std::move(rows))) RunMode(Index);
}

void frmTavlo::RunMode(std::int16_t Index)
{
    if (locked_) return;
    if (const std::int16_t missing = RowsMissing(Index, RulesOf(options))) {
        status_->ListInAdd(ProgramString(missing));
        return;
    }

    LockInterface();
    try {
        status_->RefreshForm();
        inFile_->SelectClear();
        file_->BeginRun();
        // The lists show the run at a steady pace: now, about thirty times a second while the outcomes
        // come in, and once at the end. Drawing every state would cost more than the run.
        PacedRedraw::DrawAll();
        run_ = std::make_unique<BackgroundRun>(Handle(), kRunProgress);
        run_->Start([targets = file_->Entries(), Index, rules = RulesOf(options), fs = fileSystem_,
                     journal = journalStore_](const RunSinks& sinks, const std::atomic<bool>& stop, RunObserver& observer) {
            RunBatch(targets, Index, rules, *fs, *journal, sinks, &stop, &observer);
        });
    } catch (...) {
        ReportFault("frmTavlo::RunMode");
        run_.reset();
        EndRun();
    }
}

void frmTavlo::ShowRunEvent(BackgroundRun::Event& event)
{
    using Kind = BackgroundRun::Event::Kind;
    switch (event.kind) {
        case Kind::Line: LogLine(*status_, event.text); break;
        case Kind::Result: OnItsOwn([&] { outFile_->AddResult(event.text); }); break;
        case Kind::Reached: file_->ShowAtTop(event.index); break;
        case Kind::Finished:
            if (event.outcome.Done()) file_->MarkDone(event.index);
            // The file is where the list says it is, even when a fault left it under a temporary name.
            else if (!event.outcome.strandedAt.empty()) file_->ReplaceEntry(event.index, event.outcome.strandedAt);
            break;
    }
}

void frmTavlo::RunProgress()
{
    if (!run_) return;
    bool ended = false;
    OnItsOwn([&] { ended = run_->Deliver([this](BackgroundRun::Event& e) { ShowRunEvent(e); }); });
    if (ended) EndRun();
}

void frmTavlo::FinishRun()
{
    if (!run_) return;
    run_->Stop();
    OnItsOwn([&] { run_->Finish([this](BackgroundRun::Event& e) { ShowRunEvent(e); }); });
    EndRun();
}

void frmTavlo::EndRun()
{
    run_.reset();
    // What stays: the files left as they were and those the run did not reach. The list is drawn
    // first, so that the removals start from the top row the run reached.
    OnItsOwn([&] {
        PacedRedraw::DrawAll();
        file_->EndRun();
    });
    UnlockInterface();
    PacedRedraw::DrawAll();
}

void frmTavlo::btnCancel_Click()
{
    CancelFlag = true;
    if (run_) run_->Stop();
}

void frmTavlo::BtnEnabledChange()
{
    pnlKelmo_.SetModesEnabled(file_->Count() >= 1);
}

void frmTavlo::SetChildrenEnabled(bool enabled)
{
    for (ChildForm* child : Children()) EnableWindow(child->Handle(), enabled ? TRUE : FALSE);
    for (ChildForm* child : Children()) child->Menu_Enabled(enabled);
}

void frmTavlo::LockInterface()
{
    locked_ = true;
    // The controls lose the focus as they are disabled; it comes back after the run.
    focusBeforeRun_ = GetFocus();
    pnlKelmo_.SetModesEnabled(false);
    SetChildrenEnabled(false);
    EnableWindow(btnCancel(), TRUE);
}

void frmTavlo::UnlockInterface()
{
    CancelFlag = false;
    EnableWindow(btnCancel(), FALSE);
    SetChildrenEnabled(true);
    inFile_->RefreshForm();
    BtnEnabledChange();
    locked_ = false;
    const HWND focus = GetFocus();
    if ((!focus || !IsWindowEnabled(focus)) && focusBeforeRun_ && IsWindow(focusBeforeRun_) &&
        IsWindowEnabled(focusBeforeRun_) && GetActiveWindow() == Handle())
        SetFocus(focusBeforeRun_);
    // A close asked for during the run was held back until the run had ended.
    if (closePending_) {
        closePending_ = false;
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
    }
}

void frmTavlo::mnuUndo_Click()
{
    if (locked_) return;
    UndoJournal journal(*journalStore_);
    const UndoJournal::Choice choice = journal.Choose();
    if (choice.running) {
        // Another process is still renaming: its run is not taken back; asked again, the one before is.
        ShowBox(FillTag(ProgramString(program_text::UndoInProgress), L"%TIME%", choice.running->Time), MB_OK);
        journal.PassOver(choice.running->Id);
        return;
    }
    const std::optional<JournalRun>& run = choice.run;
    if (!run) {
        ShowBox(ProgramString(program_text::NothingToUndo), MB_OK);
        return;
    }
    const std::wstring question = FillTag(FillTag(ProgramString(program_text::UndoQuestion), L"%TIME%", run->Time),
                                          L"%COUNT%", std::to_wstring(run->Files.size()));
    if (ShowBox(question, MB_YESNO) != IDYES) return;

    status_->RefreshForm();
    TakeBack(*run, *fileSystem_, *status_, RulesOf(options));
    journal.MarkTakenBack(run->Id);
    // What the lists show follows the disk again.
    outFile_->RefreshForm();
    file_->RemoveMissing();
    inFile_->RefreshForm();
    BtnEnabledChange();
    PacedRedraw::DrawAll();
}

} // namespace tavlo
