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

// The index within its family of each single-valued item a number has.
struct NumberRecord {
    std::array<std::uint8_t, 5> digits;
    std::uint8_t sum, span, ac;
    std::array<std::uint8_t, 3> classBox;  // by ClassKind: box index of the pattern
    std::uint8_t roadBox;
    std::array<std::uint8_t, 3> ratio;  // by ClassKind: counted digits
    std::uint16_t digitMask, shapes, multiset;
};

// Keys, captions and the look-ups from the checks' per-number properties to
// item indexes, built once. A pattern box is found by the pattern it stands
// for, as the check reads it; a road box is its road pattern.
struct ItemTables {
    std::vector<std::string> keys, captions;  // by flat index
    std::unordered_map<std::string, int> flatOfKey;
    std::array<std::array<std::uint8_t, kClassPatternCount>, 3> boxOfClassPattern{};
    // The two-digit codes each digit multiset contains, ascending.
    std::vector<std::array<std::uint8_t, 16>> twoCodesOfMultiset;
    std::vector<std::uint8_t> twoCodeCount;
    // Every number's item indexes gathered from the per-number tables into
    // one record, so that the items of a draw cost one memory read where
    // the tables would cost a dozen scattered ones.
    std::vector<NumberRecord> records;

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
                const int pattern = classPatternOfBox(kClassKinds[static_cast<std::size_t>(k)], box);
                boxOfClassPattern[static_cast<std::size_t>(k)][static_cast<std::size_t>(pattern)] =
                    static_cast<std::uint8_t>(box);
            }
        for (int box = 0; box < kRoadPatternCount; ++box) {
            const std::string caption = roadCaption(box);
            add("road:" + caption, "012路" + caption);
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

        records.resize(kNumberSpace);
        for (std::uint32_t v = 0; v < kNumberSpace; ++v) {
            NumberRecord& r = records[v];
            r.digits = digitsOf(v);
            r.sum = traits.sum[v];
            r.span = traits.span[v];
            r.ac = traits.ac[v];
            for (std::size_t k = 0; k < 3; ++k) {
                r.classBox[k] = boxOfClassPattern[k][traits.classPattern[k][v]];
                r.ratio[k] = traits.ratioCount[k][v];
            }
            r.roadBox = traits.road[v];
            r.digitMask = traits.digitMask[v];
            r.shapes = traits.shapes[v];
            r.multiset = traits.multiset[v];
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
    const ItemTables& tb = tables();
    const NumberRecord& r = tb.records[value];
    const int i = item.index;
    switch (item.family) {
        case ItemFamily::Position: return r.digits[static_cast<std::size_t>(i / 10)] == i % 10;
        case ItemFamily::Digit: return (r.digitMask >> i) & 1;
        case ItemFamily::SumTail: return r.sum % 10 == i;
        case ItemFamily::Sum: return r.sum == i;
        case ItemFamily::Span: return r.span == i;
        case ItemFamily::BigSmall:
        case ItemFamily::OddEven:
        case ItemFamily::PrimeComposite:
            return r.classBox[static_cast<std::size_t>(static_cast<int>(item.family) - kFamilyOfKind[0])] ==
                   i;
        case ItemFamily::Road: return r.roadBox == i;
        case ItemFamily::Shape: return (r.shapes >> i) & 1;
        case ItemFamily::BigSmallRatio:
        case ItemFamily::OddEvenRatio:
        case ItemFamily::PrimeCompositeRatio:
            return r.ratio[static_cast<std::size_t>(static_cast<int>(item.family) - kRatioFamilyOfKind[0])] ==
                   i;
        case ItemFamily::Ac: return r.ac == i + 1;
        case ItemFamily::TwoCode:
            for (int c = 0; c < tb.twoCodeCount[r.multiset]; ++c)
                if (tb.twoCodesOfMultiset[r.multiset][static_cast<std::size_t>(c)] == i) return true;
            return false;
    }
    return false;
}

void itemsOf(std::uint32_t value, ItemsOfNumber& out) {
    out.count = 0;
    if (value >= kNumberSpace) return;
    const ItemTables& tb = tables();
    const NumberRecord& r = tb.records[value];
    std::uint16_t* put = out.flat.data();
    constexpr int kPosition = firstFlatIndex(ItemFamily::Position),
                  kDigit = firstFlatIndex(ItemFamily::Digit), kRoad = firstFlatIndex(ItemFamily::Road),
                  kShape = firstFlatIndex(ItemFamily::Shape), kAc = firstFlatIndex(ItemFamily::Ac),
                  kTwoCode = firstFlatIndex(ItemFamily::TwoCode);
    for (int k = 0; k < 5; ++k)
        *put++ = static_cast<std::uint16_t>(kPosition + 10 * k + r.digits[static_cast<std::size_t>(k)]);
    // Digits and shapes are written always and kept by their bit: a branch
    // per bit would be mispredicted half the time.
    for (int d = 0; d < 10; ++d) {
        *put = static_cast<std::uint16_t>(kDigit + d);
        put += (r.digitMask >> d) & 1;
    }
    *put++ = static_cast<std::uint16_t>(firstFlatIndex(ItemFamily::SumTail) + r.sum % 10);
    *put++ = static_cast<std::uint16_t>(firstFlatIndex(ItemFamily::Sum) + r.sum);
    *put++ = static_cast<std::uint16_t>(firstFlatIndex(ItemFamily::Span) + r.span);
    for (std::size_t k = 0; k < 3; ++k)
        *put++ = static_cast<std::uint16_t>(firstFlatIndex(static_cast<ItemFamily>(kFamilyOfKind[k])) +
                                            r.classBox[k]);
    *put++ = static_cast<std::uint16_t>(kRoad + r.roadBox);
    for (int box = 0; box < kShapeCount; ++box) {
        *put = static_cast<std::uint16_t>(kShape + box);
        put += (r.shapes >> box) & 1;
    }
    for (std::size_t k = 0; k < 3; ++k)
        *put++ = static_cast<std::uint16_t>(firstFlatIndex(static_cast<ItemFamily>(kRatioFamilyOfKind[k])) +
                                            r.ratio[k]);
    *put++ = static_cast<std::uint16_t>(kAc + r.ac - 1);
    const auto& codes = tb.twoCodesOfMultiset[r.multiset];
    for (int c = 0; c < tb.twoCodeCount[r.multiset]; ++c)
        *put++ = static_cast<std::uint16_t>(kTwoCode + codes[static_cast<std::size_t>(c)]);
    out.count = static_cast<int>(put - out.flat.data());
}

}  // namespace numsift
