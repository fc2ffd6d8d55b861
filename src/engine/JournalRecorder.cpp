#include "engine/JournalRecorder.h"

#include "common/Catalogue.h"
#include "engine/ExtensionModel.h"
#include "engine/RenameReport.h"

namespace tavlo {

JournalRecorder::JournalRecorder(JournalStore& store, FileSystem& fs, int mode, LogSink& log)
    : JournalRecorder(store, fs, mode, log, JournalTimeNow(), NewJournalRunId())
{
}

JournalRecorder::JournalRecorder(JournalStore& store, FileSystem& fs, int mode, LogSink& log, std::wstring time,
                                 std::string id)
    : fs_(fs), journal_(store), run_(journal_.Begin(mode, std::move(time), std::move(id))), log_(log)
{
}

void JournalRecorder::Renamed(const std::wstring& from, const std::wstring& to)
{
    const std::optional<FileIdentity> identity = IdentityOf(from, to);
    if (identity) run_.Renamed(from, to, *identity);
    if ((identity && !run_.Failed()) || told_) return;
    told_ = true;
    LogLine(log_, ProgramString(program_text::UndoUnavailable));
}

std::optional<FileIdentity> JournalRecorder::IdentityOf(const std::wstring& from, const std::wstring& to)
{
    Folder& folder = folders_[GetFolderName(to)];
    if (++folder.renamed == 2) {
        if (auto entries = fs_.FolderIdentities(GetFolderName(to)))
            for (auto& [name, identity] : *entries) folder.known.emplace(std::move(name), identity);
    }
    // Renamed before the folder was read: under its new name; after: still under its old one.
    for (const std::wstring& name : {GetFileName(to), GetFileName(from)}) {
        auto hit = folder.known.find(name);
        if (hit != folder.known.end()) return hit->second;
    }
    return fs_.Identity(to);
}

} // namespace tavlo
