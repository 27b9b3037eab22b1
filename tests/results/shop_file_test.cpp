// The 单式 shop file: one bet a line with CR LF, the issue and multiple in
// its name, and the check that refuses anything else.
#include "results/shop_file.h"

#include <gtest/gtest.h>

using namespace numsift;

TEST(ShopFile, OneBetALineWithCrLfAndTheIssueAndMultipleInItsName) {
    const std::vector<std::uint32_t> numbers = {7, 35789, 99999};
    const ShopFile file = shopFile(numbers, "2026121", 5);
    ASSERT_TRUE(file.ok()) << file.error;
    EXPECT_EQ(file.text, "00007\r\n35789\r\n99999\r\n");
    EXPECT_EQ(file.name, "单式_2026121期_5倍.txt");
    EXPECT_EQ(shopFileProblem(file.text), "");
}

TEST(ShopFile, RefusesWhatAShopCannotTake) {
    const std::vector<std::uint32_t> numbers = {12345};
    EXPECT_EQ(shopFile({}, "2026121", 1).error, "没有号码，无法导出单式");
    EXPECT_EQ(shopFile(numbers, "", 1).error, "期号应为数字");
    EXPECT_EQ(shopFile(numbers, "2026-121", 1).error, "期号应为数字");
    EXPECT_EQ(shopFile(numbers, "2026121", 0).error, "倍数应为 1–99");
    EXPECT_EQ(shopFile(numbers, "2026121", 100).error, "倍数应为 1–99");
    EXPECT_TRUE(shopFile(numbers, "2026121", 99).ok());

    const std::vector<std::uint32_t> twice = {12345, 54321, 12345};
    const ShopFile repeated = shopFile(twice, "2026121", 1);
    EXPECT_EQ(repeated.error, "单式文件未通过检查：第 3 行与第 1 行重复");
    EXPECT_TRUE(repeated.text.empty());
    const std::vector<std::uint32_t> tooLarge = {12345, 100000};
    EXPECT_EQ(shopFile(tooLarge, "2026121", 1).error, "单式文件未通过检查：第 2 行不是五位数字");
}

TEST(ShopFile, TheCheckAcceptsOnlyFiveDigitsAndCrLfOnEveryLine) {
    EXPECT_EQ(shopFileProblem(""), "没有号码");
    EXPECT_EQ(shopFileProblem("12345\r\n1234\r\n"), "第 2 行不是五位数字");
    EXPECT_EQ(shopFileProblem("12345\n54321\n"), "第 1 行不以 CR LF 结尾");
    EXPECT_EQ(shopFileProblem("12345\r\n54321"), "第 2 行不以 CR LF 结尾");
    EXPECT_EQ(shopFileProblem("\xEF\xBB\xBF"
                              "12345\r\n"),
              "第 1 行不是五位数字");
    EXPECT_EQ(shopFileProblem("12345\r\n\r\n"), "第 2 行不是五位数字");
    EXPECT_EQ(shopFileProblem("1234５\r\n"), "第 1 行不是五位数字");
}
