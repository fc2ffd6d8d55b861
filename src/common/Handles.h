#pragma once
// RAII owners for kernel handles, registry keys and global memory.
#include <windows.h>

#include <utility>

namespace tavlo {

template <typename Traits>
class UniqueHandle {
public:
    using handle_type = typename Traits::type;
    UniqueHandle() = default;
    explicit UniqueHandle(handle_type h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(std::exchange(other.h_, Traits::invalid()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    handle_type get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    handle_type release() { return std::exchange(h_, Traits::invalid()); }
    void reset(handle_type h = Traits::invalid())
    {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }

private:
    handle_type h_ = Traits::invalid();
};

struct FileHandleTraits {
    using type = HANDLE;
    static type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(type h) { CloseHandle(h); }
};
// Handles whose failure value is null: processes, threads, events.
struct KernelHandleTraits {
    using type = HANDLE;
    static type invalid() { return nullptr; }
    static void close(type h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using type = HANDLE;
    static type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(type h) { FindClose(h); }
};

struct RegKeyTraits {
    using type = HKEY;
    static type invalid() { return nullptr; }
    static void close(type h) { RegCloseKey(h); }
};
struct GlobalMemoryTraits {
    using type = HGLOBAL;
    static type invalid() { return nullptr; }
    static void close(type h) { GlobalFree(h); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
// Global memory, freed unless ownership passed on (to the clipboard, to a drop's receiver).
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// Global memory locked for as long as this lives; get() is null when the lock failed.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) : h_(h), p_(h ? GlobalLock(h) : nullptr) {}
    ~GlobalLockGuard()
    {
        if (p_) GlobalUnlock(h_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* get() const { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

} // namespace tavlo
