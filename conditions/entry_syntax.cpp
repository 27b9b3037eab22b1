#include "conditions/entry_syntax.h"

#include <vector>

namespace numsift {

const NormaliserParams kComposeParams[8] = {
    {1, 0, 5, 49, '*', 4},  // 杀垃圾复式: five groups joined by four "*"
    {10, 0, 2, 2, 0, 0},    // 杀两码
    {10, 0, 3, 3, 0, 0},    // 杀三码
    {10, 0, 4, 9, 0, 0},    // 杀四码
    {10, 0, 2, 2, 0, 0},    // 必出两码
    {10, 0, 3, 3, 0, 0},    // 必出三码
    {10, 0, 4, 9, 0, 0},    // 必出四码
    {1, 0, 5, 5, '*', 0},   // 组合定位杀: five places, a digit or "*"
};

const NormaliserParams kSumValueParams = {0, 45, 2, 2, 0, 0};

namespace {

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    if (s.find(from) == std::string::npos) return;
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = s.find(from, pos);
        if (hit == std::string::npos) break;
        out.append(s, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s, pos, std::string::npos);
    s.swap(out);
}

void trimBlanks(std::string& s) {
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) {
        s.clear();
        return;
    }
    const std::size_t e = s.find_last_not_of(' ');
    s = s.substr(b, e - b + 1);
}

// Separators to blanks, points deleted, two passes of two blanks to one;
// the caller trims (or not).
void canonicaliseBody(std::string& s) {
    replaceAll(s, "\r\n", " ");
    replaceAll(s, ",", " ");
    replaceAll(s, "，", " ");
    replaceAll(s, ";", " ");
    replaceAll(s, "；", " ");
    replaceAll(s, ".", "");
    replaceAll(s, "  ", " ");
    replaceAll(s, "  ", " ");
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool itemPasses(std::string_view item, const NormaliserParams& p) {
    const auto len = static_cast<int>(item.size());
    if (p.marker == 0) {
        if (len < p.minLength || len > p.maxLength || !allDigits(item)) return false;
        if (p.maxValue >= 1) {
            long long v = 0;
            for (char c : item) {
                v = v * 10 + (c - '0');
                if (v > p.maxValue) return false;
            }
        }
        return true;
    }
    std::string rest;
    int markers = 0;
    for (char c : item) {
        if (c == p.marker)
            ++markers;
        else
            rest.push_back(c);
    }
    if (p.markerCount >= 1 && markers != p.markerCount) return false;
    if (!allDigits(rest)) return false;
    return len >= p.minLength && len <= p.maxLength;
}

std::string stripBlanksAndBreaks(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != ' ' && c != '\r' && c != '\n') out.push_back(c);
    return out;
}

}  // namespace

std::string canonicaliseSeparators(std::string_view text) {
    std::string s = withCrLf(text);
    trimBlanks(s);
    canonicaliseBody(s);
    trimBlanks(s);
    return s;
}

bool entriesEquivalent(std::string_view a, std::string_view b) {
    return canonicaliseSeparators(a) == canonicaliseSeparators(b);
}

std::string normaliseEntry(std::string_view text, const NormaliserParams& params) {
    std::string s = withCrLf(text);
    trimBlanks(s);
    canonicaliseBody(s);
    if (s.empty()) return {};

    std::vector<std::string_view> items;
    {
        std::string_view rest = s;
        for (;;) {
            const std::size_t blank = rest.find(' ');
            if (blank == std::string_view::npos) {
                items.push_back(rest);
                break;
            }
            items.push_back(rest.substr(0, blank));
            rest.remove_prefix(blank + 1);
        }
    }

    std::string out;
    out.reserve(s.size() + s.size() / 8);
    int kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out.push_back(' ');
        if (!itemPasses(items[i], params)) continue;  // an empty item stays in the join
        if (params.itemsPerLine >= 1 && kept > 0 && kept % params.itemsPerLine == 0) out.append("\r\n");
        out.append(items[i]);
        ++kept;
    }
    if (kept == 0) return {};
    // Blank runs left by dropped items fold to one blank. Two passes fold runs
    // of up to four; longer runs (many dropped items in a row) fold fully as
    // well, so that the text the box shows after a Yes validates silently.
    while (out.find("  ") != std::string::npos) replaceAll(out, "  ", " ");
    // The result begins with the first kept item, not with the blanks that
    // dropped leading items leave behind.
    const std::size_t first = out.find_first_not_of(" \r\n");
    if (first != std::string::npos && first > 0) out.erase(0, first);
    return out;
}

std::string validationQuestionText(std::string_view hint) {
    std::string t =
        "输入的内容不符合格式要求！是否自动清空？\r\n\r\n"
        "点【是】自动清空，点【否】返回修改";
    if (!hint.empty()) {
        t += "\r\n\r\n";
        t += hint;
    }
    return t;
}

ValidationDecision validateEntry(std::string_view text, const NormaliserParams& params,
                                 std::string_view hint) {
    ValidationDecision d;
    d.normalised = normaliseEntry(text, params);
    d.accepted = entriesEquivalent(text, d.normalised);
    if (!d.accepted) d.question = validationQuestionText(hint);
    return d;
}

LostFocusDisplay lostFocusDisplay(std::string_view text, std::string_view hint) {
    LostFocusDisplay d;
    d.text = std::string(text);
    if (hint.empty()) return d;
    const std::string t = stripBlanksAndBreaks(text);
    if (t != stripBlanksAndBreaks(hint) && !t.empty()) return d;
    d.grey = true;
    d.text = std::string(hint);
    return d;
}

bool countsAsEmpty(const HintedText& box) {
    if (box.text.empty()) return true;
    if (box.hint.empty()) return false;
    return withCrLf(box.text) == withCrLf(box.hint);
}

}  // namespace numsift
