#include <gtest/gtest.h>

#include <numeric>
#include <algorithm>
#include <random>

#include "engine/number.h"
#include "engine/number_list.h"
#include "engine/number_set_store.h"

using namespace numsift;

namespace {

std::vector<std::uint32_t> values(std::initializer_list<std::uint32_t> v) { return v; }

std::vector<std::uint32_t> oneTo(std::uint32_t n) {
    std::vector<std::uint32_t> v(n);
    std::iota(v.begin(), v.end(), 1u);
    return v;
}

}  // namespace

TEST(NumberListParser, SeparatorsSortAndDuplicates) {
    EXPECT_EQ(parseNumbers("12345,54321；12345").values, values({12345, 54321}));
    EXPECT_EQ(parseNumbers("1234 123456 abcde 12a45 00000").values, values({0}));
    EXPECT_EQ(parseNumbers("0000 1111 78901").values, values({78901}));
    EXPECT_EQ(parseNumbers("00001.00002").values, values({1, 2}));
    EXPECT_EQ(parseNumbers("99999|00007\t00003、00005，00004;00006\r00002\n00001").values,
              values({1, 2, 3, 4, 5, 6, 7, 99999}));
}

TEST(NumberListParser, TokensThatAreNotFiveAsciiDigits) {
    // Full-width digits are not digits; a sign or letter spoils the token.
    EXPECT_TRUE(parseNumbers("１２３４５").empty());
    EXPECT_TRUE(parseNumbers("+1234 -1234 1234a 123456").empty());
    // Separators only, and the empty text.
    EXPECT_TRUE(parseNumbers(" ,;|\t\r\n.、，；").empty());
    EXPECT_TRUE(parseNumbers("").empty());
    // A separator lead byte cut off at the end of the text is part of a token.
    EXPECT_TRUE(parseNumbers("12345\xEF\xBC").empty());
    EXPECT_EQ(parseNumbers("12345\xEF\xBC\x8C").values, values({12345}));
}

// The tokens every reader of a number list sees (the kill list, the scheme
// file's check of it, the base set): runs between separators, numbers only
// when exactly five ASCII digits.
TEST(NumberListParser, TokensAndTheNumbersTheyStandFor) {
    std::vector<std::string> tokens;
    forEachToken("12345，1234a、 123456\r\n\n00001..\xEF\xBC",
                 [&](std::string_view t) { tokens.emplace_back(t); });
    EXPECT_EQ(tokens, (std::vector<std::string>{"12345", "1234a", "123456", "00001", "\xEF\xBC"}));
    tokens.clear();
    forEachToken(" ,;|\t\r\n.、，；", [&](std::string_view t) { tokens.emplace_back(t); });
    EXPECT_TRUE(tokens.empty());

    EXPECT_EQ(numberOfToken("00001"), 1u);
    EXPECT_EQ(numberOfToken("99999"), 99999u);
    for (const char* t : {"", "1234", "123456", "1234a", "+1234", "１２３４５"})
        EXPECT_FALSE(numberOfToken(t)) << t;
}

TEST(NumberListParser, BinaryBytesAndMixedLineBreaks) {
    std::string text = "00001\r\r\n\n00002";
    text.push_back('\0');
    text += "00003";  // NUL is no separator: "00002\0" + "00003" is one bad token
    text += "\n\xff\xfe 00004 \x80\x81\x82 00005\r";
    EXPECT_EQ(parseNumbers(text).values, values({1, 4, 5}));
}

TEST(NumberListParser, MultiMegabyteTextIsLinear) {
    // 4 MB of separators and junk around a few numbers parses quickly and exactly.
    std::string text;
    text.reserve(4'200'000);
    for (int i = 0; i < 200'000; ++i) text += "ab 1234、，";
    text += "54321";
    for (int i = 0; i < 100'000; ++i) text += " ;12";
    EXPECT_EQ(parseNumbers(text).values, values({54321}));
}

TEST(NumberListParser, ShortAndLongTextsGiveTheSameSet) {
    // A short text sorts its tokens, a long one marks them in flags: the same
    // tokens, repeated and out of order, give the same set either way.
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::uint32_t> any(0, kNumberSpace - 1);
    std::vector<std::uint32_t> drawn(1500);
    for (std::uint32_t& v : drawn) v = any(rng);
    drawn.push_back(drawn.front());
    drawn.push_back(99999);
    drawn.push_back(0);
    std::string text;
    for (std::uint32_t v : drawn) text += numberText(v) + (v % 3 ? " " : "，");
    ASSERT_LT(text.size(), 16u * 1024);
    std::vector<std::uint32_t> expected = drawn;
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());

    EXPECT_EQ(parseNumbers(text).values, expected);
    const std::string longText = text + std::string(20'000, '\n') + "12 " + numberText(drawn[7]);
    EXPECT_EQ(parseNumbers(longText).values, expected);
}

TEST(NumberListLayout, ElevenNumbers) {
    const auto eleven = oneTo(11);
    EXPECT_EQ(formatNumbers(eleven, kBaseLineWidth),
              "00001 00002 00003 00004 00005 00006 00007 00008 00009 00010 \r\n00011");
    EXPECT_EQ(formatNumbers(eleven, kListLineWidth),
              "00001 00002 00003 00004 00005 \r\n00006 00007 00008 00009 00010 \r\n00011");
    EXPECT_EQ(formatNumbers(oneTo(7), 5), "00001 00002 00003 00004 00005 \r\n00006 00007");
    EXPECT_EQ(formatNumbers(values({5}), 10), "00005");
    EXPECT_EQ(formatNumbers(std::vector<std::uint32_t>{}, 10), "");
}

TEST(NumberListLayout, WholeSpaceRoundTrip) {
    std::vector<std::uint32_t> all(kNumberSpace);
    std::iota(all.begin(), all.end(), 0u);
    std::vector<std::uint32_t> shuffled = all;
    std::mt19937 rng(7);
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    const std::string text = formatNumbers(shuffled, 3);
    NumberSet set = parseNumbers(text);
    EXPECT_EQ(set.values, all);
    const std::string ten = formatNumbers(set.values, 10);
    EXPECT_EQ(ten.size(), 619'997u);
    EXPECT_EQ(formatNumbers(set.values, 5).size(), 639'997u);
    EXPECT_EQ(ten.substr(0, 12), "00000 00001 ");
    EXPECT_EQ(ten.substr(ten.size() - 5), "99999");
    EXPECT_EQ(parseNumbers(ten).values, all);
}

TEST(NumberSetStore, TargetsAndFormatOnly) {
    NumberSetStore store;
    const std::string eleven = formatNumbers(oneTo(11), 1);
    EXPECT_EQ(store.parse(eleven, ParseTarget::Base, false), formatNumbers(oneTo(11), 10));
    EXPECT_EQ(store.baseCount(), 11u);

    // Format-only never touches a slot, whatever the target.
    EXPECT_EQ(store.parse("12345", ParseTarget::Base, true), "12345");
    EXPECT_EQ(store.parse("12345 00001", ParseTarget::Intersection, true), "00001 12345");
    EXPECT_EQ(store.baseCount(), 11u);
    EXPECT_EQ(store.intersectionCount(0), 0u);
    EXPECT_EQ(store.parse(eleven, ParseTarget::Base, true), formatNumbers(oneTo(11), 5));

    // The intersection target fills the current side only.
    EXPECT_EQ(store.parse(eleven, ParseTarget::Intersection, false), formatNumbers(oneTo(11), 5));
    store.setCurrentSide(1);
    store.parse("99999", ParseTarget::Intersection, false);
    EXPECT_EQ(store.intersectionCount(0), 11u);
    EXPECT_EQ(store.intersectionCount(1), 1u);
    EXPECT_EQ(store.intersectionCount(-1), 1u);
    EXPECT_EQ(store.intersectionCount(5), 1u);

    // A text without numbers empties the target slot.
    EXPECT_EQ(store.parse("abc", ParseTarget::Base, false), "");
    EXPECT_EQ(store.baseCount(), 0u);
    store.clearIntersection(0);
    EXPECT_EQ(store.intersectionCount(0), 0u);
}
