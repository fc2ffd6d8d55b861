#pragma once
// The program's command line: the "/U" option and the file names for the target list.
#include <functional>
#include <string>
#include <vector>

namespace tavlo {

// The names found in the argument text, in order. `complete` is false when a name opens with a
// double quote that is never closed; `names` then holds only the names before it.
struct CommandLineNames {
    std::vector<std::wstring> names;
    bool complete = true;
};

// Splits at single spaces (U+0020 only; a tab is an ordinary character). A name that begins with
// a double quote runs to the next double quote and may hold spaces; a double quote anywhere else
// is part of the name. Empty names (two spaces in a row, "") are left out.
CommandLineNames SplitCommandLine(const std::wstring& text);
// The command line that names `names` (no name holds a double quote) as SplitCommandLine reads it back.
std::wstring QuotedNames(const std::vector<std::wstring>& names);

// Hands the split names to the target list, all or nothing: `clear` empties the list first, then
// `add` takes each name in order; at the first refusal, or when the split was incomplete, the list
// is emptied again. Returns true when every name was taken.
bool TakeCommandLineNames(const CommandLineNames& split, const std::function<void()>& clear,
                          const std::function<bool(const std::wstring&)>& add);

// True when the argument text, upper-cased, is exactly "/U" (no blank before or after).
bool IsUninstallOption(const std::wstring& arguments);

// The argument text of a full command line: what follows the program's own path (quoted, or up to
// the first blank) and the one blank that separates them; further blanks belong to the arguments.
std::wstring ArgumentText(const std::wstring& commandLine);

} // namespace tavlo
