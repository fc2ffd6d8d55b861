#pragma once
// A step of a sequence whose steps stand each on its own (the writes of an unload, what a run tells the
// log, the result list and the journal): a fault ends that step only, leaves its trace, and the next
// step runs. Faults are also stopped at every window procedure, control hook, COM method and load
// (each calls ReportFault); any other fault travels up to one of those.
#include "common/Fault.h"

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
        ReportFault("a step on its own");
        return false;
    }
}

} // namespace tavlo
