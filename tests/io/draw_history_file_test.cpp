#include "io/draw_history_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/io/draw_history_samples.h"
#include "tests/io/kill_saver.h"
#include "tests/io/file_bytes.h"

using namespace numsift;
using numsift::testdata::bytesOf;
using numsift::testdata::historyA;
using numsift::testdata::historyB;
using numsift::testdata::writeBytes;

namespace {

class DrawHistoryFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path() const { return dir_.filePath(QLatin1String(kDrawHistoryFileName)); }
    // The folder's entries other than the history file itself.
    QStringList others() const {
        QStringList names =
            QDir(dir_.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.removeAll(QLatin1String(kDrawHistoryFileName));
        return names;
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST(KeptHistoryFile, TextRoundTripsAndReadsBackAsAnImport) {
    DrawStore store;
    store.importText("issue,date,number\n2026002,2026-01-02,00042\n2026001,,12345\n007,2025-12-31,99999\n");
    const std::string text = keptHistoryText(store);
    EXPECT_EQ(text,
              "# Numsift draw history, format 2\nissue,date,number\n007,2025-12-31,99999\n2026001,,12345\n"
              "2026002,2026-01-02,00042\n# Numsift draw history, end, 3 draws\n");
    const KeptHistoryRead read = readKeptHistory(text);
    EXPECT_EQ(read.problem, KeptHistoryRead::Problem::None);
    EXPECT_EQ(read.store, store);
    // The file imports as it stands, signature, header and end line included.
    DrawStore imported;
    const MergeReport r = imported.importText(text);
    EXPECT_EQ(imported, store);
    EXPECT_EQ(r.badLineCount, 0u);
    // Saved by an editor with CR LF and a BOM: still the same history.
    std::string crlf = "\xEF\xBB\xBF";
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(readKeptHistory(crlf).store, store);
    EXPECT_EQ(readKeptHistory(keptHistoryText(DrawStore{})).problem, KeptHistoryRead::Problem::None);
}

TEST(KeptHistoryFile, AnythingElseIsForeignNewerOrDamagedWithItsLine) {
    using P = KeptHistoryRead::Problem;
    const std::string head = "# Numsift draw history, format 1\nissue,date,number\n";
    const std::string two = "# Numsift draw history, format 2\nissue,date,number\n";
    struct Case {
        std::string text;
        P problem;
        int line;
    };
    const Case cases[] = {
        {"", P::Foreign, 0},
        {"2026001 12345\n", P::Foreign, 0},
        {"# Numsift draw history, format 3\nwhatever\n", P::Newer, 0},
        {"# Numsift draw history, format 0\n", P::Damaged, 1},
        {"# Numsift draw history, format x\n", P::Damaged, 1},
        {"# Numsift draw history, format 1\n", P::Damaged, 2},
        {"# Numsift draw history, format 1\nissue,number\n", P::Damaged, 2},
        {head + "2026001,,12345", P::Damaged, 3},                    // cut off before its line end
        {head + "2026001,,1234\n", P::Damaged, 3},                   // four digits
        {head + "2026001,2026-02-30,12345\n", P::Damaged, 3},        // no such day
        {head + "2026001,2026/01/01,12345\n", P::Damaged, 3},        // not the file's date form
        {head + "2026001,,12345,1\n", P::Damaged, 3},                // a fourth cell
        {head + "x2026001,,12345\n", P::Damaged, 3},                 // issue not digits
        {head + "2026002,,12345\n2026001,,12345\n", P::Damaged, 4},  // out of order
        {head + "2026001,,12345\n2026001,,12345\n", P::Damaged, 4},  // twice
        {head + "2026001,,12345\n\n", P::Damaged, 4},                // an empty line
        {head + std::string("2026001,,12\0"
                            "45\n",
                            15),
         P::Damaged, 3},
        {head + "2026001,,12345\n# Numsift draw history, end, 1 draws\n", P::Damaged,
         4},                                        // no end in format 1
        {two + "2026001,,12345\n", P::Damaged, 4},  // no end line
        {two + "2026001,,12345\n# Numsift draw history, end, 2 draws\n", P::Damaged, 4},  // miscounted
        {two + "2026001,,12345\n# Numsift draw history, end, 01 draws\n", P::Damaged, 4},
        {two + "2026001,,12345\n# Numsift draw history, end, 1\n", P::Damaged, 4},
        {two + "# Numsift draw history, end, 0 draws\n2026001,,12345\n", P::Damaged, 4},  // a row after it
        {two + "# Numsift draw history, end, 0 draws", P::Damaged, 3},  // cut in the end line
    };
    for (const Case& c : cases) {
        const KeptHistoryRead read = readKeptHistory(c.text);
        EXPECT_EQ(read.problem, c.problem) << c.text;
        EXPECT_EQ(read.line, c.line) << c.text;
        EXPECT_TRUE(read.store.empty()) << c.text;
    }
}

TEST(KeptHistoryFile, AFileCutAtAnyLineIsDamagedNeverShorter) {
    const std::string text = keptHistoryText(testdata::sampleHistory(40, 7));
    ASSERT_EQ(readKeptHistory(text).problem, KeptHistoryRead::Problem::None);
    const std::size_t signature = text.find('\n') + 1;
    for (std::size_t size = signature; size < text.size(); ++size) {
        const KeptHistoryRead read = readKeptHistory(std::string_view(text).substr(0, size));
        EXPECT_EQ(read.problem, KeptHistoryRead::Problem::Damaged) << size;
        EXPECT_TRUE(read.store.empty()) << size;
    }
}

TEST_F(DrawHistoryFileTest, AFileOfTheFirstFormatLoadsAsItDidAndIsSavedInTheNewOne) {
    const QByteArray first =
        "# Numsift draw history, format 1\nissue,date,number\n2026001,,12345\n2026002,2026-01-02,00042\n";
    writeBytes(path(), first);
    DrawHistoryFile file(path());
    const LoadedHistory loaded = file.load();
    EXPECT_TRUE(loaded.message.isEmpty()) << loaded.message.toStdString();
    EXPECT_TRUE(loaded.setAsidePath.isEmpty());
    EXPECT_EQ(loaded.store.size(), 2u);
    EXPECT_EQ(bytesOf(path()), first);  // read, not rewritten
    EXPECT_TRUE(others().isEmpty());
    ASSERT_TRUE(file.save(loaded.store).ok);
    EXPECT_EQ(bytesOf(path()).toStdString(), keptHistoryText(loaded.store));
    EXPECT_TRUE(bytesOf(path()).startsWith("# Numsift draw history, format 2\n"));
    EXPECT_EQ(DrawHistoryFile(path()).load().store, loaded.store);
}

TEST_F(DrawHistoryFileTest, SavedHistoryLoadsBackTheSame) {
    DrawHistoryFile file(path());
    const LoadedHistory none = file.load();  // no file yet: empty, nothing to say
    EXPECT_TRUE(none.store.empty());
    EXPECT_TRUE(none.message.isEmpty());

    DrawStore store;
    store.importText("期号,日期,号码\n2026002,2026-01-02,00042\n2026001,,12345\n");
    ASSERT_TRUE(file.save(store).ok);
    EXPECT_TRUE(bytesOf(path()).startsWith("# Numsift draw history, format 2\nissue,date,number\n"));
    const LoadedHistory loaded = DrawHistoryFile(path()).load();
    EXPECT_EQ(loaded.store, store);
    EXPECT_TRUE(loaded.message.isEmpty());
    EXPECT_TRUE(others().isEmpty());  // no temporary file left beside it

    ASSERT_TRUE(file.save(historyA()).ok);
    EXPECT_EQ(DrawHistoryFile(path()).load().store, historyA());
    ASSERT_TRUE(file.save(DrawStore{}).ok);
    EXPECT_TRUE(DrawHistoryFile(path()).load().store.empty());

    DataFolder folder;
    EXPECT_TRUE(drawHistoryPath(folder).isEmpty());  // no folder, no path
    folder.ok = true;
    folder.path = dir_.path();
    EXPECT_EQ(drawHistoryPath(folder), path());
}

TEST_F(DrawHistoryFileTest, ASaveFailingAtAnyStepLeavesTheOldFileAndSaysWhy) {
    DrawHistoryFile file(path());
    ASSERT_TRUE(file.save(historyA()).ok);
    const QByteArray old = bytesOf(path());

    int steps = 0;
    int writes = 0;
    ASSERT_TRUE(
        file.save(historyB(), [&](SaveStep s) { return ++steps, writes += s == SaveStep::Write, true; }).ok);
    EXPECT_GE(writes, 3);  // the file takes several chunks, so a write can fail halfway
    ASSERT_TRUE(file.save(historyA()).ok);
    ASSERT_EQ(bytesOf(path()), old);

    for (int failing = 0; failing < steps; ++failing) {
        int seen = 0;
        const SaveResult r = file.save(historyB(), [&](SaveStep) { return seen++ != failing; });
        EXPECT_FALSE(r.ok) << failing;
        EXPECT_TRUE(r.error.contains(QDir::toNativeSeparators(path()))) << r.error.toStdString();
        EXPECT_EQ(bytesOf(path()), old) << failing;
        EXPECT_TRUE(others().isEmpty()) << others().join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(DrawHistoryFile(path()).load().store, historyA()) << failing;
    }

    // Failures of the platform itself: no folder, a folder in the file's place.
    const SaveResult noFolder = DrawHistoryFile(dir_.filePath(QStringLiteral("gone/x.csv"))).save(historyA());
    EXPECT_FALSE(noFolder.ok);
    EXPECT_FALSE(noFolder.error.isEmpty());
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.csv")));
    EXPECT_FALSE(DrawHistoryFile(dir_.filePath(QStringLiteral("folder.csv"))).save(historyA()).ok);
    EXPECT_TRUE(QFileInfo(dir_.filePath(QStringLiteral("folder.csv"))).isDir());
}

TEST_F(DrawHistoryFileTest, AKilledSaveLeavesTheOldFileOrTheNewOne) {
    ASSERT_TRUE(DrawHistoryFile(path()).save(historyA()).ok);
    const DrawStore a = historyA(), b = historyB();
    const int killedMidSave =
        testdata::killSaversMidSave(QStringLiteral(NUMSIFT_SAVE_LOOP), {path()}, [&](int round) {
            const LoadedHistory h = DrawHistoryFile(path()).load();
            EXPECT_TRUE(h.message.isEmpty()) << h.message.toStdString();
            EXPECT_TRUE(h.store == a || h.store == b)
                << "round " << round << ": " << h.store.size() << " draws";
            for (const QString& name : others()) QFile::remove(dir_.filePath(name));  // a temporary file left
        });
    EXPECT_GE(killedMidSave, 2) << "no kill landed inside a save";
}

TEST_F(DrawHistoryFileTest, ADamagedOrForeignFileIsSetAsideNeverDeleted) {
    const QByteArray damaged =
        "# Numsift draw history, format 1\nissue,date,number\n2026001,,12345\n2026002,,123";
    writeBytes(path(), damaged);
    DrawHistoryFile file(path());
    const LoadedHistory first = file.load();
    EXPECT_TRUE(first.store.empty());
    ASSERT_FALSE(first.setAsidePath.isEmpty());
    EXPECT_TRUE(
        QFileInfo(first.setAsidePath).fileName().startsWith(QStringLiteral("draw-history.csv.damaged-")));
    EXPECT_EQ(bytesOf(first.setAsidePath), damaged);
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_EQ(first.message, QStringLiteral("开奖历史文件已损坏（第 4 行），已改名保存为 ") +
                                 QDir::toNativeSeparators(first.setAsidePath) +
                                 QStringLiteral("；开奖历史从空开始。"));
    ASSERT_TRUE(file.save(historyA()).ok);  // a new history goes where the old one was

    // Another damaged file in the same second gets a name of its own.
    writeBytes(path(), "garbage");
    const LoadedHistory second = DrawHistoryFile(path()).load();
    EXPECT_TRUE(
        QFileInfo(second.setAsidePath).fileName().startsWith(QStringLiteral("draw-history.csv.foreign-")));
    EXPECT_NE(second.setAsidePath, first.setAsidePath);
    EXPECT_EQ(bytesOf(second.setAsidePath), QByteArray("garbage"));
    EXPECT_TRUE(second.message.contains(QStringLiteral("不是 Numsift 的开奖历史")))
        << second.message.toStdString();
    writeBytes(path(), "garbage 2");
    const LoadedHistory third = DrawHistoryFile(path()).load();
    EXPECT_NE(third.setAsidePath, second.setAsidePath);
    EXPECT_EQ(bytesOf(second.setAsidePath), QByteArray("garbage"));
    EXPECT_EQ(bytesOf(third.setAsidePath), QByteArray("garbage 2"));
    EXPECT_EQ(bytesOf(first.setAsidePath), damaged);

    // A folder in the file's place is moved aside whole.
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("draw-history.csv/inside")));
    const LoadedHistory folder = DrawHistoryFile(path()).load();
    EXPECT_TRUE(QFileInfo(folder.setAsidePath + QStringLiteral("/inside")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(DrawHistoryFileTest, AFileOfANewerFormatIsLeftAloneAndNotOverwritten) {
    const QByteArray newer = "# Numsift draw history, format 3\nissue,date,number,extra\n2026001,,12345,x\n";
    writeBytes(path(), newer);
    DrawHistoryFile file(path());
    const LoadedHistory h = file.load();
    EXPECT_TRUE(h.store.empty());
    EXPECT_TRUE(h.setAsidePath.isEmpty());
    EXPECT_TRUE(h.message.contains(QStringLiteral("由更新版本的 Numsift 写成（格式 3）")))
        << h.message.toStdString();
    const SaveResult r = file.save(historyA());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(bytesOf(path()), newer);
    EXPECT_TRUE(others().isEmpty());
}
