#pragma once
// The program's message boxes. A window that cannot load shows its error text and the program ends
// without saving anything; that reaction is replaceable so that tests can watch it instead of ending.
#include <windows.h>

#include <functional>
#include <string>

namespace tavlo {

using LoadFailureHandler = std::function<void(const std::wstring& text)>;

// Shows `text` in an OK box with the default title, then ends the process (through the handler in
// force). Returns only when a replacement handler returns.
void ReportLoadFailure(const std::wstring& text);

// Replaces the reaction; returns the previous one. An empty handler restores the default.
LoadFailureHandler SetLoadFailureHandler(LoadFailureHandler handler);

// A message box of the given MB_ type over the active window, titled "TAVLO2"; the button pressed.
int SystemMessageBox(const std::wstring& text, UINT type);
// The same with an OK button.
void ShowMessage(const std::wstring& text);

} // namespace tavlo
