#include "platform/win32/dll_search.h"

#include <string>

#include "platform/win32/windows_error.h"

namespace sarnex::win32 {

void LoadDllsFromTheSystemOnly() {
    // Windows 8 and later have it, Vista and 7 with update KB2533623: looked up, not imported, so the
    // program starts without it. Without it the current folder at least leaves the search.
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    SetLastError(ERROR_SUCCESS);
    const BOOL restricted = restrict != nullptr ? restrict(LOAD_LIBRARY_SEARCH_SYSTEM32) : SetDllDirectoryW(L"");
    if (!restricted) throw WindowsError("Cannot keep the program from loading DLLs from its own folder.", GetLastError());
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length >= path.size()) {
        path.resize(length);
        length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    }
    if (length == 0 || length >= path.size()) return nullptr;
    path.resize(length);
    return LoadLibraryW((path + L'\\' + name).c_str());
}

}  // namespace sarnex::win32
