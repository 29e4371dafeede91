// The system's ANSI code page (CP_ACP), through the Windows conversion functions. A character that
// would be replaced by a best-fit or default character counts as having no code, and so does one
// that needs more than one byte on a double-byte code page.
#pragma once

#include "platform/code_page.h"

namespace sarnex::win32 {

class AnsiCodePage final : public platform::CodePage {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view codes) const override;
    // By the system's own rules (CharUpperBuffW), so every code page's letters are handled.
    std::string UpperCase(std::string_view utf8) const override;
};

}  // namespace sarnex::win32
