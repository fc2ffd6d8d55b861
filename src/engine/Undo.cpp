#include "engine/Undo.h"

#include "common/Catalogue.h"
#include "engine/ExtensionModel.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"

namespace tavlo {

UndoOutcome TakeBack(const JournalRun& run, FileSystem& fs, LogSink& log, const RenameRules& rules)
{
    using namespace program_text;
    auto line = [&log](const std::wstring& text) { LogLine(log, text); };
    auto text = [&line](std::int16_t number) { line(ProgramString(number)); };
    RenameEngine engine(fs, rules);
    UndoOutcome outcome;
    for (auto file = run.Files.rbegin(); file != run.Files.rend(); ++file) {
        line(FileHeading(file->To));
        std::int16_t reason = 0;
        std::wstring stranded;
        if (!ListsExactly(fs, file->To)) {
            reason = NewNameMissing; // renamed again, moved or deleted since
        } else if (fs.Identity(file->To) != std::optional<FileIdentity>(file->Identity)) {
            reason = OtherFile;
        } else if (!EqualButForCase(file->From, file->To) && fs.StoredName(file->From)) {
            reason = OldNameTaken;
        } else {
            const RenameEngine::Step renamed = engine.Rename(file->To, file->From);
            if (!renamed.renamed) {
                reason = RenameRefused;
                stranded = renamed.strandedAt;
            }
        }
        if (reason == 0) {
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
