#pragma once
// The console command's arguments (split by SplitArguments in core/CommandLines.h), read as a mode, its
// switches and the paths. Text logic only.
#include "common/Catalogue.h"
#include "engine/Mode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

// A mode by name (cut3, doc, 4to3, 3to4, wide, narrow, lower, upper, content; any letter case) or by
// number 0-8.
std::optional<Mode> ModeByName(std::wstring_view text);

struct ConsoleRequest {
    enum class Action { Run, Undo, Help };
    Action action = Action::Help;
    Mode mode = Mode::CutToThree;
    bool dryRun = false;
    bool recursive = false;
    bool all = false; // hidden and system files and folders too
    std::vector<std::wstring> paths;
};

// A request, or the catalogue number of what is wrong with the command line and the argument at fault.
struct ParsedArguments {
    std::optional<ConsoleRequest> request;
    TextNumber error{};
    std::wstring culprit;
};

// Reads the arguments after the program's path. Switches may stand anywhere; "--" makes every later
// argument a path. A help switch anywhere wins over everything else.
ParsedArguments ParseConsoleArguments(const std::vector<std::wstring>& arguments);

} // namespace tavlo
