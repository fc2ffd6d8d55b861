#include "engine/Undo.h"

#include "common/Catalogue.h"
#include "core/Paths.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"

namespace tavlo {

namespace {

// True when `path` is listed as written and is the file of `identity`.
bool IsThere(FileSystem& fs, const std::wstring& path, const FileIdentity& identity)
{
    return !path.empty() && ListsExactly(fs, path) && fs.Identity(path) == std::optional<FileIdentity>(identity);
}

// A file a cut left under one of the engine's temporary names that no record names (an undo's own
// case-only rename stopped between its two steps), found in the folder of `near` by its identity.
std::optional<std::wstring> StrayTemporary(FileSystem& fs, const std::wstring& near, const FileIdentity& identity)
{
    const std::wstring folder = GetFolderPrefix(near);
    const std::optional<std::vector<std::wstring>> names = fs.FolderNames(folder);
    if (!names) return std::nullopt;
    for (const std::wstring& name : *names)
        if (IsTemporaryName(name) && IsThere(fs, folder + name, identity)) return folder + name;
    return std::nullopt;
}

} // namespace

UndoOutcome TakeBack(const JournalRun& run, FileSystem& fs, LogSink& log, const RenameRules& rules,
                     const std::atomic<bool>* stop)
{
    using namespace program_text;
    auto line = [&log](const std::wstring& text) { LogLine(log, text); };
    auto text = [&line](TextNumber number) { line(ProgramString(number)); };
    RenameEngine engine(fs, rules);
    UndoOutcome outcome;
    for (auto file = run.Files.rbegin(); file != run.Files.rend(); ++file) {
        if (stop && *stop) {
            outcome.Stopped = true;
            outcome.Left += static_cast<int>(run.Files.rend() - file);
            break;
        }
        // Where the file stands now: its new name, or for a step cut off, wherever the step had got to.
        std::wstring at = file->To;
        if (!file->Done) {
            if (IsThere(fs, file->From, file->Identity)) continue; // the step never happened: nothing moved
            if (!IsThere(fs, file->To, file->Identity) && IsThere(fs, file->Temporary, file->Identity))
                at = file->Temporary;
        }
        bool listed = ListsExactly(fs, at);
        // Not where the record says: put back already (an undo cut off before its mark), or left by a cut
        // under a temporary name, or renamed again, moved or deleted since.
        const bool backAlready = !listed && IsThere(fs, file->From, file->Identity);
        if (!listed && !backAlready) {
            if (std::optional<std::wstring> stray = StrayTemporary(fs, at, file->Identity)) {
                at = *stray;
                listed = true;
            }
        }
        line(FileHeading(at));
        TextNumber reason{};
        std::wstring stranded;
        if (!listed) {
            if (!backAlready) reason = NewNameMissing;
        } else if (fs.Identity(at) != std::optional<FileIdentity>(file->Identity)) {
            reason = OtherFile;
        } else if (!EqualButForCase(file->From, at) && fs.StoredName(file->From)) {
            reason = OldNameTaken;
        } else {
            const RenameEngine::Step renamed = engine.Rename(at, file->From);
            if (!renamed.renamed) {
                reason = RenameRefused;
                stranded = renamed.strandedAt;
            }
        }
        if (reason == TextNumber{}) {
            ++outcome.Back;
            text(RenamedFrom);
            line(NameLine(GetFileName(file->From)));
            text(PutBack);
            continue;
        }
        ++outcome.Left;
        text(NotPutBack);
        text(reason);
        for (const std::wstring& l : StrandedLines(stranded)) line(l);
    }
    text(outcome.Left == 0 ? AllBack : SomeLeft);
    return outcome;
}

} // namespace tavlo
