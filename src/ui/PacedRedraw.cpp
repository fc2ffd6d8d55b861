#include "ui/PacedRedraw.h"

#include "common/Fault.h"

#include <algorithm>
#include <vector>

namespace tavlo {
namespace {

// Everything runs on the one interface thread.
struct Pacer {
    std::vector<PacedRedraw*> held;
    UINT_PTR timer = 0;
    double lastDrawn = 0; // ms
    double lastCost = 0;  // ms, how long the last paced drawing took
    bool burstEnded = false; // drawn on request since the last paced drawing
};

// Where drawing is slow, the gap between two drawings in units of the last one's cost (drawing then
// takes a tenth of the time), and its longest: twice a second, so that a list never lags far behind.
constexpr double kGapPerCost = 9;
constexpr double kLongestGapMs = 500;

// Milliseconds on the precise clock: a drawing of a millisecond or two must not read as a tick of
// the coarse one (16 ms on some systems), which would slow the pace for nothing.
double NowMs()
{
    static const double perMs = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perMs;
}

Pacer& State()
{
    static Pacer pacer;
    return pacer;
}

// Turning drawing off or on may also change the window's visible state (and with it the clicks on it
// and its place in what a screen reader sees); the list keeps its own "do not draw" state, and the
// window keeps the state it had.
void SetDrawing(HWND list, bool on, bool shown)
{
    SendMessageW(list, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    if (((style & WS_VISIBLE) != 0) != shown)
        SetWindowLongPtrW(list, GWL_STYLE, shown ? style | WS_VISIBLE : style & ~static_cast<LONG_PTR>(WS_VISIBLE));
}

} // namespace

void PacedRedraw::Hold(HWND list)
{
    if (held_ || !list) return;
    // A list in a hidden window is held as well: a list that draws brings its scroll bars up to date
    // at every change, seen or not (a run without windows writes thousands of lines).
    shown_ = (GetWindowLongPtrW(list, GWL_STYLE) & WS_VISIBLE) != 0;
    SetDrawing(list, false, shown_);
    list_ = list;
    held_ = true;
    State().held.push_back(this);
    Schedule();
}

void PacedRedraw::Draw()
{
    if (!IsWindow(list_)) return;
    if (beforeDraw_) {
        try {
            beforeDraw_();
        } catch (...) {
            ReportFault("PacedRedraw before-draw hook");
            // The list is drawn as it is.
        }
    }
    // Turning drawing back on brings the scroll bars up to date; the frame need not be drawn again.
    SetDrawing(list_, true, shown_);
    if (IsWindowVisible(list_)) RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void PacedRedraw::Forget()
{
    if (!held_) return;
    held_ = false;
    auto& held = State().held;
    held.erase(std::remove(held.begin(), held.end(), this), held.end());
}

void PacedRedraw::DrawAll()
{
    DrawHeld();
    State().burstEnded = true;
}

void PacedRedraw::DrawHeld()
{
    Pacer& pacer = State();
    if (pacer.timer) KillTimer(nullptr, pacer.timer);
    pacer.timer = 0;
    std::vector<PacedRedraw*> held;
    held.swap(pacer.held);
    for (PacedRedraw* r : held) {
        r->held_ = false;
        r->Draw();
    }
}

void PacedRedraw::Schedule()
{
    Pacer& pacer = State();
    if (pacer.timer) return;
    // Right away after a quiet spell or at the start of a new burst (the end of the last one was drawn
    // on request), so that its first state shows at once; else at the next tick of the steady rate.
    // Where drawing is slow (a themed scroll bar takes over ten milliseconds on some systems) the gap
    // grows with it: during a run the drawing shares the processor with the renames. The timer fires
    // when the thread's messages are next processed.
    const double gap = std::clamp(kGapPerCost * pacer.lastCost, static_cast<double>(kIntervalMs), kLongestGapMs);
    const double since = NowMs() - pacer.lastDrawn;
    const UINT wait = pacer.burstEnded || since >= gap ? USER_TIMER_MINIMUM : static_cast<UINT>(gap - since);
    pacer.timer = SetTimer(nullptr, 0, wait, &PacedRedraw::OnTimer);
    if (!pacer.timer) DrawHeld(); // nothing would draw them later
}

void CALLBACK PacedRedraw::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    Pacer& pacer = State();
    const double start = NowMs();
    DrawHeld();
    pacer.lastDrawn = NowMs();
    pacer.lastCost = pacer.lastDrawn - start;
    pacer.burstEnded = false;
}

} // namespace tavlo
