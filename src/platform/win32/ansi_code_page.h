// The system's ANSI code page (CP_ACP), or a fixed one, through the Windows conversion functions. A
// character that would be replaced by a best-fit or default character counts as having no code; on a
// double-byte code page a character may take two bytes.
#pragma once

#include "platform/code_page.h"

namespace sarnex::win32 {

class AnsiCodePage final : public platform::CodePage {
public:
    explicit AnsiCodePage(unsigned codePage = 0 /* CP_ACP */) : codePage_(codePage) {}
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view codes) const override;
    // By the system's own rules (CharUpperBuffW), so every code page's letters are handled.
    std::string UpperCase(std::string_view utf8) const override;

private:
    unsigned codePage_;
};

}  // namespace sarnex::win32
