// Numbers typed into and shown in the editor's text boxes, independent of the system's locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sarnex::config {

// The number at the start of `text`: blanks (space, tab, CR, LF) are skipped anywhere, even between
// digits ("1 2" is 12); an optional sign; digits with at most one "." as the decimal point; an
// optional exponent "E" or "D" (either case) with optional sign and digits. Reading stops at the first
// character that cannot continue the number; no number at the start reads 0. A number beyond the
// range of a double reads as +/-infinity (callers that need a 32-bit field reject it); one too small
// reads as 0. The result is never NaN.
double NumberFromText(std::string_view text);
// The same number, but only when the whole text is one: blanks aside, nothing may follow it.
std::optional<double> WholeNumberFromText(std::string_view text);

// One leading blank for zero and positive values, "-" for negative ones; whole values without a
// point (" 2048"), other values with only the digits needed and no zero before the point (" .5",
// "-.25"). At most 15 significant digits for a double and 7 for a single. Values of 10^15 (double) or
// 10^7 (single) and more, and values below 10^-4, take an exponent form: " 1E+16", " 1.5E-05".
// Infinities give " Inf" and "-Inf", NaN gives " NaN".
std::string TextFromNumber(double value);
std::string TextFromNumber(float value);

}  // namespace sarnex::config
