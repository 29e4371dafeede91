// Owning wrappers for the operating-system handles the window host creates: each kind is released
// by its own function when its owner goes away.
#pragma once

#include <windows.h>

#include <utility>

namespace sarnex::win32 {

template <class Handle, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle h = Handle{}) {
        if (handle_ != Handle{}) Traits::Close(handle_);
        handle_ = h;
    }

private:
    Handle handle_{};
};

struct WindowTraits {
    static void Close(HWND h) { DestroyWindow(h); }
};
struct GdiObjectTraits {
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct KernelHandleTraits {
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct ModuleTraits {
    static void Close(HMODULE h) { FreeLibrary(h); }
};

using WindowHandle = UniqueHandle<HWND, WindowTraits>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits>;
using PenHandle = UniqueHandle<HPEN, GdiObjectTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using ModuleHandle = UniqueHandle<HMODULE, ModuleTraits>;

// A screen or window device context, released when done.
class DeviceContext {
public:
    explicit DeviceContext(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~DeviceContext() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace sarnex::win32
