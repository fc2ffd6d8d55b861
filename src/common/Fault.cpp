#include "common/Fault.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#endif

#include <exception>
#include <new>
#include <typeinfo>

namespace tavlo {
namespace {

FaultObserver& Observer()
{
    static FaultObserver observer;
    return observer;
}

std::wstring Widen(const char* text)
{
    std::wstring wide;
    for (const char* c = text; c && *c; ++c) wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return wide;
}

// What is known of the fault being handled.
std::wstring WhatIsKnown()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return Widen(typeid(e).name()) + L" " + Widen(e.what());
    } catch (...) {
        return L"a fault of unknown kind";
    }
}

// The debugger's output on Windows; standard error in the native build of the window-free code.
void Trace(const std::wstring& line)
{
#ifdef _WIN32
    OutputDebugStringW(line.c_str());
#else
    std::fputws(line.c_str(), stderr);
#endif
}

} // namespace

void ReportFault(const char* where) noexcept
{
    try {
        const std::wstring trace = L"Tavlo2: fault stopped in " + Widen(where) + L": " + WhatIsKnown();
        Trace(trace + L"\n");
        if (Observer()) Observer()(trace);
    } catch (...) {
        Trace(L"Tavlo2: fault stopped (no memory to say more)\n");
    }
#if defined(_WIN32) && !defined(NDEBUG)
    if (IsDebuggerPresent()) DebugBreak();
#endif
}

void ReportOddity(const char* where, const std::wstring& what) noexcept
{
    try {
        const std::wstring trace = L"Tavlo2: " + Widen(where) + L": " + what;
        Trace(trace + L"\n");
        if (Observer()) Observer()(trace);
    } catch (...) {
    }
}

FaultObserver SetFaultObserver(FaultObserver observer)
{
    FaultObserver previous = std::move(Observer());
    Observer() = std::move(observer);
    return previous;
}

} // namespace tavlo
