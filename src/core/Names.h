#pragma once
// File names as the file system compares them: the one case-fold rule, and which entries the program
// lists at all. No system calls here.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavlo {

// Attribute bits as the file system reports them.
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

// A file list shows files that are neither hidden nor system; a folder list shows such folders. The
// console and every other way to gather targets skip the same entries.
bool IsListedFile(std::uint32_t attributes);
bool IsListedFolder(std::uint32_t attributes);

// The character as file names compare: the simple upper case of Latin, Greek, Cyrillic, Armenian and
// full-width letters, the way the file system's case table folds them.
wchar_t FoldNameChar(wchar_t c);
// The name with every character folded: the key under which two spellings of one name meet.
std::wstring FoldName(std::wstring_view name);
// True when the two names are the same name to the file system (equal after folding).
bool SameFileName(std::wstring_view a, std::wstring_view b);

} // namespace tavlo
