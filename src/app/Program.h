#pragma once
// The program from its arguments to its exit code: the frame made, loaded and shown, the message loop,
// the end. Main only prepares the process around it.
#include "settings/SettingsStore.h"

#include <string>

namespace tavlo {

// `arguments`: exactly as given after the program's path. A frame that cannot be made or loaded has
// shown its load error and gives a non-zero code, so a script never reads it as success.
int RunProgram(SettingsStore& store, const std::wstring& arguments);

} // namespace tavlo
