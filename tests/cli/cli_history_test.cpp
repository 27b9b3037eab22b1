// numsift-cli history import and list on the kept history of the data
// folder (NUMSIFT_DATA_DIR), and the draws the other commands read as that
// history reads them.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/cli/cli_runner.h"

namespace {

class CliHistory : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir().mkpath(dataDir()));
        qputenv("NUMSIFT_DATA_DIR", dataDir().toUtf8());
    }
    void TearDown() override { qunsetenv("NUMSIFT_DATA_DIR"); }

    QString dataDir() const { return dir_.filePath(QStringLiteral("data")); }
    std::string file(const char* name, const std::string& text) { return writeTemp(dir_, name, text); }
    QByteArray kept() const {
        QFile f(dataDir() + QStringLiteral("/draw-history.csv"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

TEST_F(CliHistory, ImportMergesByIssueAndSaysWhatHappened) {
    CliRun r = runCli({"history", "import", file("a.txt", "2026002 23456\n2026001 12345\n")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "导入 2 期：新增 2 期，已有 0 期，冲突 0 期，无法读取 0 行\n");
    EXPECT_EQ(kept(),
              "# Numsift draw history, format 2\nissue,date,number\n2026001,,12345\n2026002,,23456\n"
              "# Numsift draw history, end, 2 draws\n");

    r = runCli({"history", "import", "-"}, "期号 号码\n2026002 99999\n2026001 12345\n2026003,34567\n35789\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "导入 3 期：新增 1 期，已有 1 期，冲突 1 期，无法读取 2 行（第 1、5 行）\n"
              "冲突：期号 2026002 已有 23456，导入 99999（第 2 行），保留原样\n");

    r = runCli({"history", "list"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2026001 12345\n2026002 23456\n2026003 34567\n");
    EXPECT_EQ(runCli({"history", "list", "--last", "2"}).out, "2026002 23456\n2026003 34567\n");

    // What the history holds now is the input of the other commands as it
    // stands: the same draws, the same figures.
    const std::string listed = file("listed.txt", r.out);
    EXPECT_EQ(runCli({"stats", listed}).out,
              runCli({"stats", dataDir().toStdString() + "/draw-history.csv"}).out);

    // Errors: one line on stderr, the history untouched.
    const QByteArray before = kept();
    for (const std::vector<std::string>& args : {std::vector<std::string>{"history", "import"},
                                                 {"history", "import", file("none.txt", "hello\n")},
                                                 {"history", "list", "x"},
                                                 {"history", "list", "--last", "0"},
                                                 {"history", "drop"},
                                                 {"history", "import", listed, "--last", "2"}}) {
        r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(kept(), before);
}

// Two imports at once, from two processes: both are kept.
TEST_F(CliHistory, TwoImportsAtOnceLoseNothing) {
    std::string a, b;
    for (int i = 0; i < 500; ++i)
        (i % 2 ? a : b) += std::to_string(2020000 + i) + " " + std::to_string(10000 + i) + "\n";
    QProcess first, second;
    first.start(QStringLiteral(NUMSIFT_CLI), {"history", "import", QString::fromStdString(file("a.txt", a))});
    second.start(QStringLiteral(NUMSIFT_CLI),
                 {"history", "import", QString::fromStdString(file("b.txt", b))});
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    const CliRun list = runCli({"history", "list"});
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 500);
}

// --last N narrows every figure but 当前遗漏, counted over every draw.
TEST_F(CliHistory, StatsOfTheNewestDrawsKeepTheWholeCurrentOmission) {
    const std::string draws = file("d.txt", "2026001 10000\n2026002 21111\n2026003 31111\n2026004 41111\n");
    const CliRun last = runCli({"stats", draws, "--last", "2"});
    ASSERT_EQ(last.exitCode, 0) << last.err;
    // 个位0: last seen three draws ago; within the newest two, never.
    EXPECT_NE(last.out.find("\npos5:0\t个位0\t0\t3\t2\t2.00\t0\n"), std::string::npos);
    EXPECT_NE(runCli({"stats", "--help"}).out.find("当前遗漏总按全部开奖计算"), std::string::npos);
}

}  // namespace
