#pragma once
// The one place, besides the window procedures, where a fault is stopped: a step of a sequence whose
// steps stand each on its own (the writes of an unload, what a run tells the log, the result list
// and the journal). A fault ends that step only and the next one runs. Any other fault travels up to
// the window procedure, which decides what it means.
#include <utility>

namespace tavlo {

// Runs `step`; false when it ended in a fault.
template <class Step>
bool OnItsOwn(Step&& step) noexcept
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tavlo
