#pragma once
// Path, disk and text helpers shared by the windows.
#include "core/LongPath.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavlo {

class FileSystem;

// The path with an upper-case drive letter and every component as stored on disk; empty when a
// component is missing, the path is not an absolute drive path, or it holds a wildcard.
std::wstring ExpandLongPath(const std::wstring& path, FileSystem& fs);
std::wstring ExpandLongPath(const std::wstring& path);

// The absolute form the system gives `path` ("." and ".." resolved, '/' made '\\', a relative path taken
// from the current folder), however long; empty when the system refuses it.
std::wstring SystemFullPath(const std::wstring& path);

// True when the file (not a folder) can be opened for reading.
bool CanOpenFile(const std::wstring& path);
// CanOpenFile for many paths, answer i for path i. The opens of a long list overlap on a few threads:
// each mostly waits (under Wine on its server, on a network share on the wire).
std::vector<bool> CanOpenFiles(const std::vector<std::wstring>& paths);

// " (1,234.5M Free)" for the drive named by the first two characters of `path`; empty on failure.
std::wstring GetDiskFreeText(const std::wstring& path);
// The formatting part of GetDiskFreeText, for a byte count and the locale's group and decimal separators.
std::wstring FormatDiskFree(std::uint64_t freeBytes, const std::wstring& groupSeparator,
                            const std::wstring& decimalSeparator = L".");

// The system's folder for temporary files, as the system reports it (as a rule ending with a backslash).
std::wstring GetTempFolder();

// The folder of the running program; a drive root keeps its backslash (C:\).
std::wstring GetProgramFolder();

// Upper-cased, except full-width Latin, Greek and Cyrillic small letters, which stay.
std::wstring UpperCaseNarrow(const std::wstring& text);

} // namespace tavlo
