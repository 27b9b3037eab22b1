#include "engine/rounding.h"

namespace numsift {

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    bool any = false;
    // Cap the digits read so a megabyte of digits cannot overflow to inf.
    int digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (digits < 18)
            value = value * 10 + (text[i] - '0');
        else
            value *= 10;
        if (value > 1e18) value = 1e18;
        ++digits;
        any = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i] - '0') * scale;
            scale /= 10;
            any = true;
            ++i;
        }
    }
    if (!any) return 0;
    return negative ? -value : value;
}

}  // namespace numsift
