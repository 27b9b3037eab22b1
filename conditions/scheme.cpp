#include "conditions/scheme.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <functional>
#include <optional>
#include <utility>

#include "conditions/captions.h"
#include "conditions/condition_id.h"
#include "conditions/entry_syntax.h"
#include "conditions/hint_texts.h"
#include "conditions/json.h"
#include "engine/line_breaks.h"
#include "engine/number_list.h"

namespace numsift {

namespace {

using json::Value;

constexpr std::array<const char*, 8> kCompoundKeys = {"junk",  "kill2", "kill3", "kill4",
                                                      "must2", "must3", "must4", "positional"};

struct Failure {
    std::string message;
};

std::string quoted(std::string_view item) { return json::quote(item); }

[[noreturn]] void failWith(std::string key, std::string what) {
    throw Failure{std::move(key) + ": " + std::move(what)};
}

[[noreturn]] void wrongType(const std::string& key, const char* expected, const Value& v) {
    failWith(key, std::string("应为") + expected + "，实际是" + json::typeName(v.type));
}

const std::string& needString(const std::string& key, const Value& v) {
    if (v.type != Value::Type::String) wrongType(key, "字符串", v);
    return v.string;
}

const std::vector<Value>& needArray(const std::string& key, const Value& v) {
    if (v.type != Value::Type::Array) wrongType(key, "数组", v);
    return v.array;
}

std::int64_t needInteger(const std::string& key, const Value& v, int lo, int hi) {
    if (v.type != Value::Type::Number) wrongType(key, "整数", v);
    if (!v.isInteger || v.integer < lo || v.integer > hi)
        failWith(key, "应为 " + std::to_string(lo) + "–" + std::to_string(hi) + " 的整数");
    return v.integer;
}

// The UTF-8 characters of text from byte i on,
// up to max characters (for messages: never cuts a character in two).
std::string characterAt(std::string_view text, std::size_t i, std::size_t max = 1) {
    std::size_t end = i;
    for (std::size_t n = 0; n < max && end < text.size(); ++n) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return std::string(text.substr(i, end - i));
}

// A digit string ("05"): digits 0..hi, repeats and any order allowed.
template <std::size_t N>
void digitSet(const std::string& key, const Value& v, char hi, std::array<bool, N>& out) {
    const std::string& text = needString(key, v);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > hi)
            failWith(key, quoted(characterAt(text, i)) + " 不是 0–" + std::string(1, hi) + " 的数字");
        out[static_cast<std::size_t>(c - '0')] = true;
    }
}

// The blank-separated items a normaliser row would judge.
std::vector<std::string> entryItems(std::string_view text) {
    const std::string canonical = canonicaliseSeparators(text);
    std::vector<std::string> items;
    std::size_t i = 0;
    while (i < canonical.size()) {
        const std::size_t blank = canonical.find(' ', i);
        const std::size_t end = blank == std::string::npos ? canonical.size() : blank;
        if (end > i) items.push_back(canonical.substr(i, end - i));
        i = end + 1;
    }
    return items;
}

// A box text under a normaliser row: equal to the hint -> empty; an item the
// row drops -> error; else the normalised text.
HintedText entryText(const std::string& key, const Value& v, const NormaliserParams& params,
                     const std::string& hint) {
    HintedText box{needString(key, v), hint};
    if (countsAsEmpty(box)) return {"", hint};
    for (const std::string& item : entryItems(box.text))
        if (normaliseEntry(item, params).empty())
            failWith(key, quoted(characterAt(item, 0, 40)) + " 不符合格式要求");
    // A trailing separator leaves a trailing blank after one pass of the
    // normaliser; the second pass (what the box does when it is left again)
    // drops it, so a loaded text is already in the layout it is saved in.
    return {normaliseEntry(normaliseEntry(box.text, params), params), hint};
}

HintedText straightKillText(const std::string& key, const Value& v) {
    HintedText box{needString(key, v), hints::kStraightKill};
    if (countsAsEmpty(box)) return {"", hints::kStraightKill};
    forEachToken(box.text, [&key](std::string_view token) {
        if (!numberOfToken(token)) failWith(key, quoted(characterAt(token, 0, 40)) + " 不是五位数字");
    });
    return {formatNumbers(parseNumbers(box.text).values, kListLineWidth), hints::kStraightKill};
}

// The boxes an array of captions ticks; repeats allowed.
template <std::size_t N, typename IndexOf>
std::bitset<N> tickedBoxes(const std::string& key, const Value& v, IndexOf indexOf) {
    std::bitset<N> ticked;
    for (const Value& item : needArray(key, v)) {
        const std::string& caption = needString(key, item);
        const std::optional<int> index = indexOf(caption);
        if (!index) failWith(key, quoted(caption) + " 不是有效的选项");
        ticked.set(static_cast<std::size_t>(*index));
    }
    return ticked;
}

ClassPatternSet classPatterns(const std::string& key, const Value& v, ClassKind kind) {
    return tickedBoxes<kClassPatternCount>(
        key, v, [kind](std::string_view caption) { return classBoxOfCaption(kind, caption); });
}

void banker(const Value& v, FilterInput& in) {
    if (v.type != Value::Type::Object) wrongType("banker", "对象", v);
    for (const auto& [k, member] : v.object) {
        if (k == "countRepeats") {
            if (member.type != Value::Type::Bool) wrongType("banker.countRepeats", "true 或 false", member);
            in.countRepeats = member.boolean;
        } else if (k == "groups") {
            const std::vector<Value>& groups = needArray("banker.groups", member);
            if (groups.size() > in.banker.size())
                failWith("banker.groups", "最多 10 组，实际有 " + std::to_string(groups.size()) + " 组");
            for (std::size_t g = 0; g < groups.size(); ++g) {
                const std::string where = "banker.groups[" + std::to_string(g) + "]";
                if (groups[g].type != Value::Type::Object) wrongType(where, "对象", groups[g]);
                for (const auto& [gk, gv] : groups[g].object) {
                    if (gk == "digits")
                        digitSet(where + ".digits", gv, '9', in.banker[g].digits);
                    else if (gk == "counts")
                        digitSet(where + ".counts", gv, '5', in.banker[g].counts);
                    else
                        failWith(where, quoted(gk) + " 是未知的键");
                }
            }
        } else {
            failWith("banker", quoted(k) + " 是未知的键");
        }
    }
}

void compound(const Value& v, FilterInput& in) {
    if (v.type != Value::Type::Object) wrongType("compound", "对象", v);
    for (const auto& [k, member] : v.object) {
        const std::string& key = k;  // a named reference: lambdas cannot capture bindings everywhere
        const auto at =
            std::find_if(kCompoundKeys.begin(), kCompoundKeys.end(), [&](const char* c) { return key == c; });
        if (at == kCompoundKeys.end()) failWith("compound", quoted(k) + " 是未知的键");
        const auto i = static_cast<std::size_t>(at - kCompoundKeys.begin());
        in.compound.*kCompoundBoxes[i] =
            entryText("compound." + k, member, kComposeParams[i], hints::kCompose[i]);
    }
}

// [L, U], integers 0–99; L > U gives U - U, as the run normalises it.
Tolerance tolerance(const std::string& key, const Value& v) {
    const std::vector<Value>& pair = needArray(key, v);
    if (pair.size() != 2) failWith(key, "应为 [下限, 上限] 两个整数");
    const auto lower = static_cast<std::uint8_t>(needInteger(key, pair[0], 0, 99));
    const auto upper = static_cast<std::uint8_t>(needInteger(key, pair[1], 0, 99));
    return {std::min(lower, upper), upper};
}

// The groups of a grouped tolerance: at most eight, each named once, each
// column caption in one group at most (repeats within a group are harmless).
std::vector<ToleranceGroup> toleranceGroups(const Value& v) {
    const std::vector<Value>& list = needArray("groups", v);
    if (list.size() > kMaxToleranceGroups)
        failWith("groups", "最多 " + std::to_string(kMaxToleranceGroups) + " 组，实际有 " +
                               std::to_string(list.size()) + " 组");
    std::vector<ToleranceGroup> groups;
    for (std::size_t g = 0; g < list.size(); ++g) {
        const std::string where = "groups[" + std::to_string(g) + "]";
        if (list[g].type != Value::Type::Object) wrongType(where, "对象", list[g]);
        ToleranceGroup group;
        bool named = false;
        for (const auto& [k, member] : list[g].object) {
            if (k == "name") {
                group.name = needString(where + ".name", member);
                if (group.name.empty()) failWith(where + ".name", "组名不能为空");
                for (const ToleranceGroup& earlier : groups)
                    if (earlier.name == group.name)
                        failWith(where + ".name", quoted(group.name) + " 与前面的组重名");
                named = true;
            } else if (k == "tolerance") {
                group.tolerance = tolerance(where + ".tolerance", member);
            } else if (k == "conditions") {
                const std::string key = where + ".conditions";
                for (const Value& item : needArray(key, member)) {
                    const std::string& caption = needString(key, item);
                    const std::optional<ColumnId> column = columnOfCaption(caption);
                    if (!column) failWith(key, quoted(caption) + " 不是条件的名称");
                    for (const ToleranceGroup& earlier : groups)
                        if (std::find(earlier.columns.begin(), earlier.columns.end(), *column) !=
                            earlier.columns.end())
                            failWith(key, quoted(caption) + " 已在组 " + quoted(earlier.name) + " 中");
                    if (std::find(group.columns.begin(), group.columns.end(), *column) == group.columns.end())
                        group.columns.push_back(*column);
                }
            } else {
                failWith(where, quoted(k) + " 是未知的键");
            }
        }
        if (!named) failWith(where, "缺少组名 name");
        groups.push_back(std::move(group));
    }
    return groups;
}

// ---- writing ----

std::string digitString(const bool* flags, int count) {
    std::string s;
    for (int d = 0; d < count; ++d)
        if (flags[d]) s += static_cast<char>('0' + d);
    return s;
}

std::string textValue(const HintedText& box) {
    if (countsAsEmpty(box)) return json::quote("");
    return json::quote(withLf(box.text));
}

std::string stringArray(const std::vector<std::string>& items) {
    std::string s = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) s += ", ";
        s += json::quote(items[i]);
    }
    return s + "]";
}

// Captions of the ticked boxes, in box order.
template <std::size_t N, typename CaptionOf>
std::vector<std::string> tickedCaptions(const std::bitset<N>& ticked, CaptionOf captionOf) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < N; ++i)
        if (ticked.test(i)) out.push_back(captionOf(static_cast<int>(i)));
    return out;
}

std::vector<std::string> classPatternCaptions(const ClassPatternSet& ticked, ClassKind kind) {
    return tickedCaptions(ticked, [kind](int i) { return classPatternCaption(kind, i); });
}

// "[L, U]" within what a file may hold: U at most 99, L at most U.
std::string toleranceValue(Tolerance t) {
    const int upper = std::min<int>(t.upper, 99);
    const int lower = std::min<int>(t.lower, upper);
    return "[" + std::to_string(lower) + ", " + std::to_string(upper) + "]";
}

// ---- the keys ----

// One key of the file: how its value is read into a scheme and written from
// one. The file holds the keys in this order; to add a key, add a row.
struct SchemeKey {
    const char* name;
    // Throws a Failure naming the key and the offending item.
    std::function<void(const std::string& key, const Value& value, Scheme& scheme)> read;
    // The value's JSON text; nothing leaves the key out of the file.
    std::function<std::optional<std::string>(const Scheme& scheme)> write;
};

using DigitFlags = std::array<bool, 10>;

// A digit string ("05") of the digits ticked.
SchemeKey digitsKey(const char* name, DigitFlags FilterInput::*field) {
    return {
        name,
        [field](const std::string& key, const Value& v, Scheme& s) { digitSet(key, v, '9', s.input.*field); },
        [field](const Scheme& s) { return json::quote(digitString((s.input.*field).data(), 10)); }};
}

// A box text, "" when it counts as empty.
SchemeKey entryKey(const char* name, HintedText FilterInput::*field, const NormaliserParams& params,
                   const std::string& hint) {
    return {name,
            [field, &params, &hint](const std::string& key, const Value& v, Scheme& s) {
                s.input.*field = entryText(key, v, params, hint);
            },
            [field](const Scheme& s) { return textValue(s.input.*field); }};
}

// The captions of the ticked pattern boxes of one class.
SchemeKey classKey(const char* name, ClassPatternSet FilterInput::*field, ClassKind kind) {
    return {
        name,
        [field, kind](const std::string& key, const Value& v, Scheme& s) {
            s.input.*field = classPatterns(key, v, kind);
        },
        [field, kind](const Scheme& s) { return stringArray(classPatternCaptions(s.input.*field, kind)); }};
}

// The ratios to keep, as "k:5-k" captions.
SchemeKey ratioKey(const char* name, RatioSet FilterInput::*field) {
    return {name,
            [field](const std::string& key, const Value& v, Scheme& s) {
                s.input.*field = tickedBoxes<6>(key, v, ratioOfCaption);
            },
            [field](const Scheme& s) { return stringArray(tickedCaptions(s.input.*field, ratioCaption)); }};
}

std::string groupsValue(const std::vector<ToleranceGroup>& list) {
    std::string groups = "[";
    for (std::size_t g = 0; g < list.size(); ++g) {
        const ToleranceGroup& group = list[g];
        std::vector<std::string> captions;
        for (const ColumnId& column : group.columns) captions.push_back(columnCaption(column));
        groups += g ? ",\n    " : "\n    ";
        groups += "{\"name\": " + json::quote(group.name) +
                  ", \"tolerance\": " + toleranceValue(group.tolerance) +
                  ", \"conditions\": " + stringArray(captions) + "}";
    }
    return groups + "\n  ]";
}

// Groups after the last one with a digit or a count ticked are left out.
std::string bankerValue(const FilterInput& in) {
    std::size_t groups = in.banker.size();
    auto blank = [](const BankerGroupInput& g) {
        return std::none_of(g.digits.begin(), g.digits.end(), [](bool b) { return b; }) &&
               std::none_of(g.counts.begin(), g.counts.end(), [](bool b) { return b; });
    };
    while (groups > 0 && blank(in.banker[groups - 1])) --groups;
    std::string banker =
        std::string("{\"countRepeats\": ") + (in.countRepeats ? "true" : "false") + ", \"groups\": [";
    for (std::size_t g = 0; g < groups; ++g) {
        if (g) banker += ", ";
        banker += "{\"digits\": " + json::quote(digitString(in.banker[g].digits.data(), 10)) +
                  ", \"counts\": " + json::quote(digitString(in.banker[g].counts.data(), 6)) + "}";
    }
    return banker + "]}";
}

std::string compoundValue(const FilterInput& in) {
    std::string comp = "{";
    for (std::size_t i = 0; i < 8; ++i) {
        if (i) comp += ", ";
        comp += json::quote(kCompoundKeys[i]) + ": " + textValue(in.compound.*kCompoundBoxes[i]);
    }
    return comp + "}";
}

const std::vector<SchemeKey>& schemeKeys() {
    static const std::vector<SchemeKey> keys = {
        // The format version is checked before any key is read.
        {"numsift", [](const std::string&, const Value&, Scheme&) {},
         [](const Scheme&) -> std::optional<std::string> { return "1"; }},
        {"tolerance",
         [](const std::string& key, const Value& v, Scheme& s) { s.tolerance = tolerance(key, v); },
         [](const Scheme& s) -> std::optional<std::string> { return toleranceValue(s.tolerance); }},
        {"groups", [](const std::string&, const Value& v, Scheme& s) { s.groups = toleranceGroups(v); },
         [](const Scheme& s) -> std::optional<std::string> {
             if (s.groups.empty()) return std::nullopt;
             return groupsValue(s.groups);
         }},
        {"rules",
         [](const std::string&, const Value& v, Scheme& s) {
             RulesRead rules = readKillRules(v);
             if (!rules.error.empty()) throw Failure{std::move(rules.error)};
             s.rules = std::move(rules.rules);
         },
         [](const Scheme& s) -> std::optional<std::string> {
             if (s.rules.empty()) return std::nullopt;
             return killRulesJson(s.rules);
         }},
        {"straightKill",
         [](const std::string& key, const Value& v, Scheme& s) {
             s.input.straightKill = straightKillText(key, v);
         },
         [](const Scheme& s) -> std::optional<std::string> { return textValue(s.input.straightKill); }},
        {"positionalKill",
         [](const std::string& key, const Value& v, Scheme& s) {
             const std::vector<Value>& rows = needArray(key, v);
             if (rows.size() != 5) failWith(key, "应为 5 个字符串（万位、千位、百位、十位、个位）");
             for (std::size_t r = 0; r < 5; ++r)
                 digitSet(key + "[" + std::to_string(r) + "]", rows[r], '9', s.input.positionalKill[r]);
         },
         [](const Scheme& s) -> std::optional<std::string> {
             std::vector<std::string> rows;
             for (const auto& row : s.input.positionalKill) rows.push_back(digitString(row.data(), 10));
             return stringArray(rows);
         }},
        digitsKey("sumTailKill", &FilterInput::sumTailKill),
        entryKey("sumValueKill", &FilterInput::sumValueKill, kSumValueParams, hints::kSumValue),
        digitsKey("spanKill", &FilterInput::spanKill),
        digitsKey("digitKill", &FilterInput::digitKill),
        {"banker", [](const std::string&, const Value& v, Scheme& s) { banker(v, s.input); },
         [](const Scheme& s) -> std::optional<std::string> { return bankerValue(s.input); }},
        classKey("bigSmallKill", &FilterInput::bigSmallKill, ClassKind::BigSmall),
        classKey("oddEvenKill", &FilterInput::oddEvenKill, ClassKind::OddEven),
        classKey("primeCompositeKill", &FilterInput::primeCompositeKill, ClassKind::PrimeComposite),
        {"roadKill",
         [](const std::string& key, const Value& v, Scheme& s) {
             s.input.roadKill = tickedBoxes<kRoadPatternCount>(key, v, roadPatternOfCaption);
         },
         [](const Scheme& s) -> std::optional<std::string> {
             return stringArray(tickedCaptions(s.input.roadKill, roadCaption));
         }},
        {"shapeKill",
         [](const std::string& key, const Value& v, Scheme& s) {
             s.input.shapeKill = tickedBoxes<kShapeCount>(key, v, shapeBoxOfCaption);
         },
         [](const Scheme& s) -> std::optional<std::string> {
             return stringArray(tickedCaptions(s.input.shapeKill, shapeCaption));
         }},
        ratioKey("bigSmallRatio", &FilterInput::bigSmallRatio),
        ratioKey("oddEvenRatio", &FilterInput::oddEvenRatio),
        ratioKey("primeCompositeRatio", &FilterInput::primeCompositeRatio),
        {"acKill",
         [](const std::string& key, const Value& v, Scheme& s) {
             for (const Value& item : needArray(key, v))
                 s.input.acKill.set(static_cast<std::size_t>(needInteger(key, item, 1, 9)));
         },
         [](const Scheme& s) -> std::optional<std::string> {
             std::string ac = "[";
             for (int v = 1; v <= 9; ++v)
                 if (s.input.acKill.test(static_cast<std::size_t>(v)))
                     ac += (ac.size() > 1 ? ", " : "") + std::to_string(v);
             return ac + "]";
         }},
        {"compound", [](const std::string&, const Value& v, Scheme& s) { compound(v, s.input); },
         [](const Scheme& s) -> std::optional<std::string> { return compoundValue(s.input); }},
    };
    return keys;
}

Scheme parseScheme(const Value& root) {
    if (root.type != Value::Type::Object)
        failWith("方案", std::string("应为 JSON 对象，实际是") + json::typeName(root.type));
    Scheme s = emptyScheme();
    const Value* version = root.find("numsift");
    if (!version) failWith("numsift", "缺少格式标记，应为 1");
    if (version->type != Value::Type::Number || !version->isInteger || version->integer != 1)
        failWith("numsift", "不支持的格式版本，应为 1");

    const std::vector<SchemeKey>& keys = schemeKeys();
    for (const auto& [k, v] : root.object) {
        const std::string& name = k;  // a named reference: lambdas cannot capture bindings everywhere
        const auto key = std::find_if(keys.begin(), keys.end(),
                                      [&name](const SchemeKey& row) { return name == row.name; });
        if (key == keys.end()) failWith(name, "未知的键");
        key->read(name, v, s);
    }
    return s;
}

}  // namespace

Scheme emptyScheme() {
    Scheme s;
    s.input.straightKill.hint = hints::kStraightKill;
    s.input.sumValueKill.hint = hints::kSumValue;
    for (std::size_t i = 0; i < 8; ++i) (s.input.compound.*kCompoundBoxes[i]).hint = hints::kCompose[i];
    return s;
}

SchemeLoad loadScheme(std::string_view text) {
    SchemeLoad load;
    load.scheme = emptyScheme();
    json::ParseResult parsed = json::parse(text);
    if (!parsed.ok) {
        load.error = parsed.error;
        return load;
    }
    try {
        load.scheme = parseScheme(parsed.value);
        load.ok = true;
    } catch (const Failure& f) {
        load.error = f.message;
    }
    return load;
}

std::string saveScheme(const Scheme& scheme) {
    std::vector<std::pair<const char*, std::string>> lines;
    for (const SchemeKey& key : schemeKeys())
        if (std::optional<std::string> value = key.write(scheme))
            lines.emplace_back(key.name, std::move(*value));
    std::string s = "{\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        s += "  ";
        s += json::quote(lines[i].first);
        s += ": ";
        s += lines[i].second;
        s += i + 1 < lines.size() ? ",\n" : "\n";
    }
    s += "}\n";
    return s;
}

}  // namespace numsift
