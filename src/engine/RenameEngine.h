#pragma once
// The one operation that changes a file name: only the extension, in one of eight modes.
#include "common/FileSystem.h"
#include "engine/Sinks.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tavlo {

enum Mode : std::int16_t {
    ModeCutToThree = 0,
    ModeDocToTxt = 1,
    ModeFourToThree = 2,
    ModeThreeToFour = 3,
    ModeFullWidth = 4,
    ModeHalfWidth = 5,
    ModeLowerCase = 6,
    ModeUpperCase = 7,
};

// What the engine reads of the options: whether the archive double extensions count as one, whether
// the half-width conversion takes hiragana, and the enabled rows of the two conversion tables.
struct RenameRules {
    bool DblExp = false;
    bool Hira = true;
    std::array<bool, 6> Exp43{};
    std::array<bool, 6> Exp34{};
};

// True when `a` and `b` differ, but only in letter case.
bool EqualButForCase(const std::wstring& a, const std::wstring& b);
// True when the folder of `path` lists its last component exactly as written and, unless `other` is
// empty, not the name `other`: a case-sensitive listing, unlike the look-up, which answers for every
// case of a name.
bool ListsExactly(FileSystem& fs, const std::wstring& path, const std::wstring& other = {});

// True when the file holds no zero byte among its first 512 bytes; false when it cannot be read.
bool IsTextFile(const std::wstring& path, FileSystem& fs);
bool IsTextFile(const std::wstring& path);

// Told of every file the engine renamed, after the rename (the undo journal listens here).
class RenameRecorder {
public:
    virtual ~RenameRecorder() = default;
    virtual void Renamed(const std::wstring& from, const std::wstring& to) = 0;
};

class RenameEngine {
public:
    RenameEngine(FileSystem& fs, LogSink& log, ResultSink& results, const RenameRules& rules)
        : fs_(fs), log_(log), results_(results), opts_(rules)
    {
    }

    // Renames one file by the mode's rule and reports the outcome to the log; returns 0 when the
    // file now carries its final name (also recorded in the result sink), 1 when it was left as it is.
    std::int16_t ChangeExtension(const std::wstring& path, std::int16_t mode);

    void SetRecorder(RenameRecorder* recorder) { recorder_ = recorder; }

    // Renames `from` to `to` in the same folder the way ChangeExtension does: never replacing, a
    // case-only rename through a temporary name where the volume needs it.
    struct Outcome {
        bool renamed = false;
        std::wstring strandedAt; // the temporary name a failed case-only rename had to leave the file under
    };
    Outcome Rename(const std::wstring& from, const std::wstring& to);

private:
    void Log(const std::wstring& line);
    void Log(std::int16_t catalogueNumber);
    Outcome RenameCaseOnly(const std::wstring& path, const std::wstring& newPath, const std::wstring& folder);
    std::optional<std::wstring> FreeTemporaryPath(const std::wstring& folder);

    FileSystem& fs_;
    LogSink& log_;
    ResultSink& results_;
    const RenameRules opts_;
    RenameRecorder* recorder_ = nullptr;
};

} // namespace tavlo
