#pragma once
// A fault that a boundary stopped (a window procedure, a hook, a COM method, a step on its own) leaves
// a trace: the place and what is known of it go to the debugger's output, and a debug build stops
// there while a debugger watches. A user sees nothing, as before; we can.
#include <functional>
#include <string>

namespace tavlo {

// Call from inside a catch block: `where` names the boundary ("Window::Route WM_COMMAND").
void ReportFault(const char* where) noexcept;

// A trace of something that should not happen but is handled where it happens (a catalogue text
// without the tag its fill expects): "Tavlo2: <where>: <what>".
void ReportOddity(const char* where, const std::wstring& what) noexcept;

// What a fault's trace says: "Tavlo2: fault stopped in <where>: <what>". Tests watch the traces
// through an observer; an empty one stops watching.
using FaultObserver = std::function<void(const std::wstring& trace)>;
FaultObserver SetFaultObserver(FaultObserver observer);

} // namespace tavlo
