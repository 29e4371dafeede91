// Windows-1252, the ANSI code page of western Windows systems, as a fixed table: the portable
// stand-in for the system code page.
//
// The five codes that Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same number (U+0081 ...), as Windows' own conversion does, so every
// byte read from the registry round-trips. The other C1 characters (U+0080, U+0082 ... U+009F except
// those five) have no code.
#pragma once

#include "platform/code_page.h"

namespace sarnex::testing {

class CodePage1252 final : public platform::CodePage {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view codes) const override;
    // The Western letters: ASCII, the accented Latin-1 letters and the few at codes 0x80..0x9F.
    std::string UpperCase(std::string_view utf8) const override;
};

}  // namespace sarnex::testing
