// Prints the clipboard's text as UTF-8: lets the run script show the log an automatic run copied.
#include "common/Clipboard.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    std::optional<std::wstring> text = tavlo::GetClipboardText();
    if (!text) return 1;
    int n = WideCharToMultiByte(CP_UTF8, 0, text->data(), static_cast<int>(text->size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text->data(), static_cast<int>(text->size()), utf8.data(), n, nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}
