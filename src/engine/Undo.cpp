#include "engine/Undo.h"

#include "common/Catalogue.h"
#include "engine/ExtensionModel.h"
#include "engine/RenameEngine.h"
#include "engine/RenameReport.h"

namespace tavlo {
namespace {

enum UndoText : std::int16_t {
    PutBack = 21000,
    NotPutBack = 21001,
    AllBack = 21002,
    SomeLeft = 21003,
    Missing = 21005,
    OtherFile = 21006,
    OldNameTaken = 21007,
    RenameRefused = 21008,
};

} // namespace

UndoOutcome TakeBack(const JournalRun& run, FileSystem& fs, LogSink& log, const RenameRules& rules)
{
    auto line = [&log](const std::wstring& text) { LogLine(log, text); };
    auto text = [&line](std::int16_t number) { line(std::wstring(ProgramText(number))); };
    RenameEngine engine(fs, rules);
    UndoOutcome outcome;
    for (auto file = run.Files.rbegin(); file != run.Files.rend(); ++file) {
        line(L"[ " + ShortenPath(file->To) + L" ]");
        std::int16_t reason = 0;
        std::wstring stranded;
        if (!ListsExactly(fs, file->To)) {
            reason = Missing; // renamed again, moved or deleted since
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
            text(20003);
            line(L"\u3000[ " + GetFileName(file->From) + L" ]");
            text(PutBack);
            continue;
        }
        ++outcome.Left;
        text(NotPutBack);
        text(reason);
        if (!stranded.empty()) {
            text(program_text::LeftUnderTemporaryName);
            line(L"\u3000[ " + stranded + L" ]");
        }
    }
    text(outcome.Left == 0 ? AllBack : SomeLeft);
    return outcome;
}

} // namespace tavlo
