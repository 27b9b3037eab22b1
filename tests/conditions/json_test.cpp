#include "conditions/json.h"

#include <random>

#include <gtest/gtest.h>

namespace numsift::json {
namespace {

TEST(Json, ValuesAndIntegers) {
    const ParseResult r = parse(" {\"a\": [1, -2, 3.0, 1e2, true, false, null], \"b\": {\"c\": \"x\"}} ");
    ASSERT_TRUE(r.ok) << r.error;
    const Value* a = r.value.find("a");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->array.size(), 7u);
    EXPECT_TRUE(a->array[0].isInteger);
    EXPECT_EQ(a->array[1].integer, -2);
    EXPECT_FALSE(a->array[2].isInteger);
    EXPECT_DOUBLE_EQ(a->array[2].number, 3.0);
    EXPECT_FALSE(a->array[3].isInteger);
    EXPECT_EQ(a->array[4].type, Value::Type::Bool);
    EXPECT_TRUE(a->array[4].boolean);
    EXPECT_EQ(a->array[6].type, Value::Type::Null);
    EXPECT_EQ(r.value.find("b")->find("c")->string, "x");
    EXPECT_EQ(r.value.find("z"), nullptr);
    EXPECT_TRUE(parse("\xEF\xBB\xBF{}").ok);
}

TEST(Json, StringEscapes) {
    const ParseResult r = parse(R"(["a\"b\\c\/\n\r\t", "\u5927\u5C0F", "\uD83D\uDE00"])");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.value.array[0].string, "a\"b\\c/\n\r\t");
    EXPECT_EQ(r.value.array[1].string, "大小");
    EXPECT_EQ(r.value.array[2].string, "\xF0\x9F\x98\x80");
    EXPECT_EQ(quote("a\"\\\n\x01大"), "\"a\\\"\\\\\\n\\u0001大\"");
    const ParseResult back = parse(quote("x\r\ny\t\"\\\x1f"));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.value.string, "x\r\ny\t\"\\\x1f");
}

TEST(Json, StrictErrors) {
    const char* bad[] = {
        "",
        "{",
        "{\"a\":1,}",
        "[1,]",
        "{\"a\":1,\"a\":2}",
        "{a:1}",
        "[01]",
        "[1.]",
        "[.5]",
        "[1e]",
        "[+1]",
        "tru",
        "\"abc",
        "\"a\x01\"",
        "\"\\x\"",
        "\"\\uD800\"",
        "\"\\uDC00\"",
        "\"\\uD800\\u0041\"",
        "\"\\u12\"",
        "\"\xFF\"",
        "\"\xC0\x80\"",
        "\"\xED\xA0\x80\"",
        "\"\xE5\xA4\"",
        "{} {}",
        "// c\n{}",
        "[NaN]",
    };
    for (const char* text : bad) {
        const ParseResult r = parse(text);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_NE(r.error.find("JSON 格式错误"), std::string::npos) << text;
    }
    const ParseResult dup = parse("{\n  \"a\": 1,\n  \"a\": 2\n}");
    EXPECT_NE(dup.error.find("第 3 行"), std::string::npos) << dup.error;
    EXPECT_NE(dup.error.find("重复的键"), std::string::npos) << dup.error;
}

// A file of very many keys is judged in one pass: the duplicate of the first
// key at the very end is found, and without it the object reads whole.
TEST(Json, ManyKeysAndALateDuplicate) {
    std::string text = "{";
    for (int i = 0; i < 200000; ++i) text += "\"k" + std::to_string(i) + "\": " + std::to_string(i) + ",";
    const ParseResult whole = parse(text.substr(0, text.size() - 1) + "}");
    ASSERT_TRUE(whole.ok) << whole.error;
    EXPECT_EQ(whole.value.object.size(), 200000u);
    EXPECT_EQ(whole.value.object.back().key, "k199999");
    const ParseResult dup = parse(text + "\"k0\": 1}");
    EXPECT_FALSE(dup.ok);
    EXPECT_NE(dup.error.find("重复的键 \"k0\""), std::string::npos) << dup.error;
}

TEST(Json, DepthLimitAndArbitraryBytes) {
    std::string deep(100000, '[');
    EXPECT_FALSE(parse(deep).ok);
    std::string ok = std::string(kMaxDepth, '[') + std::string(kMaxDepth, ']');
    EXPECT_TRUE(parse(ok).ok);
    EXPECT_FALSE(parse("[" + ok + "]").ok);

    std::mt19937 rng(7);
    const std::string alphabet = "{}[]\",:\\u0123456789.eE+-truefalsn \n\x80\xC3\xFF";
    for (int round = 0; round < 2000; ++round) {
        std::string s;
        const int len = static_cast<int>(rng() % 40);
        for (int i = 0; i < len; ++i) s += alphabet[rng() % alphabet.size()];
        const ParseResult r = parse(s);
        EXPECT_TRUE(r.ok || !r.error.empty());
    }
}

}  // namespace
}  // namespace numsift::json
