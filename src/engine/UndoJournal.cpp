#include "engine/UndoJournal.h"

#include <algorithm>
#include <limits>
#include <sstream>

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

std::string FileLine(const std::string& id, const JournalFile& file)
{
    return "F\t" + id + "\t" + std::to_string(file.Identity.Size) + "\t" + std::to_string(file.Identity.WriteTime) +
           "\t" + std::to_string(file.Identity.FileId) + "\t" + ToJournalText(file.From) + "\t" + ToJournalText(file.To);
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
        const int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size() + (extra == 0 ? 1 : 0)) return {};
        std::uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
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
    std::istringstream in(text);
    std::string line;
    auto find = [&](const std::string& id) -> JournalRun* {
        for (auto it = runs.rbegin(); it != runs.rend(); ++it)
            if (it->Id == id) return &*it;
        return nullptr;
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> f = Fields(line);
        if (f[0] == "R" && f.size() == 4) {
            const auto mode = Number(f[3]);
            // The program's eight modes; any other number is a damaged line.
            if (!mode || *mode > 7 || f[1].empty() || find(f[1])) continue;
            runs.push_back(JournalRun{f[1], FromJournalText(f[2]), static_cast<int>(*mode), {}, false});
        } else if (f[0] == "F" && f.size() == 7) {
            JournalRun* run = find(f[1]);
            const auto size = Number(f[2]), time = Number(f[3]), id = Number(f[4]);
            JournalFile file{FromJournalText(f[5]), FromJournalText(f[6]), {}};
            // A path with a control character in it is no name a volume holds: the line is damaged.
            auto damaged = [](const std::wstring& path) {
                return path.empty() || std::any_of(path.begin(), path.end(), [](wchar_t c) { return c < 0x20; });
            };
            if (!run || !size || !time || !id || damaged(file.From) || damaged(file.To)) continue;
            file.Identity = FileIdentity{*size, *time, *id};
            run->Files.push_back(std::move(file));
        } else if (f[0] == "U" && f.size() == 2) {
            if (JournalRun* run = find(f[1])) run->TakenBack = true;
        }
    }
    return runs;
}

std::string FormatJournal(const std::vector<JournalRun>& runs)
{
    std::string text = std::string(kHeader) + "\n";
    for (const JournalRun& run : runs) {
        text += RunLine(run) + "\n";
        for (const JournalFile& file : run.Files) text += FileLine(run.Id, file) + "\n";
        if (run.TakenBack) text += "U\t" + run.Id + "\n";
    }
    return text;
}

UndoJournal::Run::Run(UndoJournal& journal, int mode, std::wstring time, std::string id)
    : journal_(journal), mode_(mode), time_(std::move(time)), id_(std::move(id))
{
}

UndoJournal::Run::~Run()
{
    if (started_) journal_.store_.Close();
}

void UndoJournal::Run::Renamed(const std::wstring& from, const std::wstring& to, const FileIdentity& identity)
{
    if (failed_) return;
    if (!started_) {
        started_ = true;
        if (!journal_.StartRun(*this)) {
            failed_ = true;
            return;
        }
    }
    if (!journal_.store_.Append(FileLine(id_, JournalFile{from, to, identity}))) failed_ = true;
}

UndoJournal::Run UndoJournal::Begin(int mode, std::wstring time, std::string id)
{
    return Run(*this, mode, std::move(time), std::move(id));
}

// Keeps the runs before this one to one fewer than the cap, then opens this one. The journal of
// twenty runs over thousands of files is large: the oldest runs are cut off by their first lines,
// without parsing (a line of a run cut off that stands later, such as its taken-back mark, names a
// run no longer there and is passed over when read).
bool UndoJournal::StartRun(const Run& run)
{
    const std::string text = store_.Read().value_or(std::string());
    std::vector<std::size_t> starts; // where each run's first line begins
    for (std::size_t at = text.find("\nR\t"); at != std::string::npos; at = text.find("\nR\t", at + 1))
        starts.push_back(at + 1);
    if (text.rfind(kHeader, 0) != 0) {
        if (!store_.Replace(std::string(kHeader) + "\n")) return false;
    } else if (starts.size() >= kRunsKept) {
        const std::size_t keepFrom = starts[starts.size() - (kRunsKept - 1)];
        if (!store_.Replace(std::string(kHeader) + "\n" + text.substr(keepFrom))) return false;
    }
    return store_.Append(RunLine(JournalRun{run.id_, run.time_, run.mode_, {}, false}));
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
    return store_.Append("U\t" + id);
}

} // namespace tavlo
