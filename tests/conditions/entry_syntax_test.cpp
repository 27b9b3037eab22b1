#include <gtest/gtest.h>

#include "conditions/entry_syntax.h"
#include "conditions/hint_texts.h"

using namespace numsift;

namespace {

const NormaliserParams& box(int i) { return kComposeParams[i]; }

bool accepted(std::string_view text, const NormaliserParams& p) {
    return validateEntry(text, p, "").accepted;
}

}  // namespace

TEST(EntryCanonicalisation, SeparatorsPointsAndBlankRuns) {
    EXPECT_EQ(canonicaliseSeparators("  12\r\n34,56，78;90；11  "), "12 34 56 78 90 11");
    EXPECT_EQ(canonicaliseSeparators("12.34"), "1234");
    EXPECT_EQ(canonicaliseSeparators("12    34"), "12 34");    // up to four blanks fold to one
    EXPECT_EQ(canonicaliseSeparators("12     34"), "12  34");  // five leave two
    EXPECT_EQ(canonicaliseSeparators("12\n34"), "12 34");      // a box's LF counts as a line break
    EXPECT_TRUE(entriesEquivalent("12,34", "12 34"));
    EXPECT_FALSE(entriesEquivalent("12 34", "12 35"));
}

TEST(EntryNormaliser, TwoDigitBox) {
    // Line break and comma: three items on one line, accepted silently.
    ValidationDecision d = validateEntry("12\r\n34,56", box(1), "");
    EXPECT_TRUE(d.accepted);
    EXPECT_EQ(d.normalised, "12 34 56");

    // Eleven items: ten, a blank, a line break, the eleventh.
    d = validateEntry("10 11 12 13 14 15 16 17 18 19 20", box(1), "");
    EXPECT_TRUE(d.accepted);
    EXPECT_EQ(d.normalised, "10 11 12 13 14 15 16 17 18 19 \r\n20");

    // 345 is too long: reported; Yes leaves 12 with at most a trailing blank.
    d = validateEntry("12 345", box(1), "");
    EXPECT_FALSE(d.accepted);
    EXPECT_EQ(d.normalised, "12 ");

    // 23,50;87 9: the 9 becomes an empty slot, leaving one trailing blank.
    d = validateEntry("23,50;87 9", box(1), "");
    EXPECT_FALSE(d.accepted);
    EXPECT_EQ(d.normalised, "23 50 87 ");

    // An invalid first item leaves no leading blank or line break.
    d = validateEntry("1 23 45", box(1), "");
    EXPECT_FALSE(d.accepted);
    EXPECT_EQ(d.normalised, "23 45");

    // Full-width digits are not digits.
    EXPECT_FALSE(accepted("１２", box(1)));
    // Empty box: accepted silently, empty.
    d = validateEntry("   ", box(1), "");
    EXPECT_TRUE(d.accepted);
    EXPECT_EQ(d.normalised, "");
}

TEST(EntryNormaliser, LineBreaksAfterDroppedItems) {
    // Twelve items, the fourth invalid: the eleventh kept item starts line 2.
    const std::string n = normaliseEntry("10 11 12 x 13 14 15 16 17 18 19 20", box(1));
    EXPECT_EQ(n, "10 11 12 13 14 15 16 17 18 19 \r\n20");
}

TEST(EntryNormaliser, CompoundLinesOfBoxZero) {
    EXPECT_TRUE(accepted("17*235*12*789*01", box(0)));
    EXPECT_TRUE(accepted("1****", box(0)));                // empty groups are allowed
    EXPECT_FALSE(accepted("****", box(0)));                // too short
    EXPECT_FALSE(accepted("17*235*12*789", box(0)));       // three markers
    EXPECT_FALSE(accepted("17*235*12*789*01*5", box(0)));  // five markers
    EXPECT_FALSE(accepted("17*2a5*12*789*01", box(0)));
    EXPECT_TRUE(accepted(std::string(45, '1').insert(9, "*").insert(19, "*").insert(29, "*").insert(39, "*"),
                         box(0)));  // 49 characters
    EXPECT_FALSE(accepted(std::string(46, '1').insert(9, "*").insert(19, "*").insert(29, "*").insert(39, "*"),
                          box(0)));  // 50 characters
    // One line per compound.
    EXPECT_EQ(normaliseEntry("1*2*3*4*5 6*7*8*9*0", box(0)), "1*2*3*4*5 \r\n6*7*8*9*0");
}

TEST(EntryNormaliser, WildcardLinesOfBoxSeven) {
    for (const char* ok : {"12***", "1*782", "1***7", "12345"}) EXPECT_TRUE(accepted(ok, box(7))) << ok;
    for (const char* bad : {"*****", "1***", "1****7", "1a***"}) EXPECT_FALSE(accepted(bad, box(7))) << bad;
}

TEST(EntryNormaliser, FourDigitBoxesAndSumValues) {
    EXPECT_TRUE(accepted("2406 24061387", box(3)));
    EXPECT_EQ(normaliseEntry("2406 240 2406138712 24061387", box(3)), "2406 24061387");
    EXPECT_EQ(normaliseEntry("233 580 81", box(2)), "233 580 ");

    ValidationDecision d = validateEntry("01 45", kSumValueParams, hints::kSumValue);
    EXPECT_TRUE(d.accepted);
    EXPECT_EQ(d.normalised, "01 45");
    d = validateEntry("01 46 5 45", kSumValueParams, hints::kSumValue);
    EXPECT_FALSE(d.accepted);
    EXPECT_EQ(d.normalised, "01 45");  // 46 above 45 and the single digit 5 dropped
    // No line breaks in the sum-value box, however many items.
    EXPECT_EQ(normaliseEntry("00 01 02 03 04 05 06 07 08 09 10 11", kSumValueParams).find('\n'),
              std::string::npos);
}

TEST(EntryValidation, QuestionTextCarriesTheHint) {
    const std::string base =
        "输入的内容不符合格式要求！是否自动清空？\r\n\r\n点【是】自动清空，点【否】返回修改";
    EXPECT_EQ(validateEntry("1", box(1), "").question, base);
    EXPECT_EQ(validateEntry("1", box(3), hints::kCompose[3]).question,
              base + "\r\n\r\n" + hints::kCompose[3]);
    EXPECT_EQ(validateEntry("12", box(1), "").question, "");
}

TEST(EntryHints, LostFocusDisplayAndEmptiness) {
    const std::string& h = hints::kCompose[7];
    LostFocusDisplay d = lostFocusDisplay("", h);
    EXPECT_TRUE(d.grey);
    EXPECT_EQ(d.text, h);
    // Differing from the hint only in blanks and line breaks: the hint is shown.
    std::string spaced = h;
    for (std::size_t p; (p = spaced.find("\r\n")) != std::string::npos;) spaced.replace(p, 2, "  ");
    EXPECT_TRUE(lostFocusDisplay(spaced, h).grey);
    d = lostFocusDisplay("12***", h);
    EXPECT_FALSE(d.grey);
    EXPECT_EQ(d.text, "12***");
    // A box without a hint never greys.
    d = lostFocusDisplay("", "");
    EXPECT_FALSE(d.grey);
    EXPECT_EQ(d.text, "");

    EXPECT_TRUE(countsAsEmpty({"", h}));
    EXPECT_TRUE(countsAsEmpty({h, h}));
    std::string lf = h;
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.replace(p, 2, "\n");
    EXPECT_TRUE(countsAsEmpty({lf, h}));  // the box's LF form of the hint
    EXPECT_FALSE(countsAsEmpty({"12***", h}));
    EXPECT_FALSE(countsAsEmpty({"12", ""}));
}

TEST(EntryNormaliser, ManyDroppedItemsLeaveOneBlank) {
    // Thirty invalid items between two valid ones: the result validates again
    // without a question.
    std::string text = "12";
    for (int i = 0; i < 30; ++i) text += " x";
    text += " 34";
    const std::string n = normaliseEntry(text, box(1));
    EXPECT_EQ(n, "12 34");
    EXPECT_TRUE(validateEntry(n, box(1), "").accepted);
}
