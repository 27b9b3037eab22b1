// The rules and walk commands of the built numsift-cli, and the commands
// that run a scheme with rules (the history they learn from named by
// --draws).
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <random>

#include "tests/cli/cli_runner.h"

namespace {

const char* kTwoRules = R"({"numsift": 1, "rules": [{"kill": "pos1", "by": "repeat"},
  {"kill": "sumtail", "by": "formula", "formula": "tail + 1"}]})";

// In issue order 12345, 12399, 55555.
const char* kThreeDraws = "2026003 55555\n2026001 12345\n2026002 12399\n";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        out.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return out;
}

TEST(CliRules, OneLinePerRuleWithItsFiguresBesideTheChance) {
    QTemporaryDir dir;
    const std::string scheme = writeTemp(dir, "s.json", kTwoRules);
    const std::string draws = writeTemp(dir, "d.txt", kThreeDraws);
    const CliRun all = runCli({"rules", scheme, draws});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    // 万位 repeats 1 (wrong at 12399, right at 55555) and then kills 5; the
    // sum tail formula kills 6 (right at 12399, tail 4), then 5 (wrong at
    // 55555), then 6 again. One right of two against 90 %: p = 0.99.
    EXPECT_EQ(all.out,
              "规则\tp值\t校正p值\t结论\t期数\t命中\t命中率\t理论命中率\t当前连对\t最长连错\t下期杀\n"
              "万位 重复上期\t0.9900\t1.0000\t与随机无差别\t2\t1\t50.00%\t90.00%\t1\t1\t5\n"
              "和尾 公式 tail + 1\t0.9900\t1.0000\t与随机无差别\t2\t1\t50.00%\t90.00%\t0\t1\t6\n");
    EXPECT_EQ(all.err, "");
    // The last draw alone, the two before it still the history.
    const CliRun last = runCli({"rules", scheme, draws, "--last", "1"});
    ASSERT_EQ(last.exitCode, 0) << last.err;
    EXPECT_EQ(lines(last.out)[1],
              "万位 重复上期\t0.9000\t1.0000\t与随机无差别\t1\t1\t100.00%\t90.00%\t1\t0\t5");
    EXPECT_EQ(lines(last.out)[2],
              "和尾 公式 tail + 1\t1.0000\t1.0000\t与随机无差别\t1\t0\t0.00%\t90.00%\t0\t1\t6");
}

TEST(CliRules, ProblemsAreOneLineAndNothingOnStdout) {
    QTemporaryDir dir;
    const std::string none = writeTemp(dir, "none.json", R"({"numsift": 1, "digitKill": "4"})");
    const std::string scheme = writeTemp(dir, "s.json", kTwoRules);
    const std::string draws = writeTemp(dir, "d.txt", kThreeDraws);
    const std::string empty = writeTemp(dir, "e.txt", "no draws here\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"rules", none, draws}, "numsift-cli: " + none + ": 方案中没有规则（rules）\n"},
        {{"rules", scheme, draws, "--last", "0"}, "numsift-cli: rules: --last 应为正整数，而不是 \"0\"\n"},
        {{"walk", scheme, empty},
         "numsift-cli: " + empty +
             ": 没有开奖号码（每行一期，例如 2026120 35789）；有 1 行不是开奖号码，已跳过：第 1 行\n"},
    };
    for (const auto& [args, err] : cases) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, err);
    }
}

TEST(CliWalk, RowsDoNotChangeWhenLaterDrawsAreCutFromTheFile) {
    QTemporaryDir dir;
    const std::string scheme = writeTemp(dir, "s.json", R"({"numsift": 1, "tolerance": [0, 1],
      "digitKill": "4", "acKill": [1, 2],
      "rules": [{"kill": "pos1", "by": "cold", "count": 2}, {"kill": "any", "by": "hot", "window": 10},
                {"kill": "span", "by": "best-formula", "window": 20}]})");
    std::mt19937 rng(3);
    std::string text, first;
    for (int i = 0; i < 80; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%d %05u\n", 2026001 + i, static_cast<unsigned>(rng() % 100000));
        text += line;
        if (i < 50) first += line;
    }
    const CliRun whole = runCli({"walk", scheme, writeTemp(dir, "all.txt", text)});
    const CliRun cut = runCli({"walk", scheme, writeTemp(dir, "first.txt", first)});
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    const std::vector<std::string> a = lines(whole.out), b = lines(cut.out);
    ASSERT_GT(b.size(), 51u);
    EXPECT_EQ(a[0], "期号\t号码\t结果注数\t保留");
    EXPECT_EQ(std::vector<std::string>(a.begin(), a.begin() + 51),
              std::vector<std::string>(b.begin(), b.begin() + 51));
    EXPECT_EQ(a[1].substr(0, 8), "2026001\t");
    EXPECT_EQ(a[81], "");
    EXPECT_EQ(a[82], "期数\t80");
    EXPECT_EQ(a[83].substr(0, 13), "保留期数\t");
    EXPECT_NE(whole.out.find("\n回报率\t"), std::string::npos);
    EXPECT_NE(whole.out.find("（随机 50.00%）\n最长连续未中\t"), std::string::npos);
    // --last N walks the newest N with the earlier draws as history.
    const CliRun last = runCli({"walk", scheme, writeTemp(dir, "all2.txt", text), "--last", "30"});
    const std::vector<std::string> c = lines(last.out);
    EXPECT_EQ(std::vector<std::string>(c.begin() + 1, c.begin() + 31),
              std::vector<std::string>(a.begin() + 51, a.begin() + 81));
}

TEST(CliRunWithRules, RulesLearnFromDrawsOrSayTheyKilledNothing) {
    QTemporaryDir dir;
    const std::string scheme = writeTemp(dir, "s.json", R"({"numsift": 1, "sumTailKill": "0",
      "rules": [{"kill": "pos5", "by": "repeat"}]})");
    const std::string draws = writeTemp(dir, "d.txt", kThreeDraws);
    const CliRun blind = runCli({"run", scheme});
    ASSERT_EQ(blind.exitCode, 0) << blind.err;
    EXPECT_EQ(blind.err, "numsift-cli: " + scheme +
                             ": 方案有 1 条规则，但没有历史开奖（--draws FILE），规则未杀号\n"
                             "kept 90000 of 100000\n");
    // The newest draw is 55555: 个位 5 is killed beside the hand-ticked sum tail 0.
    const CliRun run = runCli({"run", scheme, "--draws", draws});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "numsift-cli: " + scheme + ": 1 条规则按 " + draws +
                           " 的 3 期算出下期杀号：个位 重复上期 杀 5\n" + "kept 81000 of 100000\n");
    const CliRun explain = runCli({"explain", scheme, "12345", "--draws", draws});
    ASSERT_EQ(explain.exitCode, 0) << explain.err;
    EXPECT_NE(explain.out.find("定位杀"), std::string::npos) << explain.out;
    const CliRun report = runCli({"report", scheme, "--draws", draws});
    EXPECT_NE(report.out.find("2\t定位杀\t10000\n"), std::string::npos) << report.out;
    // Stacked, each scheme's rules learn from the same draws.
    const CliRun stack = runCli({"stack", scheme, scheme, "--count", "2", "--draws", draws});
    ASSERT_EQ(stack.exitCode, 0) << stack.err;
    EXPECT_NE(stack.err.find("\nkept 81000 of 100000\n"), std::string::npos) << stack.err;
    // The backtest learns from the draws it checks, and says so.
    const CliRun backtest = runCli({"backtest", scheme, draws});
    ASSERT_EQ(backtest.exitCode, 0) << backtest.err;
    EXPECT_NE(backtest.err.find(
                  "规则的杀号学自这些开奖，此处的保留率偏乐观；逐期只用此前开奖的结果见 numsift-cli walk"),
              std::string::npos)
        << backtest.err;
    EXPECT_NE(backtest.out.find("2026003\t55555\t1\t淘汰\t定位杀\n"), std::string::npos) << backtest.out;
}

}  // namespace
