#include "app/CommandLine.h"

#include "common/Fault.h"
#include "common/OnItsOwn.h"

namespace tavlo {

bool TakeCommandLineNames(const CommandLineNames& split, const std::function<void()>& clear,
                          const std::function<bool(const std::wstring&)>& add)
{
    try {
        clear();
        for (const auto& name : split.names) {
            if (!add(name)) {
                clear();
                return false;
            }
        }
        if (!split.complete) {
            clear();
            return false;
        }
        return true;
    } catch (...) {
        ReportFault("TakeCommandLineNames");
        OnItsOwn(clear);
        return false;
    }
}

} // namespace tavlo
