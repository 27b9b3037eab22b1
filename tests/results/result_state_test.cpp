#include "results/result_state.h"

#include <gtest/gtest.h>

#include <numeric>

#include "engine/number_list.h"
#include "results/group_size.h"
#include "tests/fakes/platform_fakes.h"

namespace numsift {
namespace {

// Records every display call, and every message, in one log so that the
// order of what the user sees can be checked.
struct Log {
    std::vector<std::string> events;
};

class LoggingDisplay : public ResultDisplay {
public:
    explicit LoggingDisplay(Log& log) : log_(log) {}
    std::vector<std::uint32_t> listed;
    int topRow = -1;
    std::string groupSizeText = "3000";
    std::string note;

    void hideNote() override { note.clear(); }
    void showNote(const std::string& text) override {
        note = text;
        log_.events.push_back("note");
    }
    void layoutPages(const PageLayout& l) override {
        log_.events.push_back("layout " + std::to_string(l.pages) + "x" + std::to_string(l.groupSize));
    }
    void setCount(int count) override { log_.events.push_back("count " + std::to_string(count)); }
    void clearList() override { listed.clear(); }
    void fillList(std::span<const std::uint32_t> v) override { listed.assign(v.begin(), v.end()); }
    void paintPage(int page, PageColour c) override {
        const char* name = c == PageColour::Current ? "green" : c == PageColour::Visited ? "red" : "plain";
        log_.events.push_back("page " + std::to_string(page) + " " + name);
    }
    void scrollListTo(int row) override { topRow = row; }
    void setGroupSizeText(const std::string& t) override { groupSizeText = t; }

private:
    Log& log_;
};

class LoggingMessages : public RecordingMessages {
public:
    explicit LoggingMessages(Log& log) : log_(log) {}
    MessageAnswer show(const Message& m) override {
        log_.events.push_back("message " + m.text);
        return RecordingMessages::show(m);
    }

private:
    Log& log_;
};

class RecordingOpener : public TextEditorOpener {
public:
    std::vector<std::string> opened;
    void open(const std::string& text) override { opened.push_back(text); }
};

std::vector<std::uint32_t> range(std::uint32_t n) {
    std::vector<std::uint32_t> v(n);
    std::iota(v.begin(), v.end(), 0u);
    return v;
}

struct ResultFixture : ::testing::Test {
    Log log;
    LoggingDisplay display{log};
    MemoryClipboard clipboard;
    LoggingMessages messages{log};
    ResultState state{display, clipboard, messages};

    bool logged(const std::string& e) const {
        return std::find(log.events.begin(), log.events.end(), e) != log.events.end();
    }
};

TEST_F(ResultFixture, ZeroResultNoteOnlyAfterTheFirstUpdate) {
    state.refresh(0, true);  // window start-up
    EXPECT_TRUE(display.note.empty());
    EXPECT_TRUE(state.firstUpdateDone());
    state.showRunResult(range(10));
    EXPECT_TRUE(display.note.empty());
    EXPECT_EQ(display.listed.size(), 10u);
    state.showRunResult({});
    EXPECT_EQ(display.note, kZeroResultNote);
    EXPECT_TRUE(display.listed.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultFixture, PageClicksMarkScrollAndCopy) {
    state.showRunResult(range(100000));
    ASSERT_EQ(state.layout().pages, 34);  // groups of 3000
    log.events.clear();

    state.clickPage(2);  // the button captioned "3"
    EXPECT_EQ(state.marks().colour(2), PageColour::Current);
    EXPECT_EQ(display.topRow, 6000 / 5);
    const std::vector<std::uint32_t> group3(state.values().begin() + 6000, state.values().begin() + 9000);
    EXPECT_EQ(clipboard.content, formatNumbers(group3, 5));

    state.clickPage(6);  // "7": the earlier one turns red
    EXPECT_EQ(state.marks().colour(2), PageColour::Visited);
    EXPECT_EQ(state.marks().colour(6), PageColour::Current);
    EXPECT_EQ(display.topRow, 6 * 3000 / 5);
    EXPECT_EQ(log.events, (std::vector<std::string>{"count 100000", "page 2 green", "count 100000",
                                                    "page 2 red", "page 6 green"}));

    // The current button again: stays green, copies the same text again.
    const std::string before = clipboard.content;
    const int writes = clipboard.writes;
    log.events.clear();
    state.clickPage(6);
    EXPECT_EQ(state.marks().colour(6), PageColour::Current);
    EXPECT_FALSE(logged("page 6 red"));
    EXPECT_EQ(clipboard.writes, writes + 1);
    EXPECT_EQ(clipboard.content, before);

    // The last, shorter group ends at the last result.
    state.clickPage(33);
    EXPECT_EQ(clipboard.content.substr(clipboard.content.size() - 5), "99999");
    EXPECT_EQ(display.topRow, 99000 / 5);

    // A rebuild forgets every mark; a click on a button that does not exist
    // changes nothing.
    state.refresh(0, true);
    EXPECT_EQ(state.marks().colour(6), PageColour::Untouched);
    const int writesNow = clipboard.writes;
    state.clickPage(34);
    state.clickPage(-1);
    EXPECT_EQ(clipboard.writes, writesNow);
}

TEST_F(ResultFixture, FailedGroupCopyKeepsTheMarks) {
    state.showRunResult(range(5000));
    clipboard.failNext = true;
    state.clickPage(1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "错误提示");
    EXPECT_EQ(state.marks().colour(1), PageColour::Current);
    EXPECT_EQ(display.topRow, 600);
}

TEST_F(ResultFixture, GroupSizeRule) {
    state.showRunResult(range(100000));
    struct Case {
        const char* text;
        int value;
        const char* message;
    };
    const Case cases[] = {
        {"999", 1000, kGroupSizeBelowMessage},
        {"100001", 100000, kGroupSizeAboveMessage},
        {"2500.5", 2500, nullptr},
        {"2501.5", 2502, nullptr},
        {"", 1000, kGroupSizeBelowMessage},
        {"abc", 1000, kGroupSizeBelowMessage},
        {"99999999999999999999", 100000, kGroupSizeAboveMessage},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        state.applyGroupSize(c.text);
        EXPECT_EQ(display.groupSizeText, std::to_string(c.value)) << c.text;
        EXPECT_EQ(state.groupSize(), c.value) << c.text;
        EXPECT_EQ(state.layout().groupSize, c.value) << c.text;
        if (c.message) {
            ASSERT_EQ(messages.shown.size(), 1u) << c.text;
            EXPECT_EQ(messages.shown[0].text, c.message);
            EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
        } else {
            EXPECT_TRUE(messages.shown.empty()) << c.text;
        }
    }
}

TEST_F(ResultFixture, GroupSizeRebuildsOnlyOnChangeAndBeforeItsMessage) {
    state.refresh(0, true);
    state.showRunResult(range(10000));
    log.events.clear();
    state.applyGroupSize("3000");  // what the buttons already show
    EXPECT_TRUE(log.events.empty());

    state.applyGroupSize("999");  // clamped to 1000: a new size
    ASSERT_EQ(log.events.size(), 3u);
    EXPECT_EQ(log.events[0], "layout 10x1000");
    EXPECT_EQ(log.events[2], std::string("message ") + kGroupSizeBelowMessage);

    log.events.clear();
    state.applyGroupSize("1000.4");
    EXPECT_TRUE(log.events.empty());
}

TEST_F(ResultFixture, GroupSelection) {
    state.convertToGroupSelection();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "结果注数为 0，请先进行过滤！");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);

    state.showRunResult({12345, 54321, 11223});
    log.events.clear();
    state.convertToGroupSelection();
    EXPECT_EQ(state.values(), (std::vector<std::uint32_t>{11223, 12345}));
    EXPECT_EQ(display.listed, state.values());
    EXPECT_EQ(log.events.back(), "message 转换完成！组选结果注数：2");
    EXPECT_EQ(log.events.front(), "layout 1x3000");

    // The copy reads the converted set.
    state.copyAll();
    EXPECT_EQ(clipboard.content, "11223 12345");
}

TEST_F(ResultFixture, CopyAllAndExport) {
    RecordingOpener editor;
    state.copyAll();
    state.exportAll(editor);
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_TRUE(editor.opened.empty());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "结果注数为 0，请先进行过滤！");

    messages.shown.clear();
    state.showRunResult({7});
    state.copyAll();
    EXPECT_EQ(clipboard.content, "00007");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "所有结果共1注，已复制到剪贴板。");
    EXPECT_EQ(messages.shown[0].title, "Numsift");

    // A failed write is reported, and the count still follows.
    messages.shown.clear();
    clipboard.failNext = true;
    state.copyAll();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "本次复制出现错误，请再复制一次");
    EXPECT_EQ(messages.shown[1].text, "所有结果共1注，已复制到剪贴板。");

    messages.shown.clear();
    state.showRunResult(range(11));
    state.exportAll(editor);
    ASSERT_EQ(editor.opened.size(), 1u);
    EXPECT_EQ(editor.opened[0], formatNumbers(range(11), 10));
    EXPECT_EQ(clipboard.content, editor.opened[0]);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultFixture, PrizeCheck) {
    // No result: the count message comes first, whatever the box holds.
    EXPECT_EQ(state.checkPrize("abc").kind, PrizeCheckOutcome::Kind::NoResults);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "结果注数为 0，请先进行过滤！");

    state.showRunResult({0, 12345});
    messages.shown.clear();
    PrizeCheckOutcome found = state.checkPrize("00000");
    EXPECT_EQ(found.kind, PrizeCheckOutcome::Kind::Found);
    EXPECT_EQ(messages.shown.back().text, "恭喜您！结果中包含奖号 00000 ！");
    EXPECT_EQ(messages.shown.back().icon, MessageIcon::Information);

    EXPECT_EQ(state.checkPrize("54321").kind, PrizeCheckOutcome::Kind::NotFound);
    EXPECT_EQ(messages.shown.back().text, "很遗憾，结果中没有这个奖号。");

    // Cleaned before the check: blanks and points go.
    PrizeCheckOutcome cleaned = state.checkPrize(" 1234.5");
    EXPECT_EQ(cleaned.kind, PrizeCheckOutcome::Kind::Found);
    EXPECT_EQ(cleaned.drawn.text, "12345");

    messages.shown.clear();
    for (const char* bad : {"1234.", "....."}) {
        EXPECT_EQ(state.checkPrize(bad).kind, PrizeCheckOutcome::Kind::Rejected) << bad;
        EXPECT_EQ(messages.shown.back().text, "请输入5位数字组成的奖号！");
        EXPECT_EQ(messages.shown.back().icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(messages.shown.size(), 2u);

    // Leaving the box: an empty text passes silently, a bad one is refused.
    messages.shown.clear();
    EXPECT_EQ(state.validateDrawnNumber(" . ").state, DrawnNumberState::Empty);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.validateDrawnNumber("12a45").state, DrawnNumberState::Rejected);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ResultFixture, PrizeAfterGroupSelectionNeedsAscendingDigits) {
    state.showRunResult({54321});
    state.convertToGroupSelection();
    EXPECT_EQ(state.checkPrize("54321").kind, PrizeCheckOutcome::Kind::NotFound);
    EXPECT_EQ(state.checkPrize("12345").kind, PrizeCheckOutcome::Kind::Found);
}

}  // namespace
}  // namespace numsift
