#pragma once
// The journal of renames that lets any run be taken back, even after the program was closed, ran from
// Send To or was cut off: before each step of a rename a record of intent, after it a record of what was
// done, the last 20 runs kept. Any number of processes write it at once. Text logic only; where the
// journal is stored comes through JournalStore.
#include "core/FileSystem.h"
#include "common/JournalStore.h"
#include "engine/Mode.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

struct JournalFile {
    std::wstring From;      // the full path before the rename
    std::wstring To;        // where the step left the file (its new name, or a temporary name); an intent's aim
    std::wstring Temporary; // an intent's temporary name, if its step goes through one
    FileIdentity Identity;
    // False for an intent whose outcome never reached the journal: the run was cut during the step, and
    // the file may stand under its old, its temporary or its new name.
    bool Done = true;
};

struct JournalRun {
    std::string Id{};
    std::wstring Time{}; // local time of the run's first rename, "2026-12-08 14:20:05"
    int Mode = 0;
    std::vector<JournalFile> Files{};
    bool TakenBack = false;
    bool Ended = false;   // the run's end was recorded
    std::string Writer{}; // the stamp of the process that ran it, if known
    bool PassedOver = false; // the user was told it was still in progress, and asked again
};

// Parses the journal's text. Lines that do not parse, or hold a path no run could have written, are passed
// over (a run cut short by a power cut may leave half a line).
std::vector<JournalRun> ParseJournal(const std::string& text);
std::string FormatJournal(const std::vector<JournalRun>& runs);

// Where a journal of `size` bytes is cut to keep its last `keep` runs: the offset of the oldest kept run's
// first line, or 0 when it holds no more. Reads backwards in pieces, so a long journal costs a piece of memory.
std::uint64_t JournalCutPoint(const JournalReadAt& read, std::uint64_t size, std::size_t keep);

class UndoJournal {
public:
    static constexpr std::size_t kRunsKept = 20;
    // The largest mode number a run line may hold.
    static constexpr int kLastMode = kModeCount - 1;

    explicit UndoJournal(JournalStore& store) : store_(store) {}

    // Records the steps of one run. Nothing is written before its first intent, so a run that renamed
    // nothing leaves no trace. Writing can fail without stopping the run: Failed says so.
    class Run {
    public:
        // Before a step: `from` is to become `to`, through `temporary` when that is not empty.
        void Intent(const std::wstring& from, const std::wstring& temporary, const std::wstring& to,
                    const FileIdentity& identity);
        // After it: the file now stands at `to` (its new name, or the temporary name it was left under).
        void Renamed(const std::wstring& from, const std::wstring& to, const FileIdentity& identity);
        // After it: the file kept its old name.
        void NotRenamed(const std::wstring& from);
        // True once a record could not be written: this run cannot be taken back whole.
        bool Failed() const { return failed_; }
        // The end of the run is recorded, what it wrote forced to the disk and the journal let go.
        ~Run();
        Run(Run&& other) noexcept;
        Run& operator=(Run&&) = delete;

    private:
        friend class UndoJournal;
        Run(UndoJournal& journal, int mode, std::wstring time, std::string id);
        bool Write(const std::string& line);
        void WriteAfter(std::string line);
        std::string TakeAfter();
        UndoJournal* journal_;
        int mode_;
        std::wstring time_;
        std::string id_;
        bool started_ = false;
        bool failed_ = false;
        std::string after_; // an outcome not yet written
    };

    // `time` as shown to the user; `id` unique to this run.
    Run Begin(int mode, std::wstring time, std::string id);

    // What Undo finds: the newest run that can be taken back, unless a newer one is still in progress in
    // another process and the user has not yet been told so (then `running` names it, and `run` is empty).
    struct Choice {
        std::optional<JournalRun> run;
        std::optional<JournalRun> running;
    };
    Choice Choose();
    // The user was told that `id` is in progress: the next Choose passes over it while it still runs.
    bool PassOver(const std::string& id);
    // The most recent run with renames not yet taken back, whether in progress or not.
    std::optional<JournalRun> LastRun();
    bool MarkTakenBack(const std::string& id);
    // Where a journal that was no journal of ours was set aside at this run's start; "" when none was.
    const std::wstring& SetAsidePath() const { return setAside_; }

private:
    bool StartRun(const Run& run);
    JournalStore& store_;
    std::wstring setAside_;
};

// One record's fields are separated by tabs, which no file name holds.
std::string ToJournalText(const std::wstring& text);
// The text of a record's field; "" for bytes that are no well-formed UTF-8 (overlong forms, surrogates, a
// damaged sequence), which makes the record a damaged one.
std::wstring FromJournalText(const std::string& text);

} // namespace tavlo
