#pragma once
// The clipboard as the log needs it: emptied, then one plain Unicode text.
#include <windows.h>

#include <optional>
#include <string>

namespace tavlo {

// Empties the clipboard and, for a non-empty text, places it as plain text. On a failure after
// the clipboard was opened it is left empty. Returns false on any failure.
bool PutClipboardText(const std::wstring& text, HWND owner = nullptr);

// Empties the clipboard.
bool ClearClipboard(HWND owner = nullptr);

// The plain text on the clipboard; nothing when it holds none or cannot be opened.
std::optional<std::wstring> GetClipboardText(HWND owner = nullptr);

} // namespace tavlo
