// The system's ANSI code page (CP_ACP), through the Windows conversion functions. A character that
// would be replaced by a best-fit or default character counts as having no code, and so does one
// that needs more than one byte on a double-byte code page.
#pragma once

#include "platform/code_page.h"

namespace sarnex::platform {

class AnsiCodePage final : public CodePage {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view codes) const override;
};

}  // namespace sarnex::platform
