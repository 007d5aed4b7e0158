// Owning wrappers for Win32 handles: each closes its handle once, and cannot be copied.
#pragma once

#include <windows.h>
#include <winsvc.h>
#include <wininet.h>

#include <utility>

namespace cw::win {

// Traits give the handle type, its invalid value and how to close it.
template <typename Traits> class UniqueHandle {
    using H = typename Traits::Handle;
    static H invalid() { return Traits::invalid(); }

public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = std::exchange(other.h_, invalid());
        }
        return *this;
    }

    [[nodiscard]] H get() const { return h_; }
    [[nodiscard]] explicit operator bool() const { return h_ != invalid(); }
    void reset(H h = invalid()) {
        if (h_ != invalid()) Traits::close(h_);
        h_ = h;
    }
    [[nodiscard]] H release() { return std::exchange(h_, invalid()); }

private:
    H h_ = invalid();
};

// Kernel handles where failure is INVALID_HANDLE_VALUE (files, snapshots).
struct FileHandleTraits {
    using Handle = HANDLE;
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

// Kernel handles where failure is null (processes, threads, events).
struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// GDI objects: fonts, bitmaps, brushes, pens, regions not handed to a window.
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};
using GdiObject = UniqueHandle<GdiObjectTraits>;

struct ModuleTraits {
    using Handle = HMODULE;
    static HMODULE invalid() { return nullptr; }
    static void close(HMODULE h) { FreeLibrary(h); }
};
using Module = UniqueHandle<ModuleTraits>;

// Service control manager and service handles.
struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static SC_HANDLE invalid() { return nullptr; }
    static void close(SC_HANDLE h) { CloseServiceHandle(h); }
};
using ScHandle = UniqueHandle<ServiceHandleTraits>;

// WinINet handles: sessions, connections, requests.
struct InternetHandleTraits {
    using Handle = HINTERNET;
    static HINTERNET invalid() { return nullptr; }
    static void close(HINTERNET h) { InternetCloseHandle(h); }
};
using InternetHandle = UniqueHandle<InternetHandleTraits>;

} // namespace cw::win
