#pragma once
// An undo journal kept in memory, which can be made to refuse every write.
#include "common/JournalStore.h"

namespace tavlo::test {

struct MemoryJournal : JournalStore {
    std::string text;
    bool writable = true;
    std::optional<std::string> Read() override { return text; }
    bool Append(const std::string& line) override
    {
        if (!writable) return false;
        text += line + "\n";
        return true;
    }
    bool Replace(const std::string& all) override
    {
        if (!writable) return false;
        text = all;
        return true;
    }
    bool Remove() override
    {
        text.clear();
        return true;
    }
};

} // namespace tavlo::test
