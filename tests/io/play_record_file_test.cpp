#include "io/play_record_file.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>

#include "tests/io/kill_saver.h"
#include "tests/io/play_record_samples.h"
#include "tests/io/file_bytes.h"

using namespace numsift;
using numsift::testdata::bytesOf;
using numsift::testdata::recordA;
using numsift::testdata::recordB;
using numsift::testdata::writeBytes;

namespace {

DrawStore historyUpTo(const char* issue, std::uint32_t value) {
    return *DrawStore::fromOrdered({{issue, "", value}});
}

class PlayRecordFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path() const { return dir_.filePath(QLatin1String(kPlayRecordFileName)); }
    QStringList entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    // Three records added through the file, as the window adds them.
    std::vector<PlayRecord> addThree() {
        const PlayRecordFile file(path());
        std::vector<PlayRecord> records = {recordA(), recordB(), testdata::sampleRecord("2026125", 3, 1, 2)};
        for (const PlayRecord& r : records) {
            const AddedRecord added = file.add(r, DrawStore{});
            EXPECT_TRUE(added.ok) << added.error.toStdString();
        }
        return records;
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(PlayRecordFileTest, AddedRecordsLoadBackTheSameChainedBySha256) {
    PlayRecordFile file(path());
    EXPECT_TRUE(file.load().records.empty());  // no file: nothing, nothing to say
    EXPECT_TRUE(file.load().message.isEmpty());
    const std::vector<PlayRecord> records = addThree();

    const LoadedPlayRecord loaded = file.load();
    EXPECT_TRUE(loaded.message.isEmpty()) << loaded.message.toStdString();
    EXPECT_EQ(loaded.altered, 0u);
    EXPECT_EQ(loaded.records, records);
    EXPECT_EQ(bytesOf(path()).toStdString(), playRecordText(records));

    // The set's hash is that of its numbers as a list, which sha256sum can check.
    NumberSet set;
    set.values = {11111, 12345, 54321};
    EXPECT_EQ(setSha256(set), "0ad4350491f4ee19c67960ced686622d8f4863edcb84d7a90982a8da11da624b");
    // Each record names the hash of the whole record before it; the end line the last one's.
    const QByteArray text = bytesOf(path());
    const qsizetype second = text.indexOf("record 2\n");
    const QByteArray firstBlock = text.mid(text.indexOf("record 1\n"), second - text.indexOf("record 1\n"));
    const QByteArray firstHash = QCryptographicHash::hash(firstBlock, QCryptographicHash::Sha256).toHex();
    EXPECT_NE(text.indexOf("previous-sha256 " + firstHash + "\nset 16673\nbits "),
              -1);  // record 2's set as bits
    EXPECT_TRUE(
        text.endsWith("end 3 " +
                      QCryptographicHash::hash(text.mid(text.indexOf("record 3\n"),
                                                        text.indexOf("end 3") - text.indexOf("record 3\n")),
                                               QCryptographicHash::Sha256)
                          .toHex() +
                      "\n"));
}

TEST_F(PlayRecordFileTest, EveryRefusalSaysWhyAndLeavesTheFileAsItWas) {
    const PlayRecordFile file(path());
    ASSERT_TRUE(file.add(recordA(), DrawStore{}).ok);  // issue 2026121
    const QByteArray before = bytesOf(path());
    const DrawStore history = historyUpTo("2026122", 35789);

    struct Case {
        PlayRecord record;
        std::string reason;
    };
    PlayRecord noNumbers = recordA(), badMultiple = recordA(), badIssue = recordA();
    noNumbers.issue = badMultiple.issue = "2026123";
    noNumbers.set = {};
    badMultiple.multiple = 100;
    badIssue.issue = "2026-123";
    const std::vector<Case> cases = {
        {recordB(), "第 2026122 期已开奖（35789），开奖后补记的记录不能说明选号的眼光，不予记录"},
        {recordA(),
         "第 2026121 期在已保存的最后一期（2026122）之前，多半已经开奖，不予记录；下一期是 2026123"},
        {noNumbers, "没有号码，无法记录"},
        {badMultiple, "倍数应为 1–99"},
        {badIssue, "期号应为数字（至多 20 位）"},
    };
    for (const Case& c : cases) {
        const AddedRecord added = file.add(c.record, history);
        EXPECT_FALSE(added.ok);
        EXPECT_EQ(added.error.toStdString(), c.reason);
        EXPECT_EQ(bytesOf(path()), before);
    }

    // A save that fails at any step leaves the old file and says so.
    for (const SaveStep failing : {SaveStep::Open, SaveStep::Write, SaveStep::Commit}) {
        PlayRecord next = recordB();
        next.issue = "2026123";
        const AddedRecord added = file.add(next, history, [failing](SaveStep s) { return s != failing; });
        EXPECT_FALSE(added.ok);
        EXPECT_TRUE(added.error.startsWith(QStringLiteral("无法保存投注记录"))) << added.error.toStdString();
        EXPECT_EQ(bytesOf(path()), before);
    }
    // No temporary file and no lock is left beside it.
    EXPECT_EQ(entries(), QStringList{QLatin1String(kPlayRecordFileName)})
        << entries().join(QLatin1Char(' ')).toStdString();
}

TEST_F(PlayRecordFileTest, AnAlteredRecordIsNamedAndNothingIsAddedAfterIt) {
    addThree();
    const QByteArray written = bytesOf(path());
    auto replaced = [&written](const char* from, const char* to) {
        QByteArray text = written;
        const qsizetype at = text.indexOf(from);
        EXPECT_NE(at, -1) << from;
        return text.replace(at, qsizetype(strlen(from)), to);
    };
    auto between = [&written](const char* from, const char* to) {
        const qsizetype a = written.indexOf(from), b = written.indexOf(to);
        return written.left(a) + written.mid(b);
    };
    // The second record's set with one number changed and its set hash made to match, as a forger would.
    QByteArray forged;
    {
        std::vector<PlayRecord> records = {recordA(), recordB(), testdata::sampleRecord("2026125", 3, 1, 2)};
        records[1].set.values[2] = 63;
        const std::string alteredText = playRecordText(records);
        const std::string originalText = written.toStdString();
        // Keep every byte of the original but record 2 (set and set hash), so only the chain can tell.
        const std::size_t from = originalText.find("record 2\n"), to = originalText.find("record 3\n");
        const std::size_t from2 = alteredText.find("record 2\n"), to2 = alteredText.find("record 3\n");
        forged = QByteArray::fromStdString(originalText.substr(0, from) +
                                           alteredText.substr(from2, to2 - from2) + originalText.substr(to));
    }
    struct Case {
        const char* what;
        QByteArray text;
        std::size_t altered;
    };
    const std::vector<Case> cases = {
        {"a number of the first set", replaced("00017 00034", "00017 00035"), 1},
        {"the second record's multiple", replaced("multiple 5", "multiple 1"), 2},
        {"the last record's issue", replaced("issue 2026125", "issue 2026124"), 3},
        {"the first record's time", replaced("time 2026-05-01 20:30:00", "time 2026-04-30 20:30:00"), 1},
        {"a set and its hash rewritten", forged, 2},
        {"the second record removed", between("record 2\n", "record 3\n"), 2},
        {"the last record removed", between("record 3\n", "end 3"), 3},
        {"a record added after the end", written + "record 4\n", 4},
        {"the end line removed", written.left(written.indexOf("end 3")), 4},
        {"cut inside the second record", written.left(written.indexOf("record 2\n") + 30), 2},
    };
    for (const Case& c : cases) {
        writeBytes(path(), c.text);
        PlayRecordFile file(path());
        const LoadedPlayRecord loaded = file.load();
        EXPECT_EQ(loaded.altered, c.altered) << c.what;
        EXPECT_TRUE(loaded.message.startsWith(QStringLiteral("投注记录第 ") + QString::number(c.altered) +
                                              QStringLiteral(" 条被改动")))
            << c.what << ": " << loaded.message.toStdString();
        EXPECT_EQ(loaded.records.size(), c.altered - 1) << c.what;
        PlayRecord next = recordA();
        next.issue = "2026130";
        const AddedRecord added = file.add(next, DrawStore{});
        EXPECT_FALSE(added.ok) << c.what;
        EXPECT_TRUE(added.error.startsWith(QString::fromStdString(alteredRecordMessage(c.altered))))
            << c.what << ": " << added.error.toStdString();
        EXPECT_EQ(bytesOf(path()), c.text) << c.what;  // left as it is, never set aside
    }

    // Line breaks changed by an editor change no record.
    QByteArray crlf = written;
    writeBytes(path(), crlf.replace("\n", "\r\n"));
    const LoadedPlayRecord loaded = PlayRecordFile(path()).load();
    EXPECT_EQ(loaded.altered, 0u) << loaded.message.toStdString();
    EXPECT_EQ(loaded.records.size(), 3u);
}

TEST_F(PlayRecordFileTest, AForeignFileIsSetAsideANewerOneLeftAlone) {
    writeBytes(path(), "期号,号码\n2026121,12345\n");
    PlayRecordFile file(path());
    const LoadedPlayRecord foreign = file.load();
    EXPECT_TRUE(foreign.records.empty());
    ASSERT_FALSE(foreign.setAsidePath.isEmpty()) << foreign.message.toStdString();
    EXPECT_TRUE(foreign.setAsidePath.contains(QStringLiteral("play-record.txt.foreign-")));
    EXPECT_EQ(bytesOf(foreign.setAsidePath), QByteArray("期号,号码\n2026121,12345\n"));
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_TRUE(file.add(recordA(), DrawStore{}).ok);  // a new record starts beside it

    const QByteArray newer = "# Numsift play record, format 2\nwhatever comes\n";
    writeBytes(path(), newer);
    const LoadedPlayRecord left = file.load();
    EXPECT_TRUE(left.setAsidePath.isEmpty());
    EXPECT_TRUE(left.message.contains(QStringLiteral("由更新版本的 Numsift 写成（格式 2）")))
        << left.message.toStdString();
    const AddedRecord refused = file.add(recordB(), DrawStore{});
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.contains(QStringLiteral("更新版本"))) << refused.error.toStdString();
    EXPECT_EQ(bytesOf(path()), newer);
}

TEST_F(PlayRecordFileTest, AKilledAddLeavesTheOldFileOrTheNewOne) {
    std::size_t seen = 0;
    const int killedMidSave =
        testdata::killSaversMidSave(QStringLiteral(NUMSIFT_RECORD_SAVE_LOOP), {path()}, [&](int round) {
            const LoadedPlayRecord loaded = PlayRecordFile(path()).load();
            EXPECT_TRUE(loaded.message.isEmpty())
                << "round " << round << ": " << loaded.message.toStdString();
            EXPECT_GE(loaded.records.size(), seen) << "round " << round;
            seen = loaded.records.size();
            for (const PlayRecord& r : loaded.records) EXPECT_TRUE(r == recordA() || r == recordB());
            // A temporary file left by the killed saver (its stale lock stays, for the next one to take
            // over).
            for (const QString& name : entries())
                if (name != QLatin1String(kPlayRecordFileName) && !name.endsWith(QLatin1String(".lock")))
                    QFile::remove(dir_.filePath(name));
        });
    EXPECT_GE(killedMidSave, 2) << "no kill landed inside a save";
    EXPECT_GT(seen, 0u);
}

TEST_F(PlayRecordFileTest, TwoWritersAtOnceLoseNoRecord) {
    // Each adds its records as fast as it can; without the lock one would
    // write over the other's last add.
    constexpr int kEach = 12;
    QProcess writers[2];
    for (QProcess& w : writers) {
        w.setProcessChannelMode(QProcess::ForwardedChannels);
        w.start(QStringLiteral(NUMSIFT_RECORD_SAVE_LOOP), {path(), QString::number(kEach)});
        ASSERT_TRUE(w.waitForStarted());
    }
    for (QProcess& w : writers) {
        ASSERT_TRUE(w.waitForFinished(120000));
        EXPECT_EQ(w.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(w.exitCode(), 0);
    }
    const LoadedPlayRecord loaded = PlayRecordFile(path()).load();
    EXPECT_TRUE(loaded.message.isEmpty()) << loaded.message.toStdString();
    EXPECT_EQ(loaded.records.size(), 2u * kEach);
    EXPECT_EQ(entries(),
              QStringList{QLatin1String(kPlayRecordFileName)});  // the lock is gone with its holder
}
