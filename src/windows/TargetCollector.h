#pragma once
// Names from outside the program (the command line, a drop, Send To) made targets the one way: each
// name's stored long form, and only files that can be opened. A collector lives for one batch of names:
// the folders they share are read once, and the files given beforehand are checked together.
#include "core/LongPath.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavlo {

class TargetCollector {
public:
    explicit TargetCollector(const std::vector<std::wstring>& names = {});

    // The target `name` stands for, or nothing when it names no file that can be opened (empty, not
    // found, not readable, no file at all).
    std::optional<std::wstring> Target(const std::wstring& name);

private:
    struct Checked {
        std::wstring path;
        bool opens = false;
    };
    LongPathBatch batch_;
    std::unordered_map<std::wstring, Checked> checked_;
};

} // namespace tavlo
