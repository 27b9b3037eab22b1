// numsift-cli tickets and record: tickets whose bets are the list, and the
// play record in a data folder of its own (NUMSIFT_DATA_DIR): added,
// refused, scored against the kept history, and refused once altered.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <set>
#include <sstream>

#include "tests/cli/cli_runner.h"

namespace {

// Every number of the tickets a line at a time, as the shop expands them.
std::multiset<std::string> expand(const std::string& lines) {
    std::multiset<std::string> numbers;
    std::istringstream in(lines);
    for (std::string a, b, c, d, e; in >> a >> b >> c >> d >> e;)
        for (char x : a)
            for (char y : b)
                for (char z : c)
                    for (char u : d)
                        for (char v : e) numbers.insert({x, y, z, u, v});
    return numbers;
}

class CliRecord : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv("NUMSIFT_DATA_DIR", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data")));
        QFile history(dir.filePath(QStringLiteral("data/draw-history.csv")));
        ASSERT_TRUE(history.open(QIODevice::WriteOnly));
        history.write(
            "# Numsift draw history, format 1\nissue,date,number\n2026120,,35789\n2026121,,12345\n");
    }
    void TearDown() override { qunsetenv("NUMSIFT_DATA_DIR"); }
    std::string file(const char* name, const std::string& bytes) { return writeTemp(dir, name, bytes); }
    QString recordPath() const { return dir.filePath(QStringLiteral("data/play-record.txt")); }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(CliRecord, TicketsHoldExactlyTheListAndSayTheirCost) {
    const std::string list = file("list.txt", "12345 12346 12355 12356 99999\r\n12345");
    CliRun r = runCli({"tickets", list});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1 2 3 45 56\n9 9 9 9 9\n");
    EXPECT_EQ(r.err, "2 张复式，共 5 注，10 元\n");

    const std::string example = std::string(NUMSIFT_SOURCE_DIR) + "/examples/example.json";
    const CliRun result = runCli({"run", example});
    r = runCli({"tickets", file("result.txt", result.out)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::multiset<std::string> kept;
    std::istringstream in(result.out);
    for (std::string n; in >> n;) kept.insert(n);
    EXPECT_EQ(expand(r.out), kept);
    EXPECT_NE(r.err.find("共 82666 注，165332 元"), std::string::npos) << r.err;

    r = runCli({"tickets", file("none.txt", "no numbers")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("文件中没有五位号码"), std::string::npos);
}

TEST_F(CliRecord, RecordsAreAddedRefusedAndScoredAgainstTheKeptHistory) {
    const std::string set = file("set.txt", "12345 54321");
    CliRun r = runCli({"record", "add", "--issue", "2026121", set});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(
        r.err,
        "numsift-cli: record: 第 2026121 期已开奖（12345），开奖后补记的记录不能说明选号的眼光，不予记录\n");
    EXPECT_FALSE(QFile::exists(recordPath()));
    r = runCli({"record", "add", "--issue", "2026119", set});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("之前"), std::string::npos) << r.err;
    r = runCli({"record", "add", "--issue", "2026122", "--multiple", "0", set});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--multiple 应为 1–99"), std::string::npos) << r.err;
    r = runCli({"record", "add", set});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFile::exists(recordPath()));

    r = runCli({"record", "add", "--issue", "2026122", "--multiple", "3", set});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "已记录第 2026122 期（第 1 条）：2 注 × 3 倍，投入 12 元\n");
    r = runCli({"record", "add", "--issue", "2026123", "-"}, "00000");
    ASSERT_EQ(r.exitCode, 0) << r.err;

    // The draw of 2026122 arrives: the first record hits.
    QFile history(dir.filePath(QStringLiteral("data/draw-history.csv")));
    ASSERT_TRUE(history.open(QIODevice::Append));
    history.write("2026122,,54321\n");
    history.close();
    r = runCli({"record", "list"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(line);
    ASSERT_EQ(rows.size(), 9u) << r.out;
    EXPECT_EQ(rows[0], "期号\t记录时间\t注数\t倍数\t投入\t开奖号码\t中奖\t奖金");
    EXPECT_EQ(rows[1].substr(0, 8), "2026122\t");
    EXPECT_EQ(rows[1].substr(27), "\t2\t3\t12\t54321\t是\t300000");
    EXPECT_EQ(rows[2].substr(27), "\t1\t1\t2\t待开奖\t—\t—");
    EXPECT_EQ(rows[7], "回报率\t2500000.00%\t随机选号 50%");
}

TEST_F(CliRecord, AnAlteredRecordFileFailsTheListAndEveryAdd) {
    const std::string set = file("set.txt", "12345 54321 11111");
    ASSERT_EQ(runCli({"record", "add", "--issue", "2026122", set}).exitCode, 0);
    ASSERT_EQ(runCli({"record", "add", "--issue", "2026123", set}).exitCode, 0);
    QFile f(recordPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray text = f.readAll();
    f.close();
    text.replace("multiple 1\nset-sha256", "multiple 9\nset-sha256");  // both records' multiples
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
    f.close();

    CliRun r = runCli({"record", "list"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("投注记录第 1 条被改动"), std::string::npos) << r.err;
    r = runCli({"record", "add", "--issue", "2026124", set});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("投注记录第 1 条被改动，不再追加记录"), std::string::npos) << r.err;
    QFile after(recordPath());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), text);
}
