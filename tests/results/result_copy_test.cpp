#include "results/result_copy.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "engine/number_list.h"
#include "results/group_selection.h"
#include "results/prize_check.h"
#include "tests/fakes/platform_fakes.h"

namespace numsift {
namespace {

TEST(CopyText, LayoutOfARange) {
    std::vector<std::uint32_t> v{1, 2, 3, 4, 5, 6, 7};
    ResultData data(v);
    EXPECT_EQ(BuildCopyResult(data, 0, 6, 5), "00001 00002 00003 00004 00005 \r\n00006 00007");
    EXPECT_EQ(BuildCopyResult(data, 5, 6, 5), "00006 00007");
    EXPECT_EQ(BuildCopyResult(data, 3, 3, 10), "00004");
    // Outside the data: nothing rather than a read past the end.
    EXPECT_EQ(BuildCopyResult(data, 0, 7, 5), "");
    EXPECT_EQ(BuildCopyResult(data, -1, 2, 5), "");
    EXPECT_EQ(BuildCopyResult(data, 4, 3, 5), "");
}

TEST(CopyText, MatchesTheNumberListLayoutForLargeSets) {
    std::vector<std::uint32_t> v(100000);
    std::iota(v.begin(), v.end(), 0u);
    std::shuffle(v.begin(), v.end(), std::mt19937(7));
    ResultData data(v);
    EXPECT_EQ(BuildCopyResult(data, 0, 99999, 10), formatNumbers(v, 10));
    const std::vector<std::uint32_t> tail(v.begin() + 99001, v.end());
    EXPECT_EQ(BuildCopyResult(data, 99001, 99999, 5), formatNumbers(tail, 5));
}

TEST(CopyText, ProviderReadsTheCurrentSet) {
    std::vector<std::uint32_t> v{12345};
    ResultData data(v);
    EXPECT_EQ(data.GetData(0), "12345");
    v = {123, 99999};
    EXPECT_EQ(data.count(), 2);
    EXPECT_EQ(data.GetData(0), "00123");
    EXPECT_EQ(data.GetData(2), "");
}

TEST(CopyText, ClipboardFailureIsReported) {
    MemoryClipboard clipboard;
    RecordingMessages messages;
    EXPECT_TRUE(copyToClipboard(clipboard, messages, "00001"));
    EXPECT_TRUE(messages.shown.empty());
    clipboard.failNext = true;
    EXPECT_FALSE(copyToClipboard(clipboard, messages, "00002"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "错误提示");
    EXPECT_EQ(messages.shown[0].text, "本次复制出现错误，请再复制一次");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

TEST(GroupSelection, SortsDigitsAndMergesMultisets) {
    EXPECT_EQ(sortedDigitsValue(54321), 12345u);
    EXPECT_EQ(sortedDigitsValue(10000), 1u);  // 00001
    EXPECT_EQ(sortedDigitsValue(90909), 999u);
    const std::vector<std::uint32_t> in{12345, 54321, 11223};
    EXPECT_EQ(toGroupSelection(in), (std::vector<std::uint32_t>{11223, 12345}));
    EXPECT_TRUE(toGroupSelection({}).empty());
}

TEST(GroupSelection, WholeSpaceGivesEveryMultisetOnce) {
    std::vector<std::uint32_t> all(100000);
    std::iota(all.begin(), all.end(), 0u);
    const auto g = toGroupSelection(all);
    ASSERT_EQ(g.size(), static_cast<std::size_t>(kMaxGroupSelection));
    EXPECT_EQ(g.front(), 0u);
    EXPECT_EQ(g.back(), 99999u);
    for (std::size_t i = 0; i < g.size(); ++i) {
        EXPECT_EQ(sortedDigitsValue(g[i]), g[i]);
        if (i) {
            EXPECT_LT(g[i - 1], g[i]);
        }
    }
}

TEST(PrizeCheck, CleaningAndButtonRule) {
    EXPECT_EQ(cleanDrawnNumber(" 12345 ").state, DrawnNumberState::Valid);
    EXPECT_EQ(cleanDrawnNumber("1.2345").text, "12345");
    EXPECT_EQ(cleanDrawnNumber("  ").state, DrawnNumberState::Empty);
    EXPECT_EQ(cleanDrawnNumber(".....").state, DrawnNumberState::Empty);
    const CleanedDrawnNumber four = cleanDrawnNumber("1234.");
    EXPECT_EQ(four.state, DrawnNumberState::Rejected);
    EXPECT_EQ(four.text, "1234");
    EXPECT_EQ(cleanDrawnNumber("12a45").state, DrawnNumberState::Rejected);
    EXPECT_EQ(cleanDrawnNumber("1 345").state, DrawnNumberState::Rejected);

    EXPECT_TRUE(prizeCheckEnabled("1234."));
    EXPECT_FALSE(prizeCheckEnabled("1234"));
    EXPECT_FALSE(prizeCheckEnabled("123456"));
    EXPECT_TRUE(prizeCheckEnabled("１２３４５"));  // five characters, fifteen bytes
}

TEST(PrizeCheck, MatchesPositionByPosition) {
    const std::vector<std::uint32_t> v{12345, 0};
    EXPECT_EQ(findDrawnNumber(v, "00000"), 1u);
    EXPECT_EQ(findDrawnNumber(v, "12345"), 0u);
    EXPECT_FALSE(findDrawnNumber(v, "54321").has_value());
    EXPECT_FALSE(findDrawnNumber(v, "1234").has_value());
    EXPECT_FALSE(findDrawnNumber(v, "1234x").has_value());
}

}  // namespace
}  // namespace numsift
