#include "config/rounding.h"

#include <cmath>

namespace sarnex::config {

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every double
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

double RoundDown(double value) { return std::floor(value); }

}  // namespace sarnex::config
