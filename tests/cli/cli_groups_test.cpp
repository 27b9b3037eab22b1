// numsift-cli with grouped tolerance (run, report, explain, backtest and its
// what-if tables), CSV output, and scheme stacking.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "engine/number.h"
#include "tests/cli/cli_runner.h"

namespace {

// 杀和尾 0 and 5 and 通杀码 4 in group A (1-2 fails), 杀跨度 9 with the rest (0-0).
const char* kGrouped = R"({"numsift": 1, "tolerance": [0, 0], "sumTailKill": "05", "spanKill": "9",
    "digitKill": "4", "groups": [{"name": "A", "tolerance": [1, 2], "conditions": ["杀和尾", "通杀码"]}]})";

bool keptByGroups(std::uint32_t v) {
    const SmallSchemeFails f = smallSchemeFails(v);
    const int a = f.tail + f.four;
    return a >= 1 && a <= 2 && f.span == 0;
}

std::size_t lines(const std::string& s) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

class CliGroups : public ::testing::Test {
protected:
    QTemporaryDir dir;

    std::string file(const char* name, const std::string& bytes) { return writeTemp(dir, name, bytes); }
};

TEST_F(CliGroups, RunKeepsWhatEveryGroupAdmits) {
    const CliRun r = runCli({"run", file("g.json", kGrouped), "--width", "100000"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string expected;
    std::size_t kept = 0;
    for (std::uint32_t v = 0; v < numsift::kNumberSpace; ++v) {
        if (!keptByGroups(v)) continue;
        expected += (kept++ ? " " : "") + numsift::numberText(v);
    }
    EXPECT_EQ(r.out, expected + "\n");
    EXPECT_EQ(r.err, "kept " + std::to_string(kept) + " of 100000\n");
}

TEST_F(CliGroups, ReportAndExplainShowEachGroup) {
    const std::string scheme = file("g.json", kGrouped);
    const CliRun report = runCli({"report", scheme});
    ASSERT_EQ(report.exitCode, 0) << report.err;
    EXPECT_NE(report.out.find("分组\tA\t1-2\t杀和尾、通杀码\n分组\t其余条件\t0-0\t杀跨度\nkept "),
              std::string::npos)
        << report.out;

    // 40509: sum 18, span 9, a 4: A fails 1 (通杀码), the rest 1 (杀跨度).
    const CliRun explain = runCli({"explain", scheme, "40509"});
    ASSERT_EQ(explain.exitCode, 0) << explain.err;
    EXPECT_NE(explain.out.find("分组\tA\t错误数 1\t容错 1-2\t在容错内\n"
                               "分组\t其余条件\t错误数 1\t容错 0-0\t超出容错\n"
                               "容错\t分组容错\t超出容错\n"),
              std::string::npos)
        << explain.out;
}

TEST_F(CliGroups, CsvListsEachResultNumbersFailsAndGroups) {
    const CliRun r = runCli({"run", file("g.json", kGrouped), "--csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "号码,错误数,未通过的条件,分组\n");
    std::size_t kept = 0;
    for (std::uint32_t v = 0; v < numsift::kNumberSpace; ++v) kept += keptByGroups(v);
    EXPECT_EQ(lines(r.out), kept + 1);
    EXPECT_NE(r.out.find("\n00004,1,通杀码,A\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n00014,2,杀和尾、通杀码,A、A\n"), std::string::npos);

    const CliRun both = runCli({"run", file("g2.json", kGrouped), "--csv", "--width", "3"});
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_EQ(both.err, "numsift-cli: run: --csv 与 --width 不能同时使用\n");
}

TEST_F(CliGroups, BacktestNamesTheFailedGroupAndAnswersWhatIf) {
    const std::string scheme = file("g.json", kGrouped);
    // 40509 fails the rest; 11112 fails no condition of A, which needs one; 12340 is kept.
    const std::string draws = file("d.txt", "1 40509\n2 11112\n3 12340\n");
    const CliRun r = runCli({"backtest", scheme, draws});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(
                  "1\t40509\t2\t淘汰\t杀跨度、通杀码\t其余条件\n2\t11112\t0\t淘汰\t\tA\n3\t12340\t2\t保留\t"),
              std::string::npos)
        << r.out;

    const CliRun w = runCli({"backtest", scheme, draws, "--what-if"});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    std::size_t k12 = 0, k11 = 0, anySpan = 0;
    for (std::uint32_t v = 0; v < numsift::kNumberSpace; ++v) {
        const SmallSchemeFails f = smallSchemeFails(v);
        const int a = f.tail + f.four;
        k12 += a >= 1 && a <= 2 && f.span == 0;
        k11 += a == 1 && f.span == 0;
        anySpan += a >= 1 && a <= 2;
    }
    const auto percent = [](std::size_t k) {
        char s[32];
        std::snprintf(s, sizeof s, "%.2f%%", static_cast<double>(k) / 1000.0);
        return std::string(s);
    };
    EXPECT_EQ(w.out.substr(0, w.out.find("\n\n") + 2),
              "分组\t容错\t结果注数\t候选占比\t保留期数\t保留占比\t当前\n"
              "A\t1-1\t" +
                  std::to_string(k11) + "\t" + percent(k11) +
                  "\t0\t0.00%\t\n"
                  "A\t1-2\t" +
                  std::to_string(k12) + "\t" + percent(k12) +
                  "\t1\t33.33%\t是\n"
                  "其余条件\t0-0\t" +
                  std::to_string(k12) + "\t" + percent(k12) +
                  "\t1\t33.33%\t是\n"
                  "其余条件\t0-1\t" +
                  std::to_string(anySpan) + "\t" + percent(anySpan) +
                  "\t2\t66.67%\t\n"
                  "\n")
        << w.out;
    EXPECT_NE(
        w.out.find("\n步骤\t条件\t分组\t结果注数\t候选占比\t保留期数\t保留占比\t多出注数\t多保留期数\n"),
        std::string::npos);
    EXPECT_NE(w.out.find("\n3\t杀跨度\t其余条件\t"), std::string::npos) << w.out;
}

TEST_F(CliGroups, GroupErrorsNameTheFileAndItem) {
    const std::string bad =
        file("bad.json", R"({"numsift": 1, "groups": [{"name": "A", "conditions": ["杀龙头"]}]})");
    const CliRun r = runCli({"run", bad});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "numsift-cli: " + bad + ": groups[0].conditions: \"杀龙头\" 不是条件的名称\n");
}

TEST_F(CliGroups, StackCountsHowManySchemesKeepEachNumber) {
    const std::string grouped = file("g.json", kGrouped);
    const std::string tails = file("t.json", R"({"numsift": 1, "sumTailKill": "05"})");
    const std::string fours = file("f.json", R"({"numsift": 1, "tolerance": [1, 1], "digitKill": "4"})");
    std::vector<std::size_t> histogram(4, 0);
    std::string two;
    for (std::uint32_t v = 0; v < numsift::kNumberSpace; ++v) {
        const SmallSchemeFails f = smallSchemeFails(v);
        const int count = keptByGroups(v) + (f.tail == 0) + (f.four == 1);
        ++histogram[static_cast<std::size_t>(count)];
        if (count >= 2) two += numsift::numberText(v) + "\n";
    }
    const CliRun r = runCli({"stack", grouped, tails, fours, "--count", "2-3"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, two);
    std::string err;
    for (std::size_t c = 0; c < 4; ++c)
        err += "count " + std::to_string(c) + ": " + std::to_string(histogram[c]) + "\n";
    EXPECT_EQ(r.err, err + "kept " + std::to_string(lines(two)) + " of 100000\n");

    // Over a base set, N per line.
    const std::string base = file("base.txt", "00004 00014 00005 12345\n");
    const CliRun b = runCli({"stack", tails, fours, "--count", "2", "--base", base, "--width", "10"});
    ASSERT_EQ(b.exitCode, 0) << b.err;
    EXPECT_EQ(b.out, "00004\n");  // sum tail 4 and a 4: both keep it
    const CliRun one = runCli({"stack", tails, fours, "--count", "1", "--base", base, "--width", "10"});
    EXPECT_EQ(one.out, "00014 12345\n");
    EXPECT_EQ(one.err, "count 0: 1\ncount 1: 2\ncount 2: 1\nkept 2 of 4\n");
}

TEST_F(CliGroups, StackRefusesWrongSchemeCountsAndRanges) {
    const std::string s = file("s.json", R"({"numsift": 1, "sumTailKill": "0"})");
    const std::string usage =
        "；用法: numsift-cli stack SCHEME.json SCHEME.json... --count a-b [--base FILE] [--width N] [--draws "
        "FILE]\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"stack", s, "--count", "1"}, "numsift-cli: stack: 需要 2–20 个方案文件，实际有 1 个" + usage},
        {{"stack", s, s}, "numsift-cli: stack: 缺少 --count a-b" + usage},
        {{"stack", s, s, "--count", "2-1"},
         "numsift-cli: stack: --count 应为 a-b，0 ≤ a ≤ b ≤ 2（方案数），而不是 \"2-1\"\n"},
        {{"stack", s, s, "--count", "0-3"},
         "numsift-cli: stack: --count 应为 a-b，0 ≤ a ≤ b ≤ 2（方案数），而不是 \"0-3\"\n"},
        {{"stack", s, s, "--count", "x"},
         "numsift-cli: stack: --count 应为 a-b，0 ≤ a ≤ b ≤ 2（方案数），而不是 \"x\"\n"},
        {{"stack", s, s, "--count", "1-"},
         "numsift-cli: stack: --count 应为 a-b，0 ≤ a ≤ b ≤ 2（方案数），而不是 \"1-\"\n"},
        {{"stack", s, s, "--count", "1", "--width", "0"},
         "numsift-cli: stack: --width 应为 1–100000 的整数，而不是 \"0\"\n"},
    };
    for (const auto& [args, err] : cases) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, err);
    }
    std::vector<std::string> many = {"stack"};
    for (int i = 0; i < 21; ++i) many.push_back(s);
    many.insert(many.end(), {"--count", "1"});
    EXPECT_EQ(runCli(many).err, "numsift-cli: stack: 需要 2–20 个方案文件，实际有 21 个" + usage);
    many.erase(many.begin() + 1);
    EXPECT_EQ(runCli(many).exitCode, 0);

    // A bad scheme among them is named, and nothing is printed.
    const std::string bad = file("bad.json", R"({"numsift": 1, "tolerance": [0]})");
    const CliRun r = runCli({"stack", s, bad, "--count", "1"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "numsift-cli: " + bad + ": tolerance: 应为 [下限, 上限] 两个整数\n");
    const CliRun help = runCli({"stack", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("用法: numsift-cli stack SCHEME.json SCHEME.json... --count a-b", 0), 0u);
}

}  // namespace
