#pragma once
// The system's font chooser as the Font command shows it: preset from the options, TrueType screen
// fonts of the sizes the windows can show.
#include "windows/FrameRules.h"

#include <windows.h>

#include <optional>

namespace tavlo {

// The user's choice, or nothing when the chooser was cancelled.
std::optional<FontChoice> ChooseFormFont(HWND owner, const FontChoice& preset);

} // namespace tavlo
