// Reading .reg files: the whole file is checked before anything is taken from it, and every refusal
// names its line and column.
#include <algorithm>

#include "ctl/ascii.h"
#include "ctl/reg_file.h"
#include "ctl/stored_key.h"
#include "platform/code_page_utf8.h"

namespace sarnex::ctl {
namespace {

constexpr std::u16string_view kUnicodeHeader = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kAnsiHeader = u"REGEDIT4";
constexpr std::string_view kKeyNames[] = {
    "HKEY_LOCAL_MACHINE\\Software\\Sarnex", "HKLM\\Software\\Sarnex",
    "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Sarnex", "HKLM\\Software\\Wow6432Node\\Sarnex"};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

std::vector<std::u16string> Lines(std::u16string_view text) {
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text.compare(i, 2, u"\r\n") == 0) ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(text[i]);
        }
    }
    return lines;
}

struct Failure {
    RegSyntaxError error;
};

class Parser {
public:
    Parser(std::vector<std::u16string> lines, bool unicode, const platform::CodePage& codePage)
        : lines_(std::move(lines)), unicode_(unicode), codePage_(codePage) {}

    std::vector<RegEntry> Parse() {
        const std::u16string_view header = unicode_ ? kUnicodeHeader : kAnsiHeader;
        std::u16string_view first = lines_.front();
        while (!first.empty() && IsBlank(first.back())) first.remove_suffix(1);
        if (!unicode_ && first == kUnicodeHeader)
            Fail("a \"Windows Registry Editor Version 5.00\" file is Unicode (UTF-16), and this one is not: save "
                 "it as Unicode, or begin it with REGEDIT4 for the ANSI code page");
        if (first != header)
            Fail("this is not a .reg file: it begins with neither \"Windows Registry Editor Version 5.00\" nor "
                 "\"REGEDIT4\"");
        for (line_ = 1; line_ < lines_.size(); ++line_) {
            at_ = 0;
            SkipBlanks();
            if (AtEnd() || Peek() == u';') continue;
            if (Peek() == u'[') KeyLine();
            else if (Peek() == u'"' || Peek() == u'@') ValueLine();
            else Fail("expected a [key] or a \"name\"=value line");
        }
        return std::move(entries_);
    }

private:
    [[noreturn]] void Fail(std::string message) const {
        throw Failure{{static_cast<int>(line_) + 1, static_cast<int>(at_) + 1, std::move(message)}};
    }
    const std::u16string& Line() const { return lines_[line_]; }
    bool AtEnd() const { return at_ >= Line().size(); }
    char16_t Peek() const { return AtEnd() ? u'\0' : Line()[at_]; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) ++at_;
    }
    void Expect(char16_t c, const char* what) {
        if (Peek() != c) Fail(std::string("expected ") + what);
        ++at_;
    }
    bool Take(std::u16string_view word) {  // without regard to case
        const std::u16string_view rest = std::u16string_view(Line()).substr(at_);
        if (rest.size() < word.size() ||
            !SameIgnoringCase(platform::Utf8FromUtf16(rest.substr(0, word.size())), platform::Utf8FromUtf16(word)))
            return false;
        at_ += word.size();
        return true;
    }
    void EndOfLine() {
        SkipBlanks();
        if (!AtEnd() && Peek() != u';') Fail("unexpected text at the end of the line");
    }

    void KeyLine() {
        ++at_;
        if (Peek() == u'-') Fail("deleting a key is not accepted; a .reg file for sarnexctl holds values only");
        const std::size_t close = Line().find(u']', at_);
        if (close == std::u16string::npos) Fail("expected ] at the end of the key");
        const std::string key = platform::Utf8FromUtf16(std::u16string_view(Line()).substr(at_, close - at_));
        // regedit on 64-bit Windows shows the key that earlier 32-bit versions wrote under Wow6432Node.
        const bool accepted = std::any_of(std::begin(kKeyNames), std::end(kKeyNames),
                                          [&](std::string_view name) { return SameIgnoringCase(key, name); });
        if (!accepted) Fail("only the key " + std::string(kKeyPath) + " is accepted, not " + key);
        at_ = close + 1;
        EndOfLine();
        inKey_ = true;
    }

    std::u16string Quoted() {
        std::u16string text;
        Expect(u'"', "\"");
        for (;;) {
            if (AtEnd()) Fail("expected \" to end the text");
            const char16_t c = Line()[at_++];
            if (c == u'"') return text;
            if (c != u'\\') {
                text.push_back(c);
                continue;
            }
            const char16_t escaped = Peek();
            if (escaped == u'\\' || escaped == u'"') text.push_back(escaped);
            else if (escaped == u'n') text.push_back(u'\n');
            else if (escaped == u'r') text.push_back(u'\r');
            else Fail("unknown escape \\" + platform::Utf8FromUtf16(std::u16string(1, escaped)));
            ++at_;
        }
    }

    void ValueLine() {
        if (!inKey_) Fail("a value before any [key] line");
        RegEntry entry;
        if (Peek() == u'@') ++at_;
        else entry.name = platform::Utf8FromUtf16(Quoted());
        SkipBlanks();
        Expect(u'=', "= after the value's name");
        SkipBlanks();
        if (Peek() == u'-') {
            ++at_;
        } else {
            entry.value = platform::StoredValue{entry.name, platform::registry_type::kSz, {}};
            Data(*entry.value);
        }
        EndOfLine();
        entries_.push_back(std::move(entry));
    }

    void Data(platform::StoredValue& value) {
        if (Peek() == u'"') {
            value.data = platform::Utf16LeBytes(Quoted() + u'\0');
        } else if (Take(u"dword:")) {
            value.type = platform::registry_type::kDword;
            std::uint32_t number = 0;
            std::size_t digits = 0;
            for (; HexDigit(Peek()) >= 0; ++digits, ++at_) number = number << 4 | static_cast<std::uint32_t>(HexDigit(Peek()));
            if (digits == 0 || digits > 8) Fail("dword: takes 1 to 8 hex digits");
            for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<std::byte>(number >> shift & 0xFF));
        } else if (Take(u"hex:")) {
            value.type = platform::registry_type::kBinary;
            value.data = HexBytes();
        } else if (Take(u"hex(")) {
            std::uint32_t type = 0;
            std::size_t digits = 0;
            for (; HexDigit(Peek()) >= 0; ++digits, ++at_) type = type << 4 | static_cast<std::uint32_t>(HexDigit(Peek()));
            if (digits == 0 || digits > 8) Fail("hex( takes a type of 1 to 8 hex digits");
            Expect(u')', ")");
            Expect(u':', ":");
            value.type = type;
            value.data = HexBytes();
            // An ANSI file holds the string types in the code page; the registry keeps them in UTF-16.
            if (!unicode_ && (type == platform::registry_type::kSz || type == platform::registry_type::kExpandSz ||
                              type == platform::registry_type::kMultiSz)) {
                const std::string codes(reinterpret_cast<const char*>(value.data.data()), value.data.size());
                value.data = platform::Utf16LeBytes(platform::Utf16FromUtf8(codePage_.ToUtf8(codes)));
            }
        } else {
            Fail("expected a \"text\", dword:, hex:, hex(N): or -");
        }
    }

    // Bytes of two hex digits, separated by commas; after a comma, a backslash at the end of the
    // line continues the list on the next one.
    std::vector<std::byte> HexBytes() {
        std::vector<std::byte> bytes;
        SkipBlanks();
        if (AtEnd() || Peek() == u';') return bytes;
        for (;;) {
            SkipBlanks();
            if (Peek() == u'\\' && !bytes.empty()) {
                ++at_;
                EndOfLine();
                if (++line_ >= lines_.size()) {
                    --line_;
                    Fail("the file ends inside hex data");
                }
                at_ = 0;
                SkipBlanks();
            }
            const int high = HexDigit(Peek());
            if (high < 0) Fail("expected two hex digits");
            ++at_;
            const int low = HexDigit(Peek());
            if (low < 0) Fail("expected two hex digits");
            ++at_;
            bytes.push_back(static_cast<std::byte>(high << 4 | low));
            SkipBlanks();
            if (Peek() != u',') return bytes;
            ++at_;
        }
    }

    std::vector<std::u16string> lines_;
    bool unicode_;
    const platform::CodePage& codePage_;
    std::size_t line_ = 0;
    std::size_t at_ = 0;
    bool inKey_ = false;
    std::vector<RegEntry> entries_;
};

}  // namespace

std::variant<std::vector<RegEntry>, RegSyntaxError> ParseRegFile(std::span<const std::byte> file,
                                                                 const platform::CodePage& codePage) {
    const bool unicode = file.size() >= 2 && file[0] == std::byte{0xFF} && file[1] == std::byte{0xFE};
    if (file.size() >= 3 && file[0] == std::byte{0xEF} && file[1] == std::byte{0xBB} && file[2] == std::byte{0xBF})
        return RegSyntaxError{1, 1, "the file is UTF-8, which regedit neither writes nor reads: save it as Unicode "
                                    "(UTF-16), or export it again"};
    std::u16string text;
    if (unicode) {
        if (file.size() % 2 != 0) return RegSyntaxError{1, 1, "a UTF-16 file has an even number of bytes"};
        text = platform::Utf16LeUnits(file.subspan(2));
    } else {
        const std::string codes(reinterpret_cast<const char*>(file.data()), file.size());
        text = platform::Utf16FromUtf8(codePage.ToUtf8(codes));
    }
    try {
        return Parser(Lines(text), unicode, codePage).Parse();
    } catch (const Failure& failure) {
        return failure.error;
    }
}

}  // namespace sarnex::ctl
