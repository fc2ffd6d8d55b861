#include "windows/LogModel.h"

#include <new>

namespace tavlo {

LogModel::Append LogModel::ListInAdd(const std::wstring& line)
{
    Append result;
    try {
        const int k = current_;
        if (k <= kLastIndexWithoutDrop) {
            lines_.push_back(line);
            result.appended = true;
            current_ = k + 1;
        } else {
            lines_.erase(lines_.begin());
            result.droppedFirst = true;
            lines_.push_back(line);
            result.appended = true;
            // One line out, one in: the index stays, so a current last line is again the last line.
            current_ = k;
        }
    } catch (const std::bad_alloc&) {
        // The line is lost; the log keeps what it had.
    }
    return result;
}

void LogModel::Clear()
{
    lines_.clear();
    current_ = -1;
}

void LogModel::SetCurrentLine(int index)
{
    if (index >= -1 && index < static_cast<int>(lines_.size())) current_ = index;
}

std::wstring LogModel::Text() const { return JoinLinesCrLf(lines_); }

std::wstring JoinLinesCrLf(const std::vector<std::wstring>& lines)
{
    std::size_t size = 0;
    for (const auto& l : lines) size += l.size() + 2;
    std::wstring text;
    text.reserve(size);
    for (const auto& l : lines) {
        text += l;
        text += L"\r\n";
    }
    return text;
}

} // namespace tavlo
