#pragma once
// File-name masks with the meaning the system's own search gives them: the file list's filter and the
// console's patterns. No system calls here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

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

} // namespace tavlo
