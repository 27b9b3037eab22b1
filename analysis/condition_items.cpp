#include "analysis/condition_items.h"

#include <unordered_map>
#include <vector>

#include "conditions/number_traits.h"
#include "engine/number.h"

namespace numsift {

namespace {

constexpr int kFamilyOfKind[3] = {static_cast<int>(ItemFamily::BigSmall),
                                  static_cast<int>(ItemFamily::OddEven),
                                  static_cast<int>(ItemFamily::PrimeComposite)};
constexpr int kRatioFamilyOfKind[3] = {static_cast<int>(ItemFamily::BigSmallRatio),
                                       static_cast<int>(ItemFamily::OddEvenRatio),
                                       static_cast<int>(ItemFamily::PrimeCompositeRatio)};

constexpr const char* kPositionNames[5] = {"万位", "千位", "百位", "十位", "个位"};
constexpr const char* kPatternKeys[3] = {"bigsmall", "oddeven", "primecomposite"};
constexpr const char* kRatioKeys[3] = {"ratio-bs", "ratio-oe", "ratio-pc"};

int twoCodeIndex(int a, int b) { return a * 10 - a * (a - 1) / 2 + (b - a); }

std::string digitText(int d) { return std::to_string(d); }

// Keys, captions and the look-ups from the checks' per-number properties to
// item indexes, built once. A pattern box is found by the pattern its
// caption names, as the check reads it.
struct ItemTables {
    std::vector<std::string> keys, captions;  // by flat index
    std::unordered_map<std::string, int> flatOfKey;
    std::array<std::array<std::uint8_t, kClassPatternCount>, 3> boxOfClassPattern{};
    std::array<std::uint8_t, kRoadPatternCount> boxOfRoad{};
    // The two-digit codes each digit multiset contains, ascending.
    std::vector<std::array<std::uint8_t, 16>> twoCodesOfMultiset;
    std::vector<std::uint8_t> twoCodeCount;

    ItemTables() {
        keys.reserve(kItemCount);
        captions.reserve(kItemCount);
        auto add = [this](std::string key, std::string caption) {
            flatOfKey.emplace(key, static_cast<int>(keys.size()));
            keys.push_back(std::move(key));
            captions.push_back(std::move(caption));
        };
        for (int p = 1; p <= 5; ++p)
            for (int d = 0; d < 10; ++d)
                add("pos" + std::to_string(p) + ":" + digitText(d), kPositionNames[p - 1] + digitText(d));
        for (int d = 0; d < 10; ++d) add("any:" + digitText(d), "含" + digitText(d));
        for (int d = 0; d < 10; ++d) add("sumtail:" + digitText(d), "和尾" + digitText(d));
        for (int s = 0; s <= 45; ++s) add("sum:" + std::to_string(s), "和值" + std::to_string(s));
        for (int s = 0; s < 10; ++s) add("span:" + digitText(s), "跨度" + digitText(s));
        for (int k = 0; k < 3; ++k)
            for (int box = 0; box < kClassPatternCount; ++box) {
                const std::string caption =
                    classPatternCaption(kClassKinds[static_cast<std::size_t>(k)], box);
                add(std::string(kPatternKeys[k]) + ":" + caption, caption);
                const int pattern = *classPatternOfCaption(kClassKinds[static_cast<std::size_t>(k)], caption);
                boxOfClassPattern[static_cast<std::size_t>(k)][static_cast<std::size_t>(pattern)] =
                    static_cast<std::uint8_t>(box);
            }
        for (int box = 0; box < kRoadPatternCount; ++box) {
            const std::string caption = roadCaption(box);
            add("road:" + caption, "012路" + caption);
            boxOfRoad[static_cast<std::size_t>(*roadPatternOfCaption(caption))] =
                static_cast<std::uint8_t>(box);
        }
        for (int box = 0; box < kShapeCount; ++box) add("shape:" + shapeCaption(box), shapeCaption(box));
        for (int k = 0; k < 3; ++k)
            for (int r = 0; r <= 5; ++r)
                add(std::string(kRatioKeys[k]) + ":" + ratioCaption(r),
                    ratioConditionCaption(kClassKinds[static_cast<std::size_t>(k)]) + ratioCaption(r));
        for (int v = 1; v <= 9; ++v) add("ac:" + acCaption(v), "AC值" + acCaption(v));
        for (int a = 0; a < 10; ++a)
            for (int b = a; b < 10; ++b)
                add("code2:" + digitText(a) + digitText(b), "两码" + digitText(a) + digitText(b));

        const NumberTraits& traits = numberTraits();
        twoCodesOfMultiset.resize(traits.multisets.size());
        twoCodeCount.resize(traits.multisets.size());
        for (std::size_t id = 0; id < traits.multisets.size(); ++id) {
            const auto& count = traits.multisets[id].count;
            std::uint8_t n = 0;
            for (int a = 0; a < 10; ++a)
                for (int b = a; b < 10; ++b) {
                    const bool has = a == b ? count[static_cast<std::size_t>(a)] >= 2
                                            : count[static_cast<std::size_t>(a)] >= 1 &&
                                                  count[static_cast<std::size_t>(b)] >= 1;
                    if (has) twoCodesOfMultiset[id][n++] = static_cast<std::uint8_t>(twoCodeIndex(a, b));
                }
            twoCodeCount[id] = n;
        }
    }
};

const ItemTables& tables() {
    static const ItemTables t;
    return t;
}

ItemId inRange(ItemFamily family, int index) {
    return {family, index >= 0 && index < itemCount(family) ? index : -1};
}

}  // namespace

ItemId itemAt(int flat) {
    for (int f = 0; f < kItemFamilyCount; ++f) {
        const int size = kItemFamilySizes[static_cast<std::size_t>(f)];
        if (flat < size) return {static_cast<ItemFamily>(f), flat};
        flat -= size;
    }
    return {ItemFamily::TwoCode, -1};
}

ItemId positionItem(int position, int digit) {
    if (position < 1 || position > 5 || digit < 0 || digit > 9) return {ItemFamily::Position, -1};
    return {ItemFamily::Position, 10 * (position - 1) + digit};
}
ItemId digitItem(int digit) { return inRange(ItemFamily::Digit, digit); }
ItemId sumTailItem(int tail) { return inRange(ItemFamily::SumTail, tail); }
ItemId sumItem(int sum) { return inRange(ItemFamily::Sum, sum); }
ItemId spanItem(int span) { return inRange(ItemFamily::Span, span); }
ItemId classPatternItem(ClassKind kind, int boxIndex) {
    return inRange(static_cast<ItemFamily>(kFamilyOfKind[static_cast<int>(kind)]), boxIndex);
}
ItemId roadItem(int boxIndex) { return inRange(ItemFamily::Road, boxIndex); }
ItemId shapeItem(int boxIndex) { return inRange(ItemFamily::Shape, boxIndex); }
ItemId ratioItem(ClassKind kind, int k) {
    return inRange(static_cast<ItemFamily>(kRatioFamilyOfKind[static_cast<int>(kind)]), k);
}
ItemId acItem(int value) { return inRange(ItemFamily::Ac, value - 1); }
ItemId twoCodeItem(int a, int b) {
    if (a > b) std::swap(a, b);
    if (a < 0 || b > 9) return {ItemFamily::TwoCode, -1};
    return {ItemFamily::TwoCode, twoCodeIndex(a, b)};
}

const std::string& itemKey(ItemId item) {
    static const std::string none;
    const int flat = flatIndex(item);
    return flat < 0 ? none : tables().keys[static_cast<std::size_t>(flat)];
}

const std::string& itemCaption(ItemId item) {
    static const std::string none;
    const int flat = flatIndex(item);
    return flat < 0 ? none : tables().captions[static_cast<std::size_t>(flat)];
}

std::optional<ItemId> itemOfKey(std::string_view key) {
    const auto& map = tables().flatOfKey;
    const auto it = map.find(std::string(key));
    if (it == map.end()) return std::nullopt;
    return itemAt(it->second);
}

bool hasItem(std::uint32_t value, ItemId item) {
    if (value >= kNumberSpace || flatIndex(item) < 0) return false;
    const NumberTraits& t = numberTraits();
    const int i = item.index;
    switch (item.family) {
        case ItemFamily::Position: return digitsOf(value)[static_cast<std::size_t>(i / 10)] == i % 10;
        case ItemFamily::Digit: return (t.digitMask[value] >> i) & 1;
        case ItemFamily::SumTail: return t.sum[value] % 10 == i;
        case ItemFamily::Sum: return t.sum[value] == i;
        case ItemFamily::Span: return t.span[value] == i;
        case ItemFamily::BigSmall:
        case ItemFamily::OddEven:
        case ItemFamily::PrimeComposite: {
            const auto k = static_cast<std::size_t>(static_cast<int>(item.family) - kFamilyOfKind[0]);
            return tables().boxOfClassPattern[k][t.classPattern[k][value]] == i;
        }
        case ItemFamily::Road: return tables().boxOfRoad[t.road[value]] == i;
        case ItemFamily::Shape: return (t.shapes[value] >> i) & 1;
        case ItemFamily::BigSmallRatio:
        case ItemFamily::OddEvenRatio:
        case ItemFamily::PrimeCompositeRatio: {
            const auto k = static_cast<std::size_t>(static_cast<int>(item.family) - kRatioFamilyOfKind[0]);
            return t.ratioCount[k][value] == i;
        }
        case ItemFamily::Ac: return t.ac[value] == i + 1;
        case ItemFamily::TwoCode: {
            const ItemTables& tb = tables();
            const std::uint16_t id = t.multiset[value];
            for (int c = 0; c < tb.twoCodeCount[id]; ++c)
                if (tb.twoCodesOfMultiset[id][static_cast<std::size_t>(c)] == i) return true;
            return false;
        }
    }
    return false;
}

void itemsOf(std::uint32_t value, ItemsOfNumber& out) {
    out.count = 0;
    if (value >= kNumberSpace) return;
    const NumberTraits& t = numberTraits();
    const ItemTables& tb = tables();
    auto put = [&out](ItemFamily f, int index) {
        out.flat[static_cast<std::size_t>(out.count++)] =
            static_cast<std::uint16_t>(firstFlatIndex(f) + index);
    };
    const Digits& p = digitsOf(value);
    for (int k = 0; k < 5; ++k) put(ItemFamily::Position, 10 * k + p[static_cast<std::size_t>(k)]);
    for (int d = 0; d < 10; ++d)
        if ((t.digitMask[value] >> d) & 1) put(ItemFamily::Digit, d);
    put(ItemFamily::SumTail, t.sum[value] % 10);
    put(ItemFamily::Sum, t.sum[value]);
    put(ItemFamily::Span, t.span[value]);
    for (std::size_t k = 0; k < 3; ++k)
        put(static_cast<ItemFamily>(kFamilyOfKind[k]), tb.boxOfClassPattern[k][t.classPattern[k][value]]);
    put(ItemFamily::Road, tb.boxOfRoad[t.road[value]]);
    for (int box = 0; box < kShapeCount; ++box)
        if ((t.shapes[value] >> box) & 1) put(ItemFamily::Shape, box);
    for (std::size_t k = 0; k < 3; ++k)
        put(static_cast<ItemFamily>(kRatioFamilyOfKind[k]), t.ratioCount[k][value]);
    put(ItemFamily::Ac, t.ac[value] - 1);
    const std::uint16_t id = t.multiset[value];
    for (int c = 0; c < tb.twoCodeCount[id]; ++c)
        put(ItemFamily::TwoCode, tb.twoCodesOfMultiset[id][static_cast<std::size_t>(c)]);
}

}  // namespace numsift
