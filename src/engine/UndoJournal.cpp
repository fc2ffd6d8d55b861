#include "engine/UndoJournal.h"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_map>
#include <utility>

namespace tavlo {
namespace {

constexpr char kHeader[] = "TAVLO2-JOURNAL 1";

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::optional<std::uint64_t> Number(const std::string& text)
{
    if (text.empty() || text.size() > 20 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        // A number beyond 64 bits is a damaged field, not one to read wrapped round.
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::string RunLine(const JournalRun& run)
{
    return "R\t" + run.Id + "\t" + ToJournalText(run.Time) + "\t" + std::to_string(run.Mode);
}

std::string IdentityFields(const FileIdentity& identity)
{
    return std::to_string(identity.Size) + "\t" + std::to_string(identity.WriteTime) + "\t" + std::to_string(identity.FileId);
}

std::string FileLine(const std::string& id, const JournalFile& file)
{
    if (!file.Done)
        return "I\t" + id + "\t" + IdentityFields(file.Identity) + "\t" + ToJournalText(file.From) + "\t" +
               ToJournalText(file.Temporary) + "\t" + ToJournalText(file.To);
    return "F\t" + id + "\t" + IdentityFields(file.Identity) + "\t" + ToJournalText(file.From) + "\t" + ToJournalText(file.To);
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// A full path as the program writes it: a drive's or a share's, with a name after the folder, and no
// control character (a line ended by two CRs, or a torn one).
bool IsWrittenPath(const std::wstring& path)
{
    if (std::any_of(path.begin(), path.end(), [](wchar_t c) { return c < 0x20; })) return false;
    const bool letter = !path.empty() && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    const bool drive = path.size() > 3 && letter && path[1] == L':' && path[2] == L'\\';
    const bool share = path.size() > 4 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
    return (drive || share) && path.back() != L'\\';
}

// The names of one record: full paths, in one folder (a rename never moves a file).
bool IsSoundRecord(const JournalFile& file)
{
    if (!IsWrittenPath(file.From) || !IsWrittenPath(file.To) || FolderOf(file.From) != FolderOf(file.To)) return false;
    return file.Temporary.empty() || (IsWrittenPath(file.Temporary) && FolderOf(file.Temporary) == FolderOf(file.From));
}

} // namespace

std::string ToJournalText(const std::wstring& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint16_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            const std::uint32_t low = static_cast<std::uint16_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring FromJournalText(const std::string& text)
{
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : 4;
        if (extra == 4 || i + extra >= text.size() + (extra == 0 ? 1 : 0)) return {};
        std::uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return {};
            c = (c << 6) | (next & 0x3F);
        }
        // Each character has one form: a longer one, a surrogate or a number past Unicode is damage.
        static constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (c < kLeast[extra] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) return {};
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
    return out;
}

std::vector<JournalRun> ParseJournal(const std::string& text)
{
    std::vector<JournalRun> runs;
    // Runs by id, and each run's intents still waiting for their outcome, by run and old name.
    std::unordered_map<std::string, std::size_t> byId;
    std::map<std::pair<std::size_t, std::wstring>, std::size_t> waiting;
    auto identity = [](const std::vector<std::string>& f) -> std::optional<FileIdentity> {
        const auto size = Number(f[2]), time = Number(f[3]), id = Number(f[4]);
        if (!size || !time || !id) return std::nullopt;
        return FileIdentity{*size, *time, *id};
    };
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A line with a zero byte is a tail a power cut left unwritten.
        if (line.size() < 3 || line[1] != '\t' || line.find('\0') != std::string::npos) continue;
        const std::vector<std::string> f = Fields(line);
        const auto known = byId.find(f[1]);
        const char kind = line[0];
        if (kind == 'R') {
            const auto mode = f.size() == 4 ? Number(f[3]) : std::nullopt;
            if (!mode || *mode > static_cast<std::uint64_t>(UndoJournal::kLastMode) || known != byId.end()) continue;
            byId.emplace(f[1], runs.size());
            runs.push_back(JournalRun{.Id = f[1], .Time = FromJournalText(f[2]), .Mode = static_cast<int>(*mode)});
            continue;
        }
        if (known == byId.end()) continue;
        const std::size_t runIndex = known->second;
        JournalRun& run = runs[runIndex];
        if ((kind == 'F' && f.size() == 7) || (kind == 'I' && f.size() == 8)) {
            const std::optional<FileIdentity> id = identity(f);
            const bool intent = kind == 'I';
            JournalFile file{FromJournalText(f[5]), FromJournalText(f[intent ? 7 : 6]),
                             intent ? FromJournalText(f[6]) : std::wstring(), id.value_or(FileIdentity{}), !intent};
            if (!id || (intent && !f[6].empty() && file.Temporary.empty()) || !IsSoundRecord(file)) continue;
            const auto key = std::make_pair(runIndex, file.From);
            const auto pending = waiting.find(key);
            if (pending != waiting.end()) {
                // A later record of the same file: the intent of its second step, or the outcome.
                run.Files[pending->second] = std::move(file);
                if (!intent) waiting.erase(pending);
            } else {
                if (intent) waiting.emplace(key, run.Files.size());
                run.Files.push_back(std::move(file));
            }
        } else if (kind == 'X' && f.size() == 3) {
            const auto pending = waiting.find(std::make_pair(runIndex, FromJournalText(f[2])));
            if (pending == waiting.end()) continue;
            const std::size_t gone = pending->second;
            run.Files.erase(run.Files.begin() + static_cast<std::ptrdiff_t>(gone));
            waiting.erase(pending);
            for (auto& [key, index] : waiting)
                if (key.first == runIndex && index > gone) --index;
        } else if (kind == 'P' && f.size() == 3) {
            run.Writer = f[2];
        } else if (kind == 'E' && f.size() == 2) {
            run.Ended = true;
        } else if (kind == 'S' && f.size() == 2) {
            run.PassedOver = true;
        } else if (kind == 'U' && f.size() == 2) {
            run.TakenBack = true;
        }
    }
    return runs;
}

std::string FormatJournal(const std::vector<JournalRun>& runs)
{
    std::string text = std::string(kHeader) + "\n";
    for (const JournalRun& run : runs) {
        text += RunLine(run) + "\n";
        if (!run.Writer.empty()) text += "P\t" + run.Id + "\t" + run.Writer + "\n";
        for (const JournalFile& file : run.Files) text += FileLine(run.Id, file) + "\n";
        if (run.Ended) text += "E\t" + run.Id + "\n";
        if (run.PassedOver) text += "S\t" + run.Id + "\n";
        if (run.TakenBack) text += "U\t" + run.Id + "\n";
    }
    return text;
}

std::uint64_t JournalCutPoint(const JournalReadAt& read, std::uint64_t size, std::size_t keep)
{
    constexpr std::size_t kPiece = 64 * 1024;
    static const std::string kRunStart = "\nR\t";
    std::size_t found = 0;
    std::uint64_t keptFrom = 0;
    std::string after; // the first bytes of the piece read before, for a run start across the border
    for (std::uint64_t end = size; end > 0;) {
        const std::uint64_t begin = end > kPiece ? end - kPiece : 0;
        std::string piece = read(begin, static_cast<std::size_t>(end - begin));
        if (piece.size() != end - begin) return 0;
        const std::size_t own = piece.size();
        piece += after;
        for (std::size_t at = piece.rfind(kRunStart, own - 1); at != std::string::npos;
             at = at == 0 ? std::string::npos : piece.rfind(kRunStart, at - 1)) {
            if (++found > keep) return keptFrom;
            keptFrom = begin + at + 1;
        }
        after = piece.substr(0, kRunStart.size() - 1);
        end = begin;
    }
    return 0;
}

UndoJournal::Run::Run(UndoJournal& journal, int mode, std::wstring time, std::string id)
    : journal_(&journal), mode_(mode), time_(std::move(time)), id_(std::move(id))
{
}

UndoJournal::Run::Run(Run&& other) noexcept
    : journal_(other.journal_), mode_(other.mode_), time_(std::move(other.time_)), id_(std::move(other.id_)),
      started_(std::exchange(other.started_, false)), failed_(other.failed_), after_(std::move(other.after_))
{
}

UndoJournal::Run::~Run()
{
    if (!started_) return;
    if (!failed_) journal_->store_.Append(TakeAfter() + "E\t" + id_);
    journal_->store_.Close();
}

std::string UndoJournal::Run::TakeAfter()
{
    return after_.empty() ? std::string() : std::exchange(after_, std::string()) + "\n";
}

bool UndoJournal::Run::Write(const std::string& line)
{
    if (failed_) return false;
    if (!started_) {
        started_ = true;
        if (!journal_->StartRun(*this)) {
            failed_ = true;
            return false;
        }
    }
    if (!journal_->store_.Append(TakeAfter() + line)) failed_ = true;
    return !failed_;
}

void UndoJournal::Run::WriteAfter(std::string line)
{
    // What became of a file goes out with the next record (the next file's intent, or the run's end):
    // one append instead of two per file. Cut off before that, the intent alone stands, and undo looks
    // on the disk for where the file is.
    if (failed_ || !started_) return;
    after_ = after_.empty() ? std::move(line) : after_ + "\n" + line;
}

void UndoJournal::Run::Intent(const std::wstring& from, const std::wstring& temporary, const std::wstring& to,
                              const FileIdentity& identity)
{
    Write(FileLine(id_, JournalFile{from, to, temporary, identity, false}));
}

void UndoJournal::Run::Renamed(const std::wstring& from, const std::wstring& to, const FileIdentity& identity)
{
    // A step no intent announced is written at once.
    if (!started_) Write(FileLine(id_, JournalFile{from, to, {}, identity, true}));
    else WriteAfter(FileLine(id_, JournalFile{from, to, {}, identity, true}));
}

void UndoJournal::Run::NotRenamed(const std::wstring& from)
{
    WriteAfter("X\t" + id_ + "\t" + ToJournalText(from));
}

UndoJournal::Run UndoJournal::Begin(int mode, std::wstring time, std::string id)
{
    return Run(*this, mode, std::move(time), std::move(id));
}

// Opens a run: a journal that is no journal of ours is set aside first (never wiped), one that cannot be
// read now is left as it is, and the oldest runs are cut off when no one else writes (a trim waits for
// another time rather than replace a file someone appends to).
bool UndoJournal::StartRun(const Run& run)
{
    const std::optional<std::string> start = store_.ReadStart(sizeof kHeader - 1);
    const bool ours = start && start->rfind(kHeader, 0) == 0;
    if (start && !start->empty() && !ours) {
        setAside_ = store_.SetAside();
        if (setAside_.empty()) return false;
    }
    if (start && !ours) {
        if (!store_.Append(kHeader)) return false;
    } else if (ours) {
        store_.Trim([](const JournalReadAt& read, std::uint64_t size) { return JournalCutPoint(read, size, kRunsKept - 1); });
    }
    const std::string writer = store_.WriterStamp();
    return store_.Append(RunLine(JournalRun{.Id = run.id_, .Time = run.time_, .Mode = run.mode_})) &&
           (writer.empty() || store_.Append("P\t" + run.id_ + "\t" + writer));
}

UndoJournal::Choice UndoJournal::Choose()
{
    const std::vector<JournalRun> runs = ParseJournal(store_.Read().value_or(std::string()));
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        if (it->TakenBack || it->Files.empty()) continue;
        const bool running = !it->Ended && !it->Writer.empty() && store_.WriterRunning(it->Writer);
        if (!running) return {*it, std::nullopt};
        if (!it->PassedOver) return {std::nullopt, *it};
    }
    return {};
}

bool UndoJournal::PassOver(const std::string& id)
{
    const bool written = store_.Append("S\t" + id);
    store_.Close();
    return written;
}

std::optional<JournalRun> UndoJournal::LastRun()
{
    const std::vector<JournalRun> runs = ParseJournal(store_.Read().value_or(std::string()));
    for (auto it = runs.rbegin(); it != runs.rend(); ++it)
        if (!it->TakenBack && !it->Files.empty()) return *it;
    return std::nullopt;
}

bool UndoJournal::MarkTakenBack(const std::string& id)
{
    const bool written = store_.Append("U\t" + id);
    store_.Close();
    return written;
}

} // namespace tavlo
