// Settings given as one text, as an installer passes on what an administrator wrote:
// SETTING=VALUE words separated by blanks, where a value with blanks stands in single quotes
// (label='My Disk') and two single quotes inside quotes stand for one ('Bob''s Disk').
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sarnex::ctl {

struct WordListError {
    std::string message;
};

// The words, their quotes removed; an unclosed quote is an error, since where the value was
// meant to end cannot be guessed.
std::variant<std::vector<std::string>, WordListError> SplitWords(std::string_view text);

}  // namespace sarnex::ctl
