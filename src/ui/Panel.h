#pragma once
// A plain child window that holds controls and passes their notifications on to its parent.
#include "ui/Window.h"

namespace tavlo {

class Panel : public Window {
public:
    bool Create(HWND parent, int id);

protected:
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

} // namespace tavlo
