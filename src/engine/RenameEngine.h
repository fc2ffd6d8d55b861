#pragma once
// The one operation that changes a file name: only the extension, in one of nine modes. It answers
// with what became of the file; RenameReport.h turns that into the log's lines.
#include "common/Catalogue.h"
#include "core/FileSystem.h"
#include "engine/FolderListing.h"
#include "engine/Mode.h"
#include "engine/Sinks.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace tavlo {

// What the engine reads of the options: whether the archive double extensions count as one, whether
// the half-width conversion takes hiragana, and the enabled rows of the two conversion tables.
struct RenameRules {
    bool DblExp = false;
    bool Hira = true;
    std::array<bool, 6> Exp43{};
    std::array<bool, 6> Exp34{};
};

// Why the mode cannot run at all under these rules: the catalogue number of the text that says so (4->3
// or 3->4 with no row of its table enabled), or 0 when it can.
TextNumber RowsMissing(Mode mode, const RenameRules& rules);

// True for a name the engine gives a file for the middle of a case-only rename.
bool IsTemporaryName(const std::wstring& name);

// True when `a` and `b` differ, but only in letter case.
bool EqualButForCase(const std::wstring& a, const std::wstring& b);
// True when the folder of `path` lists its last component exactly as written and, unless `other` is
// empty, not the name `other`: a case-sensitive listing, unlike the look-up, which answers for every
// case of a name.
bool ListsExactly(FileSystem& fs, const std::wstring& path, const std::wstring& other = {});

// True when the file holds no zero byte among its first 512 bytes; false when it cannot be read.
bool IsTextFile(const std::wstring& path, FileSystem& fs);

// What became of one file.
struct RenameOutcome {
    enum class Kind {
        NoExtension, // nothing to change: no extension, a bare dot, or an unknown mode
        Refused,     // the mode's rule does not apply; `reason` says why
        Unchanged,   // the rule gives the name the file has
        Failed,      // the rename did not happen
        Renamed,
    };
    Kind kind = Kind::NoExtension;
    std::wstring path;       // as given
    std::wstring newPath;    // Unchanged and Renamed: the file's final path; otherwise what was asked for, or empty
    TextNumber reason{}; // Refused: the catalogue number of the reason
    std::wstring strandedAt; // Failed: the temporary name the file had to be left under, if any
    TextNumber detected{}; // the content mode: the catalogue number of the format found, or 0

    // True when the file now carries its final name.
    bool Done() const { return kind == Kind::Unchanged || kind == Kind::Renamed; }
};

class RenameEngine {
public:
    RenameEngine(FileSystem& fs, const RenameRules& rules) : fs_(fs), opts_(rules) {}
    // Told before every step of a rename, so that a run cut off during it can still be taken back.
    void SetRecorder(RenameRecorder* recorder) { recorder_ = recorder; }

    // What the mode's rule makes of one file, reading at most its first bytes (the text test of mode
    // 1) and changing nothing: kind NoExtension, Refused (with the reason) or Unchanged, or Renamed
    // with the name the file would get. The run and the preview both start from this.
    // `content`, when given, is the file whose bytes the modes that read (DOC, content) look at: the one
    // the run will find by this entry's name, which the prediction knows when earlier entries took names.
    RenameOutcome Decide(const std::wstring& path, Mode mode, const std::wstring& content = {});
    // Renames one file by the mode's rule: the decision, then the rename.
    RenameOutcome ChangeExtension(const std::wstring& path, Mode mode);

    // Renames `from` to `to` in the same folder the way ChangeExtension does: never replacing, a
    // case-only rename through a temporary name where the volume needs it.
    struct Step {
        bool renamed = false;
        std::wstring strandedAt; // the temporary name a failed case-only rename had to leave the file under
    };
    Step Rename(const std::wstring& from, const std::wstring& to);
    // False for a name the system would store differently (a trailing dot or blank) or refuse.
    static bool IsUsableFileName(const std::wstring& name);

private:
    RenameOutcome DecideByContent(const std::wstring& path, const std::wstring& content);
    Step RenameCaseOnly(const std::wstring& path, const std::wstring& newPath, const std::wstring& folder);
    std::optional<std::wstring> FreeTemporaryPath(const std::wstring& folder, FolderListing& names);
    bool Carries(const std::wstring& path);

    void Intent(const std::wstring& from, const std::wstring& temporary, const std::wstring& to);

    FileSystem& fs_;
    const RenameRules opts_;
    RenameRecorder* recorder_ = nullptr;
    // Per folder of a case-only rename: its names, and whether its volume needs the temporary name.
    struct CaseFolder {
        CaseFolder(FileSystem& fs, const std::wstring& folder) : names(fs, folder) {}
        FolderListing names;
        bool detour = false;
    };
    std::unordered_map<std::wstring, CaseFolder> caseFolders_;
};

} // namespace tavlo
