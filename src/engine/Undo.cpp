#include "engine/Undo.h"

#include "common/Catalogue.h"
#include "engine/ExtensionModel.h"
#include "engine/RenameEngine.h"

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

struct NoResults : ResultSink {
    void ListInAdd(const std::wstring&) override {}
};

class UndoLog {
public:
    explicit UndoLog(LogSink& log) : log_(log) {}
    void Line(const std::wstring& text)
    {
        try {
            log_.ListInAdd(text);
        } catch (...) {
            // A failing log does not stop the undo.
        }
    }
    void Line(std::int16_t number) { Line(std::wstring(ProgramText(number))); }

private:
    LogSink& log_;
};

} // namespace

UndoOutcome TakeBack(const JournalRun& run, FileSystem& fs, LogSink& log, const RenameRules& rules)
{
    UndoLog out(log);
    NoResults noResults;
    RenameEngine engine(fs, log, noResults, rules);
    UndoOutcome outcome;
    for (auto file = run.Files.rbegin(); file != run.Files.rend(); ++file) {
        out.Line(L"[ " + ShortenPath(file->To) + L" ]");
        std::int16_t reason = 0;
        std::wstring stranded;
        if (!ListsExactly(fs, file->To)) {
            reason = Missing; // renamed again, moved or deleted since
        } else if (fs.Identity(file->To) != std::optional<FileIdentity>(file->Identity)) {
            reason = OtherFile;
        } else if (!EqualButForCase(file->From, file->To) && fs.StoredName(file->From)) {
            reason = OldNameTaken;
        } else {
            const RenameEngine::Outcome renamed = engine.Rename(file->To, file->From);
            if (!renamed.renamed) {
                reason = RenameRefused;
                stranded = renamed.strandedAt;
            }
        }
        if (reason == 0) {
            ++outcome.Back;
            out.Line(20003);
            out.Line(L"\u3000[ " + GetFileName(file->From) + L" ]");
            out.Line(PutBack);
            continue;
        }
        ++outcome.Left;
        out.Line(NotPutBack);
        out.Line(reason);
        if (!stranded.empty()) {
            out.Line(text_number::LeftUnderTemporaryName);
            out.Line(L"\u3000[ " + stranded + L" ]");
        }
    }
    out.Line(outcome.Left == 0 ? AllBack : SomeLeft);
    return outcome;
}

} // namespace tavlo
