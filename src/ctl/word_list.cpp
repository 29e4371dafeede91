#include "ctl/word_list.h"

namespace sarnex::ctl {

std::variant<std::vector<std::string>, WordListError> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c != '\'') {
            word += c;
            continue;
        }
        const std::size_t opened = i;
        for (++i;; ++i) {
            if (i == text.size())
                return WordListError{"the quote at character " + std::to_string(opened + 1) + " of \"" +
                                     std::string(text) + "\" is not closed"};
            if (text[i] != '\'') {
                word += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '\'') {
                word += '\'';
                ++i;
            } else {
                break;
            }
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

}  // namespace sarnex::ctl
