#pragma once
// A small strict JSON reader and string writer for the scheme files: objects,
// arrays, strings (escapes incl. \uXXXX surrogate pairs, UTF-8 checked),
// numbers that remember whether they were written as integers, true, false,
// null. Duplicate keys, trailing commas, comments and nesting deeper than the
// limit are errors; any byte sequence gives a value or an error, never a
// crash.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace numsift::json {

struct Member;

struct Value {
    enum class Type { Null, Bool, Number, String, Array, Object };

    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    bool isInteger = false;    // written without fraction or exponent and fits 64 bits
    std::int64_t integer = 0;  // the value when isInteger
    std::string string;        // UTF-8
    std::vector<Value> array;
    std::vector<Member> object;  // in file order

    // The member named key of an object, nullptr when absent.
    const Value* find(std::string_view key) const;
};

// One member of an object: its key and value (a struct rather than a pair so
// that the recursive type stays complete for every standard library).
struct Member {
    std::string key;
    Value value;
};

struct ParseResult {
    bool ok = false;
    Value value;
    std::string error;  // Chinese, with line and column, when !ok
};

inline constexpr int kMaxDepth = 64;

// Parses one JSON value, surrounded by optional whitespace (and an optional
// UTF-8 byte-order mark at the start).
ParseResult parse(std::string_view text, int maxDepth = kMaxDepth);

// text as a JSON string literal with its quotes; control characters escaped.
std::string quote(std::string_view text);

// A short name of a value's type for messages: 字符串, 数组, ...
const char* typeName(Value::Type type);

}  // namespace numsift::json
