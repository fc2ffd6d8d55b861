#include "ui/FileMask.h"

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

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

} // namespace

bool IsListedFile(std::uint32_t attributes)
{
    return (attributes & (kAttributeDirectory | kAttributeHidden | kAttributeSystem)) == 0;
}

bool IsListedFolder(std::uint32_t attributes)
{
    return (attributes & kAttributeDirectory) != 0 && (attributes & (kAttributeHidden | kAttributeSystem)) == 0;
}

wchar_t FoldNameChar(wchar_t c)
{
    if (c < 0x80) return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 0x20) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    // Latin Extended-A: upper and lower case alternate, in two phases.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return static_cast<wchar_t>(c & ~1u);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1u) ? c : static_cast<wchar_t>(c - 1);
    // Greek.
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return static_cast<wchar_t>(c - 0x20);
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return static_cast<wchar_t>(c - 0x25);
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return static_cast<wchar_t>(c - 0x3F);
    // Cyrillic.
    if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
    // Armenian.
    if (c >= 0x561 && c <= 0x586) return static_cast<wchar_t>(c - 0x30);
    // Small Roman numerals and circled small letters.
    if (c >= 0x2170 && c <= 0x217F) return static_cast<wchar_t>(c - 0x10);
    if (c >= 0x24D0 && c <= 0x24E9) return static_cast<wchar_t>(c - 0x1A);
    // Full-width Latin.
    if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<wchar_t>(c - 0x20);
    return c;
}

bool SameName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldNameChar(a[i]) != FoldNameChar(b[i])) return false;
    return true;
}

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

// ---- Paths and rows ------------------------------------------------------------------------------

std::vector<std::wstring> FolderChain(const std::wstring& path)
{
    std::wstring root;
    std::size_t rest = 0;
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') {
        root = path.substr(0, 3);
        rest = 3;
    } else if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\' && path[2] != L'?' &&
               path[2] != L'.') {
        std::size_t server = path.find(L'\\', 2);
        if (server == std::wstring::npos || server == 2) return {};
        std::size_t share = path.find(L'\\', server + 1);
        if (share == server + 1) return {};
        if (share == std::wstring::npos) {
            root = path + L'\\';
            rest = path.size();
        } else {
            root = path.substr(0, share + 1);
            rest = share + 1;
        }
    } else {
        return {};
    }

    std::vector<std::wstring> chain{root};
    std::wstring current = root;
    while (rest < path.size()) {
        std::size_t slash = path.find(L'\\', rest);
        if (slash == std::wstring::npos) slash = path.size();
        if (slash > rest) {
            current = JoinPath(current, path.substr(rest, slash - rest));
            chain.push_back(current);
        }
        rest = slash + 1;
    }
    return chain;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty()) return name;
    if (folder.back() == L'\\') return folder + name;
    return folder + L'\\' + name;
}

std::wstring FolderRowName(const std::wstring& folder)
{
    if (folder.empty() || folder.back() == L'\\') return folder;
    std::size_t slash = folder.rfind(L'\\');
    return slash == std::wstring::npos ? folder : folder.substr(slash + 1);
}

std::wstring DriveRowText(const std::wstring& root, const std::wstring& label)
{
    std::wstring drive = DriveOfText(root);
    if (drive.empty()) return {};
    drive[0] = static_cast<wchar_t>(drive[0] - L'A' + L'a');
    if (label.empty()) return drive;
    return drive + L" [" + label + L"]";
}

std::wstring DriveOfText(std::wstring_view text)
{
    if (text.size() < 2 || !IsDriveLetter(text[0]) || text[1] != L':') return {};
    wchar_t letter = text[0] >= L'a' ? static_cast<wchar_t>(text[0] - L'a' + L'A') : text[0];
    return std::wstring{letter, L':'};
}

} // namespace tavlo
