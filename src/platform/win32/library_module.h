// Owns one reference to a loaded DLL and releases it when destroyed.
#pragma once

#include <windows.h>

#include <utility>

namespace sarnex::platform {

class LibraryModule {
public:
    explicit LibraryModule(const char* name) : module_(LoadLibraryA(name)) {}
    ~LibraryModule() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    LibraryModule(LibraryModule&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    LibraryModule& operator=(LibraryModule&&) = delete;
    LibraryModule(const LibraryModule&) = delete;
    LibraryModule& operator=(const LibraryModule&) = delete;

    HMODULE Get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }

    // The export with this ordinal, or null when the DLL did not load or has no such export.
    FARPROC Export(WORD ordinal) const {
        return module_ != nullptr ? GetProcAddress(module_, MAKEINTRESOURCEA(ordinal)) : nullptr;
    }

private:
    HMODULE module_ = nullptr;
};

}  // namespace sarnex::platform
