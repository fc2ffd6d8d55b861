#pragma once
// Owners for COM: one reference to a COM object, released when it goes; memory the system handed over
// with CoTaskMemAlloc; OLE on this thread for as long as a session lives.
#include <objbase.h>
#include <ole2.h>

#include <utility>

namespace tavlo {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* owned) : p_(owned) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For a call that hands out a new reference: the one held before is released first.
    T** Put()
    {
        Reset();
        return &p_;
    }
    void Reset()
    {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// Memory that a system call allocated for the caller, freed with CoTaskMemFree.
template <class T>
class CoTaskMemPtr {
public:
    CoTaskMemPtr() = default;
    ~CoTaskMemPtr() { CoTaskMemFree(p_); }
    CoTaskMemPtr(const CoTaskMemPtr&) = delete;
    CoTaskMemPtr& operator=(const CoTaskMemPtr&) = delete;
    T* get() const { return p_; }
    // For the call that fills it; whatever it held is freed first.
    T** put()
    {
        CoTaskMemFree(std::exchange(p_, nullptr));
        return &p_;
    }

private:
    T* p_ = nullptr;
};

// OLE on this thread (drag and drop needs it), from construction to destruction.
class OleSession {
public:
    OleSession() : started_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession()
    {
        if (started_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    explicit operator bool() const { return started_; }

private:
    bool started_;
};

} // namespace tavlo
