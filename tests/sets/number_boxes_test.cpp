#include "sets/number_boxes.h"

#include <gtest/gtest.h>

#include "engine/number_list.h"

using namespace numsift;
using namespace numsift::sets;

namespace {

std::vector<std::uint32_t> values(const NumberSet& s) { return s.values; }

}  // namespace

TEST(NumberBoxes, ReparseFillsTheBoxSetAndLaysOutByBox) {
    NumberSetStore store;
    const std::string eleven = "11 00011 00010 00009 00008 00007 00006 00005 00004 00003 00002 00001 00001";
    EXPECT_EQ(reparseBox(store, NumberBox::Base, eleven),
              "00001 00002 00003 00004 00005 00006 00007 00008 00009 00010 \r\n00011");
    EXPECT_EQ(store.baseCount(), 11u);

    EXPECT_EQ(reparseBox(store, NumberBox::JoinB, "99999|12345"), "12345 99999");
    EXPECT_EQ(store.currentSide(), 1);
    EXPECT_EQ(values(store.intersection(1)), (std::vector<std::uint32_t>{12345, 99999}));
    EXPECT_EQ(store.intersectionCount(0), 0u);

    EXPECT_EQ(reparseBox(store, NumberBox::JoinA, "00001"), "00001");
    EXPECT_EQ(store.currentSide(), 0);
    EXPECT_EQ(storedCount(store, NumberBox::JoinA), 1u);
    EXPECT_EQ(storedCount(store, NumberBox::JoinB), 2u);
}

TEST(NumberBoxes, LayoutOnlyBoxesLeaveEverySetAlone) {
    NumberSetStore store;
    reparseBox(store, NumberBox::Base, "00001");
    reparseBox(store, NumberBox::JoinA, "00002");
    reparseBox(store, NumberBox::JoinB, "00003");
    const std::string seven = "00007 00006 00005 00004 00003 00002 00001";
    EXPECT_EQ(reparseBox(store, NumberBox::KillList, seven), "00001 00002 00003 00004 00005 \r\n00006 00007");
    EXPECT_EQ(reparseBox(store, NumberBox::JoinResult, seven),
              "00001 00002 00003 00004 00005 \r\n00006 00007");
    EXPECT_EQ(values(store.base()), std::vector<std::uint32_t>{1});
    EXPECT_EQ(values(store.intersection(0)), std::vector<std::uint32_t>{2});
    EXPECT_EQ(values(store.intersection(1)), std::vector<std::uint32_t>{3});
    EXPECT_EQ(store.currentSide(), 1);
}

TEST(NumberBoxes, EmptyOrHintTextEmptiesTheSet) {
    NumberSetStore store;
    reparseBox(store, NumberBox::Base, "12345 54321");
    EXPECT_EQ(reparseBox(store, NumberBox::Base, "粘贴号码 1234"), "");
    EXPECT_EQ(store.baseCount(), 0u);
}

TEST(NumberBoxes, CountLaidOutCountsNumbers) {
    EXPECT_EQ(countLaidOut(""), 0u);
    EXPECT_EQ(countLaidOut("00001"), 1u);
    EXPECT_EQ(countLaidOut("00001 00002 00003 00004 00005 \r\n00006 00007"), 7u);
    const std::string all = formatNumbers(
        [] {
            std::vector<std::uint32_t> v(100000);
            for (std::uint32_t i = 0; i < v.size(); ++i) v[i] = i;
            return v;
        }(),
        5);
    EXPECT_EQ(countLaidOut(all), 100000u);
}

TEST(PasteRule, SelectionInTheMiddleIsReplacedBeforeParsing) {
    NumberSetStore store;
    // Box "00001 00002 00003", selection "00002" replaced by "55555,44444".
    const std::string box = "00001 00002 00003";
    const std::string out =
        pasteIntoBox(store, NumberBox::Base, box.substr(0, 6), "55555,44444", box.substr(11));
    EXPECT_EQ(out, "00001 00003 44444 55555");
    EXPECT_EQ(store.baseCount(), 4u);
}

TEST(PasteRule, PasteRightAfterTheLastNumberKeepsBothNumbers) {
    NumberSetStore store;
    // The layout ends with its last number, so a paste at the end meets digits.
    EXPECT_EQ(pasteIntoBox(store, NumberBox::Base, "00001 00007", "12345 54321", ""),
              "00001 00007 12345 54321");
    EXPECT_EQ(pasteIntoBox(store, NumberBox::Base, "", "12345", "00007 00009"), "00007 00009 12345");
    EXPECT_EQ(store.baseCount(), 3u);
}

TEST(PasteRule, ShortDigitRunsStillJoinIntoOneNumber) {
    NumberSetStore store;
    EXPECT_EQ(pasteIntoBox(store, NumberBox::Base, "00001 123", "45", ""), "00001 12345");
    EXPECT_EQ(pasteIntoBox(store, NumberBox::Base, "1", "23", "45"), "12345");
}

TEST(PasteRule, KillListPasteIsLayoutOnly) {
    NumberSetStore store;
    EXPECT_EQ(pasteIntoBox(store, NumberBox::KillList, "", "12345,54321", ""), "12345 54321");
    EXPECT_EQ(store.baseCount(), 0u);
}

TEST(PasteRule, PasteIntoJoinBoxFillsThatSide) {
    NumberSetStore store;
    pasteIntoBox(store, NumberBox::JoinB, "", "12345；99999、12345", "");
    EXPECT_EQ(store.intersectionCount(1), 2u);
    EXPECT_EQ(store.intersectionCount(0), 0u);
}
