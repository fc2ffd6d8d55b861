// Presses one mode button of a running Tavlo2 window, as a click would: lets the demonstration show
// a finished run. Usage: pressmode INDEX
#include "common/Catalogue.h"

#include <windows.h>

#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    int index = std::wcstol(argv[1], nullptr, 10);
    if (index < 0 || index > 7) return 2;
    HWND frame = nullptr;
    for (int i = 0; i < 100 && !frame; ++i, Sleep(100))
        frame = FindWindowW(nullptr, std::wstring(tavlo::ProgramText(tavlo::program_text::ProgramTitle)).c_str());
    if (!frame) return 1;
    const std::wstring caption(tavlo::ProgramText(tavlo::program_text::ModeCaptionFirst + index));
    struct Search {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumChildWindows(
        frame,
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t text[64]{};
            GetWindowTextW(hwnd, text, 64);
            if (*s->caption == text) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    PostMessageW(search.found, BM_CLICK, 0, 0);
    return 0;
}
