#include "sets/set_operations.h"

#include <gtest/gtest.h>

#include "engine/number_list.h"
#include "sets/number_boxes.h"
#include "tests/fakes/platform_fakes.h"

using namespace numsift;
using namespace numsift::sets;
using Status = SetOperationOutcome::Status;

namespace {

struct Page {
    NumberSetStore store;
    std::string a, b;
    RecordingMessages messages;

    Page(std::string_view textA, std::string_view textB) {
        a = reparseBox(store, NumberBox::JoinA, textA);
        b = reparseBox(store, NumberBox::JoinB, textB);
    }
    SetOperationOutcome run(SetOperation op, int width = 0) {
        return runSetOperation(store, op, a, b, messages, width);
    }
};

}  // namespace

TEST(SetOperations, FourOperationsOnTwoSmallSets) {
    Page page("00001 12345", "12345 99999");
    struct Case {
        SetOperation op;
        const char* text;
        std::size_t count;
    } cases[] = {
        {SetOperation::Intersection, "12345", 1},
        {SetOperation::Union, "00001 12345 99999", 3},
        {SetOperation::AWithoutB, "00001", 1},
        {SetOperation::BWithoutA, "99999", 1},
    };
    for (const Case& c : cases) {
        page.messages.shown.clear();
        const SetOperationOutcome r = page.run(c.op);
        EXPECT_EQ(r.status, Status::Done);
        EXPECT_EQ(r.resultText, c.text);
        EXPECT_EQ(r.count, c.count);
        ASSERT_EQ(page.messages.shown.size(), 1u);
        EXPECT_EQ(page.messages.shown[0],
                  (Message{"Numsift", "交集运算完成！最后结果注数 " + std::to_string(c.count),
                           MessageIcon::Information, MessageButtons::Ok}));
    }
}

TEST(SetOperations, DisjointIntersectionIsAnEmptyResultWithItsMessage) {
    Page page("00001 00002", "00003");
    const SetOperationOutcome r = page.run(SetOperation::Intersection);
    EXPECT_EQ(r.status, Status::EmptyResult);
    EXPECT_TRUE(r.changesResult());
    EXPECT_EQ(r.resultText, "");
    EXPECT_EQ(r.count, 0u);
    ASSERT_EQ(page.messages.shown.size(), 1u);
    EXPECT_EQ(page.messages.shown[0].text, "很遗憾！交集运算后结果为0注。 ");
    EXPECT_EQ(page.messages.shown[0].icon, MessageIcon::Exclamation);
}

TEST(SetOperations, MissingAIsReportedBeforeMissingB) {
    Page bothEmpty("", "");
    SetOperationOutcome r = bothEmpty.run(SetOperation::Union);
    EXPECT_EQ(r.status, Status::MissingA);
    EXPECT_EQ(r.focusSide, 0);
    EXPECT_FALSE(r.changesResult());
    ASSERT_EQ(bothEmpty.messages.shown.size(), 1u);
    EXPECT_EQ(bothEmpty.messages.shown[0],
              (Message{"Numsift", "请粘贴或导入大底A号码！", MessageIcon::Exclamation, MessageButtons::Ok}));

    Page onlyA("00001", "");
    r = onlyA.run(SetOperation::Union);
    EXPECT_EQ(r.status, Status::MissingB);
    EXPECT_EQ(r.focusSide, 1);
    ASSERT_EQ(onlyA.messages.shown.size(), 1u);
    EXPECT_EQ(onlyA.messages.shown[0].text, "请粘贴或导入大底B号码！");
}

TEST(SetOperations, FullSetsAndLayoutWidth) {
    std::vector<std::uint32_t> all(100000), evens;
    for (std::uint32_t v = 0; v < all.size(); ++v) {
        all[v] = v;
        if (v % 2 == 0) evens.push_back(v);
    }
    Page page(formatNumbers(all, 5), formatNumbers(evens, 5));
    SetOperationOutcome r = page.run(SetOperation::AWithoutB, 5);
    EXPECT_EQ(r.count, 50000u);
    EXPECT_EQ(r.resultText.substr(0, 31), "00001 00003 00005 00007 00009 \r");
    EXPECT_EQ(countLaidOut(r.resultText), 50000u);
    r = page.run(SetOperation::Union, 0);
    EXPECT_EQ(r.count, 100000u);
    EXPECT_EQ(r.resultText.find('\r'), std::string::npos);
    EXPECT_EQ(r.resultText.size(), 100000u * 6 - 1);
}

TEST(SetOperations, MarkNumbersSkipsOtherTokens) {
    std::vector<std::uint8_t> flags(100000, 0);
    markNumbers("1234 123456 12a45 00000 \r\n99999,54321", flags.data());
    std::size_t set = 0;
    for (auto f : flags) set += f;
    EXPECT_EQ(set, 3u);
    EXPECT_TRUE(flags[0] && flags[99999] && flags[54321]);
}

TEST(JoinCopy, CopiesTheResultOrSaysThereIsNothing) {
    RecordingMessages messages;
    MemoryClipboard clipboard;
    clipboard.content = "before";
    EXPECT_FALSE(copyJoinResult("", clipboard, messages));
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(clipboard.content, "before");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], (Message{"Numsift", "最终注数为 0，请先进行交集合并！",
                                          MessageIcon::Information, MessageButtons::Ok}));

    messages.shown.clear();
    EXPECT_TRUE(copyJoinResult("00001 12345", clipboard, messages));
    EXPECT_EQ(clipboard.content, "00001 12345");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              (Message{"Numsift", "号码已复制。", MessageIcon::Information, MessageButtons::Ok}));
}

TEST(JoinCopy, FailedClipboardWriteIsNotReportedAsCopied) {
    RecordingMessages messages;
    MemoryClipboard clipboard;
    clipboard.failNext = true;
    EXPECT_FALSE(copyJoinResult("00001", clipboard, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "错误提示");
    EXPECT_EQ(messages.shown[0].text, "本次复制出现错误，请再复制一次");
}

TEST(SetOperations, ResultIsAppliedBeforeItsMessage) {
    Page page("00001", "00002");
    std::vector<std::string> order;
    struct Sink : MessageSink {
        std::vector<std::string>* order;
        MessageAnswer show(const Message& m) override {
            order->push_back("message:" + m.text);
            return MessageAnswer::Ok;
        }
    } sink;
    sink.order = &order;
    runSetOperation(page.store, SetOperation::Union, page.a, page.b, sink, 5,
                    [&](const SetOperationOutcome& r) { order.push_back("apply:" + r.resultText); });
    runSetOperation(page.store, SetOperation::Intersection, page.a, page.b, sink, 5,
                    [&](const SetOperationOutcome& r) { order.push_back("apply:" + r.resultText); });
    EXPECT_EQ(order, (std::vector<std::string>{"apply:00001 00002", "message:交集运算完成！最后结果注数 2",
                                               "apply:", "message:很遗憾！交集运算后结果为0注。 "}));
}
