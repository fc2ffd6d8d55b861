#pragma once
// The console command's command line: split as the system splits it, then read as a mode, its
// switches and the paths. Text logic only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

// The arguments of a full command line as the system's own splitter (CommandLineToArgvW) gives them:
// blanks separate, double quotes group, 2n backslashes before a quote give n and the quote acts, 2n+1
// give n and a literal quote, and a third quote in a row gives a literal quote and ends the group. The
// program's own path (the first argument) ends at its closing quote or at the first blank, backslashes
// taken as they are. No wildcard is expanded.
std::vector<std::wstring> SplitArguments(std::wstring_view commandLine);

// A mode by name (cut3, doc, 4to3, 3to4, wide, narrow, lower, upper; any letter case) or by number 0-7.
std::optional<std::int16_t> ModeByName(std::wstring_view text);

// True when `name` fits `pattern`, the last part of a path argument: '*' stands for any run of
// characters, '?' for exactly one, and every other character for itself in any letter case ('<', '>'
// and '"' included).
bool FitsPattern(std::wstring_view pattern, std::wstring_view name);

struct ConsoleRequest {
    enum class Action { Run, Undo, Help };
    Action action = Action::Help;
    std::int16_t mode = 0;
    bool dryRun = false;
    bool recursive = false;
    bool all = false; // hidden and system files and folders too
    std::vector<std::wstring> paths;
};

// A request, or the catalogue number of what is wrong with the command line and the argument at fault.
struct ParsedArguments {
    std::optional<ConsoleRequest> request;
    std::int16_t error = 0;
    std::wstring culprit;
};

// Reads the arguments after the program's path. Switches may stand anywhere; "--" makes every later
// argument a path. A help switch anywhere wins over everything else.
ParsedArguments ParseConsoleArguments(const std::vector<std::wstring>& arguments);

} // namespace tavlo
