#include "analysis/draw_history.h"

#include <array>

namespace numsift {

namespace {

// A run of consecutive digits in a line. Only the last five runs of a line
// matter, and of each only whether it has one or five digits, so a run keeps
// at most five of its digits.
struct DigitRun {
    std::size_t begin = 0;   // byte offset in the line
    std::size_t length = 0;  // digits in the run
    char digits[5] = {};     // its first digits (ASCII)
};

// Length in bytes of a digit at line[i] (ASCII or full-width U+FF10..U+FF19),
// 0 when there is none; the digit itself goes to *digit.
std::size_t digitAt(std::string_view line, std::size_t i, char* digit) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c >= '0' && c <= '9') {
        *digit = static_cast<char>(c);
        return 1;
    }
    if (c == 0xEF && i + 2 < line.size() && static_cast<unsigned char>(line[i + 1]) == 0xBC) {
        const auto c3 = static_cast<unsigned char>(line[i + 2]);
        if (c3 >= 0x90 && c3 <= 0x99) {
            *digit = static_cast<char>('0' + (c3 - 0x90));
            return 3;
        }
    }
    return 0;
}

bool isBlankLine(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\f' && c != '\v') return false;
    return true;
}

// Separators that may stand between a label and its draw; they are not part
// of the label.
constexpr std::array<std::string_view, 14> kLabelTrim = {" ",
                                                         "\t",
                                                         ",",
                                                         ";",
                                                         ":",
                                                         "|",
                                                         "=",
                                                         "\xE3\x80\x80" /* 　 */,
                                                         "\xEF\xBC\x8C" /* ， */,
                                                         "\xEF\xBC\x9A" /* ： */,
                                                         "\xEF\xBC\x9B" /* ； */,
                                                         "\xE3\x80\x81" /* 、 */,
                                                         "\xEF\xBD\x9C" /* ｜ */,
                                                         "\xEF\xBC\x9D" /* ＝ */};

std::string_view trimLabel(std::string_view s) {
    bool changed = true;
    while (changed && !s.empty()) {
        changed = false;
        for (std::string_view t : kLabelTrim) {
            if (s.ends_with(t)) {
                s.remove_suffix(t.size());
                changed = true;
            }
            if (s.starts_with(t)) {
                s.remove_prefix(t.size());
                changed = true;
            }
        }
    }
    return s;
}

bool parseLine(std::string_view line, Draw& out) {
    std::array<DigitRun, 5> last{};  // ring of the last five runs
    std::size_t runs = 0;
    for (std::size_t i = 0; i < line.size();) {
        char d = 0;
        std::size_t len = digitAt(line, i, &d);
        if (len == 0) {
            ++i;
            continue;
        }
        DigitRun& run = last[runs % last.size()];
        run = DigitRun{};
        run.begin = i;
        while (len != 0) {
            if (run.length < 5) run.digits[run.length] = d;
            ++run.length;
            i += len;
            len = i < line.size() ? digitAt(line, i, &d) : 0;
        }
        ++runs;
    }
    if (runs == 0) return false;
    auto runFromEnd = [&](std::size_t k) -> const DigitRun& { return last[(runs - 1 - k) % last.size()]; };

    std::string digits;
    std::size_t drawBegin = 0;
    if (runFromEnd(0).length == 5) {
        digits.assign(runFromEnd(0).digits, 5);
        drawBegin = runFromEnd(0).begin;
    } else if (runs >= 5) {
        for (std::size_t k = 5; k-- > 0;) {
            if (runFromEnd(k).length != 1) return false;
            digits += runFromEnd(k).digits[0];
        }
        drawBegin = runFromEnd(4).begin;
    } else {
        return false;
    }
    std::uint32_t value = 0;
    for (char c : digits) value = value * 10 + static_cast<std::uint32_t>(c - '0');
    out.value = value;
    out.label = std::string(trimLabel(line.substr(0, drawBegin)));
    // Draws copied from a spreadsheet hold tabs between 期号 and 日期; the
    // copied tables are tab-separated, so a tab in a label would push every
    // later cell of its row one column to the right.
    for (char& c : out.label)
        if (c == '\t') c = ' ';
    return true;
}

}  // namespace

DrawHistory parseDraws(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    DrawHistory h;
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
        const std::string_view line = text.substr(pos, end - pos);
        ++lineNo;
        if (end < text.size()) {
            // CR LF, LF and a lone CR each end one line.
            end += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        }
        pos = end;
        if (isBlankLine(line)) continue;
        Draw d;
        d.line = lineNo;
        if (parseLine(line, d)) {
            h.draws.push_back(std::move(d));
        } else {
            ++h.badLineCount;
            if (h.firstBadLines.size() < kReportedBadLines) h.firstBadLines.push_back(lineNo);
        }
    }
    return h;
}

std::string badLinesNote(const DrawHistory& history) {
    if (history.badLineCount == 0) return {};
    std::string s = "有 " + std::to_string(history.badLineCount) + " 行不是开奖号码，已跳过：第 ";
    for (std::size_t i = 0; i < history.firstBadLines.size(); ++i) {
        if (i > 0) s += "、";
        s += std::to_string(history.firstBadLines[i]);
    }
    s += " 行";
    if (history.badLineCount > history.firstBadLines.size()) s += "等";
    return s;
}

}  // namespace numsift
