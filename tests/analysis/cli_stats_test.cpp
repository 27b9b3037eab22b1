#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sstream>

#include "tests/cli/cli_runner.h"

namespace {

std::string writeTemp(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return path.toStdString();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The output line of one item.
std::string lineOf(const std::string& out, const std::string& key) {
    for (const std::string& line : lines(out))
        if (line.starts_with(key + "\t")) return line;
    return {};
}

TEST(CliStats, OneLinePerItemInIssueOrder) {
    QTemporaryDir dir;
    // Out of issue order, with a header and dates; 35789 is the newest draw.
    const std::string draws = writeTemp(
        dir, "d.csv", "issue,date,number\n2026003,2026-01-03,35789\n2026001,,11111\n2026002,,12345\n");
    const CliRun r = runCli({"stats", draws});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 562u);
    EXPECT_EQ(out[0], "项目\t名称\t出现次数\t当前遗漏\t最大遗漏\t平均遗漏\t最大连出");
    EXPECT_EQ(out[1], "pos1:0\t万位0\t0\t3\t3\t3.00\t0");
    EXPECT_EQ(out[561], "code2:99\t两码99\t0\t3\t3\t3.00\t0");
    EXPECT_EQ(lineOf(r.out, "pos1:1"), "pos1:1\t万位1\t2\t1\t1\t0.33\t2");
    EXPECT_EQ(lineOf(r.out, "pos1:3"), "pos1:3\t万位3\t1\t0\t2\t1.00\t1");
    EXPECT_EQ(lineOf(r.out, "any:1"), "any:1\t含1\t2\t1\t1\t0.33\t2");
    EXPECT_EQ(lineOf(r.out, "shape:AAAAA"), "shape:AAAAA\tAAAAA\t1\t2\t2\t1.00\t1");
    EXPECT_EQ(lineOf(r.out, "bigsmall:小大大大大"), "bigsmall:小大大大大\t小大大大大\t1\t0\t2\t1.00\t1");
    EXPECT_EQ(lineOf(r.out, "ratio-bs:0:5"), "ratio-bs:0:5\t大小比0:5\t1\t2\t2\t1.00\t1");
    EXPECT_EQ(lineOf(r.out, "code2:11"), "code2:11\t两码11\t1\t2\t2\t1.00\t1");
    // Keys in the order of the families.
    std::vector<std::string> prefixes;
    for (std::size_t i = 1; i < out.size(); ++i) {
        const std::string family = out[i].substr(0, out[i].find(':'));
        if (prefixes.empty() || prefixes.back() != family) prefixes.push_back(family);
    }
    EXPECT_EQ(prefixes,
              (std::vector<std::string>{"pos1", "pos2", "pos3", "pos4", "pos5", "any", "sumtail", "sum",
                                        "span", "bigsmall", "oddeven", "primecomposite", "road", "shape",
                                        "ratio-bs", "ratio-oe", "ratio-pc", "ac", "code2"}));

    // --last 1: only 35789.
    const CliRun last = runCli({"stats", draws, "--last", "1"});
    ASSERT_EQ(last.exitCode, 0) << last.err;
    EXPECT_EQ(lineOf(last.out, "pos1:3"), "pos1:3\t万位3\t1\t0\t0\t0.00\t1");
    EXPECT_EQ(lineOf(last.out, "pos1:1"), "pos1:1\t万位1\t0\t1\t1\t1.00\t0");
    EXPECT_EQ(runCli({"stats", draws, "--last", "99"}).out, r.out);  // more than there are: all
}

TEST(CliStats, NumbersWithoutIssuesCountInTheirOrderAndStandardInputWorks) {
    const CliRun r = runCli({"stats", "-"}, "11111\r\n12345\r\nno draw\r\n35789\r\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(lineOf(r.out, "pos1:3"), "pos1:3\t万位3\t1\t0\t2\t1.00\t1");
    EXPECT_EQ(r.err, "numsift-cli: -: 有 1 行不是开奖号码，已跳过：第 3 行\n");
}

TEST(CliStats, ProblemsAreOneLineWithExitCodeTwo) {
    QTemporaryDir dir;
    const std::string none = writeTemp(dir, "none.txt", "期号 号码\n");
    const std::string good = writeTemp(dir, "good.txt", "2026001 12345\n");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"stats", none},
         "numsift-cli: " + none +
             ": 没有开奖号码（每行一期，例如 2026120 35789）；有 1 行不是开奖号码，已跳过：第 1 行\n"},
        {{"stats", good, "--last", "0"}, "numsift-cli: stats: --last 应为正整数，而不是 \"0\"\n"},
        {{"stats", good, "--last", "x"}, "numsift-cli: stats: --last 应为正整数，而不是 \"x\"\n"},
        {{"stats"}, "numsift-cli: stats: 用法: numsift-cli stats DRAWS.txt [--last N]\n"},
        {{"stats", good, "--width", "3"},
         "numsift-cli: stats: 未知的选项 --width；用法: numsift-cli stats DRAWS.txt [--last N]\n"},
    };
    for (const Case& c : cases) {
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_EQ(r.err, c.err);
    }
    const CliRun missing = runCli({"stats", dir.filePath("missing.txt").toStdString()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.starts_with("numsift-cli: " + dir.filePath("missing.txt").toStdString() + ": "))
        << missing.err;

    const CliRun help = runCli({"stats", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--last N"), std::string::npos) << help.out;
    EXPECT_NE(runCli({"--help"}).out.find("numsift-cli stats DRAWS.txt [--last N]"), std::string::npos);
}

}  // namespace
