#pragma once
// Where the undo journal's text lives: a file in the user's local application data, which any number of
// processes (the window, Send To runs, consoles) append to at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tavlo {

// Reads `count` bytes of the journal from `offset` (fewer at its end).
using JournalReadAt = std::function<std::string(std::uint64_t offset, std::size_t count)>;

class JournalStore {
public:
    virtual ~JournalStore() = default;
    // The whole text; "" when there is no journal, nothing when there is one that cannot be read now.
    virtual std::optional<std::string> Read() = 0;
    // Up to `bytes` bytes from the start; the same answers as Read.
    virtual std::optional<std::string> ReadStart(std::size_t bytes) = 0;
    // Appends one line in one write, which the system keeps whole among other processes' appends. The
    // first append after an open starts a line of its own when the journal ends in a torn one. False when
    // it could not be written whole.
    virtual bool Append(const std::string& line) = 0;
    // The end of a run: what was appended is on the disk, and the journal is let go for others.
    virtual void Close() {}
    // Keeps the first line (the header) and the text from the offset `cutAt` finds (0: no cut), replacing
    // the journal at once, and only while no one has it open for writing, so that no other process's
    // record is dropped. False when nothing was cut.
    virtual bool Trim(const std::function<std::uint64_t(const JournalReadAt&, std::uint64_t size)>& cutAt) = 0;
    // Moves a journal that is no journal of ours out of the way, beside it; its new path, or "" when it
    // could not be moved.
    virtual std::wstring SetAside() = 0;
    // Deletes the journal; true when none is left.
    virtual bool Remove() = 0;
    // Who writes: a stamp of this process, and whether the process of a stamp still runs (a process id
    // is used again after its process ended; the stamp tells them apart).
    virtual std::string WriterStamp() { return {}; }
    virtual bool WriterRunning(const std::string&) { return false; }
};

// The journal in a file; its folder is made when first written.
// The file stays open between the appends of a run (a record per step) and is forced to the disk every
// kFlushMs and at Close, so a power cut loses at most the records of that last moment. Appends, trims and
// setting aside take a lock on a file beside it (journal.txt.lock): not every system keeps appends through
// separate handles whole, and a trim must read and replace with no append between. A trim replaces the
// file only while no handle is open on it, so a run that holds the journal is never cut off.
class JournalFileStore final : public JournalStore {
public:
    static constexpr unsigned long long kFlushMs = 200;
    // How long a writer waits for the lock before it writes without it (a process that hangs holding it).
    static constexpr unsigned long kLockWaitMs = 10000;

    explicit JournalFileStore(std::wstring path) : path_(std::move(path)) {}
    ~JournalFileStore() override { Close(); }
    JournalFileStore(const JournalFileStore&) = delete;
    JournalFileStore& operator=(const JournalFileStore&) = delete;

    std::optional<std::string> Read() override;
    std::optional<std::string> ReadStart(std::size_t bytes) override;
    bool Append(const std::string& line) override;
    void Close() override;
    bool Trim(const std::function<std::uint64_t(const JournalReadAt&, std::uint64_t size)>& cutAt) override;
    std::wstring SetAside() override;
    bool Remove() override;
    std::string WriterStamp() override;
    bool WriterRunning(const std::string& stamp) override;

private:
    class Locked;
    std::optional<std::string> ReadUpTo(std::size_t bytes);
    bool MakeFolder() const;
    void Flush();
    struct CloseFile {
        void operator()(void* handle) const;
    };
    std::wstring path_;
    std::unique_ptr<void, CloseFile> file_; // the open journal while appending
    std::unique_ptr<void, CloseFile> lock_; // the lock file, open from the first write on
    unsigned long long lastFlush_ = 0;
};

// What a run is stamped with: the local time as shown to the user ("2026-12-08 14:20:05") and an id
// that no other run of any process shares.
std::wstring JournalTimeNow();
std::string NewJournalRunId();

// %LOCALAPPDATA%\Tavlo2\journal.txt; empty when the folder is unknown.
std::wstring DefaultJournalPath();

} // namespace tavlo
