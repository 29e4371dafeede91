// Rounding of computed numbers to whole values. Both return a double so that callers check the range
// before they narrow the result to an integer field.
#pragma once

namespace sarnex::config {

// To the nearest whole number, halves to the even neighbour (256.5 -> 256, 5.5 -> 6), whatever the
// floating-point environment's rounding mode. Infinities and NaN come back unchanged.
double RoundHalfEven(double value);

// Toward minus infinity (-3.2 -> -4).
double RoundDown(double value);

}  // namespace sarnex::config
