#include "windows/LoadFailure.h"

#include "windows/FormTexts.h"

#include <windows.h>

namespace tavlo {

namespace {

void EndAfterBox(const std::wstring& text)
{
    ShowMessage(text);
    // Nothing is saved: the process stops here.
    ExitProcess(1);
}

LoadFailureHandler& CurrentHandler()
{
    static LoadFailureHandler handler = EndAfterBox;
    return handler;
}

} // namespace

void ReportLoadFailure(const std::wstring& text)
{
    LoadFailureHandler handler = CurrentHandler();
    handler(text);
}

LoadFailureHandler SetLoadFailureHandler(LoadFailureHandler handler)
{
    LoadFailureHandler previous = CurrentHandler();
    CurrentHandler() = handler ? std::move(handler) : LoadFailureHandler(EndAfterBox);
    return previous;
}

void ShowMessage(const std::wstring& text)
{
    MessageBoxW(GetActiveWindow(), text.c_str(), form_text::kBoxTitle, MB_OK);
}

} // namespace tavlo
