#include "ctl/json.h"

#include <cstdio>

#include "platform/code_page_utf8.h"

namespace sarnex::ctl {

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char16_t unit : platform::Utf16FromUtf8(utf8)) {
        if (unit == u'"' || unit == u'\\') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
            out += escaped;
        }
    }
    return out + "\"";
}

}  // namespace sarnex::ctl
