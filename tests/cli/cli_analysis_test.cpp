#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sstream>

#include "engine/number.h"
#include "tests/cli/cli_runner.h"

namespace {

// Kill sum tails 0 and 5, span 9 and every number holding a 4; tolerance 0-1.
const QByteArray kScheme =
    R"({"numsift": 1, "tolerance": [0, 1], "sumTailKill": "05", "spanKill": "9", "digitKill": "4"})";

int failsOf(std::uint32_t v) { return smallSchemeFails(v).total(); }

TEST(CliBacktest, TableSummaryAndConditionsOfASmallScheme) {
    QTemporaryDir dir;
    const std::string scheme = writeTemp(dir, "s.json", kScheme);
    const std::string draws = writeTemp(
        dir, "d.txt",
        "期号 号码\r\n2026120 3 5 7 8 9\r\n2026121,12345\r\n\r\n2026122 99999\r\n2026123 00000\r\n");
    const CliRun r = runCli({"backtest", scheme, draws});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Counted by brute force: numbers failing at most one of the three checks.
    int kept = 0;
    for (std::uint32_t v = 0; v < numsift::kNumberSpace; ++v) kept += failsOf(v) <= 1;
    char share[32];
    std::snprintf(share, sizeof share, "%.2f%%", kept / 1000.0);
    EXPECT_EQ(r.out.substr(0, r.out.find("\n\n") + 2),
              "期号\t号码\t错误数\t结果\t未通过的条件\n"
              "2026120\t35789\t0\t保留\t\n"
              "2026121\t12345\t2\t淘汰\t杀和尾、通杀码\n"
              "2026122\t99999\t1\t保留\t杀和尾\n"
              "2026123\t00000\t1\t保留\t杀和尾\n\n");
    EXPECT_NE(r.out.find("验证期数\t4\n保留\t3（75.00%）\n最长连续未中\t1\n结果注数\t" +
                         std::to_string(kept) + "（" + share + "）\n容错\t0-1\n"),
              std::string::npos)
        << r.out;
    // 杀和尾 marks 20 % of the numbers but three of four draws: p = 0.0272,
    // which Holm's rule over the three conditions makes 0.0816: four draws
    // are too few to blame it.
    EXPECT_NE(
        r.out.find("\n步骤\t条件\t标记候选\t候选占比\t标记开奖\t开奖占比\t期望\t误杀偏多\tp值\t校正p值\n"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("3\t杀和尾\t20000\t20.00%\t3\t75.00%\t0.8\t\t0.0272\t0.0816\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("3\t杀跨度\t14670\t14.67%\t0\t0.00%\t0.6\t\t1.0000\t1.0000\n"), std::string::npos)
        << r.out;
    // The header line holds no draw: reported, not fatal.
    EXPECT_EQ(r.err, "numsift-cli: " + draws + ": 有 1 行不是开奖号码，已跳过：第 1 行\n");
}

TEST(CliBacktest, BaseSetLeavesOutsideDrawsUnkept) {
    QTemporaryDir dir;
    const std::string scheme = writeTemp(dir, "s.json", kScheme);
    const std::string draws = writeTemp(dir, "d.txt", "a 35789\nb 12345\nc 35789\n");
    const std::string base = writeTemp(dir, "base.txt", "35789 12345 00000");
    const CliRun r = runCli({"backtest", scheme, "--base", base, draws});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("b\t12345\t2\t淘汰\t杀和尾、通杀码\n"), std::string::npos);
    EXPECT_NE(r.out.find("结果注数\t2（0.00%）\n"), std::string::npos) << r.out;  // 35789 and 00000

    const std::string small = writeTemp(dir, "small.txt", "12345");
    const CliRun o = runCli({"backtest", scheme, draws, "--base", small});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_NE(o.out.find("a\t35789\t0\t不在大底\t\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("不在大底\t2\n"), std::string::npos) << o.out;
}

TEST(CliExplain, VerdictOfEveryActiveCheck) {
    QTemporaryDir dir;
    const std::string scheme = writeTemp(dir, "s.json", kScheme);
    CliRun r = runCli({"explain", scheme, "12345"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "号码\t12345\n步骤\t条件\t结果\n3\t杀和尾\t未通过\n3\t杀跨度\t通过\n3\t通杀码\t未通过\n"
              "错误数\t2（共 3 项条件）\n容错\t0-1\t超出容错\n大底\t未载入\n结论\t淘汰\n");
    const std::string base = writeTemp(dir, "base.txt", "35789");
    r = runCli({"explain", scheme, "35789", "--base", base});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("错误数\t0（共 3 项条件）\n容错\t0-1\t在容错内\n大底\t在大底中\n结论\t保留\n"),
              std::string::npos)
        << r.out;
}

TEST(CliAnalysis, InputErrorsExitTwoWithOneLineAndNoOutput) {
    QTemporaryDir dir;
    const std::string scheme = writeTemp(dir, "s.json", kScheme);
    const std::string bad = writeTemp(dir, "bad.json", R"({"numsift": 1, "roadKill": ["01203"]})");
    const std::string noDraws = writeTemp(dir, "none.txt", "期号 号码\n2026120 1234\n");
    const std::string draws = writeTemp(dir, "d.txt", "35789\n");
    const std::string emptyBase = writeTemp(dir, "empty.txt", "abc");
    const std::string missing = dir.filePath(QStringLiteral("missing.txt")).toStdString();
    const std::vector<std::vector<std::string>> cases = {
        {"backtest"},
        {"backtest", scheme},
        {"backtest", scheme, draws, "extra"},
        {"backtest", scheme, draws, "--base"},
        {"backtest", scheme, draws, "--width", "3"},
        {"backtest", bad, draws},
        {"backtest", scheme, missing},
        {"backtest", scheme, noDraws},
        {"backtest", scheme, draws, "--base", emptyBase},
        {"explain", scheme, "1234"},
        {"explain", scheme, "123456"},
        {"explain", missing, "12345"},
        {"explain", scheme},
    };
    for (const auto& args : cases) {
        const CliRun r = runCli(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.exitCode, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << joined << r.err;
        EXPECT_EQ(r.err.rfind("numsift-cli: ", 0), 0u) << joined << r.err;
    }
    EXPECT_NE(runCli({"backtest", bad, draws}).err.find("roadKill"), std::string::npos);
    EXPECT_NE(runCli({"backtest", scheme, noDraws}).err.find("第 1、2 行"), std::string::npos);
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

TEST(CliStats, SetCountsTheNumbersHavingEachItem) {
    QTemporaryDir dir;
    const std::string set = writeTemp(dir, "set.txt", "12345 11111,35789\r\n12345 40509");  // 12345 once
    const CliRun r = runCli({"stats", "--set", set});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 562u);
    EXPECT_EQ(out[0], "项目\t名称\t出现次数\t占比");
    EXPECT_EQ(lineOf(r.out, "pos1:1"), "pos1:1\t万位1\t2\t50.00%");
    EXPECT_EQ(lineOf(r.out, "any:5"), "any:5\t含5\t3\t75.00%");
    EXPECT_EQ(lineOf(r.out, "span:9"), "span:9\t跨度9\t1\t25.00%");
    EXPECT_EQ(lineOf(r.out, "code2:11"), "code2:11\t两码11\t1\t25.00%");
    EXPECT_EQ(lineOf(r.out, "shape:AAAAA"), "shape:AAAAA\tAAAAA\t1\t25.00%");

    // The same numbers as draws: every item's 出现次数 is the same.
    const CliRun asDraws = runCli({"stats", "-"}, "11111\n12345\n35789\n40509\n");
    ASSERT_EQ(asDraws.exitCode, 0) << asDraws.err;
    const std::vector<std::string> drawLines = lines(asDraws.out);
    ASSERT_EQ(drawLines.size(), out.size());
    auto firstThree = [](const std::string& line) {
        std::size_t at = 0;
        for (int tab = 0; tab < 3; ++tab) at = line.find('\t', at) + 1;
        return line.substr(0, at);
    };
    for (std::size_t i = 1; i < out.size(); ++i) EXPECT_EQ(firstThree(out[i]), firstThree(drawLines[i]));
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
        {{"stats"}, "numsift-cli: stats: 用法: numsift-cli stats DRAWS.txt [--last N] | --set FILE\n"},
        {{"stats", good, "--set", good},
         "numsift-cli: stats: --set 与 DRAWS.txt 不能同时使用；用法: numsift-cli stats DRAWS.txt [--last N] "
         "| --set FILE\n"},
        {{"stats", "--set", good, "--last", "3"},
         "numsift-cli: stats: --last 只用于 DRAWS.txt；用法: numsift-cli stats DRAWS.txt [--last N] | --set "
         "FILE\n"},
        {{"stats", "--set", none}, "numsift-cli: " + none + ": 文件中没有五位号码\n"},
        {{"stats", good, "--width", "3"},
         "numsift-cli: stats: 未知的选项 --width；用法: numsift-cli stats DRAWS.txt [--last N] | --set "
         "FILE\n"},
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
