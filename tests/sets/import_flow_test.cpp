#include "sets/import_flow.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/fakes/platform_fakes.h"

using namespace numsift;
using namespace numsift::sets;
using Status = ImportOutcome::Status;

namespace {

// Files by path; a missing path reads as "文件不存在".
struct Files {
    std::map<std::string, std::string> byPath;
    std::vector<std::string> reads;
    FileReader reader() {
        return [this](const std::string& path) {
            reads.push_back(path);
            auto it = byPath.find(path);
            if (it == byPath.end()) return FileText{false, {}, "文件不存在"};
            return FileText{true, it->second, {}};
        };
    }
};

FileDialogResult chose(const std::string& path) {
    const auto slash = path.rfind('/');
    return FileDialogResult{false, path, slash == std::string::npos ? path : path.substr(slash + 1)};
}

struct Fixture {
    NumberSetStore store;
    ScriptedFileDialogs dialogs;
    RecordingMessages messages;
    Files files;
    ImportOutcome import(NumberBox box, FileDialogResult choice) {
        dialogs.results.push_back(choice);
        return importIntoBox(store, box, dialogs, files.reader(), messages);
    }
};

}  // namespace

TEST(ImportFlow, MixedSeparatorsAreSortedAndDeduplicated) {
    Fixture f;
    f.files.byPath["/d/base.txt"] = "54321,12345;00001|99999\r\n12345 00001\n\t77777";
    const ImportOutcome r = f.import(NumberBox::Base, chose("/d/base.txt"));
    EXPECT_EQ(r.status, Status::Loaded);
    EXPECT_EQ(r.boxText, "00001 12345 54321 77777 99999");
    EXPECT_EQ(r.count, 5u);
    EXPECT_EQ(f.store.baseCount(), 5u);
    EXPECT_TRUE(f.messages.shown.empty());
    ASSERT_EQ(f.dialogs.requests.size(), 1u);
    EXPECT_EQ(f.dialogs.requests[0].filter, "文本文件|*.txt");
    EXPECT_FALSE(f.dialogs.requests[0].save);
}

TEST(ImportFlow, FileWithoutNumbersEmptiesTheSetAndSaysSo) {
    Fixture f;
    f.store.parse("12345", ParseTarget::Base, false);
    f.files.byPath["/d/empty.txt"] = "0000 1111 abcde";
    const ImportOutcome r = f.import(NumberBox::Base, chose("/d/empty.txt"));
    EXPECT_EQ(r.status, Status::NoNumbers);
    EXPECT_TRUE(r.changesBox());
    EXPECT_EQ(r.boxText, "");
    EXPECT_EQ(r.count, 0u);
    EXPECT_EQ(f.store.baseCount(), 0u);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(
        f.messages.shown[0],
        (Message{"导入提示",
                 "选择的文件无内容，或不符合导入格式要求！\r\n\r\n导入的文件内容格式为 0000 1111 78901，\r\n"
                 "号码之间可以是空格，逗号，分号，竖线或回车。",
                 MessageIcon::Exclamation, MessageButtons::Ok}));
}

TEST(ImportFlow, CancelledDialogChangesNothing) {
    Fixture f;
    f.store.parse("12345", ParseTarget::Base, false);
    const ImportOutcome r = f.import(NumberBox::Base, FileDialogResult{});
    EXPECT_EQ(r.status, Status::Cancelled);
    EXPECT_FALSE(r.changesBox());
    EXPECT_EQ(f.store.baseCount(), 1u);
    EXPECT_TRUE(f.files.reads.empty());
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(ImportFlow, UnreadableFileNamesFileAndReasonAndKeepsTheSet) {
    Fixture f;
    f.store.setCurrentSide(0);
    f.store.parse("00001 00002", ParseTarget::Intersection, false);
    const ImportOutcome r = f.import(NumberBox::JoinA, chose("/d/gone.txt"));
    EXPECT_EQ(r.status, Status::Unreadable);
    EXPECT_FALSE(r.changesBox());
    EXPECT_EQ(f.store.intersectionCount(0), 2u);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    const Message& m = f.messages.shown[0];
    EXPECT_EQ(m.title, "导入提示");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    EXPECT_NE(m.text.find("/d/gone.txt"), std::string::npos);
    EXPECT_NE(m.text.find("文件不存在"), std::string::npos);
}

TEST(ImportFlow, ImportForBFillsOnlyB) {
    Fixture f;
    f.store.setCurrentSide(0);
    f.store.parse("00001 00002 00003", ParseTarget::Intersection, false);
    f.files.byPath["/d/b.txt"] = "12345 99999";
    const ImportOutcome r = f.import(NumberBox::JoinB, chose("/d/b.txt"));
    EXPECT_EQ(r.status, Status::Loaded);
    EXPECT_EQ(r.count, 2u);
    EXPECT_EQ(f.store.currentSide(), 1);
    EXPECT_EQ(f.store.intersectionCount(1), 2u);
    EXPECT_EQ(f.store.intersectionCount(0), 3u);
}

TEST(ImportFlow, KillListImportIsLayoutOnlyFivePerLine) {
    Fixture f;
    f.files.byPath["/d/kill.txt"] = "00006 00005 00004 00003 00002 00001";
    const ImportOutcome r = f.import(NumberBox::KillList, chose("/d/kill.txt"));
    EXPECT_EQ(r.status, Status::Loaded);
    EXPECT_EQ(r.boxText, "00001 00002 00003 00004 00005 \r\n00006");
    EXPECT_EQ(r.count, 6u);
    EXPECT_EQ(f.store.baseCount(), 0u);
}

// The message names the file, the reason and what stays as it was in the
// box the file was meant for; the kill list has no count to keep.
TEST(ImportFlow, UnreadableFileMessageSaysWhatStaysForEachBox) {
    const std::pair<NumberBox, const char*> boxes[] = {
        {NumberBox::Base, "大底号码和注数保持不变。"},
        {NumberBox::JoinA, "五星大底A的号码和注数保持不变。"},
        {NumberBox::JoinB, "五星大底B的号码和注数保持不变。"},
        {NumberBox::KillList, "杀直选号码保持不变。"},
    };
    for (const auto& [box, note] : boxes) {
        Fixture f;
        f.import(box, chose("/d/pipe.txt"));
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0],
                  (Message{"导入提示", std::string("无法导入文件：/d/pipe.txt\r\n文件不存在\r\n\r\n") + note,
                           MessageIcon::Exclamation, MessageButtons::Ok}));
    }
}
