#include "core/Paths.h"

#include <array>
#include <string_view>

namespace tavlo {
namespace {

constexpr std::size_t kNone = std::wstring::npos;

// Index where the file name starts: just after the last backslash, or 0.
std::size_t FileNameStart(const std::wstring& path)
{
    std::size_t slash = path.rfind(L'\\');
    return slash == kNone ? 0 : slash + 1;
}

// Index of the last dot of the file name, or kNone.
std::size_t LastDotInFileName(const std::wstring& path)
{
    std::size_t dot = path.rfind(L'.');
    if (dot == kNone || dot < FileNameStart(path)) return kNone;
    return dot;
}

// True when the text at `start` up to the end is one of the archive pairs (ASCII case ignored).
bool IsDoubleExtensionAt(const std::wstring& text, std::size_t start)
{
    static constexpr std::array<std::wstring_view, 4> kPairs{L".LZH.ZIP", L".LZH.LZH", L".ZIP.LZH", L".ZIP.ZIP"};
    if (text.size() - start != 8) return false;
    for (std::wstring_view pair : kPairs) {
        bool same = true;
        for (std::size_t i = 0; i < 8 && same; ++i) {
            wchar_t c = text[start + i];
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
            same = c == pair[i];
        }
        if (same) return true;
    }
    return false;
}

// Where a double extension ending at the last dot `dot` would start, or kNone.
// It only counts when at least one character of the file name precedes it: a name that is
// nothing but ".lzh.zip" then reads as base ".lzh" plus extension ".zip" in both GetExtension
// and GetBaseName, so folder + base + extension always rebuilds the path without overlap.
std::size_t DoubleExtensionStart(const std::wstring& path, std::size_t dot)
{
    std::size_t nameStart = FileNameStart(path);
    if (dot < nameStart + 5) return kNone;
    std::size_t start = dot - 4;
    return IsDoubleExtensionAt(path, start) ? start : kNone;
}

} // namespace

std::wstring GetFileName(const std::wstring& path)
{
    std::size_t slash = path.rfind(L'\\');
    if (slash == kNone) return {};
    return path.substr(slash + 1);
}

std::wstring GetFolderName(const std::wstring& path)
{
    std::size_t slash = path.rfind(L'\\');
    if (slash == kNone) return {};
    std::wstring folder = path.substr(0, slash);
    // A bare drive ("C:") means its root.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring GetFolderPrefix(const std::wstring& path)
{
    std::wstring folder = GetFolderName(path);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring GetExtension(const std::wstring& path, bool dblExp)
{
    std::size_t dot = LastDotInFileName(path);
    if (dot == kNone) return {};
    if (dblExp) {
        std::size_t start = DoubleExtensionStart(path, dot);
        if (start != kNone) return path.substr(start);
    }
    return path.substr(dot);
}

std::wstring GetBaseName(const std::wstring& path, bool dblExp)
{
    std::wstring name = GetFileName(path);
    std::size_t dot = name.rfind(L'.');
    if (dot == kNone) return name;
    if (dblExp) {
        std::size_t start = DoubleExtensionStart(name, dot);
        if (start != kNone) return name.substr(0, start);
    }
    return name.substr(0, dot);
}

std::wstring ShortenPath(const std::wstring& path)
{
    constexpr std::size_t kMaxPieces = 256;
    if (path.empty()) return path;

    // Piece i runs from starts[i] up to and including its backslash; the last piece has none.
    std::array<std::size_t, kMaxPieces> starts{};
    std::size_t count = 0;
    std::size_t pos = 0;
    for (;;) {
        if (count == kMaxPieces) return path;
        starts[count++] = pos;
        std::size_t slash = path.find(L'\\', pos);
        if (slash == kNone) break;
        pos = slash + 1;
    }
    if (count <= 4) return path;

    std::wstring out = path.substr(0, starts[2]); // pieces 1 and 2
    out += L"...\\";
    out += path.substr(starts[count - 2]);        // last-but-one and last piece
    return out;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

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

} // namespace tavlo
