#pragma once
// The main window's keyboard: what a dialog box manager would do for the child windows and the tool
// strip, written out because the child windows are no dialogs and Enter in their lists has its own
// meaning, which must reach the lists untouched.
#include "windows/ChildForm.h"
#include "windows/ModeStrip.h"

#include <windows.h>

namespace tavlo {

// Tab and Shift+Tab inside the active child and along the strip, F6 between them, the arrow keys
// along the strip, Enter on a focused push button; it also notes where the focus was before a key or
// a click moves it. True when the message was used up.
bool TranslateFrameKeys(const MSG& msg, ModeStrip& strip, ChildForm* active);

} // namespace tavlo
