#pragma once
// Writes each step of one run to the undo journal (the intent before it, the outcome after), and tells
// the log once when it cannot. Every front end records its runs through this, so that any run can be
// taken back by any other.
#include "core/FileSystem.h"
#include "common/JournalStore.h"
#include "engine/Mode.h"
#include "engine/Sinks.h"
#include "engine/UndoJournal.h"

#include <string>
#include <unordered_map>

namespace tavlo {

class JournalRecorder final : public RenameRecorder {
public:
    // The run is stamped with the local time and a new id (JournalTimeNow, NewJournalRunId).
    JournalRecorder(JournalStore& store, FileSystem& fs, Mode mode, LogSink& log);
    JournalRecorder(JournalStore& store, FileSystem& fs, Mode mode, LogSink& log, std::wstring time, std::string id);
    // The run's end is recorded when this goes.

    void Intent(const std::wstring& from, const std::wstring& temporary, const std::wstring& to) override;
    void Renamed(const std::wstring& from, const std::wstring& to) override;
    void NotRenamed(const std::wstring& from) override;

private:
    // Asking each file for its identity costs an open apiece; from a folder's second file on, one
    // listing of the folder answers for all of them (a file keeps its identity across a rename). The
    // listing follows the run's renames, so a name a file left never answers for it.
    std::optional<FileIdentity> IdentityOf(const std::wstring& from);
    void Moved(const std::wstring& from, const std::wstring& to);
    void Tell();

    struct Folder {
        int files = 0;
        // By the name in upper case, as the volume looks names up; nothing for case twins, which are
        // asked one by one.
        std::unordered_map<std::wstring, std::optional<FileIdentity>> known;
    };

    FileSystem& fs_;
    UndoJournal journal_;
    UndoJournal::Run run_;
    LogSink& log_;
    bool told_ = false;
    bool asideTold_ = false;
    std::unordered_map<std::wstring, Folder> folders_;
    // The file whose steps are under way, and its identity.
    std::wstring current_;
    std::optional<FileIdentity> identity_;
};

} // namespace tavlo
