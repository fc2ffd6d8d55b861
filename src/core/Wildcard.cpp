#include "core/Wildcard.h"

#include "core/Names.h"

#include <array>

namespace tavlo {

namespace {

// The longest name a folder can hold; a longer mask could match nothing anyway.
constexpr std::size_t kMaxMaskLength = 255;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool IsForbiddenInMask(wchar_t c)
{
    if (c < 0x20) return true;
    switch (c) {
        case L'<': case L'>': case L':': case L'"': case L'/': case L'\\': case L'|': return true;
        default: return false;
    }
}

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

// ---- FileMask ------------------------------------------------------------------------------------

std::optional<FileMask> FileMask::Parse(std::wstring_view text)
{
    if (text.empty() || text.size() > kMaxMaskLength) return std::nullopt;
    for (wchar_t c : text)
        if (IsForbiddenInMask(c)) return std::nullopt;

    FileMask mask;
    if (text == L"*.*") {
        mask.tokens_.push_back({Kind::Star, 0});
        return mask;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
        if (c == L'?') mask.tokens_.push_back({Kind::QuestionMark, 0});
        else if (c == L'*') mask.tokens_.push_back({next == L'.' ? Kind::StarToLastDot : Kind::Star, 0});
        else if (c == L'.' && (next == L'\0' || next == L'?' || next == L'*')) mask.tokens_.push_back({Kind::Dot, 0});
        else mask.tokens_.push_back({Kind::Literal, FoldNameChar(c)});
    }
    return mask;
}

bool FileMask::MatchesAll() const
{
    for (const Token& t : tokens_)
        if (t.kind != Kind::Star) return false;
    return true;
}

bool FileMask::Matches(std::wstring_view name) const
{
    // A run of the mask as a set of positions reached so far; every step consumes one character of
    // the name. Positions only ever move forward, so one pass settles the moves that consume nothing.
    const std::size_t count = tokens_.size();
    const std::size_t lastDot = name.rfind(L'.');
    std::array<std::uint8_t, kMaxMaskLength + 2> current{}, next{};

    auto closeOver = [&](std::array<std::uint8_t, kMaxMaskLength + 2>& states, std::size_t at) {
        const bool atEnd = at == name.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (!states[i]) continue;
            switch (tokens_[i].kind) {
                case Kind::Star:
                case Kind::StarToLastDot: states[i + 1] = 1; break;
                case Kind::QuestionMark:
                    if (atEnd || name[at] == L'.') states[i + 1] = 1;
                    break;
                case Kind::Dot:
                    if (atEnd) states[i + 1] = 1;
                    break;
                case Kind::Literal: break;
            }
        }
    };

    current[0] = 1;
    closeOver(current, 0);
    for (std::size_t at = 0; at < name.size(); ++at) {
        const wchar_t c = name[at];
        const wchar_t folded = FoldNameChar(c);
        next.fill(0);
        bool any = false;
        for (std::size_t i = 0; i < count; ++i) {
            if (!current[i]) continue;
            const Token& t = tokens_[i];
            switch (t.kind) {
                case Kind::Star: next[i] = 1; any = true; break;
                case Kind::StarToLastDot:
                    if (at != lastDot) {
                        next[i] = 1;
                        any = true;
                    }
                    break;
                case Kind::QuestionMark:
                    if (c != L'.') {
                        next[i + 1] = 1;
                        any = true;
                    }
                    break;
                case Kind::Dot:
                    if (c == L'.') {
                        next[i + 1] = 1;
                        any = true;
                    }
                    break;
                case Kind::Literal:
                    if (t.folded == folded) {
                        next[i + 1] = 1;
                        any = true;
                    }
                    break;
            }
        }
        if (!any) return false;
        closeOver(next, at + 1);
        current.swap(next);
    }
    return current[count] != 0;
}

// ---- FilePattern ---------------------------------------------------------------------------------

std::optional<FilePattern> FilePattern::Parse(std::wstring_view pattern)
{
    FilePattern result;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(L';', start);
        if (end == std::wstring_view::npos) end = pattern.size();
        std::wstring_view piece = Trim(pattern.substr(start, end - start));
        if (!piece.empty()) {
            std::optional<FileMask> mask = FileMask::Parse(piece);
            if (!mask) return std::nullopt;
            if (mask->MatchesAll()) result.all_ = true;
            result.masks_.push_back(std::move(*mask));
        }
        start = end + 1;
    }
    if (result.masks_.empty()) return std::nullopt;
    return result;
}

bool FilePattern::Matches(std::wstring_view name) const
{
    if (all_) return !name.empty();
    for (const FileMask& mask : masks_)
        if (mask.Matches(name)) return true;
    return false;
}

} // namespace tavlo
