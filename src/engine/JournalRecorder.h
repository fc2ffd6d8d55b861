#pragma once
// Writes each rename of one run to the undo journal, and tells the log once when it cannot. Every
// front end records its runs through this, so that any run can be taken back by any other.
#include "common/FileSystem.h"
#include "common/JournalStore.h"
#include "engine/Sinks.h"
#include "engine/UndoJournal.h"

#include <string>
#include <unordered_map>

namespace tavlo {

class JournalRecorder final : public RenameRecorder {
public:
    // The run is stamped with the local time and a new id (JournalTimeNow, NewJournalRunId).
    JournalRecorder(JournalStore& store, FileSystem& fs, int mode, LogSink& log);
    JournalRecorder(JournalStore& store, FileSystem& fs, int mode, LogSink& log, std::wstring time, std::string id);

    void Renamed(const std::wstring& from, const std::wstring& to) override;

private:
    // Asking each file for its identity costs an open apiece; from a folder's second file on, one
    // listing of the folder answers for all of them (a file keeps its identity across a rename).
    std::optional<FileIdentity> IdentityOf(const std::wstring& from, const std::wstring& to);

    struct Folder {
        int renamed = 0;
        std::unordered_map<std::wstring, FileIdentity> known;
    };

    FileSystem& fs_;
    UndoJournal journal_;
    UndoJournal::Run run_;
    LogSink& log_;
    bool told_ = false;
    std::unordered_map<std::wstring, Folder> folders_;
};

} // namespace tavlo
