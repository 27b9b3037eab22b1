#include "conditions/json.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace numsift::json {

const Value* Value::find(std::string_view key) const {
    for (const auto& [k, v] : object)
        if (k == key) return &v;
    return nullptr;
}

const char* typeName(Value::Type type) {
    switch (type) {
        case Value::Type::Null: return "null";
        case Value::Type::Bool: return "布尔值";
        case Value::Type::Number: return "数字";
        case Value::Type::String: return "字符串";
        case Value::Type::Array: return "数组";
        case Value::Type::Object: break;
    }
    return "对象";
}

namespace {

class Parser {
public:
    Parser(std::string_view text, int maxDepth) : s_(text), maxDepth_(maxDepth) {}

    ParseResult run() {
        ParseResult r;
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
        skipSpace();
        if (!value(r.value, 0)) {
            r.error = message();
            return r;
        }
        skipSpace();
        if (pos_ != s_.size()) {
            fail("多余的内容");
            r.error = message();
            return r;
        }
        r.ok = true;
        return r;
    }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
    int maxDepth_;
    std::string why_;
    std::size_t failPos_ = 0;

    bool fail(const char* why) {
        if (why_.empty()) {
            why_ = why;
            failPos_ = pos_;
        }
        return false;
    }

    std::string message() const {
        std::size_t line = 1, column = 1;
        for (std::size_t i = 0; i < failPos_ && i < s_.size(); ++i) {
            if (s_[i] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(s_[i]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        char where[64];
        std::snprintf(where, sizeof where, "第 %zu 行第 %zu 列", line, column);
        return std::string("JSON 格式错误（") + where + "）：" + why_;
    }

    bool atEnd() const { return pos_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[pos_]; }

    void skipSpace() {
        while (!atEnd() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
            ++pos_;
    }

    bool literal(std::string_view word) {
        if (s_.substr(pos_, word.size()) != word) return fail("无法识别的值");
        pos_ += word.size();
        return true;
    }

    bool value(Value& out, int depth) {
        if (atEnd()) return fail("内容意外结束");
        switch (peek()) {
            case '{': return object(out, depth + 1);
            case '[': return array(out, depth + 1);
            case '"': out.type = Value::Type::String; return string(out.string);
            case 't':
                out.type = Value::Type::Bool;
                out.boolean = true;
                return literal("true");
            case 'f':
                out.type = Value::Type::Bool;
                out.boolean = false;
                return literal("false");
            case 'n': out.type = Value::Type::Null; return literal("null");
            default: return number(out);
        }
    }

    bool object(Value& out, int depth) {
        if (depth > maxDepth_) return fail("嵌套层数过多");
        out.type = Value::Type::Object;
        ++pos_;
        skipSpace();
        if (peek() == '}') {
            ++pos_;
            return true;
        }
        // Keys seen so far, so that a file of many keys is checked for
        // repeats in one pass rather than by comparing every pair.
        std::unordered_set<std::string> keys;
        for (;;) {
            skipSpace();
            if (peek() != '"') return fail("应为带引号的键");
            const std::size_t keyPos = pos_;
            std::string key;
            if (!string(key)) return false;
            if (!keys.insert(key).second) {
                pos_ = keyPos;
                return fail(("重复的键 \"" + key + "\"").c_str());
            }
            skipSpace();
            if (peek() != ':') return fail("缺少 ':'");
            ++pos_;
            skipSpace();
            Value v;
            if (!value(v, depth)) return false;
            out.object.push_back(Member{std::move(key), std::move(v)});
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == '}') {
                ++pos_;
                return true;
            }
            return fail("缺少 ',' 或 '}'");
        }
    }

    bool array(Value& out, int depth) {
        if (depth > maxDepth_) return fail("嵌套层数过多");
        out.type = Value::Type::Array;
        ++pos_;
        skipSpace();
        if (peek() == ']') {
            ++pos_;
            return true;
        }
        for (;;) {
            skipSpace();
            Value v;
            if (!value(v, depth)) return false;
            out.array.push_back(std::move(v));
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == ']') {
                ++pos_;
                return true;
            }
            return fail("缺少 ',' 或 ']'");
        }
    }

    static void appendUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    bool hex4(std::uint32_t& out) {
        if (pos_ + 4 > s_.size()) return fail("不完整的 \\u 转义");
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = s_[pos_++];
            out <<= 4;
            if (c >= '0' && c <= '9')
                out |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                out |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                out |= static_cast<std::uint32_t>(c - 'A' + 10);
            else
                return fail("无效的 \\u 转义");
        }
        return true;
    }

    // One UTF-8 sequence starting at pos_, checked for shortest form and range.
    bool utf8Char(std::string& out) {
        const unsigned char c = static_cast<unsigned char>(s_[pos_]);
        int len = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF)
            len = 2, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
            len = 3, cp = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4)
            len = 4, cp = c & 0x07;
        else
            return fail("无效的 UTF-8 字节");
        if (pos_ + static_cast<std::size_t>(len) > s_.size()) return fail("无效的 UTF-8 字节");
        for (int i = 1; i < len; ++i) {
            const unsigned char d = static_cast<unsigned char>(s_[pos_ + static_cast<std::size_t>(i)]);
            if ((d & 0xC0) != 0x80) return fail("无效的 UTF-8 字节");
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return fail("无效的 UTF-8 字节");
        out.append(s_.substr(pos_, static_cast<std::size_t>(len)));
        pos_ += static_cast<std::size_t>(len);
        return true;
    }

    bool string(std::string& out) {
        ++pos_;  // opening quote
        for (;;) {
            if (atEnd()) return fail("字符串缺少结尾的引号");
            const unsigned char c = static_cast<unsigned char>(s_[pos_]);
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20) return fail("字符串中有未转义的控制字符");
            if (c >= 0x80) {
                if (!utf8Char(out)) return false;
                continue;
            }
            if (c != '\\') {
                out += static_cast<char>(c);
                ++pos_;
                continue;
            }
            ++pos_;
            if (atEnd()) return fail("字符串缺少结尾的引号");
            const char e = s_[pos_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    std::uint32_t cp = 0;
                    if (!hex4(cp)) return false;
                    if (cp >= 0xDC00 && cp <= 0xDFFF) return fail("孤立的 UTF-16 低代理");
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        std::uint32_t low = 0;
                        if (s_.substr(pos_, 2) != "\\u") return fail("孤立的 UTF-16 高代理");
                        pos_ += 2;
                        if (!hex4(low)) return false;
                        if (low < 0xDC00 || low > 0xDFFF) return fail("孤立的 UTF-16 高代理");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    appendUtf8(out, cp);
                    break;
                }
                default: --pos_; return fail("无效的转义字符");
            }
        }
    }

    bool number(Value& out) {
        const std::size_t start = pos_;
        if (peek() == '-') ++pos_;
        if (peek() == '0') {
            ++pos_;
        } else if (peek() >= '1' && peek() <= '9') {
            while (peek() >= '0' && peek() <= '9') ++pos_;
        } else {
            pos_ = start;
            return fail("无法识别的值");
        }
        bool integral = true;
        if (peek() == '.') {
            integral = false;
            ++pos_;
            if (!(peek() >= '0' && peek() <= '9')) return fail("数字的小数部分不完整");
            while (peek() >= '0' && peek() <= '9') ++pos_;
        }
        if (peek() == 'e' || peek() == 'E') {
            integral = false;
            ++pos_;
            if (peek() == '+' || peek() == '-') ++pos_;
            if (!(peek() >= '0' && peek() <= '9')) return fail("数字的指数部分不完整");
            while (peek() >= '0' && peek() <= '9') ++pos_;
        }
        const std::string text(s_.substr(start, pos_ - start));
        out.type = Value::Type::Number;
        out.number = std::strtod(text.c_str(), nullptr);
        if (integral) {
            std::int64_t v = 0;
            const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
            if (ec == std::errc() && p == text.data() + text.size()) {
                out.isInteger = true;
                out.integer = v;
            }
        }
        return true;
    }
};

}  // namespace

ParseResult parse(std::string_view text, int maxDepth) { return Parser(text, maxDepth).run(); }

std::string quote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

}  // namespace numsift::json
