#include "config/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace sarnex::config {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the text as a plain "[-]digits[.digits][e[-]digits]" string, dropping blanks and the parts
// that do not belong to the number, and remembers the decimal magnitude for out-of-range results.
struct CleanNumber {
    std::string text;
    bool negative = false;
    long long leadingExponent = 0;  // power of ten of the first non-zero digit, before the exponent part
    bool nonZero = false;
    long long exponent = 0;         // saturated value of the exponent part
    std::size_t end = 0;            // where the input after the last character of the number begins
    bool digits = false;            // whether the number has any
};

CleanNumber Clean(std::string_view input) {
    CleanNumber number;
    std::size_t at = 0;
    // The next character that is not a blank, or '\0' at the end.
    const auto next = [&]() -> char {
        at = std::min(input.find_first_not_of(kBlanks, at), input.size());
        return at == input.size() ? '\0' : input[at];
    };

    if (const char sign = next(); sign == '+' || sign == '-') {
        number.negative = sign == '-';
        ++at;
    }
    if (number.negative) number.text.push_back('-');

    bool seenPoint = false;
    long long integerDigits = 0;  // significant digits before the point
    long long zerosAfterPoint = 0;
    for (char c = next(); IsDigit(c) || (c == '.' && !seenPoint); c = next()) {
        ++at;
        number.end = at;
        number.digits |= IsDigit(c);
        number.text.push_back(c);
        if (c == '.') { seenPoint = true; continue; }
        if (!seenPoint && (number.nonZero || c != '0')) ++integerDigits;
        if (c != '0') number.nonZero = true;
        if (seenPoint && !number.nonZero) ++zerosAfterPoint;
    }
    number.leadingExponent = integerDigits > 0 ? integerDigits - 1 : -(zerosAfterPoint + 1);

    // The exponent counts only when digits follow its letter and optional sign: reading the number
    // stops before a letter or sign with no digits after it.
    if (const char e = next(); e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        ++at;
        std::string exponentText = "e";
        bool negativeExponent = false;
        if (const char sign = next(); sign == '+' || sign == '-') {
            negativeExponent = sign == '-';
            exponentText.push_back(sign);
            ++at;
        }
        long long exponent = 0;
        for (char c = next(); IsDigit(c); c = next()) {
            ++at;
            number.end = at;
            exponentText.push_back(c);
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (c - '0');
        }
        number.text += exponentText;
        number.exponent = negativeExponent ? -exponent : exponent;
    }
    return number;
}

}  // namespace

std::optional<double> WholeNumberFromText(std::string_view text) {
    const CleanNumber number = Clean(text);
    if (!number.digits || text.find_first_not_of(kBlanks, number.end) != std::string_view::npos) return std::nullopt;
    return NumberFromText(text);
}

double NumberFromText(std::string_view text) {
    const CleanNumber number = Clean(text);
    double value = 0.0;
    const char* first = number.text.data();
    const char* last = first + number.text.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Out of range, the power of ten is far from 0 either way.
        const bool overflow = number.nonZero && number.leadingExponent + number.exponent > 0;
        const double magnitude = overflow ? std::numeric_limits<double>::infinity() : 0.0;
        return number.negative ? -magnitude : magnitude;
    }
    if (error != std::errc()) return 0.0;  // no digits at all
    return value;
}

namespace {

std::string Format(double magnitude, bool negative, int significantDigits) {
    std::string out = negative ? "-" : " ";
    if (std::isnan(magnitude)) return " NaN";
    if (std::isinf(magnitude)) return out + "Inf";
    if (magnitude == 0.0) return " 0";

    // d.ddddde±x, correctly rounded to the wanted number of digits.
    char buffer[64];  // room to spare: at most 15 digits, a point and a 3-digit exponent are written
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, significantDigits - 1);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (c != '.') digits.push_back(c);
    }
    while (digits.back() == '0') digits.pop_back();  // the first digit of a value that is not 0 is not 0
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1), scientific.data() + scientific.size(),
                    exponent);
    const auto count = static_cast<int>(digits.size());

    if (exponent >= significantDigits || exponent < -4) {
        out += digits.substr(0, 1);
        if (count > 1) out += "." + digits.substr(1);
        const int shown = exponent < 0 ? -exponent : exponent;
        out += exponent < 0 ? "E-" : "E+";  // an exponent of 0 never comes here
        if (shown < 10) out += '0';
        out += std::to_string(shown);
    } else if (exponent < 0) {
        out += "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (count <= exponent + 1) {
        out += digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
               digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    return out;
}

}  // namespace

std::string TextFromNumber(double value) { return Format(std::fabs(value), std::signbit(value) && value != 0, 15); }

std::string TextFromNumber(float value) {
    // Rounding the single's exact value to 7 digits: widening to double keeps it exact.
    return Format(std::fabs(static_cast<double>(value)), std::signbit(value) && value != 0, 7);
}

}  // namespace sarnex::config
