// The undo journal's reader: a file left by a killed run, cut lines, bad fields, lone surrogates, huge
// lines. What it reads, written again, reads the same; the last run is one of those read.
#include "FuzzText.h"
#include "MemoryJournal.h"
#include "engine/UndoJournal.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<JournalRun> runs = ParseJournal(text);
    const std::vector<JournalRun> again = ParseJournal(FormatJournal(runs));
    fuzz::Require(again.size() == runs.size(), "the runs read again");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        fuzz::Require(again[i].Id == runs[i].Id && again[i].Files.size() == runs[i].Files.size(), "the same runs");
        for (std::size_t f = 0; f < runs[i].Files.size(); ++f)
            fuzz::Require(again[i].Files[f].From == runs[i].Files[f].From && again[i].Files[f].To == runs[i].Files[f].To &&
                              again[i].Files[f].Identity == runs[i].Files[f].Identity,
                          "the same files");
    }
    test::MemoryJournal store;
    store.text = text;
    UndoJournal journal(store);
    if (const std::optional<JournalRun> last = journal.LastRun()) {
        fuzz::Require(!last->Files.empty() && !last->TakenBack, "the last run has files to take back");
        journal.MarkTakenBack(last->Id);
    }
    // A name survives the journal's own encoding: any name a file can have (no tab, no line break, whole
    // characters).
    const std::wstring name = fuzz::WideText(data, size);
    bool fileName = name.find_first_of(L"\t\r\n") == std::wstring::npos;
    for (wchar_t c : name) fileName = fileName && (c < 0xD800 || c > 0xDFFF);
    if (fileName) fuzz::Require(FromJournalText(ToJournalText(name)) == name, "a name survives the journal");
    return 0;
}
