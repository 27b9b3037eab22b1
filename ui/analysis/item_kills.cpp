#include "ui/analysis/item_kills.h"

#include <string>
#include <vector>

#include "conditions/column_fill.h"

namespace numsift {

namespace {

// The sum an item of the 杀和值 box names, as the check reads it: one or
// two digits, 0 to 45; -1 for anything else.
int sumOfItem(std::string_view item) {
    if (item.empty() || item.size() > 2) return -1;
    int v = 0;
    for (char c : item) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v <= 45 ? v : -1;
}

bool sumTicked(const HintedText& box, int sum) {
    for (std::string_view item : boxItems(box))
        if (sumOfItem(item) == sum) return true;
    return false;
}

// The box with the sum added (two digits, after what is there) or taken out.
void setSum(HintedText& box, int sum, bool ticked) {
    if (sumTicked(box, sum) == ticked) return;
    std::vector<std::string> kept;
    for (std::string_view item : boxItems(box))
        if (sumOfItem(item) != sum) kept.emplace_back(item);
    if (ticked) kept.push_back((sum < 10 ? "0" : "") + std::to_string(sum));
    std::string text;
    for (const std::string& item : kept) text += (text.empty() ? "" : " ") + item;
    box.text = text;
}

template <class Bits>
bool setBit(Bits& bits, int i, bool ticked) {
    bits[static_cast<std::size_t>(i)] = ticked;
    return true;
}

}  // namespace

bool itemTicked(const FilterInput& in, ItemId item) {
    if (flatIndex(item) < 0) return false;
    const auto i = static_cast<std::size_t>(item.index);
    switch (item.family) {
        case ItemFamily::Position: return in.positionalKill[i / 10][i % 10];
        case ItemFamily::Digit: return in.digitKill[i];
        case ItemFamily::SumTail: return in.sumTailKill[i];
        case ItemFamily::Sum: return sumTicked(in.sumValueKill, item.index);
        case ItemFamily::Span: return in.spanKill[i];
        case ItemFamily::BigSmall: return in.bigSmallKill[i];
        case ItemFamily::OddEven: return in.oddEvenKill[i];
        case ItemFamily::PrimeComposite: return in.primeCompositeKill[i];
        case ItemFamily::Road: return in.roadKill[i];
        case ItemFamily::Shape: return in.shapeKill[i];
        case ItemFamily::BigSmallRatio: return in.bigSmallRatio[i];
        case ItemFamily::OddEvenRatio: return in.oddEvenRatio[i];
        case ItemFamily::PrimeCompositeRatio: return in.primeCompositeRatio[i];
        case ItemFamily::Ac: return in.acKill[i + 1];
        case ItemFamily::TwoCode: return false;
    }
    return false;
}

bool setItemTicked(FilterInput& in, ItemId item, bool ticked) {
    if (flatIndex(item) < 0) return false;
    const int i = item.index;
    switch (item.family) {
        case ItemFamily::Position:
            return setBit(in.positionalKill[static_cast<std::size_t>(i / 10)], i % 10, ticked);
        case ItemFamily::Digit: return setBit(in.digitKill, i, ticked);
        case ItemFamily::SumTail: return setBit(in.sumTailKill, i, ticked);
        case ItemFamily::Sum: setSum(in.sumValueKill, i, ticked); return true;
        case ItemFamily::Span: return setBit(in.spanKill, i, ticked);
        case ItemFamily::BigSmall: return setBit(in.bigSmallKill, i, ticked);
        case ItemFamily::OddEven: return setBit(in.oddEvenKill, i, ticked);
        case ItemFamily::PrimeComposite: return setBit(in.primeCompositeKill, i, ticked);
        case ItemFamily::Road: return setBit(in.roadKill, i, ticked);
        case ItemFamily::Shape: return setBit(in.shapeKill, i, ticked);
        case ItemFamily::BigSmallRatio: return setBit(in.bigSmallRatio, i, ticked);
        case ItemFamily::OddEvenRatio: return setBit(in.oddEvenRatio, i, ticked);
        case ItemFamily::PrimeCompositeRatio: return setBit(in.primeCompositeRatio, i, ticked);
        case ItemFamily::Ac: return setBit(in.acKill, i + 1, ticked);
        case ItemFamily::TwoCode: return false;
    }
    return false;
}

}  // namespace numsift
