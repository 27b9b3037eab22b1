#include "engine/tolerance.h"

#include "engine/rounding.h"

namespace numsift {

std::uint8_t readToleranceBox(std::string_view text) {
    const double v = roundHalfEven(leadingNumber(text));
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return static_cast<std::uint8_t>(v);
}

NormalisedTolerance normaliseTolerance(std::string_view lowerText, std::string_view upperText) {
    NormalisedTolerance r;
    r.tolerance.lower = readToleranceBox(lowerText);
    r.tolerance.upper = readToleranceBox(upperText);
    r.lowerBox = std::string(lowerText);
    if (r.tolerance.lower >= r.tolerance.upper) {
        r.tolerance.lower = r.tolerance.upper;
        r.lowerBox = std::to_string(r.tolerance.upper);
    }
    r.upperBox = std::to_string(r.tolerance.upper);
    return r;
}

}  // namespace numsift
