#include "core/CommandLines.h"

namespace tavlo {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Where the program's own path ends in a full command line: just after its closing quote when it opens
// with one (the end of the line when the quote is never closed), else at the first blank. Backslashes
// are taken as they are.
std::size_t ProgramPathEnd(std::wstring_view line)
{
    if (!line.empty() && line[0] == L'"') {
        const std::size_t q = line.find(L'"', 1);
        return q == std::wstring_view::npos ? line.size() : q + 1;
    }
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    return end;
}

} // namespace

CommandLineNames SplitCommandLine(const std::wstring& text)
{
    CommandLineNames out;
    const std::size_t n = text.size();
    std::size_t p = 0;
    while (p < n) {
        std::wstring name;
        if (text[p] == L'"') {
            const std::size_t q = text.find(L'"', p + 1);
            if (q == std::wstring::npos) {
                out.complete = false;
                break;
            }
            name = text.substr(p + 1, q - p - 1);
            p = q + 1;
        } else {
            const std::size_t s = text.find(L' ', p);
            if (s == std::wstring::npos) {
                name = text.substr(p);
                p = n;
            } else {
                name = text.substr(p, s - p);
                p = s + 1;
            }
        }
        if (!name.empty()) out.names.push_back(std::move(name));
    }
    return out;
}

std::wstring QuotedNames(const std::vector<std::wstring>& names)
{
    std::wstring line;
    for (const std::wstring& name : names) {
        if (!line.empty()) line += L' ';
        line += L"\"" + name + L"\"";
    }
    return line;
}

bool IsUninstallOption(const std::wstring& arguments)
{
    return arguments.size() == 2 && arguments[0] == L'/' && (arguments[1] == L'U' || arguments[1] == L'u');
}

std::wstring ArgumentText(const std::wstring& commandLine)
{
    std::size_t p = ProgramPathEnd(commandLine);
    if (p < commandLine.size() && IsBlank(commandLine[p])) ++p;
    return commandLine.substr(p);
}

std::vector<std::wstring> SplitArguments(std::wstring_view line)
{
    std::vector<std::wstring> arguments;
    std::size_t i = ProgramPathEnd(line);
    // The path without its quotes: the closing one is there when the path ends in a quote of its own.
    if (!line.empty() && line[0] == L'"')
        arguments.emplace_back(line.substr(1, (i > 1 && line[i - 1] == L'"' ? i - 1 : i) - 1));
    else
        arguments.emplace_back(line.substr(0, i));

    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::wstring argument;
        // Quotes seen in the current run: odd while inside quotes; a third in a row is a literal quote.
        int quotes = 0;
        while (i < line.size() && (quotes % 2 == 1 || !IsBlank(line[i]))) {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == L'\\') ++slashes, ++i;
            if (i >= line.size() || line[i] != L'"') {
                argument.append(slashes, L'\\');
                if (i < line.size() && (quotes % 2 == 1 || !IsBlank(line[i]))) argument += line[i++];
                continue;
            }
            argument.append(slashes / 2, L'\\');
            ++i;
            if (slashes % 2 == 1) {
                argument += L'"';
                continue;
            }
            ++quotes;
            for (; i < line.size() && line[i] == L'"'; ++i) {
                if (++quotes == 3) {
                    argument += L'"';
                    quotes = 0;
                }
            }
            if (quotes == 2) quotes = 0;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

} // namespace tavlo
