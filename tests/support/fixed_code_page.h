// The code pages tests run with, fixed whatever the machine's own: Windows-1252, the ANSI code page of
// western systems, and the double-byte Japanese 932. Natively they convert through glibc's iconv, on
// Windows through the system's own conversion, so the portable tests under Wine hold the stand-in to it.
#pragma once

#include <memory>

#include "platform/code_page.h"

namespace sarnex::testing {

class FixedCodePage final : public platform::CodePage {
public:
    explicit FixedCodePage(unsigned codePage = 1252);
    std::optional<std::string> FromUtf8(std::string_view utf8) const override { return page_->FromUtf8(utf8); }
    std::string ToUtf8(std::string_view codes) const override { return page_->ToUtf8(codes); }
    std::string UpperCase(std::string_view utf8) const override { return page_->UpperCase(utf8); }

private:
    std::shared_ptr<const platform::CodePage> page_;
};

}  // namespace sarnex::testing
