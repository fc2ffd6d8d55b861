#pragma once
// A window that cannot load shows its error text and the program ends without saving anything.
// The reaction is replaceable so that tests can watch it instead of ending.
#include <functional>
#include <string>

namespace tavlo {

using LoadFailureHandler = std::function<void(const std::wstring& text)>;

// Shows `text` in an OK box with the default title, then ends the process (through the handler in
// force). Returns only when a replacement handler returns.
void ReportLoadFailure(const std::wstring& text);

// Replaces the reaction; returns the previous one. An empty handler restores the default.
LoadFailureHandler SetLoadFailureHandler(LoadFailureHandler handler);

// Shows an OK message box titled "TAVLO2".
void ShowMessage(const std::wstring& text);

} // namespace tavlo
