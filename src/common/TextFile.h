#pragma once
// Saving a text file without ever losing the file it replaces.
#include <string>

namespace tavlo {

// Writes `text` (line ends as given) into a new temporary file in the target's folder, and only when
// all of it is written and flushed puts that file in the target's place (an existing target is
// replaced). The text is written in code page 932 when every character has a code there; otherwise
// in UTF-8 with a byte-order mark, so that no name is ever saved as "?" or a look-alike. On any
// failure the temporary file is removed and an existing target is left exactly as it was. A
// read-only target or a folder is a failure. Long paths are allowed.
bool SaveTextFile(const std::wstring& path, const std::wstring& text);
// The same for bytes as they are.
bool SaveBytesFile(const std::wstring& path, const std::string& bytes);

} // namespace tavlo
