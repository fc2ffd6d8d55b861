#include "engine/RenameEngine.h"

#include "common/Catalogue.h"
#include "common/OnItsOwn.h"
#include "common/PlatformText.h"
#include "engine/ContentType.h"
#include "core/Paths.h"
#include "engine/WidthConversion.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tavlo {
namespace {

// Temporary names tried for a case-only rename; one that exists is passed over.
constexpr int kTemporaryNameTries = 100;

struct TableRow {
    const wchar_t* from;
    const wchar_t* to;
};
constexpr std::array<TableRow, 6> kFourToThree{{
    {L".HTML", L".HTM"}, {L".JPEG", L".JPG"}, {L".MPEG", L".MPG"},
    {L".AIFF", L".AIF"}, {L".TIFF", L".TIF"}, {L".TEXT", L".TXT"},
}};
constexpr std::array<TableRow, 6> kThreeToFour{{
    {L".HTM", L".HTML"}, {L".JPG", L".JPEG"}, {L".MPG", L".MPEG"},
    {L".AIF", L".AIFF"}, {L".TIF", L".TIFF"}, {L".TXT", L".TEXT"},
}};

constexpr std::size_t kTextProbeBytes = 512;

// A new extension or the catalogue number of the reason it was refused.
struct Rule {
    std::optional<std::wstring> ext;
    TextNumber reason{};
};

Rule ByTable(const std::wstring& ext, const std::array<TableRow, 6>& table, const std::array<bool, 6>& enabled)
{
    std::wstring upper = PlatformUpper(ext);
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (upper == table[row].from) {
            if (enabled[row]) return {std::wstring(table[row].to)};
            break;
        }
    }
    return {std::nullopt, program_text::NotEnabled};
}

} // namespace

// A name the system would store differently (trailing dot or blank dropped) or refuse outright: never
// create it, since the file would end up under a name nobody asked for or that Explorer cannot handle.
bool RenameEngine::IsUsableFileName(const std::wstring& name)
{
    if (name.empty() || name.back() == L'.' || name.back() == L' ') return false;
    for (wchar_t c : name) {
        if (c < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) return false;
    }
    return true;
}

TextNumber RowsMissing(Mode mode, const RenameRules& rules)
{
    auto none = [](const std::array<bool, 6>& rows) { return std::find(rows.begin(), rows.end(), true) == rows.end(); };
    if (mode == Mode::FourToThree && none(rules.Exp43)) return program_text::NoFourToThreeRow;
    if (mode == Mode::ThreeToFour && none(rules.Exp34)) return program_text::NoThreeToFourRow;
    return {};
}

bool EqualButForCase(const std::wstring& a, const std::wstring& b)
{
    // The platform's case mapping, the one the case modes convert with: a name they give that differs
    // only in case is always taken for the same name.
    return a.size() == b.size() && a != b && PlatformUpper(a) == PlatformUpper(b);
}

bool ListsExactly(FileSystem& fs, const std::wstring& path, const std::wstring& other)
{
    const std::vector<std::wstring> names = fs.NamesLike(path);
    auto has = [&](const std::wstring& n) { return std::find(names.begin(), names.end(), n) != names.end(); };
    return has(GetFileName(path)) && (other.empty() || !has(other));
}

std::wstring TemporaryName(int n) { return L"~tavlo2-" + std::to_wstring(n) + L".tmp"; }

bool IsTemporaryName(const std::wstring& name)
{
    // Undo asks this of every name in a folder: most fail at the prefix.
    if (name.rfind(L"~tavlo2-", 0) != 0) return false;
    for (int n = 1; n <= kTemporaryNameTries; ++n)
        if (name == TemporaryName(n)) return true;
    return false;
}

std::optional<std::wstring> RenameEngine::FreeTemporaryPath(const std::wstring& folder, FolderListing& names)
{
    for (int n = 1; n <= kTemporaryNameTries; ++n) {
        std::wstring name = TemporaryName(n);
        if (names.Like(name).empty()) return folder + name;
    }
    return std::nullopt;
}

bool RenameEngine::Carries(const std::wstring& path)
{
    // With no case twin in the folder, the look-up answers with the one entry of the name, in the case
    // it is stored: the new one only if the rename really took place.
    return fs_.StoredName(path) == std::optional<std::wstring>(GetFileName(path));
}

// A rename to another case of the same name. Some volumes answer such a rename with success and keep
// the old name, others refuse it; going through a temporary name works on both, and once a folder has
// shown it needs that, the rest of the run goes that way at once. A case-sensitive folder may hold the
// new name as a file of its own, which the case-blind lookup cannot see, so that is decided from the
// folder's listing, read once per run.
RenameEngine::Step RenameEngine::RenameCaseOnly(const std::wstring& path, const std::wstring& newPath,
                                                   const std::wstring& folder)
{
    const std::wstring oldName = GetFileName(path);
    const std::wstring newName = GetFileName(newPath);
    CaseFolder& state = caseFolders_.try_emplace(folder, fs_, folder).first->second;
    // Any other entry that is the same name but for case (a twin) could block the way back from the
    // temporary name, so it stops the rename before anything is touched.
    const std::vector<std::wstring> before = state.names.Like(newName);
    if (std::any_of(before.begin(), before.end(), [&](const std::wstring& n) { return n != oldName; })) return {};
    if (!state.detour) {
        Intent(path, {}, newPath);
        if (fs_.RenameNoReplace(path, newPath) && Carries(newPath)) {
            state.names.Renamed(oldName, newName);
            return {true, {}};
        }
        state.detour = true;
    }

    const std::optional<std::wstring> temporary = FreeTemporaryPath(folder, state.names);
    if (!temporary) return {};
    Intent(path, *temporary, newPath);
    // Past this point the listing may no longer match the folder if a step fails: it is read again.
    if (!fs_.RenameNoReplace(path, *temporary)) {
        caseFolders_.erase(folder);
        return {};
    }
    if (fs_.RenameNoReplace(*temporary, newPath) && Carries(newPath)) {
        state.names.Renamed(oldName, newName);
        return {true, {}};
    }
    caseFolders_.erase(folder);
    // Claimed but not carried out: the file is still under the temporary name, or under some other case
    // of its own name, which the look-up below tells apart.
    if (!fs_.StoredName(*temporary) || fs_.RenameNoReplace(*temporary, path) || !fs_.StoredName(*temporary)) return {};
    return {false, *temporary};
}

bool IsTextFile(const std::wstring& path, FileSystem& fs)
{
    std::optional<std::string> head = fs.ReadHead(path, kTextProbeBytes);
    return head && head->find('\0') == std::string::npos;
}


RenameEngine::Step RenameEngine::Rename(const std::wstring& from, const std::wstring& to)
{
    if (!IsUsableFileName(GetFileName(to))) return {};
    if (!EqualButForCase(from, to)) {
        Intent(from, {}, to);
        const bool renamed = fs_.RenameNoReplace(from, to);
        // A listing read for an earlier case-only rename in this folder follows the change.
        const auto listed = caseFolders_.find(GetFolderPrefix(to));
        if (renamed && listed != caseFolders_.end()) listed->second.names.Renamed(GetFileName(from), GetFileName(to));
        return {renamed, {}};
    }
    return RenameCaseOnly(from, to, GetFolderPrefix(to));
}

void RenameEngine::Intent(const std::wstring& from, const std::wstring& temporary, const std::wstring& to)
{
    // The rename goes ahead whatever the recorder makes of it; it says so in the log itself.
    if (recorder_) OnItsOwn([&] { recorder_->Intent(from, temporary, to); });
}

// The content mode: the extension the content calls for, whatever extension the file has (none included).
RenameOutcome RenameEngine::DecideByContent(const std::wstring& path, const std::wstring& content)
{
    using Kind = ContentVerdict::Kind;
    RenameOutcome outcome;
    outcome.path = path;
    const std::wstring ext = GetExtension(path, false);
    // A name the system would store otherwise (a trailing dot or blank) could never be given back by undo.
    if (ext == L"." || !IsUsableFileName(GetFileName(path))) return outcome;
    const std::optional<FileIdentity> identity = fs_.Identity(content);
    const ContentVerdict verdict =
        identity ? DetectContent([&](std::uint64_t offset, std::size_t count) { return fs_.ReadRange(content, offset, count); },
                                 identity->Size)
                 : ContentVerdict{Kind::Unreadable};
    static constexpr TextNumber kReasons[] = {{}, program_text::ContentIsText, program_text::ContentEmpty,
                                                program_text::ContentUnknown, program_text::ContentAmbiguous,
                                                program_text::ContentUnreadable};
    if (verdict.kind != Kind::Format) {
        outcome.kind = RenameOutcome::Kind::Refused;
        outcome.reason = kReasons[static_cast<int>(verdict.kind)];
        return outcome;
    }
    outcome.detected = ContentFormatName(verdict.format);
    const std::optional<std::wstring> wanted = ContentExtension(verdict.format, ext.size() > 1 ? ext : std::wstring());
    outcome.newPath = wanted ? path.substr(0, path.size() - ext.size()) + *wanted : path;
    outcome.kind = outcome.newPath == path ? RenameOutcome::Kind::Unchanged : RenameOutcome::Kind::Renamed;
    return outcome;
}

RenameOutcome RenameEngine::Decide(const std::wstring& path, Mode mode, const std::wstring& content)
{
    const std::wstring& readFrom = content.empty() ? path : content;
    if (mode == Mode::Content) return DecideByContent(path, readFrom);
    RenameOutcome outcome;
    outcome.path = path;
    const std::wstring ext = GetExtension(path, opts_.DblExp);
    const std::wstring folder = GetFolderPrefix(path);
    const std::wstring base = GetBaseName(path, opts_.DblExp);
    if (ext.empty() || ext == L".") return outcome;
    const std::wstring afterDot = ext.substr(1);

    Rule rule;
    switch (mode) {
    case Mode::CutToThree:
        if (Cp932ByteLength(ext) != ext.size()) rule.reason = program_text::HasWideChar;
        else if (ext.size() <= 4) rule.reason = program_text::ShortEnough;
        else rule.ext = ext.substr(0, 4);
        break;
    case Mode::DocToTxt:
        if (PlatformUpper(ext) != L".DOC") rule.reason = program_text::NotDoc;
        else if (!IsTextFile(readFrom, fs_)) rule.reason = program_text::NotText;
        else rule.ext = L".TXT";
        break;
    case Mode::FourToThree: rule = ByTable(ext, kFourToThree, opts_.Exp43); break;
    case Mode::ThreeToFour: rule = ByTable(ext, kThreeToFour, opts_.Exp34); break;
    case Mode::FullWidth: rule.ext = L"." + ToFullWidth(afterDot); break;
    case Mode::HalfWidth: rule.ext = L"." + ToHalfWidth(afterDot, opts_.Hira); break;
    case Mode::LowerCase: rule.ext = L"." + PlatformLower(afterDot); break;
    case Mode::UpperCase: rule.ext = L"." + PlatformUpper(afterDot); break;
    default: return outcome;
    }
    if (!rule.ext) {
        outcome.kind = RenameOutcome::Kind::Refused;
        outcome.reason = rule.reason;
        return outcome;
    }

    outcome.newPath = folder + base + *rule.ext;
    outcome.kind = outcome.newPath == path ? RenameOutcome::Kind::Unchanged : RenameOutcome::Kind::Renamed;
    return outcome;
}

RenameOutcome RenameEngine::ChangeExtension(const std::wstring& path, Mode mode)
{
    // A target gone since it was listed is that in every mode, even one that would leave its name as it is.
    if (!fs_.Exists(path)) {
        RenameOutcome missing;
        missing.path = path;
        missing.kind = RenameOutcome::Kind::Refused;
        missing.reason = program_text::FileMissing;
        return missing;
    }
    RenameOutcome outcome = Decide(path, mode);
    if (outcome.kind != RenameOutcome::Kind::Renamed) return outcome;
    const Step step = Rename(path, outcome.newPath);
    if (!step.renamed) outcome.kind = RenameOutcome::Kind::Failed;
    outcome.strandedAt = step.strandedAt;
    return outcome;
}

} // namespace tavlo
