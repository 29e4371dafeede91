// The editor window as designed: its 48 controls with captions, geometry, fonts, tab order and tips.
#pragma once

#include <string>

#include "platform/forms/design.h"

namespace sarnex::editor {

// The address of the product web page, shown by the link label and opened by a click on it.
inline constexpr const char* kWebAddress = "https://www.sarnex.example/";

forms::FormDesign EditorDesign(const std::string& webAddress = kWebAddress);

}  // namespace sarnex::editor
