#include "core/CommandLines.h"

namespace tavlo {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

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
    std::size_t p = 0;
    const std::size_t n = commandLine.size();
    if (n > 0 && commandLine[0] == L'"') {
        const std::size_t q = commandLine.find(L'"', 1);
        p = q == std::wstring::npos ? n : q + 1;
    } else {
        while (p < n && commandLine[p] != L' ' && commandLine[p] != L'\t') ++p;
    }
    if (p < n && (commandLine[p] == L' ' || commandLine[p] == L'\t')) ++p;
    return commandLine.substr(p);
}

std::vector<std::wstring> SplitArguments(std::wstring_view line)
{
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    // The program's path: to the closing quote when it opens with one, else to the first blank.
    std::wstring program;
    if (!line.empty() && line[0] == L'"') {
        for (i = 1; i < line.size() && line[i] != L'"'; ++i) program += line[i];
        if (i < line.size()) ++i;
    } else {
        for (; i < line.size() && !IsBlank(line[i]); ++i) program += line[i];
    }
    arguments.push_back(std::move(program));

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
