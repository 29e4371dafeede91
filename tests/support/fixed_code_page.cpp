#include "support/fixed_code_page.h"

#ifdef _WIN32
#include "platform/win32/ansi_code_page.h"
#else
#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <stdexcept>
#include <string>

#include "platform/code_page_utf8.h"
#endif

namespace sarnex::testing {

#ifdef _WIN32

FixedCodePage::FixedCodePage(unsigned codePage) : page_(std::make_shared<win32::AnsiCodePage>(codePage)) {}

#else

namespace {

class IconvCodePage final : public platform::CodePage {
public:
    explicit IconvCodePage(unsigned codePage)
        : name_("CP" + std::to_string(codePage)), singleByte_(codePage == 1252),
          toPage_(Open(name_.c_str(), "UTF-8")), fromPage_(Open("UTF-8", name_.c_str())),
          utf8Locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {
        if (utf8Locale_ == locale_t{}) throw std::runtime_error("no C.UTF-8 locale");
    }
    ~IconvCodePage() override {
        iconv_close(toPage_);
        iconv_close(fromPage_);
        freelocale(utf8Locale_);
    }
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    std::optional<std::string> FromUtf8(std::string_view utf8) const override {
        std::string codes;
        for (; !utf8.empty();) {
            const auto character = platform::DecodeFirstUtf8(utf8);
            if (!character) return std::nullopt;
            const std::string_view one = utf8.substr(0, character->length);
            // Windows gives the five codes 1252 leaves unassigned the C1 controls of their numbers.
            if (singleByte_ && IsUnassigned(character->codePoint)) codes.push_back(static_cast<char>(character->codePoint));
            else if (auto converted = Convert(toPage_, one)) codes += *converted;
            else return std::nullopt;
            utf8.remove_prefix(character->length);
        }
        return codes;
    }

    std::string ToUtf8(std::string_view codes) const override {
        std::string utf8;
        while (!codes.empty()) {
            // A character takes one byte, or two on a double-byte page; a byte that begins none is U+FFFD.
            std::size_t length = 1;
            std::optional<std::string> converted = Convert(fromPage_, codes.substr(0, 1));
            if (!converted && !singleByte_ && codes.size() > 1) {
                length = 2;
                converted = Convert(fromPage_, codes.substr(0, 2));
            }
            const auto byte = static_cast<unsigned char>(codes.front());
            if (converted) utf8 += *converted;
            else if (singleByte_ && IsUnassigned(byte)) platform::AppendUtf8(utf8, byte);
            else platform::AppendUtf8(utf8, 0xFFFD), length = 1;
            codes.remove_prefix(length);
        }
        return utf8;
    }

    std::string UpperCase(std::string_view utf8) const override {
        std::string out;
        while (!utf8.empty()) {
            const auto character = platform::DecodeFirstUtf8(utf8);
            if (!character) {
                out.push_back(utf8.front());
                utf8.remove_prefix(1);
                continue;
            }
            platform::AppendUtf8(out, static_cast<char32_t>(towupper_l(static_cast<wint_t>(character->codePoint), utf8Locale_)));
            utf8.remove_prefix(character->length);
        }
        return out;
    }

private:
    static bool IsUnassigned(char32_t c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

    static iconv_t Open(const char* to, const char* from) {
        const iconv_t converter = iconv_open(to, from);
        if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no iconv for ") + from + " to " + to);
        return converter;
    }

    // The whole text converted, or nothing when any of it has no counterpart.
    static std::optional<std::string> Convert(iconv_t converter, std::string_view text) {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a failed call may leave a shift state
        std::string in(text), out(text.size() * 4 + 4, '\0');
        char* inAt = in.data();
        char* outAt = out.data();
        std::size_t inLeft = in.size(), outLeft = out.size();
        const std::size_t result = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
        if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

    std::string name_;
    bool singleByte_;
    iconv_t toPage_, fromPage_;
    locale_t utf8Locale_;
};

}  // namespace

FixedCodePage::FixedCodePage(unsigned codePage) : page_(std::make_shared<IconvCodePage>(codePage)) {}

#endif

}  // namespace sarnex::testing
