// .reg files as regedit writes and reads them, for the settings key alone. Writing follows
// regedit's "Windows Registry Editor Version 5.00" format byte for byte (UTF-16LE with a byte-order
// mark, CRLF, hex data wrapped at regedit's width). Reading takes that format and the ANSI
// "REGEDIT4" one, and refuses anything it does not fully understand.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"

namespace sarnex::ctl {

struct RegEntry {
    std::string name;                          // UTF-8; empty for the default value "@"
    std::optional<platform::StoredValue> value;  // none for "name"=-, which deletes the value
};

struct RegSyntaxError {
    int line;    // from 1
    int column;  // from 1, in characters
    std::string message;
};

std::variant<std::vector<RegEntry>, RegSyntaxError> ParseRegFile(std::span<const std::byte> file,
                                                                 const platform::CodePage& codePage);

std::vector<std::byte> WriteRegFile(std::span<const platform::StoredValue> values);

// One value's data as a .reg file writes it, on one line: "HDC" in quotes, dword:00000005,
// hex(7):61,00,00,00.
std::string DataNotation(const platform::StoredValue& value);

}  // namespace sarnex::ctl
