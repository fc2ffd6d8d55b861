#include "ui/Panel.h"

namespace tavlo {

bool Panel::Create(HWND parent, int id)
{
    const wchar_t* cls = L"Tavlo2.Panel";
    if (!RegisterClassOnce(cls, GetSysColorBrush(COLOR_BTNFACE))) return false;
    return CreateHandle(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

std::optional<LRESULT> Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND || msg == WM_NOTIFY) return SendMessageW(GetParent(Handle()), msg, wParam, lParam);
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace tavlo
