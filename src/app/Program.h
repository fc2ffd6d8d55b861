#pragma once
// The program from its arguments to its exit code: the frame made, loaded and shown, the message loop,
// the end. Main only prepares the process around it.
#include "settings/SettingsStore.h"

#include <string>
#include <vector>

namespace tavlo {

// `arguments`: exactly as given after the program's path. A frame that cannot be made or loaded has
// shown its load error and gives a non-zero code, so a script never reads it as success.
int RunProgram(SettingsStore& store, const std::wstring& arguments);
// The same for files dropped on the Send To entry: what their command line would do, but the automatic
// run takes every one of them, however many.
int RunDropped(SettingsStore& store, const std::vector<std::wstring>& files);
// The program as its own process starts it: the Send To entry's options first, then RunProgram.
int RunProcess(SettingsStore& store, const std::wstring& arguments);

} // namespace tavlo
