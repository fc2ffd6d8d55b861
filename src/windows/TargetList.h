#pragma once
// The targets of the next run and their state, apart from any window: the target list window shows
// this, and the run marks its progress here, never in the list box.
#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace tavlo {

class TargetList {
public:
    explicit TargetList(std::size_t capacity) : capacity_(capacity) {}

    enum class Added { New, AlreadyListed, Full };
    // A path listed already (exactly as written) is not added twice, even when the list is full.
    Added Append(const std::wstring& path);
    void Erase(std::size_t index);
    void Replace(std::size_t index, const std::wstring& path);
    void Clear();

    std::size_t Count() const { return entries_.size(); }
    const std::wstring& At(std::size_t index) const { return entries_[index]; }
    const std::vector<std::wstring>& Entries() const { return entries_; }

    // A run: every entry waits for its turn; one that got its final name is done, and leaves at the end.
    void BeginRun();
    void MarkDone(std::size_t index);
    // Ends the run: the indices the leaving entries had, lowest first.
    std::vector<std::size_t> EndRun();

private:
    std::size_t capacity_;
    std::vector<std::wstring> entries_;
    std::unordered_set<std::wstring> listed_;
    std::vector<bool> waiting_; // during a run, one per entry
};

} // namespace tavlo
