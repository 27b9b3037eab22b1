#pragma once
// Condition items: properties a draw either has or not, one for each thing a
// control of the condition panel can name — a digit at a position (定位杀),
// a digit anywhere (通杀码), a sum tail, sum, span, a big/small, odd/even or
// prime/composite pattern, a 012-road pattern, a special shape, a ratio, an
// AC value, a two-digit code (杀两码). The statistics (analysis/
// omission_stats.h) count them over past draws; the window shows those
// figures on the controls.
//
// An item is typed (family + index) and has a key for files and the command
// line ("pos1:0", "bigsmall:大小大小大", "code2:11") and a Chinese caption for
// the window ("万位0", "大小大小大", "两码11"). Whether a number has an item is
// read from the same per-number tables the checks use (conditions/
// number_traits.h), through the same box-to-pattern rules, so a statistic
// and the check of the same control can never disagree.
//
// Every item has a flat index 0..kItemCount-1: the families in the order of
// ItemFamily, each family's items by index. That is the order of
// `numsift-cli stats` and of OmissionStats.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "conditions/captions.h"

namespace numsift {

// The index of an item within its family, and the control it belongs to.
enum class ItemFamily : std::uint8_t {
    Position,             // 10·(position − 1) + digit, position 1 = 万位: chkDW(index)
    Digit,                // the digit, anywhere in the number: chkHKD(20 + index), 通杀码
    SumTail,              // sum mod 10: chkHKD(index)
    Sum,                  // 0..45: txtHKD's values
    Span,                 // 0..9: chkHKD(10 + index)
    BigSmall,             // box index of chkDX (its caption is the pattern)
    OddEven,              // box index of chkJO
    PrimeComposite,       // box index of chkZH
    Road,                 // box index of chk012
    Shape,                // box index of chkEx
    BigSmallRatio,        // k big digits ("k:5-k"): cmdBi(index)
    OddEvenRatio,         // k odd digits: cmdBi(6 + index)
    PrimeCompositeRatio,  // k prime digits: cmdBi(12 + index)
    Ac,                   // AC value − 1 (values 1..9): cmdBi(18 + index)
    TwoCode,              // the code ab, a ≤ b, in the order 00, 01, …, 09, 11, 12, …, 99
};

inline constexpr int kItemFamilyCount = 15;

inline constexpr std::array<int, kItemFamilyCount> kItemFamilySizes = {50,  10, 10, 46, 10, 32, 32, 32,
                                                                       243, 14, 6,  6,  6,  9,  55};

inline constexpr int kItemCount = [] {
    int n = 0;
    for (int s : kItemFamilySizes) n += s;
    return n;
}();

struct ItemId {
    ItemFamily family = ItemFamily::Position;
    int index = 0;

    bool operator==(const ItemId&) const = default;
};

inline constexpr int itemCount(ItemFamily f) { return kItemFamilySizes[static_cast<std::size_t>(f)]; }

// Flat index of the family's first item.
inline constexpr int firstFlatIndex(ItemFamily f) {
    int n = 0;
    for (int k = 0; k < static_cast<int>(f); ++k) n += kItemFamilySizes[static_cast<std::size_t>(k)];
    return n;
}

// The item's flat index; -1 when its index is outside its family.
inline constexpr int flatIndex(ItemId item) {
    return item.index >= 0 && item.index < itemCount(item.family) ? firstFlatIndex(item.family) + item.index
                                                                  : -1;
}

// The item of a flat index 0..kItemCount-1.
ItemId itemAt(int flat);

// The items by what the controls name. Arguments outside their range give an
// item whose flatIndex is -1.
ItemId positionItem(int position, int digit);  // position 1 (万位) .. 5 (个位)
ItemId digitItem(int digit);
ItemId sumTailItem(int tail);
ItemId sumItem(int sum);
ItemId spanItem(int span);
ItemId classPatternItem(ClassKind kind, int boxIndex);
ItemId roadItem(int boxIndex);
ItemId shapeItem(int boxIndex);
ItemId ratioItem(ClassKind kind, int k);  // k digits of the counted class (big, odd, prime)
ItemId acItem(int value);                 // 1..9
ItemId twoCodeItem(int a, int b);         // in either order

// "pos1:0".."pos5:9", "any:3", "sumtail:5", "sum:23", "span:7",
// "bigsmall:大小大小大", "oddeven:奇偶奇偶奇", "primecomposite:质合质合质",
// "road:01201", "shape:AABCD", "ratio-bs:2:3", "ratio-oe:2:3", "ratio-pc:2:3",
// "ac:6", "code2:11".
const std::string& itemKey(ItemId item);
std::optional<ItemId> itemOfKey(std::string_view key);

// "万位0", "含3", "和尾5", "和值23", "跨度7", "大小大小大", "奇偶奇偶奇",
// "质合质合质", "012路01201", "AABCD", "大小比2:3", "奇偶比2:3", "质合比2:3",
// "AC值6", "两码11".
const std::string& itemCaption(ItemId item);

// Whether the number (0..99999) has the item. A two-digit code ab is had
// when two of the number's digits at distinct positions are a and b, so
// "11" needs two 1s (the containment of 杀两码).
bool hasItem(std::uint32_t value, ItemId item);

// Calls visit(flatIndex) for every item the number has (about 35), in flat
// order within each family.
template <class Visit>
void forEachItemOf(std::uint32_t value, Visit&& visit);

// The flat indexes of the items a number has, for forEachItemOf.
struct ItemsOfNumber {
    std::array<std::uint16_t, 64> flat;
    int count = 0;
};
void itemsOf(std::uint32_t value, ItemsOfNumber& out);

template <class Visit>
void forEachItemOf(std::uint32_t value, Visit&& visit) {
    ItemsOfNumber items;
    itemsOf(value, items);
    for (int i = 0; i < items.count; ++i) visit(static_cast<int>(items.flat[static_cast<std::size_t>(i)]));
}

}  // namespace numsift
