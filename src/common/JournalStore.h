#pragma once
// Where the undo journal's text lives: a file in the user's local application data.
#include <memory>
#include <optional>
#include <string>

namespace tavlo {

class JournalStore {
public:
    virtual ~JournalStore() = default;
    // The whole text; nothing when there is none or it cannot be read.
    virtual std::optional<std::string> Read() = 0;
    // Appends one line at once, so that a run cut short can still be taken back; false when it
    // could not be written whole.
    virtual bool Append(const std::string& line) = 0;
    // The end of a run: what was appended is on the disk, and the journal is let go for others.
    virtual void Close() {}
    // Replaces the whole text at once, never leaving half of it; false on failure.
    virtual bool Replace(const std::string& text) = 0;
    // Deletes the journal; true when none is left.
    virtual bool Remove() = 0;
};

// The journal in a file; its folder is made when first written.
// The file stays open between the appends of a run (a record per file) and is forced to the disk every
// kFlushMs and at Close, so a power cut loses at most the records of that last moment. Another
// program may append meanwhile, but not replace the file under it.
class JournalFileStore final : public JournalStore {
public:
    static constexpr unsigned long long kFlushMs = 200;

    explicit JournalFileStore(std::wstring path) : path_(std::move(path)) {}
    ~JournalFileStore() override { Close(); }
    JournalFileStore(const JournalFileStore&) = delete;
    JournalFileStore& operator=(const JournalFileStore&) = delete;

    std::optional<std::string> Read() override;
    bool Append(const std::string& line) override;
    void Close() override;
    bool Replace(const std::string& text) override;
    bool Remove() override;

private:
    bool MakeFolder() const;
    void Flush();
    struct CloseFile {
        void operator()(void* handle) const;
    };
    std::wstring path_;
    std::unique_ptr<void, CloseFile> file_; // the open journal while appending
    unsigned long long lastFlush_ = 0;
};

// What a run is stamped with: the local time as shown to the user ("2026-12-08 14:20:05") and an id
// that no other run of any process shares.
std::wstring JournalTimeNow();
std::string NewJournalRunId();

// %LOCALAPPDATA%\Tavlo2\journal.txt; empty when the folder is unknown.
std::wstring DefaultJournalPath();

} // namespace tavlo
