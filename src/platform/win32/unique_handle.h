// Owning wrappers for the operating-system handles the program creates: each kind is released by
// its own function when its owner goes away, and knows its own invalid value.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>

namespace sarnex::win32 {

template <class Handle, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// Most handles are invalid when null.
struct NullIsInvalid {
    static constexpr std::nullptr_t Invalid() { return nullptr; }
};

struct WindowTraits : NullIsInvalid {
    static void Close(HWND h) { DestroyWindow(h); }
};
struct GdiObjectTraits : NullIsInvalid {
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
// Processes, threads, events: null when there is none. Never a file, whose "none" is not null.
struct KernelHandleTraits : NullIsInvalid {
    static void Close(HANDLE h) { CloseHandle(h); }
};
// What CreateFile returns: INVALID_HANDLE_VALUE when it failed.
struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct ModuleTraits : NullIsInvalid {
    static void Close(HMODULE h) { FreeLibrary(h); }
};

using WindowHandle = UniqueHandle<HWND, WindowTraits>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits>;
using PenHandle = UniqueHandle<HPEN, GdiObjectTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using FileHandle = UniqueHandle<HANDLE, FileTraits>;
using ModuleHandle = UniqueHandle<HMODULE, ModuleTraits>;

// A window class the program registered, unregistered when its owner goes away (after the last
// window of the class is gone).
class WindowClass {
public:
    WindowClass(ATOM atom, HINSTANCE instance) : atom_(atom), instance_(instance) {}
    ~WindowClass() { UnregisterClassW(MAKEINTRESOURCEW(atom_), instance_); }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

private:
    ATOM atom_;
    HINSTANCE instance_;
};

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
