#include "app/CommandLine.h"

#include "common/Fault.h"
#include "common/OnItsOwn.h"

namespace tavlo {

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

bool TakeCommandLineNames(const CommandLineNames& split, const std::function<void()>& clear,
                          const std::function<bool(const std::wstring&)>& add)
{
    try {
        clear();
        for (const auto& name : split.names) {
            if (!add(name)) {
                clear();
                return false;
            }
        }
        if (!split.complete) {
            clear();
            return false;
        }
        return true;
    } catch (...) {
        ReportFault("TakeCommandLineNames");
        OnItsOwn(clear);
        return false;
    }
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

} // namespace tavlo
