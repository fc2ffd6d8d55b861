#pragma once
// The two ways a command line is split: the program's own (the "/U" option and the file names for the
// target list) and the system's (CommandLineToArgvW, for the console command). Text logic only.
#include <string>
#include <string_view>
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

// True when the argument text, upper-cased, is exactly "/U" (no blank before or after).
bool IsUninstallOption(const std::wstring& arguments);

// The argument text of a full command line: what follows the program's own path (quoted, or up to
// the first blank) and the one blank that separates them; further blanks belong to the arguments.
std::wstring ArgumentText(const std::wstring& commandLine);

// The arguments of a full command line as the system's own splitter (CommandLineToArgvW) gives them:
// blanks separate, double quotes group, 2n backslashes before a quote give n and the quote acts, 2n+1
// give n and a literal quote, and a third quote in a row gives a literal quote and ends the group. The
// program's own path (the first argument) ends at its closing quote or at the first blank, backslashes
// taken as they are. No wildcard is expanded.
std::vector<std::wstring> SplitArguments(std::wstring_view commandLine);

} // namespace tavlo
