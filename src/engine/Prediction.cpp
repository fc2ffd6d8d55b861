#include "engine/Prediction.h"

#include "common/Catalogue.h"
#include "core/Names.h"
#include "core/Paths.h"
#include "engine/FolderListing.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace tavlo {
namespace {

// The names of one folder as the run would find them, entry by entry: listed once, then changed by
// every rename predicted in it.
class FolderNamesView {
public:
    FolderNamesView(FileSystem& fs, const std::wstring& folder) : listing_(fs, folder) {}
    // The exact names that equal `name` but for case.
    std::vector<std::wstring> Like(const std::wstring& name) { return listing_.Like(name); }
    void Renamed(const std::wstring& from, const std::wstring& to)
    {
        const std::wstring source = OnDisk(from);
        origin_.erase(from);
        origin_[to] = source;
        listing_.Renamed(from, to);
        taken_.insert(FoldName(to));
    }
    // The name a file of the view has on the disk now, before the renames predicted so far.
    std::wstring OnDisk(const std::wstring& name) const
    {
        const auto hit = origin_.find(name);
        return hit == origin_.end() ? name : hit->second;
    }
    // True when an earlier entry of the run gives its file this name (in any case).
    bool TakenByEarlier(const std::wstring& name) const { return taken_.count(FoldName(name)) > 0; }

private:
    FolderListing listing_;
    std::unordered_set<std::wstring> taken_;
    std::unordered_map<std::wstring, std::wstring> origin_; // a name given by a predicted rename -> the name on disk
};

} // namespace

std::vector<Prediction> PredictRun(const std::vector<std::wstring>& paths, Mode mode, FileSystem& fs,
                                   const RenameRules& rules, const std::atomic<bool>* stop)
{
    using namespace program_text;
    RenameEngine engine(fs, rules);
    std::unordered_map<std::wstring, FolderNamesView> folders;
    std::vector<Prediction> predictions;
    predictions.reserve(paths.size());
    for (const std::wstring& path : paths) {
        if (stop && *stop) break;
        Prediction p{path, {}, {}};
        const std::wstring folder = GetFolderPrefix(path);
        const std::wstring name = GetFileName(path);
        FolderNamesView& view = folders.try_emplace(folder, fs, folder).first->second;
        // The entry's name in every case the folder holds it: its own, and any case twins. The run's
        // look-up finds the file in any case, its exact spelling first.
        const std::vector<std::wstring> like = view.Like(name);
        const bool present = !like.empty();
        const std::wstring stored = std::find(like.begin(), like.end(), name) != like.end() || !present ? name : like.front();
        // The bytes the run will read are those of the file it finds by this name then.
        const RenameOutcome decision = present ? engine.Decide(path, mode, folder + view.OnDisk(stored)) : RenameOutcome{};
        const std::wstring newName = GetFileName(decision.newPath);
        if (!present) {
            p.result = FileGone;
        } else if (decision.kind == RenameOutcome::Kind::NoExtension) {
            p.result = NoExtensionToChange;
        } else if (decision.kind == RenameOutcome::Kind::Refused) {
            p.result = decision.reason == NotText && !fs.ReadHead(path, 1) ? CannotRead : decision.reason;
        } else if (decision.kind == RenameOutcome::Kind::Unchanged) {
            p.result = program_text::SameName;
        } else if (!RenameEngine::IsUsableFileName(newName)) {
            p.result = RenameFailed;
        } else if (EqualButForCase(name, newName)) {
            // A case-only rename: any other case of the name (a twin) stops it, as it stops the run.
            if (std::any_of(like.begin(), like.end(), [&](const std::wstring& n) { return n != name; }))
                p.result = CaseTwin;
        } else if (!view.Like(newName).empty()) {
            p.result = view.TakenByEarlier(newName) ? NameTakenByEarlier : NameTaken;
        }
        p.detected = decision.detected;
        if (decision.kind == RenameOutcome::Kind::Renamed && p.result == TextNumber{}) {
            p.result = WillRename;
            p.newName = newName;
            view.Renamed(stored, newName);
        }
        predictions.push_back(std::move(p));
    }
    return predictions;
}

std::wstring ResultText(const Prediction& prediction)
{
    std::wstring text = ProgramString(prediction.result);
    if (!text.empty() && text.front() == L'\u3000') text.erase(0, 1);
    if (prediction.detected == TextNumber{}) return text;
    return FillTag(FillTag(ProgramString(program_text::ResultWithFormat), L"%RESULT%", text), L"%FORMAT%",
                   ProgramString(prediction.detected));
}

} // namespace tavlo
