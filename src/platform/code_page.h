// The registry holds texts as single-byte (ANSI) codes; the program's texts are UTF-8. A code page
// converts between the two and says when a character has no single-byte code, so nothing is ever
// silently replaced.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sarnex::platform {

class CodePage {
public:
    virtual ~CodePage() = default;

    // One single-byte code per character; std::nullopt when a character has no code (or the text is
    // not valid UTF-8).
    virtual std::optional<std::string> FromUtf8(std::string_view utf8) const = 0;
    // Every byte denotes a character, so this always succeeds.
    virtual std::string ToUtf8(std::string_view codes) const = 0;
    // The text in upper case by the system's own character rules; characters without an upper-case
    // form, and bytes that are not valid UTF-8, are kept as they are.
    virtual std::string UpperCase(std::string_view utf8) const = 0;
};

}  // namespace sarnex::platform
