// The argument text of a command line: what follows the program's own name.
#pragma once

#include <string>
#include <string_view>

namespace sarnex::platform {

// Skips the program's name (quoted or not) and the blanks after it; the rest is returned exactly,
// trailing blanks and case included, since the command word is compared whole.
std::string CommandText(std::string_view commandLine);

}  // namespace sarnex::platform
