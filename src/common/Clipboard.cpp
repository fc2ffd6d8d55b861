#include "common/Clipboard.h"

#include "common/Handles.h"

#include <cstring>
#include <utility>

namespace tavlo {
namespace {

// Another program may hold the clipboard for a moment: try a few times before giving up.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner)
    {
        for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != 0;
            if (!open_) Sleep(10);
        }
    }
    ~OpenedClipboard()
    {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

} // namespace

bool PutClipboardText(const std::wstring& text, HWND owner)
{
    OpenedClipboard clip(owner);
    if (!clip) return false;
    if (!EmptyClipboard()) return false;
    if (text.empty()) return true;

    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!mem) return false;
    {
        GlobalLockGuard lock(mem.get());
        if (!lock.get()) return false;
        std::memcpy(lock.get(), text.c_str(), bytes);
    }
    if (!SetClipboardData(CF_UNICODETEXT, mem.get())) {
        EmptyClipboard();
        return false;
    }
    mem.release(); // the clipboard owns it now
    return true;
}

bool ClearClipboard(HWND owner)
{
    OpenedClipboard clip(owner);
    return clip && EmptyClipboard();
}

std::optional<std::wstring> GetClipboardText(HWND owner)
{
    OpenedClipboard clip(owner);
    if (!clip) return std::nullopt;
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (!h) return std::nullopt;
    GlobalLockGuard lock(h);
    if (!lock.get()) return std::nullopt;
    const auto* chars = static_cast<const wchar_t*>(lock.get());
    const std::size_t capacity = GlobalSize(h) / sizeof(wchar_t);
    std::size_t len = 0;
    while (len < capacity && chars[len] != L'\0') ++len;
    return std::wstring(chars, len);
}

} // namespace tavlo
