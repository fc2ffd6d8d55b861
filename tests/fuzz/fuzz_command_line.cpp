// The command lines of the window program and of the console command.
#include "FuzzText.h"
#include "app/CommandLine.h"
#include "console/ConsoleArguments.h"
#include "core/CommandLines.h"
#include "core/Wildcard.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring line = fuzz::WideText(data, size);

    const CommandLineNames split = SplitCommandLine(line);
    for (const std::wstring& name : split.names) fuzz::Require(!name.empty(), "no empty name");
    std::size_t taken = 0;
    const bool all = TakeCommandLineNames(split, [&] { taken = 0; }, [&](const std::wstring&) { return ++taken > 0; });
    fuzz::Require(all == split.complete && (all ? taken == split.names.size() : taken == 0), "all or nothing");
    IsUninstallOption(line);
    ArgumentText(line);

    const std::vector<std::wstring> arguments = SplitArguments(line);
    fuzz::Require(!arguments.empty(), "the program's path is always there");
    const ParsedArguments parsed = ParseConsoleArguments({arguments.begin() + 1, arguments.end()});
    fuzz::Require(parsed.request.has_value() != (parsed.error != TextNumber{}), "a request or an error");
    for (const std::wstring& a : arguments)
        if (const std::optional<FileMask> mask = FileMask::Parse(a)) mask->Matches(line);
    return 0;
}
