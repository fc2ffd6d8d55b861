#include "engine/JournalRecorder.h"

#include "common/Catalogue.h"
#include "core/Names.h"
#include "core/Paths.h"
#include "engine/RenameReport.h"

namespace tavlo {

JournalRecorder::JournalRecorder(JournalStore& store, FileSystem& fs, Mode mode, LogSink& log)
    : JournalRecorder(store, fs, mode, log, JournalTimeNow(), NewJournalRunId())
{
}

JournalRecorder::JournalRecorder(JournalStore& store, FileSystem& fs, Mode mode, LogSink& log, std::wstring time,
                                 std::string id)
    : fs_(fs), journal_(store), run_(journal_.Begin(ModeNumber(mode), std::move(time), std::move(id))), log_(log)
{
}

void JournalRecorder::Intent(const std::wstring& from, const std::wstring& temporary, const std::wstring& to)
{
    if (from != current_) {
        current_ = from;
        identity_ = IdentityOf(from);
    }
    if (identity_) run_.Intent(from, temporary, to, *identity_);
    if (!identity_ || run_.Failed()) Tell();
    // A journal set aside at the run's start is named once, so the user can find its runs.
    if (const std::wstring& aside = journal_.SetAsidePath(); !aside.empty() && !asideTold_) {
        asideTold_ = true;
        LogLine(log_, FillTag(ProgramString(program_text::JournalSetAside), L"%PATH%", aside));
    }
}

void JournalRecorder::Renamed(const std::wstring& from, const std::wstring& to)
{
    if (from != current_) Intent(from, {}, to); // a step no intent announced
    if (identity_) run_.Renamed(from, to, *identity_);
    if (!identity_ || run_.Failed()) Tell();
    Moved(from, to);
    current_.clear();
}

void JournalRecorder::NotRenamed(const std::wstring& from)
{
    if (from == current_) run_.NotRenamed(from);
    current_.clear();
}

void JournalRecorder::Tell()
{
    if (told_) return;
    told_ = true;
    LogLine(log_, ProgramString(program_text::UndoUnavailable));
}

std::optional<FileIdentity> JournalRecorder::IdentityOf(const std::wstring& from)
{
    Folder& folder = folders_[GetFolderName(from)];
    if (++folder.files == 2) {
        if (auto entries = fs_.FolderIdentities(GetFolderName(from)))
            for (auto& [name, identity] : *entries) {
                auto [at, added] = folder.known.emplace(FoldName(name), identity);
                if (!added) at->second.reset();
            }
    }
    auto hit = folder.known.find(FoldName(GetFileName(from)));
    if (hit != folder.known.end() && hit->second) return hit->second;
    return fs_.Identity(from);
}

void JournalRecorder::Moved(const std::wstring& from, const std::wstring& to)
{
    auto folder = folders_.find(GetFolderName(from));
    if (folder == folders_.end() || folder->second.known.empty()) return;
    auto& known = folder->second.known;
    known.erase(FoldName(GetFileName(from)));
    auto [at, added] = known.emplace(FoldName(GetFileName(to)), identity_);
    if (!added) at->second.reset();
}

} // namespace tavlo
