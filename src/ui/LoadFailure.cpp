#include "ui/LoadFailure.h"

#include "ui/UiTexts.h"

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

int SystemMessageBox(const std::wstring& text, UINT type)
{
    return MessageBoxW(GetActiveWindow(), text.c_str(), ui_text::kBoxTitle, type);
}

void ShowMessage(const std::wstring& text)
{
    SystemMessageBox(text, MB_OK);
}

} // namespace tavlo
