#include "core/Names.h"

namespace tavlo {

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

bool SameFileName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldNameChar(a[i]) != FoldNameChar(b[i])) return false;
    return true;
}

std::wstring FoldName(std::wstring_view name)
{
    std::wstring folded(name);
    for (wchar_t& c : folded) c = FoldNameChar(c);
    return folded;
}

} // namespace tavlo
