#pragma once
// The execution log's lines and its current line, kept apart from the list box so the append and
// cap rules can be exercised directly. The window mirrors every change into its list box.
#include <cstddef>
#include <string>
#include <vector>

namespace tavlo {

class LogModel {
public:
    // Appending drops the oldest line once the current line lies beyond this index.
    static constexpr int kLastIndexWithoutDrop = 30000;

    // What one ListInAdd did, so the list box can follow without being rebuilt.
    struct Append {
        bool appended = false;     // false only when the append itself failed
        bool droppedFirst = false; // the oldest line was removed before the append
    };

    // Appends one line. The cap follows the current line, not the number of lines: with the current
    // line at or before kLastIndexWithoutDrop the line is added and the line after the current one
    // becomes current; beyond it the oldest line goes first and the current index stays.
    Append ListInAdd(const std::wstring& line);

    // Empties the log; no line is current afterwards.
    void Clear();

    std::size_t Count() const { return lines_.size(); }
    const std::wstring& Line(std::size_t index) const { return lines_.at(index); }
    const std::vector<std::wstring>& Lines() const { return lines_; }

    // The current line's index, -1 when there is none.
    int CurrentLine() const { return current_; }
    // The user moved the list box's current line (a click); -1 or an index of an existing line.
    void SetCurrentLine(int index);

    // The whole log as copied and saved: every line followed by CR LF; empty for an empty log.
    std::wstring Text() const;

private:
    std::vector<std::wstring> lines_;
    int current_ = -1;
};

// Lines joined as the log's text layout: each one followed by CR LF, the last one included.
std::wstring JoinLinesCrLf(const std::vector<std::wstring>& lines);

} // namespace tavlo
