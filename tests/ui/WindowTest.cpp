#include "ui/Window.h"

#include "common/Fault.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tavlo {
namespace {

// A window whose handlers fail on demand.
class FaultyWindow : public Window {
public:
    bool Create()
    {
        return RegisterClassOnce(L"Tavlo2.Test.Faulty", nullptr) &&
               CreateHandle(0, L"Tavlo2.Test.Faulty", L"faulty", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr);
    }
    int defaults = 0;

protected:
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND || msg == WM_APP) throw std::runtime_error("handler");
        return Window::HandleMessage(msg, wParam, lParam);
    }
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND || msg == WM_APP) ++defaults;
        return Window::DefaultProc(msg, wParam, lParam);
    }
};

// Where a handler's fault stops: a command counts as carried out, anything else gets the default
// processing, the window goes on, and each fault leaves a trace that names the place and the fault.
TEST(WindowBoundary, AFaultEndsTheHandlerOnlyAndLeavesATrace)
{
    std::vector<std::wstring> traces;
    const FaultObserver previous = SetFaultObserver([&](const std::wstring& trace) { traces.push_back(trace); });
    FaultyWindow window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(SendMessageW(window.Handle(), WM_COMMAND, 1, 0), 0);
    EXPECT_EQ(window.defaults, 0);
    SendMessageW(window.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(window.defaults, 1);
    EXPECT_TRUE(IsWindow(window.Handle()));
    SetFaultObserver(previous);
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_NE(traces[0].find(L"Window::Route"), std::wstring::npos) << traces[0];
    EXPECT_NE(traces[0].find(L"handler"), std::wstring::npos) << traces[0];
}

} // namespace
} // namespace tavlo
