#include "console/ConsoleArguments.h"

#include "common/Catalogue.h"
#include "engine/RenameEngine.h"

#include <algorithm>
#include <array>

namespace tavlo {

namespace {

std::wstring AsciiLower(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return lower;
}

bool IsHelp(const std::wstring& a) { return a == L"-h" || a == L"/?" || a == L"--help" || a == L"-?"; }

} // namespace

std::optional<Mode> ModeByName(std::wstring_view text)
{
    static constexpr std::array<std::wstring_view, kModeCount> names{L"cut3", L"doc",   L"4to3",  L"3to4",   L"wide",
                                                                      L"narrow", L"lower", L"upper", L"content"};
    const std::wstring lower = AsciiLower(text);
    for (std::size_t m = 0; m < names.size(); ++m)
        if (lower == names[m] || (lower.size() == 1 && lower[0] == static_cast<wchar_t>(L'0' + m)))
            return ModeOf(static_cast<int>(m));
    return std::nullopt;
}

ParsedArguments ParseConsoleArguments(const std::vector<std::wstring>& arguments)
{
    using namespace program_text;
    ParsedArguments parsed;
    ConsoleRequest request;
    if (std::any_of(arguments.begin(), arguments.end(), IsHelp)) {
        parsed.request = request;
        return parsed;
    }
    auto fail = [&parsed](TextNumber error, std::wstring culprit) {
        parsed.error = error;
        parsed.culprit = std::move(culprit);
        return parsed;
    };

    bool undo = false;
    bool switchesEnd = false;
    std::vector<std::wstring> words;
    for (const std::wstring& a : arguments) {
        if (switchesEnd || a.size() < 2 || a[0] != L'-') {
            words.push_back(a);
            continue;
        }
        const std::wstring s = AsciiLower(a);
        if (s == L"--") switchesEnd = true;
        else if (s == L"-n" || s == L"--dry-run") request.dryRun = true;
        else if (s == L"-r" || s == L"--recursive") request.recursive = true;
        else if (s == L"-a" || s == L"--all") request.all = true;
        else if (s == L"--utf8") {
            // Redirected output is always UTF-8; the switch only says so.
        } else if (s == L"--undo") undo = true;
        else return fail(UnknownSwitch, a);
    }

    if (undo) {
        if (!words.empty() || request.dryRun || request.recursive || request.all) return fail(UndoTakesNothingElse, {});
        request.action = ConsoleRequest::Action::Undo;
        parsed.request = request;
        return parsed;
    }
    if (words.empty()) return fail(ModeAndPathNeeded, {});
    const std::optional<Mode> mode = ModeByName(words.front());
    if (!mode) return fail(UnknownMode, words.front());
    if (words.size() < 2) return fail(ModeAndPathNeeded, {});
    request.action = ConsoleRequest::Action::Run;
    request.mode = *mode;
    request.paths.assign(words.begin() + 1, words.end());
    parsed.request = std::move(request);
    return parsed;
}

} // namespace tavlo
