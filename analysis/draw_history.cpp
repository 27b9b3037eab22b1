#include "analysis/draw_history.h"

#include <algorithm>
#include <array>
#include <optional>

namespace numsift {

namespace {

// A run of consecutive digits in a line. Only the last five runs of a line
// matter, and of each only whether it has one or five digits, so a run keeps
// at most five of its digits.
struct DigitRun {
    std::size_t begin = 0;   // byte offset in the line
    std::size_t end = 0;     // byte offset past its last digit
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

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // 　

// Separators that may stand between a label and its draw; they are not part
// of the label. They also divide a label into the words read for its issue
// and date.
constexpr std::array<std::string_view, 14> kLabelTrim = {" ",
                                                         "\t",
                                                         ",",
                                                         ";",
                                                         ":",
                                                         "|",
                                                         "=",
                                                         kIdeographicSpace,
                                                         "\xEF\xBC\x8C" /* ， */,
                                                         "\xEF\xBC\x9A" /* ： */,
                                                         "\xEF\xBC\x9B" /* ； */,
                                                         "\xE3\x80\x81" /* 、 */,
                                                         "\xEF\xBD\x9C" /* ｜ */,
                                                         "\xEF\xBC\x9D" /* ＝ */};

// Length of a label separator at s[i], 0 when there is none. Every
// separator starts with one of " \t,;:|=" or the lead byte 0xE3 or 0xEF.
std::size_t labelSeparatorAt(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        return c == ' ' || c == '\t' || c == ',' || c == ';' || c == ':' || c == '|' || c == '=' ? 1 : 0;
    }
    if (c != 0xE3 && c != 0xEF) return 0;
    for (std::string_view t : kLabelTrim)
        if (t.size() > 1 && s.substr(i).starts_with(t)) return t.size();
    return 0;
}

bool isColon(std::string_view separator) { return separator == ":" || separator == "\xEF\xBC\x9A"; }

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

// Blanks (and the quotes a spreadsheet puts around a cell) off both ends.
std::string_view trimCell(std::string_view s) {
    for (;;) {
        if (s.starts_with(' ') || s.starts_with('\t') || s.starts_with('"')) {
            s.remove_prefix(1);
        } else if (s.ends_with(' ') || s.ends_with('\t') || s.ends_with('"')) {
            s.remove_suffix(1);
        } else if (s.starts_with(kIdeographicSpace)) {
            s.remove_prefix(kIdeographicSpace.size());
        } else if (s.ends_with(kIdeographicSpace)) {
            s.remove_suffix(kIdeographicSpace.size());
        } else {
            return s;
        }
    }
}

// Copied spreadsheets hold tabs between 期号 and 日期; the tables the program
// copies out are tab-separated, so a tab in a label would push every later
// cell of its row one column to the right.
std::string labelText(std::string_view s) {
    std::string label(trimLabel(s));
    for (char& c : label)
        if (c == '\t') c = ' ';
    return label;
}

// Reads a run of digits at text[*i], advancing *i; the number of digits read
// (capped values are not needed: callers bound the count).
int readNumber(std::string_view text, std::size_t* i, int* value) {
    int count = 0;
    *value = 0;
    char d = 0;
    while (*i < text.size()) {
        const std::size_t len = digitAt(text, *i, &d);
        if (len == 0) break;
        if (count < 9) *value = *value * 10 + (d - '0');
        ++count;
        *i += len;
    }
    return count;
}

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

std::string dateText(int y, int m, int d) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1000 || m < 1 || m > 12 || d < 1) return {};
    if (d > kDays[m - 1] + (m == 2 && isLeapYear(y) ? 1 : 0)) return {};
    std::string s = "0000-00-00";
    s[0] = static_cast<char>('0' + y / 1000);
    s[1] = static_cast<char>('0' + y / 100 % 10);
    s[2] = static_cast<char>('0' + y / 10 % 10);
    s[3] = static_cast<char>('0' + y % 10);
    s[5] = static_cast<char>('0' + m / 10);
    s[6] = static_cast<char>('0' + m % 10);
    s[8] = static_cast<char>('0' + d / 10);
    s[9] = static_cast<char>('0' + d % 10);
    return s;
}

// The columns a header can name.
enum class Column : std::uint8_t { Other, Issue, Date, Number, Position };

struct ColumnName {
    std::string_view name;  // lower case
    Column column;
    int position = 0;  // 1..5 for Column::Position
};

constexpr ColumnName kColumnNames[] = {
    {"期号", Column::Issue},       {"期次", Column::Issue},       {"期数", Column::Issue},
    {"期", Column::Issue},         {"开奖期号", Column::Issue},   {"序号", Column::Issue},
    {"issue", Column::Issue},      {"period", Column::Issue},     {"seq", Column::Issue},
    {"no", Column::Issue},         {"no.", Column::Issue},        {"draw_no", Column::Issue},
    {"日期", Column::Date},        {"开奖日期", Column::Date},    {"开奖时间", Column::Date},
    {"date", Column::Date},        {"draw_date", Column::Date},   {"号码", Column::Number},
    {"开奖号码", Column::Number},  {"中奖号码", Column::Number},  {"开奖结果", Column::Number},
    {"number", Column::Number},    {"numbers", Column::Number},   {"result", Column::Number},
    {"万位", Column::Position, 1}, {"千位", Column::Position, 2}, {"百位", Column::Position, 3},
    {"十位", Column::Position, 4}, {"个位", Column::Position, 5},
};

// Words that, followed by 1..5 (with "_" or a blank between or not), name a
// position column: pos_1, p1, d3, ball_5…
constexpr std::string_view kPositionWords[] = {"pos", "position", "p", "d", "n", "num", "ball", "digit"};

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// What a header cell names, with its position for a position column.
ColumnName columnOf(std::string_view cell) {
    const std::string name = lowerAscii(trimCell(cell));
    for (const ColumnName& c : kColumnNames)
        if (name == c.name) return c;
    if (!name.empty() && name.back() >= '1' && name.back() <= '5') {
        std::string_view word(name);
        word.remove_suffix(1);
        if (word.ends_with('_') || word.ends_with(' ')) word.remove_suffix(1);
        for (std::string_view w : kPositionWords)
            if (word == w) return {"", Column::Position, name.back() - '0'};
    }
    return {"", Column::Other};
}

// The cells of a line between its separators: byte offset and text.
struct Cell {
    std::size_t begin = 0;
    std::string_view text;
};

std::vector<Cell> splitCells(std::string_view line, char separator) {
    std::vector<Cell> cells;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == separator) {
            cells.push_back({begin, line.substr(begin, i - begin)});
            begin = i + 1;
        }
    }
    return cells;
}

// A header: which cell holds what.
struct Header {
    char separator = ',';
    int issue = -1, date = -1, number = -1;
    std::array<int, 5> position = {-1, -1, -1, -1, -1};
};

bool hasDigit(std::string_view s) {
    char d = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (digitAt(s, i, &d) != 0) return true;
    return false;
}

// A header line: tab-, comma- or semicolon-separated names, among them a
// number column and an issue or date column, or the five position columns;
// no cell other than a position name holds a digit (so a row of data is
// never taken for a header).
std::optional<Header> readHeader(std::string_view line) {
    if (line.front() >= '0' && line.front() <= '9') return std::nullopt;  // a row of data
    Header h;
    if (line.find('\t') != std::string_view::npos)
        h.separator = '\t';
    else if (line.find(',') != std::string_view::npos)
        h.separator = ',';
    else if (line.find(';') != std::string_view::npos)
        h.separator = ';';
    else
        return std::nullopt;
    const std::vector<Cell> cells = splitCells(line, h.separator);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const ColumnName c = columnOf(cells[k].text);
        const int index = static_cast<int>(k);
        switch (c.column) {
            case Column::Issue:
                if (h.issue < 0) h.issue = index;
                break;
            case Column::Date:
                if (h.date < 0) h.date = index;
                break;
            case Column::Number:
                if (h.number < 0) h.number = index;
                break;
            case Column::Position:
                if (h.position[static_cast<std::size_t>(c.position - 1)] < 0)
                    h.position[static_cast<std::size_t>(c.position - 1)] = index;
                break;
            case Column::Other:
                if (hasDigit(cells[k].text)) return std::nullopt;
                break;
        }
    }
    bool positions = true;
    for (int p : h.position) positions = positions && p >= 0;
    // A table of draws names its draw and something beside it (an issue, a
    // date, five positions): a lone "号码" before a tab is no header.
    const bool table = positions || (h.number >= 0 && (h.issue >= 0 || h.date >= 0));
    if (!table) return std::nullopt;
    return h;
}

// The draw of a number cell: five digits, blanks between them allowed.
std::optional<std::uint32_t> numberCell(std::string_view cell) {
    cell = trimCell(cell);
    std::uint32_t value = 0;
    int digits = 0;
    for (std::size_t i = 0; i < cell.size();) {
        char d = 0;
        if (const std::size_t len = digitAt(cell, i, &d)) {
            if (++digits > 5) return std::nullopt;
            value = value * 10 + static_cast<std::uint32_t>(d - '0');
            i += len;
        } else if (cell[i] == ' ') {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (digits != 5) return std::nullopt;
    return value;
}

// One digit alone in a cell.
std::optional<std::uint32_t> digitCell(std::string_view cell) {
    cell = trimCell(cell);
    char d = 0;
    if (cell.empty() || digitAt(cell, 0, &d) != cell.size()) return std::nullopt;
    return static_cast<std::uint32_t>(d - '0');
}

bool parseRow(std::string_view line, const Header& h, Draw& out) {
    const std::vector<Cell> cells = splitCells(line, h.separator);
    auto cell = [&cells](int k) -> const Cell* {
        return k >= 0 && static_cast<std::size_t>(k) < cells.size() ? &cells[static_cast<std::size_t>(k)]
                                                                    : nullptr;
    };
    std::size_t drawBegin = line.size();
    if (h.number >= 0) {
        const Cell* c = cell(h.number);
        const std::optional<std::uint32_t> value = c ? numberCell(c->text) : std::nullopt;
        if (!value) return false;
        out.value = *value;
        drawBegin = c->begin;
    } else {
        out.value = 0;
        for (int k : h.position) {
            const Cell* c = cell(k);
            const std::optional<std::uint32_t> digit = c ? digitCell(c->text) : std::nullopt;
            if (!digit) return false;
            out.value = out.value * 10 + *digit;
            drawBegin = std::min(drawBegin, c->begin);
        }
    }
    if (const Cell* c = cell(h.issue); c && !trimCell(c->text).empty()) {
        out.issue = readIssue(trimCell(c->text));
        if (out.issue.empty()) return false;
    }
    if (const Cell* c = cell(h.date); c && !trimCell(c->text).empty()) {
        out.date = readDate(trimCell(c->text), true);
        if (out.date.empty()) return false;
    }
    out.label = labelText(line.substr(0, drawBegin));
    if (out.label.empty()) {
        out.label = out.issue;
        if (!out.date.empty()) out.label += (out.label.empty() ? "" : " ") + out.date;
    }
    return true;
}

// The issue and date a free-form label names: its first date, and its first
// number that is not part of a time of day ("20:30").
void describeLabel(std::string_view label, Draw& out) {
    std::size_t i = 0;
    bool colonBefore = false;
    while (i < label.size()) {
        std::size_t len = labelSeparatorAt(label, i);
        if (len != 0) {
            colonBefore = isColon(label.substr(i, len));
            i += len;
            continue;
        }
        std::size_t end = i;
        while (end < label.size() && labelSeparatorAt(label, end) == 0) ++end;
        const std::string_view word = label.substr(i, end - i);
        const std::size_t after = end < label.size() ? labelSeparatorAt(label, end) : 0;
        const bool colonAfter = after != 0 && isColon(label.substr(end, after));
        if (out.date.empty()) out.date = readDate(word, false);
        if (out.issue.empty()) {
            std::string issue = readIssue(word);
            if (!(issue.size() <= 2 && (colonBefore || colonAfter))) out.issue = std::move(issue);
        }
        colonBefore = false;
        i = end;
        if (!out.issue.empty() && !out.date.empty()) return;
    }
}

// Whether line[i] starts the line or follows a label separator.
bool separatedBefore(std::string_view line, std::size_t i) {
    if (i == 0) return true;
    const std::string_view before = line.substr(0, i);
    return std::any_of(kLabelTrim.begin(), kLabelTrim.end(),
                       [before](std::string_view t) { return before.ends_with(t); });
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
        run.end = i;
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
        // Five digits standing alone: each one between separators, so that
        // "2026-5-1 3 5 7 8" (a date's day) and "第5期 1 2 3 4" (an issue)
        // are no draws.
        for (std::size_t k = 5; k-- > 0;) {
            const DigitRun& run = runFromEnd(k);
            if (run.length != 1 || !separatedBefore(line, run.begin)) return false;
            digits += run.digits[0];
        }
        if (runFromEnd(0).end < line.size() && labelSeparatorAt(line, runFromEnd(0).end) == 0) return false;
        drawBegin = runFromEnd(4).begin;
    } else {
        return false;
    }
    std::uint32_t value = 0;
    for (char c : digits) value = value * 10 + static_cast<std::uint32_t>(c - '0');
    out.value = value;
    out.label = labelText(line.substr(0, drawBegin));
    describeLabel(out.label, out);
    return true;
}

}  // namespace

std::string readIssue(std::string_view text) {
    constexpr std::string_view kOrdinal = "\xE7\xAC\xAC";  // 第
    constexpr std::string_view kIssue = "\xE6\x9C\x9F";    // 期
    if (text.starts_with(kOrdinal)) text.remove_prefix(kOrdinal.size());
    if (text.ends_with(kIssue)) text.remove_suffix(kIssue.size());
    std::string issue;
    for (std::size_t i = 0; i < text.size();) {
        char d = 0;
        const std::size_t len = digitAt(text, i, &d);
        if (len == 0) return {};
        issue += d;
        i += len;
    }
    return issue;
}

std::string readDate(std::string_view text, bool compact) {
    std::size_t i = 0;
    int y = 0, m = 0, d = 0;
    const int yearDigits = readNumber(text, &i, &y);
    if (compact && yearDigits == 8 && i == text.size()) return dateText(y / 10000, y / 100 % 100, y % 100);
    if (yearDigits != 4 || i == text.size()) return {};
    constexpr std::string_view kYear = "\xE5\xB9\xB4", kMonth = "\xE6\x9C\x88",
                               kDay = "\xE6\x97\xA5";  // 年月日
    const std::string_view rest = text.substr(i);
    std::string_view second, third;  // what must follow the month and the day
    if (rest.starts_with(kYear)) {
        i += kYear.size();
        second = kMonth;
        third = kDay;
    } else if (text[i] == '-' || text[i] == '/' || text[i] == '.') {
        second = text.substr(i, 1);
        ++i;
    } else {
        return {};
    }
    const int monthDigits = readNumber(text, &i, &m);
    if (monthDigits < 1 || monthDigits > 2 || !text.substr(i).starts_with(second)) return {};
    i += second.size();
    const int dayDigits = readNumber(text, &i, &d);
    if (dayDigits < 1 || dayDigits > 2) return {};
    if (!third.empty() && text.substr(i).starts_with(third)) i += third.size();
    if (i != text.size()) return {};
    return dateText(y, m, d);
}

DrawHistory parseDraws(std::string_view text) {
    std::vector<Draw> draws;
    DrawHistory h = scanDraws(text, [&draws](Draw&& d) { draws.push_back(std::move(d)); });
    h.draws = std::move(draws);
    return h;
}

DrawHistory scanDraws(std::string_view text, const std::function<void(Draw&&)>& onDraw) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    DrawHistory h;
    std::optional<Header> header;
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
        if (isBlankLine(line) || line.starts_with(kKeptHistorySignature)) continue;
        if (std::optional<Header> next = readHeader(line)) {
            header = next;
            continue;
        }
        Draw d;
        d.line = lineNo;
        const bool read = header && line.find(header->separator) != std::string_view::npos
                              ? parseRow(line, *header, d)
                              : parseLine(line, d);
        if (read) {
            onDraw(std::move(d));
        } else {
            ++h.badLineCount;
            if (h.firstBadLines.size() < kReportedBadLines) h.firstBadLines.push_back(lineNo);
        }
    }
    return h;
}

std::string lineListText(const std::vector<int>& lines, std::size_t count) {
    std::string s = "第 ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) s += "、";
        s += std::to_string(lines[i]);
    }
    s += " 行";
    if (count > lines.size()) s += "等";
    return s;
}

std::string badLinesNote(const DrawHistory& history) {
    if (history.badLineCount == 0) return {};
    return "有 " + std::to_string(history.badLineCount) + " 行不是开奖号码，已跳过：" +
           lineListText(history.firstBadLines, history.badLineCount);
}

}  // namespace numsift
