#pragma once
// Where the undo journal's text lives: a file in the user's local application data.
#include <optional>
#include <string>

namespace tavlo {

class JournalStore {
public:
    virtual ~JournalStore() = default;
    // The whole text; nothing when there is none or it cannot be read.
    virtual std::optional<std::string> Read() = 0;
    // Appends one line and flushes it to the disk, so that a run cut short can still be taken back;
    // false when it could not be written whole.
    virtual bool Append(const std::string& line) = 0;
    // Replaces the whole text at once, never leaving half of it; false on failure.
    virtual bool Replace(const std::string& text) = 0;
    // Deletes the journal; true when none is left.
    virtual bool Remove() = 0;
};

// The journal in a file; its folder is made when first written.
class JournalFileStore final : public JournalStore {
public:
    explicit JournalFileStore(std::wstring path) : path_(std::move(path)) {}
    std::optional<std::string> Read() override;
    bool Append(const std::string& line) override;
    bool Replace(const std::string& text) override;
    bool Remove() override;
    const std::wstring& Path() const { return path_; }

private:
    bool MakeFolder() const;
    std::wstring path_;
};

// %LOCALAPPDATA%\Tavlo2\journal.txt; empty when the folder is unknown.
std::wstring DefaultJournalPath();

} // namespace tavlo
