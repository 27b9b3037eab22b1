#include "conditions/captions.h"

namespace numsift {

namespace {

constexpr std::array<std::uint8_t, 10> classMap(const char* digits1) {
    std::array<std::uint8_t, 10> m{};
    for (const char* p = digits1; *p; ++p) m[static_cast<std::size_t>(*p - '0')] = 1;
    return m;
}

const DigitClasses kBigSmall{"小", "01234", "大", "56789", "大", "小", classMap("56789"), 1};
const DigitClasses kOddEven{"偶", "02468", "奇", "13579", "奇", "偶", classMap("13579"), 1};
const DigitClasses kPrimeComposite{"质", "12357", "合", "04689", "质", "合", classMap("04689"), 0};

const char* const kShapeCaptions[kShapeCount] = {
    "上山", "下山",  "AAAAA", "不连",  "2连",   "3连",   "4连",
    "5连",  "AABCD", "AABBC", "AAABC", "AAAAB", "ABCDE", "AAABB",
};

// Splits a caption into its UTF-8 characters' byte ranges; false when the
// text is not exactly five characters.
bool fiveCharacters(std::string_view text, std::array<std::string_view, 5>& out) {
    std::size_t i = 0;
    for (int k = 0; k < 5; ++k) {
        if (i >= text.size()) return false;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > text.size()) return false;
        out[static_cast<std::size_t>(k)] = text.substr(i, len);
        i += len;
    }
    return i == text.size();
}

}  // namespace

const DigitClasses& digitClasses(ClassKind kind) {
    switch (kind) {
        case ClassKind::BigSmall: return kBigSmall;
        case ClassKind::OddEven: return kOddEven;
        case ClassKind::PrimeComposite: break;
    }
    return kPrimeComposite;
}

std::string classPatternCaption(ClassKind kind, int index) {
    if (index < 0 || index >= kClassPatternCount) return {};
    const DigitClasses& c = digitClasses(kind);
    std::string s;
    for (int k = 1; k <= 5; ++k) s += (index >> (5 - k)) & 1 ? c.captionSecond : c.captionFirst;
    return s;
}

std::optional<int> classPatternOfCaption(ClassKind kind, std::string_view caption) {
    const DigitClasses& c = digitClasses(kind);
    std::array<std::string_view, 5> chars;
    if (!fiveCharacters(caption, chars)) return std::nullopt;
    int pattern = 0;
    for (int k = 0; k < 5; ++k) {
        pattern <<= 1;
        if (chars[static_cast<std::size_t>(k)] == c.symbol1)
            pattern |= 1;
        else if (chars[static_cast<std::size_t>(k)] != c.symbol0)
            return std::nullopt;
    }
    return pattern;
}

std::optional<int> classBoxOfCaption(ClassKind kind, std::string_view caption) {
    for (int i = 0; i < kClassPatternCount; ++i)
        if (caption == classPatternCaption(kind, i)) return i;
    return std::nullopt;
}

int classPatternOfBox(ClassKind kind, int index) {
    // A set bit of the index shows captionSecond; where that is the class 0
    // symbol, the box's classes are the complement of its index bits.
    const DigitClasses& c = digitClasses(kind);
    return std::string_view(c.captionSecond) == c.symbol1 ? index : index ^ (kClassPatternCount - 1);
}

std::string roadCaption(int index) {
    if (index < 0 || index >= kRoadPatternCount) return {};
    std::string s(5, '0');
    for (int k = 4; k >= 0; --k, index /= 3)
        s[static_cast<std::size_t>(k)] = static_cast<char>('0' + index % 3);
    return s;
}

std::optional<int> roadPatternOfCaption(std::string_view caption) {
    if (caption.size() != 5) return std::nullopt;
    int pattern = 0;
    for (char ch : caption) {
        if (ch < '0' || ch > '2') return std::nullopt;
        pattern = pattern * 3 + (ch - '0');
    }
    return pattern;
}

std::string shapeCaption(int boxIndex) {
    if (boxIndex < 0 || boxIndex >= kShapeCount) return {};
    return kShapeCaptions[boxIndex];
}

std::optional<int> shapeBoxOfCaption(std::string_view caption) {
    for (int i = 0; i < kShapeCount; ++i)
        if (caption == kShapeCaptions[i]) return i;
    return std::nullopt;
}

std::string ratioCaption(int k) {
    if (k < 0 || k > 5) return {};
    return std::string{static_cast<char>('0' + k), ':', static_cast<char>('5' - k)};
}

std::optional<int> ratioOfCaption(std::string_view caption) {
    for (int k = 0; k <= 5; ++k)
        if (caption == ratioCaption(k)) return k;
    return std::nullopt;
}

std::string acCaption(int value) {
    if (value < 1 || value > 9) return {};
    return std::string(1, static_cast<char>('0' + value));
}

const char* classPatternConditionCaption(ClassKind kind) {
    switch (kind) {
        case ClassKind::BigSmall: return captions::kBigSmallKill;
        case ClassKind::OddEven: return captions::kOddEvenKill;
        case ClassKind::PrimeComposite: break;
    }
    return captions::kPrimeCompositeKill;
}

const char* ratioConditionCaption(ClassKind kind) {
    switch (kind) {
        case ClassKind::BigSmall: return captions::kBigSmallRatio;
        case ClassKind::OddEven: return captions::kOddEvenRatio;
        case ClassKind::PrimeComposite: break;
    }
    return captions::kPrimeCompositeRatio;
}

}  // namespace numsift
