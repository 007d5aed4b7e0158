// Owning wrappers for Win32 handles: each closes its handle once, and cannot be copied.
#pragma once

#include <windows.h>

#include <utility>

namespace cw::win {

template <typename H, auto Close, H Invalid> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Invalid)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = std::exchange(other.h_, Invalid);
        }
        return *this;
    }

    [[nodiscard]] H get() const { return h_; }
    [[nodiscard]] explicit operator bool() const { return h_ != Invalid; }
    void reset(H h = Invalid) {
        if (h_ != Invalid) Close(h_);
        h_ = h;
    }
    [[nodiscard]] H release() { return std::exchange(h_, Invalid); }

private:
    H h_ = Invalid;
};

inline void closeHandle(HANDLE h) { CloseHandle(h); }
// Kernel handles where failure is INVALID_HANDLE_VALUE (files, snapshots).
using FileHandle = UniqueHandle<HANDLE, closeHandle, INVALID_HANDLE_VALUE>;
// Kernel handles where failure is null (processes, threads, events).
using KernelHandle = UniqueHandle<HANDLE, closeHandle, nullptr>;

} // namespace cw::win
