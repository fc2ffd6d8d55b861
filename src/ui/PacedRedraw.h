#pragma once
// Lists that take many changes in a burst (a run, a drop, thousands of log lines) are not drawn after
// each one: drawing is held at the first change and every held list is drawn together, about thirty
// times a second and once more when the burst ends. A person sees the same progress; the program does
// not spend its time painting states nobody can see. A list that is not on screen yet is held as
// well: what it would scroll or measure waits for the drawing, which it may never need.
// Where drawing itself is slow the pace slows down with it (see Schedule).
#include <windows.h>

#include <functional>

namespace tavlo {

class PacedRedraw {
public:
    // The shortest time between two drawings of the held lists: about thirty a second.
    static constexpr UINT kIntervalMs = 33;

    PacedRedraw() = default;
    ~PacedRedraw() { Forget(); }
    PacedRedraw(const PacedRedraw&) = delete;
    PacedRedraw& operator=(const PacedRedraw&) = delete;

    // Work that costs a scroll or a repaint on some systems even while drawing is held (the sideways
    // extent, scrolling the newest entry into view): the owner does it here, once per drawing.
    void SetBeforeDraw(std::function<void()> fn) { beforeDraw_ = std::move(fn); }
    // Call before changing the list's content: drawing stops until the next paced drawing.
    void Hold(HWND list);
    // The list went away with its window; nothing is left to draw.
    void Forget();

    // Draws every held list now: the end of a burst, so the last state shows at once.
    static void DrawAll();

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static void DrawHeld();
    static void Schedule();
    void Draw();

    HWND list_ = nullptr;
    bool held_ = false;
    bool shown_ = false; // the list's own visible state when it was held
    std::function<void()> beforeDraw_;
};

} // namespace tavlo
