#pragma once
// The journal of renames that lets any run be taken back, even after the program was closed or ran
// from Send To: one record per renamed file, appended and flushed as the run goes, the last 20 runs
// kept. Text logic only; where the journal is stored comes through JournalStore.
#include "common/JournalStore.h"
#include "common/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

struct JournalFile {
    std::wstring From;  // the full path before the rename
    std::wstring To;    // the full path after it
    FileIdentity Identity;
};

struct JournalRun {
    std::string Id;
    std::wstring Time;  // local time of the run's first rename, "2026-12-08 14:20:05"
    int Mode = 0;
    std::vector<JournalFile> Files;
    bool TakenBack = false;
};

// Parses the journal's text; lines that do not parse are passed over (a run cut short by a power
// cut may leave half a line).
std::vector<JournalRun> ParseJournal(const std::string& text);
std::string FormatJournal(const std::vector<JournalRun>& runs);

class UndoJournal {
public:
    static constexpr std::size_t kRunsKept = 20;

    explicit UndoJournal(JournalStore& store) : store_(store) {}

    // Records the renames of one run. Nothing is written before its first rename, so a run that
    // renamed nothing leaves no trace. Writing can fail without stopping the run: Failed says so.
    class Run {
    public:
        void Renamed(const std::wstring& from, const std::wstring& to, const FileIdentity& identity);
        // True once a record could not be written: this run cannot be taken back whole.
        bool Failed() const { return failed_; }
        // The end of the run: what it wrote is forced to the disk and the journal let go.
        ~Run();
        Run(Run&&) = default;

    private:
        friend class UndoJournal;
        Run(UndoJournal& journal, int mode, std::wstring time, std::string id);
        UndoJournal& journal_;
        int mode_;
        std::wstring time_;
        std::string id_;
        bool started_ = false;
        bool failed_ = false;
    };

    // `time` as shown to the user; `id` unique to this run.
    Run Begin(int mode, std::wstring time, std::string id);
    // The most recent run with renames not yet taken back.
    std::optional<JournalRun> LastRun();
    bool MarkTakenBack(const std::string& id);

private:
    bool StartRun(const Run& run);
    JournalStore& store_;
};

// One record's fields are separated by tabs, which no file name holds.
std::string ToJournalText(const std::wstring& text);
std::wstring FromJournalText(const std::string& text);

} // namespace tavlo
