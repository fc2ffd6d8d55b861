#pragma once
// A modal question with one line of answer: a prompt, OK and Cancel, an edit field with a proposed
// text. The dialog is built from an in-memory template, so it needs no resource file.
#include <windows.h>

#include <functional>
#include <string>

namespace tavlo {

// What the user typed; empty when the box was cancelled (as with an empty answer).
using InputBoxHandler = std::function<std::wstring(HWND owner, const std::wstring& prompt, const std::wstring& title,
                                                   const std::wstring& defaultText)>;

// Asks the question. An empty title gives the program's default title "TAVLO2". A carriage return
// in the prompt breaks the line.
std::wstring InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title = {},
                      const std::wstring& defaultText = {});

// Replaces the dialog (tests answer without a user); returns the previous handler. An empty handler
// restores the real dialog.
InputBoxHandler SetInputBoxHandler(InputBoxHandler handler);

// The real dialog, whatever handler is in force.
std::wstring ShowInputDialog(HWND owner, const std::wstring& prompt, const std::wstring& title,
                             const std::wstring& defaultText);

// The prompt as the dialog shows it: every lone carriage return or line feed becomes CR LF.
std::wstring PromptLines(const std::wstring& prompt);

} // namespace tavlo
