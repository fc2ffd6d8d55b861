#pragma once
// Taking a path apart and putting it together: folder, file name, base name and extension, the chain of
// folders above a path, and the short display form. Pure text functions on backslash-separated paths;
// they never touch the disk and never fail.
#include <string>
#include <vector>

namespace tavlo {

// The text after the last backslash; empty when there is none or the path ends with one.
std::wstring GetFileName(const std::wstring& path);

// The text before the last backslash ("C:" becomes "C:\"); empty when there is no backslash.
std::wstring GetFolderName(const std::wstring& path);
// GetFolderName ending with one backslash, ready for a file name to follow.
std::wstring GetFolderPrefix(const std::wstring& path);

// From the last dot of the file name to the end, dot included; empty when the file name has no dot.
// With dblExp, .LZH.LZH, .LZH.ZIP, .ZIP.LZH and .ZIP.ZIP (any case) count as one extension.
std::wstring GetExtension(const std::wstring& path, bool dblExp);

// The file name without its extension (same dblExp reading as GetExtension).
std::wstring GetBaseName(const std::wstring& path, bool dblExp);

// Display form: C:\A\B\C\D\FILE.TXT becomes C:\A\...\D\FILE.TXT; four pieces or fewer stay as they are.
std::wstring ShortenPath(const std::wstring& path);

// True for the letters a drive can have (A to Z in either case).
bool IsDriveLetter(wchar_t c);

// The folders from the root of `path` down to `path` itself, root first. A root ends with a
// backslash ("C:\", "\\server\share\"), the others do not. Empty when `path` is not absolute
// (a drive path or a server share). A trailing backslash on `path` is ignored.
std::vector<std::wstring> FolderChain(const std::wstring& path);
// `name` inside `folder`, with exactly one backslash between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

} // namespace tavlo
