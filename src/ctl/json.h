// JSON texts in plain ASCII: every other character is escaped, so the output reads the same in
// every console code page.
#pragma once

#include <string>
#include <string_view>

namespace sarnex::ctl {

std::string JsonString(std::string_view utf8);

}  // namespace sarnex::ctl
