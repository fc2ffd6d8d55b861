#pragma once
// One run of the engine over the model file system, with what we promise checked after it: no file's
// content lost or doubled, every listed file under its old name, its new name or the temporary name the
// log states, the prediction equal to the run when nothing changes between them, and undo putting back
// every file the journal holds that is still the same file while touching no other. Returns the first
// broken promise, or "" when all hold. Shared by the fuzzer and the unit tests of its findings.
#include "MemoryJournal.h"
#include "RecordingSinks.h"
#include "core/Paths.h"
#include "engine/JournalRecorder.h"
#include "engine/Prediction.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"
#include "engine/Undo.h"
#include "engine/UndoJournal.h"
#include "engine/ModelFileSystem.h"

#include <set>
#include <string>
#include <vector>

namespace tavlo::test {

inline const std::wstring kModelFolder = L"C:\\d";

struct Scenario {
    ModelFileSystem fs;                 // the folder kModelFolder with its files, faults and kill set
    std::vector<std::wstring> names;    // the target list, file names in kModelFolder
    Mode mode = Mode::CutToThree;
    RenameRules rules;
    bool journalWritable = true;
    // What others do between the run and its undo.
    std::function<void(ModelFileSystem&)> afterRun;
};

inline std::string CheckScenario(Scenario s)
{
    // A front end does not start a mode that its rules leave without a row.
    if (RowsMissing(s.mode, s.rules) != TextNumber{}) return {};
    const std::wstring prefix = kModelFolder + L"\\";
    std::vector<std::wstring> paths;
    for (const std::wstring& n : s.names) paths.push_back(prefix + n);

    // The prediction against the run, on a copy where nothing fails and nobody else acts.
    {
        ModelFileSystem calm = s.fs;
        calm.failing.clear();
        calm.meanwhile = nullptr;
        calm.killAfter = -1;
        const std::vector<Prediction> predicted = PredictRun(paths, s.mode, calm, s.rules);
        RenameEngine engine(calm, s.rules);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const RenameOutcome outcome = engine.ChangeExtension(paths[i], s.mode);
            const bool renamed = outcome.kind == RenameOutcome::Kind::Renamed;
            if (predicted[i].Renames() != renamed)
                return "prediction and run differ at entry " + std::to_string(i) + " (predicted " +
                       std::to_string(NumberOf(predicted[i].result)) + ", run " + std::to_string(static_cast<int>(outcome.kind)) + ")";
            if (renamed && predicted[i].newName != GetFileName(outcome.newPath))
                return "predicted name differs at entry " + std::to_string(i);
            if (ResultText(predicted[i]).empty()) return "a prediction without a result text";
        }
    }

    // The run itself, with its faults, the others' changes and the kill.
    const std::vector<int> before = s.fs.AllContents();
    std::map<int, std::set<std::wstring>> allowed; // content -> names it may have after the run
    for (const auto& f : s.fs.Files(kModelFolder)) allowed[f.content].insert(f.name);
    // The files named as the folder stores them (the run takes an entry's spelling as given).
    std::map<int, std::wstring> original;
    for (const auto& f : s.fs.Files(kModelFolder)) original[f.content] = f.name;
    for (const std::wstring& n : s.names)
        for (const auto& f : s.fs.Files(kModelFolder))
            if (f.name != n && FoldName(f.name) == FoldName(n)) original.erase(f.content);
    // With nobody else acting and the journal taking every record, undo must bring every file back,
    // wherever a cut left it.
    const bool alone = !s.fs.meanwhile && !s.afterRun && s.journalWritable;
    MemoryJournal journal;
    journal.writable = s.journalWritable;
    RecordingLog log;
    RecordingResults results;
    std::set<int> killed;     // the files the run may have been at when it was killed
    std::wstring killedName;  // the name decided for them
    {
        RenameEngine engine(s.fs, s.rules);
        JournalRecorder recorder(journal, s.fs, s.mode, log);
        engine.SetRecorder(&recorder);
        for (const std::wstring& path : paths) {
            // The file the run reaches by this name: the one the look-up finds now, or, when names come
            // and go meanwhile, any file of that name in another case.
            std::vector<int> candidates;
            const std::wstring entry = FoldName(GetFileName(path));
            for (const auto& f : s.fs.Files(kModelFolder)) {
                if (FoldName(f.name) != entry) continue;
                candidates.push_back(f.content);
                allowed[f.content].insert(f.name); // a file that came meanwhile keeps the name it came with
            }
            // A process killed in the middle leaves the file under its old name, the name decided for it
            // or a temporary name on the way there.
            const RenameOutcome decided = engine.Decide(path, s.mode);
            try {
                const RenameOutcome outcome = engine.ChangeExtension(path, s.mode);
                // A file the run calls renamed carries its new name, spelt exactly, when nobody else acts.
                if (outcome.kind == RenameOutcome::Kind::Renamed && !s.fs.meanwhile && !ListsExactly(s.fs, outcome.newPath))
                    return "the run says renamed, but no file is listed under the new name";
                for (int c : candidates) {
                    if (outcome.kind == RenameOutcome::Kind::Renamed) allowed[c].insert(GetFileName(outcome.newPath));
                    if (!outcome.strandedAt.empty()) allowed[c].insert(GetFileName(outcome.strandedAt));
                }
                Report(outcome, log, results, &recorder);
            } catch (const ModelFileSystem::Killed&) {
                killed.insert(candidates.begin(), candidates.end());
                if (decided.kind == RenameOutcome::Kind::Renamed) killedName = GetFileName(decided.newPath);
                break;
            }
        }
    }
    std::vector<int> after = s.fs.AllContents();
    if (after.size() < before.size() || !std::includes(after.begin(), after.end(), before.begin(), before.end()))
        return "a file was lost or replaced";
    if (std::adjacent_find(after.begin(), after.end()) != after.end()) return "a file was doubled";
    for (const auto& f : s.fs.Files(kModelFolder)) {
        auto it = allowed.find(f.content);
        if (it == allowed.end()) continue; // came meanwhile
        if (it->second.count(f.name)) continue;
        if (killed.count(f.content) && (f.name.rfind(L"~tavlo2-", 0) == 0 || f.name == killedName)) continue;
        std::string allowedNames;
        for (const std::wstring& n : it->second) allowedNames += " " + std::string(n.begin(), n.end());
        return "a file is under a name nobody stated: " + std::string(f.name.begin(), f.name.end()) + " (content " +
               std::to_string(f.content) + ", stated:" + allowedNames + ")";
    }

    // Undo of what the journal holds, with nothing failing now, after what others did meanwhile.
    s.fs.failing.clear();
    s.fs.meanwhile = nullptr;
    s.fs.killAfter = -1;
    if (s.afterRun) s.afterRun(s.fs);
    UndoJournal undoJournal(journal);
    const std::optional<JournalRun> run = undoJournal.LastRun();
    auto allBack = [&]() -> std::string {
        if (!alone) return {};
        for (const auto& [content, name] : original)
            if (s.fs.NameOf(kModelFolder, content) != name)
                return "after undo a file is not under its old name: " + std::string(name.begin(), name.end());
        return {};
    };
    if (!run) return allBack();
    std::map<int, std::wstring> nameBefore;
    for (const auto& f : s.fs.Files(kModelFolder)) nameBefore[f.content] = f.name;
    std::set<int> inRun;
    for (const JournalFile& jf : run->Files) inRun.insert(static_cast<int>(jf.Identity.FileId));
    RecordingLog undoLog;
    TakeBack(*run, s.fs, undoLog, s.rules);
    for (const auto& f : s.fs.Files(kModelFolder))
        if (!inRun.count(f.content) && nameBefore[f.content] != f.name) return "undo moved a file it had not renamed";
    for (const JournalFile& jf : run->Files) {
        const int content = static_cast<int>(jf.Identity.FileId);
        const std::wstring from = GetFileName(jf.From), to = GetFileName(jf.To);
        if (nameBefore[content] != to) continue; // no longer where the run put it
        const std::optional<std::wstring> now = s.fs.NameOf(kModelFolder, content);
        if (now == from) continue;
        // Left only when its old name is taken by another file.
        bool taken = false;
        for (const auto& f : s.fs.Files(kModelFolder))
            if (f.content != content && FoldName(f.name) == FoldName(from)) taken = true;
        if (!taken) return "undo left a file it could put back";
    }
    return allBack();
}

} // namespace tavlo::test
