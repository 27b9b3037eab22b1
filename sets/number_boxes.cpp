#include "sets/number_boxes.h"

namespace numsift::sets {

bool boxHasSet(NumberBox box) {
    return box == NumberBox::Base || box == NumberBox::JoinA || box == NumberBox::JoinB;
}

std::string reparseBox(NumberSetStore& store, NumberBox box, std::string_view text) {
    switch (box) {
        case NumberBox::Base: return store.parse(text, ParseTarget::Base, false);
        case NumberBox::JoinA:
        case NumberBox::JoinB:
            store.setCurrentSide(box == NumberBox::JoinA ? 0 : 1);
            return store.parse(text, ParseTarget::Intersection, false);
        case NumberBox::JoinResult: return store.parse(text, ParseTarget::Intersection, true);
        case NumberBox::KillList: return store.parse(text, ParseTarget::Base, true);
    }
    return {};
}

std::size_t storedCount(const NumberSetStore& store, NumberBox box) {
    switch (box) {
        case NumberBox::Base: return store.baseCount();
        case NumberBox::JoinA: return store.intersectionCount(0);
        case NumberBox::JoinB: return store.intersectionCount(1);
        default: return 0;
    }
}

std::size_t countLaidOut(std::string_view text) {
    // The layout holds nothing but five-digit numbers, blanks and CR LF, so
    // every run of digits is one number.
    std::size_t count = 0;
    bool inNumber = false;
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (digit && !inNumber) ++count;
        inNumber = digit;
    }
    return count;
}

namespace {

std::size_t trailingDigits(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && s[s.size() - 1 - n] >= '0' && s[s.size() - 1 - n] <= '9') ++n;
    return n;
}

std::size_t leadingDigits(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9') ++n;
    return n;
}

// Two pieces meet without a separator. When the digits on both sides of the
// seam run together to more than five, the joined token could never be a
// number, and both numbers at the seam would be lost (a paste right after
// the last number of a laid-out box is the common case). A blank keeps them.
// Runs of five digits or fewer still join, so "123" + "45" gives 12345.
bool needsSeam(std::string_view left, std::string_view right) {
    const std::size_t l = trailingDigits(left);
    const std::size_t r = leadingDigits(right);
    return l > 0 && r > 0 && l + r > 5;
}

}  // namespace

std::string pasteIntoBox(NumberSetStore& store, NumberBox box, std::string_view before,
                         std::string_view clipboardText, std::string_view after) {
    std::string whole;
    whole.reserve(before.size() + clipboardText.size() + after.size() + 2);
    whole.append(before);
    // An empty clipboard text leaves before and after meeting directly.
    std::string_view middle = clipboardText;
    if (needsSeam(whole, middle)) whole.push_back(' ');
    whole.append(middle);
    if (needsSeam(whole, after)) whole.push_back(' ');
    whole.append(after);
    return reparseBox(store, box, whole);
}

}  // namespace numsift::sets
