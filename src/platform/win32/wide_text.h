// Window texts travel as UTF-16 to the native controls, so no character is lost on the way.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace sarnex::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
std::string WindowText(HWND window);

}  // namespace sarnex::win32
