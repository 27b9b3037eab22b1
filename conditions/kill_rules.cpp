#include "conditions/kill_rules.h"

#include "conditions/json.h"

namespace numsift {

namespace {

constexpr std::array<std::string_view, kRuleFamilyCount> kFamilyKeys = {"pos1", "pos2", "pos3",    "pos4",
                                                                        "pos5", "any",  "sumtail", "span"};
constexpr std::array<std::string_view, kRuleFamilyCount> kFamilyCaptions = {"万位", "千位",   "百位", "十位",
                                                                            "个位", "通杀码", "和尾", "跨度"};
constexpr std::array<std::string_view, 5> kKindKeys = {"cold", "hot", "repeat", "formula", "best-formula"};
constexpr std::array<std::string_view, kFormulaTermCount> kTermNames = {"d1", "d2",  "d3",   "d4",
                                                                        "d5", "sum", "span", "tail"};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool isDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// A whole number's value mod 10 (its last digit).
std::uint8_t lastDigit(std::string_view digits) { return static_cast<std::uint8_t>(digits.back() - '0'); }

std::optional<int> termOfName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (std::size_t i = 0; i < kTermNames.size(); ++i)
        if (lower == kTermNames[i]) return static_cast<int>(i);
    return std::nullopt;
}

std::string quoted(std::string_view s) { return json::quote(s); }

bool takesCount(RuleKind k) { return k == RuleKind::Cold || k == RuleKind::Hot; }
bool takesWindow(RuleKind k) { return k == RuleKind::Hot || k == RuleKind::BestFormula; }

// One rule object; the error names the item under where ("rules[2]").
std::string readRule(const json::Value& v, const std::string& where, KillRule& rule) {
    using json::Value;
    if (v.type != Value::Type::Object) return where + ": 应为对象，实际是" + json::typeName(v.type);
    const Value* kill = v.find("kill");
    const Value* by = v.find("by");
    if (!kill) return where + ": 缺少 kill（pos1–pos5、any、sumtail、span）";
    if (!by) return where + ": 缺少 by（cold、hot、repeat、formula、best-formula）";
    for (const json::Member& m : v.object) {
        const std::string key = where + "." + m.key;
        const Value& x = m.value;
        if (m.key == "kill" || m.key == "by" || m.key == "formula") {
            if (x.type != Value::Type::String) return key + ": 应为字符串，实际是" + json::typeName(x.type);
        } else if (m.key == "count" || m.key == "window") {
            if (x.type != Value::Type::Number) return key + ": 应为整数，实际是" + json::typeName(x.type);
        } else {
            return where + ": " + quoted(m.key) + " 是未知的键";
        }
    }
    const std::optional<RuleFamily> family = ruleFamilyOfKey(kill->string);
    if (!family)
        return where + ".kill: " + quoted(kill->string) +
               " 不是规则能杀的项目（pos1–pos5、any、sumtail、span）";
    const std::optional<RuleKind> kind = ruleKindOfKey(by->string);
    if (!kind)
        return where + ".by: " + quoted(by->string) + " 不是规则（cold、hot、repeat、formula、best-formula）";
    rule = KillRule{*family, *kind, 1, 0, {}};
    if (*kind == RuleKind::Hot) rule.window = kDefaultHotWindow;
    if (*kind == RuleKind::BestFormula) rule.window = kDefaultBestFormulaWindow;

    auto integer = [&](const char* name, int hi, int& out) -> std::string {
        const Value* x = v.find(name);
        if (!x) return {};
        if (!x->isInteger || x->integer < 1 || x->integer > hi)
            return where + "." + name + ": 应为 1–" + std::to_string(hi) + " 的整数";
        out = static_cast<int>(x->integer);
        return {};
    };
    if (v.find("count") && !takesCount(*kind)) return where + ".count: 只用于 cold 和 hot";
    if (v.find("window") && !takesWindow(*kind)) return where + ".window: 只用于 hot 和 best-formula";
    if (std::string e = integer("count", kMaxRuleCount, rule.count); !e.empty()) return e;
    if (std::string e = integer("window", kMaxRuleWindow, rule.window); !e.empty()) return e;

    const Value* formula = v.find("formula");
    if (*kind != RuleKind::Formula) {
        if (formula) return where + ".formula: 只用于 formula";
        return {};
    }
    if (!formula) return where + ": 缺少 formula（例如 \"3*d1 + d5 + 7\"）";
    const FormulaRead read = readKillFormula(formula->string);
    if (!read.formula) return where + ".formula: " + read.error;
    rule.formula = *read.formula;
    return {};
}

}  // namespace

std::string_view ruleFamilyKey(RuleFamily family) { return kFamilyKeys[static_cast<std::size_t>(family)]; }

std::optional<RuleFamily> ruleFamilyOfKey(std::string_view key) {
    for (std::size_t i = 0; i < kFamilyKeys.size(); ++i)
        if (kFamilyKeys[i] == key) return static_cast<RuleFamily>(i);
    return std::nullopt;
}

std::string_view ruleKindKey(RuleKind kind) { return kKindKeys[static_cast<std::size_t>(kind)]; }

std::optional<RuleKind> ruleKindOfKey(std::string_view key) {
    for (std::size_t i = 0; i < kKindKeys.size(); ++i)
        if (kKindKeys[i] == key) return static_cast<RuleKind>(i);
    return std::nullopt;
}

std::string_view ruleFamilyCaption(RuleFamily family) {
    return kFamilyCaptions[static_cast<std::size_t>(family)];
}

std::string_view formulaTermName(int term) { return kTermNames[static_cast<std::size_t>(term)]; }

std::string killRuleCaption(const KillRule& rule) {
    std::string s(ruleFamilyCaption(rule.family));
    switch (rule.kind) {
        case RuleKind::Cold: return s + " 冷号 " + std::to_string(rule.count) + " 个";
        case RuleKind::Hot:
            return s + " 热号 " + std::to_string(rule.count) + " 个（近 " + std::to_string(rule.window) +
                   " 期）";
        case RuleKind::Repeat: return s + " 重复上期";
        case RuleKind::Formula: return s + " 公式 " + killFormulaText(rule.formula);
        case RuleKind::BestFormula: return s + " 最优公式（近 " + std::to_string(rule.window) + " 期）";
    }
    return s;
}

FormulaRead readKillFormula(std::string_view text) {
    FormulaRead read;
    KillFormula f;
    const std::string_view whole = trimmed(text);
    if (whole.empty()) {
        read.error = "公式为空（例如 3*d1 + d5 + 7）";
        return read;
    }
    std::size_t pos = 0;
    while (pos <= whole.size()) {
        const std::size_t plus = whole.find('+', pos);
        const std::size_t end = plus == std::string_view::npos ? whole.size() : plus;
        const std::string_view term = trimmed(whole.substr(pos, end - pos));
        if (term.empty()) {
            read.error = quoted(whole) + " 中有空的项（项之间用 + 连接）";
            return read;
        }
        const std::size_t star = term.find('*');
        std::string_view factor = term, name = term;
        if (star != std::string_view::npos) {
            factor = trimmed(term.substr(0, star));
            name = trimmed(term.substr(star + 1));
        }
        if (star == std::string_view::npos && isDigits(term)) {
            f.constant = static_cast<std::uint8_t>((f.constant + lastDigit(term)) % 10);
        } else {
            const std::optional<int> t = termOfName(name);
            if (!t || (star != std::string_view::npos && !isDigits(factor))) {
                read.error = quoted(term) + " 不是公式的项（k*F、F 或整数 k，F 为 d1–d5、sum、span、tail）";
                return read;
            }
            const std::uint8_t k = star == std::string_view::npos ? 1 : lastDigit(factor);
            auto& c = f.coefficients[static_cast<std::size_t>(*t)];
            c = static_cast<std::uint8_t>((c + k) % 10);
        }
        if (plus == std::string_view::npos) break;
        pos = plus + 1;
    }
    read.formula = f;
    return read;
}

std::string killFormulaText(const KillFormula& formula) {
    std::string s;
    auto add = [&s](const std::string& term) { s += (s.empty() ? "" : " + ") + term; };
    for (int t = 0; t < kFormulaTermCount; ++t) {
        const int k = formula.coefficients[static_cast<std::size_t>(t)];
        if (k == 0) continue;
        add((k == 1 ? std::string() : std::to_string(k) + "*") + std::string(formulaTermName(t)));
    }
    if (formula.constant != 0 || s.empty()) add(std::to_string(formula.constant));
    return s;
}

RulesRead readKillRules(const json::Value& value) {
    RulesRead read;
    if (value.type != json::Value::Type::Array) {
        read.error = std::string("rules: 应为数组，实际是") + json::typeName(value.type);
        return read;
    }
    if (value.array.size() > kMaxKillRules) {
        read.error = "rules: 最多 " + std::to_string(kMaxKillRules) + " 条规则，实际有 " +
                     std::to_string(value.array.size()) + " 条";
        return read;
    }
    for (std::size_t i = 0; i < value.array.size(); ++i) {
        KillRule rule;
        read.error = readRule(value.array[i], "rules[" + std::to_string(i) + "]", rule);
        if (!read.error.empty()) {
            read.rules.clear();
            return read;
        }
        read.rules.push_back(rule);
    }
    return read;
}

std::string killRulesJson(const std::vector<KillRule>& rules) {
    std::string s = "[";
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const KillRule& r = rules[i];
        s += i ? ",\n    " : "\n    ";
        s += "{\"kill\": " + quoted(ruleFamilyKey(r.family)) + ", \"by\": " + quoted(ruleKindKey(r.kind));
        if (takesCount(r.kind)) s += ", \"count\": " + std::to_string(r.count);
        if (takesWindow(r.kind)) s += ", \"window\": " + std::to_string(r.window);
        if (r.kind == RuleKind::Formula) s += ", \"formula\": " + quoted(killFormulaText(r.formula));
        s += "}";
    }
    return s + (rules.empty() ? "]" : "\n  ]");
}

}  // namespace numsift
