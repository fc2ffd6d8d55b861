#pragma once
// An undo journal kept in memory, which can be made to refuse every write, to be unreadable for a while,
// or held open by another writer (no trim); its writer stamps are those a test says are running.
#include "common/JournalStore.h"

#include <set>

namespace tavlo::test {

struct MemoryJournal : JournalStore {
    std::string text;
    bool writable = true;
    bool readable = true;
    bool heldByAnother = false;
    std::string stamp;               // what WriterStamp gives
    std::set<std::string> running;   // stamps of processes still running
    std::wstring asidePath = L"C:\\journal-aside.txt";
    std::string setAside;            // what SetAside moved away

    std::optional<std::string> Read() override
    {
        if (!readable) return std::nullopt;
        return text;
    }
    std::optional<std::string> ReadStart(std::size_t bytes) override
    {
        if (!readable) return std::nullopt;
        return text.substr(0, bytes);
    }
    bool Append(const std::string& line) override
    {
        if (!writable) return false;
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += line + "\n";
        return true;
    }
    bool Trim(const std::function<std::uint64_t(const JournalReadAt&, std::uint64_t)>& cutAt) override
    {
        if (!writable || heldByAnother) return false;
        const JournalReadAt read = [this](std::uint64_t at, std::size_t n) {
            return at >= text.size() ? std::string() : text.substr(static_cast<std::size_t>(at), n);
        };
        const std::uint64_t cut = cutAt(read, text.size());
        if (cut == 0) return false;
        text = text.substr(0, text.find('\n') + 1) + text.substr(static_cast<std::size_t>(cut));
        return true;
    }
    std::wstring SetAside() override
    {
        if (!writable) return {};
        setAside = std::move(text);
        text.clear();
        return asidePath;
    }
    bool Remove() override
    {
        text.clear();
        return true;
    }
    std::string WriterStamp() override { return stamp; }
    bool WriterRunning(const std::string& s) override { return running.count(s) != 0; }
};

} // namespace tavlo::test
