#include "console/ConsoleOutput.h"

#include "common/PlatformText.h"

#include <windows.h>

#include <algorithm>

namespace tavlo {

namespace {

constexpr std::size_t kHeldChars = 32 * 1024;

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

} // namespace

ConsoleStream::ConsoleStream(void* handle) : handle_(handle), console_(IsConsole(handle)) {}

ConsoleStream::~ConsoleStream() { Flush(); }

void ConsoleStream::AddLine(const std::wstring& line)
{
    held_ += line;
    held_ += L"\r\n";
    if (console_ || held_.size() >= kHeldChars) Flush();
}

void ConsoleStream::Flush()
{
    if (held_.empty()) return;
    if (!handle_ || handle_ == INVALID_HANDLE_VALUE) {
        held_.clear();
        return;
    }
    if (console_) {
        for (std::size_t at = 0; at < held_.size();) {
            DWORD written = 0;
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(held_.size() - at, 8192));
            if (!WriteConsoleW(handle_, held_.data() + at, piece, &written, nullptr) || written == 0) break;
            at += written;
        }
    } else {
        const std::string bytes = ToUtf8(held_);
        for (std::size_t at = 0; at < bytes.size();) {
            DWORD written = 0;
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1 << 20));
            // A closed pipe (the reader went away) ends the writing, not the run.
            if (!WriteFile(handle_, bytes.data() + at, piece, &written, nullptr) || written == 0) break;
            at += written;
        }
    }
    held_.clear();
}

} // namespace tavlo
