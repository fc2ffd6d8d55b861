#pragma once
// The text logic behind the drive, folder and file lists: file-name masks, which entries a list
// shows, the chain of folders above a path and the drive row text. No system calls here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

// Attribute bits as the file system reports them.
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

// A file list shows files that are neither hidden nor system; a folder list shows such folders.
bool IsListedFile(std::uint32_t attributes);
bool IsListedFolder(std::uint32_t attributes);

// The character as file names compare: the simple upper case of Latin, Greek, Cyrillic, Armenian and
// full-width letters, the way the file system's case table folds them.
wchar_t FoldNameChar(wchar_t c);
// True when the two names are the same name to the file system (equal after folding).
bool SameName(std::wstring_view a, std::wstring_view b);

// One wildcard mask, with the meaning the system's own file search gives it on a long name:
//   *     any run of characters, dots included ("*.*" alone matches every name, with or without a dot);
//   *.    (a star before a dot) a run that does not take the last dot of the name, so "*.txt" needs the
//         extension to be exactly "txt" and "*." matches names without any dot;
//   ?     one character other than a dot, or nothing at a dot or at the end ("a?" matches "a" and "ab");
//   .     before a wildcard or at the end: a dot, or nothing at the end of the name ("abc." matches "abc").
// Letters compare without case.
class FileMask {
public:
    // Nullopt when the text is not a usable mask: empty, longer than a file name may be, or holding a
    // character that no file name holds (control characters and < > : " / \ |).
    static std::optional<FileMask> Parse(std::wstring_view text);

    bool Matches(std::wstring_view name) const;
    // True when the mask matches every name.
    bool MatchesAll() const;

private:
    enum class Kind : std::uint8_t { Literal, Star, StarToLastDot, QuestionMark, Dot };
    struct Token {
        Kind kind;
        wchar_t folded;
    };
    std::vector<Token> tokens_;
};

// A pattern: masks separated by semicolons, each trimmed of the blanks around it; empty pieces between
// semicolons are skipped. A name matches when any mask matches.
class FilePattern {
public:
    // Nullopt when the pattern is not usable: no mask at all, or any piece that is not a usable mask.
    static std::optional<FilePattern> Parse(std::wstring_view pattern);

    bool Matches(std::wstring_view name) const;
    std::size_t MaskCount() const { return masks_.size(); }

private:
    std::vector<FileMask> masks_;
    bool all_ = false;
};

// The folders from the root of `path` down to `path` itself, root first. A root ends with a
// backslash ("C:\", "\\server\share\"), the others do not. Empty when `path` is not absolute
// (a drive path or a server share). A trailing backslash on `path` is ignored.
std::vector<std::wstring> FolderChain(const std::wstring& path);
// `name` inside `folder`, with exactly one backslash between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// What a folder row shows: a root as it is, any other folder by its last component.
std::wstring FolderRowName(const std::wstring& folder);

// Typing a character in a list: the first row after `caret` (wrapping round) whose text begins with
// that character, compared as names compare; -1 when no row does. `rowText(i)` gives row i of `count`.
template <typename RowText>
int NextRowStartingWith(int count, int caret, wchar_t c, RowText rowText)
{
    const wchar_t wanted = FoldNameChar(c);
    for (int step = 1; step <= count; ++step) {
        int row = ((caret < 0 ? -1 : caret) + step) % count;
        const std::wstring& text = rowText(row);
        if (!text.empty() && FoldNameChar(text.front()) == wanted) return row;
    }
    return -1;
}

// A drive row: the lower-case drive ("c:") and, when the volume has one, its label in brackets.
// The first two characters always name the drive.
std::wstring DriveRowText(const std::wstring& root, const std::wstring& label);
// "C:" from a text whose first two characters name a drive ("c: [DATA]", "c:\", "C:"); empty otherwise.
std::wstring DriveOfText(std::wstring_view text);

} // namespace tavlo
