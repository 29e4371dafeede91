// Where the programs let Windows find the DLLs loaded while they run. Started from a Downloads
// folder, a program would otherwise load a DLL of a known name planted beside it, and run it with
// the rights the program was given.
#pragma once

#include <windows.h>

namespace sarnex::win32 {

// From now on every DLL loaded by name, by the program or by the DLLs it uses, comes from the system
// folder only. Called first thing; throws WindowsError when Windows refuses.
void LoadDllsFromTheSystemOnly();

// A DLL of Windows, by its full path in the system folder; null when it cannot be loaded, with the
// reason in GetLastError.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace sarnex::win32
