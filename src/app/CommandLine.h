#pragma once
// The program's command line handed to the target list.
#include "core/CommandLines.h"

#include <functional>
#include <string>

namespace tavlo {

// Hands the split names to the target list, all or nothing: `clear` empties the list first, then
// `add` takes each name in order; at the first refusal, or when the split was incomplete, the list
// is emptied again. Returns true when every name was taken.
bool TakeCommandLineNames(const CommandLineNames& split, const std::function<void()>& clear,
                          const std::function<bool(const std::wstring&)>& add);

} // namespace tavlo
