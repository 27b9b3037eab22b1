// numsift-cli run and report on small schemes with known results, and the
// errors of invalid schemes and arguments.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "tests/cli/cli_runner.h"

namespace {

class CliRun_ : public ::testing::Test {
protected:
    QTemporaryDir dir;

    std::string file(const char* name, const std::string& bytes) { return writeTemp(dir, name, bytes); }
};

std::size_t lines(const std::string& s) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

TEST_F(CliRun_, RunPrintsTheResultSet) {
    const std::string scheme =
        file("s.json", R"({"numsift": 1, "tolerance": [1, 1], "compound": {"positional": "12***"}})");
    CliRun r = runCli({"run", scheme});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(lines(r.out), 1000u);
    EXPECT_EQ(r.out.substr(0, 12), "12000\n12001\n");
    EXPECT_EQ(r.err, "kept 1000 of 100000\n");

    r = runCli({"run", "--width", "3", scheme});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 18), "12000 12001 12002\n");
    EXPECT_EQ(lines(r.out), 334u);
    EXPECT_EQ(r.out.substr(r.out.size() - 6), "12999\n");
}

TEST_F(CliRun_, RunOverABaseSet) {
    const std::string scheme = file("s.json", R"({"numsift": 1, "straightKill": "12345"})");
    const std::string base = file("base.txt", "54321,12345;00007\r\n99999");
    CliRun r = runCli({"run", scheme, "--base", base, "--width", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "00007 54321 99999\n");
    EXPECT_EQ(r.err, "kept 3 of 4\n");

    const std::string none = file("none.json", R"({"numsift": 1, "tolerance": [1, 2]})");
    r = runCli({"run", none, "--base", base});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "kept 0 of 4\n");
}

TEST_F(CliRun_, ReportListsColumnsInRunOrder) {
    const std::string scheme = file("s.json", R"({"numsift": 1,
        "compound": {"positional": "12***", "junk": "17*235*12*789*01"},
        "shapeKill": ["5连", "上山"], "positionalKill": ["0", "", "", "", ""], "tolerance": [0, 5]})");
    CliRun r = runCli({"report", scheme});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "2\t定位杀\t10000\n"
              "9\t上山\t1992\n"
              "9\t5连\t1200\n"
              "14\t杀垃圾复式\t72\n"
              "21\t组合定位杀\t1000\n"
              "kept 100000 of 100000\n");
}

TEST_F(CliRun_, ExampleSchemesRun) {
    for (const char* name : {"example.json", "everything.json"}) {
        const std::string path = std::string(NUMSIFT_SOURCE_DIR) + "/examples/" + name;
        CliRun r = runCli({"report", path});
        ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err;
        EXPECT_NE(r.out.find("kept "), std::string::npos);
    }
    CliRun all = runCli({"report", std::string(NUMSIFT_SOURCE_DIR) + "/examples/everything.json"});
    EXPECT_EQ(lines(all.out), 38u);  // 37 columns and the kept line
}

TEST_F(CliRun_, InvalidSchemesExitTwoWithOneLine) {
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"numsift": 1, "roadKill": ["01203"]})", "roadKill: \"01203\" 不是有效的选项"},
        {R"({"numsift": 1, "tolerance": [0, 1.5]})", "tolerance:"},
        {R"({"numsift": 1, "straightKill": "1234"})", "straightKill: \"1234\" 不是五位数字"},
        {R"({"numsift": 1, "compound": {"kill3": "12"}})", "compound.kill3: \"12\""},
        {R"({"numsift": 1, "extra": 1})", "extra: 未知的键"},
        {R"({"tolerance": [0, 0]})", "numsift:"},
        {R"({"numsift": 1,})", "JSON 格式错误"},
        {"\xFF\xFE\x00", "JSON 格式错误"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string name = "bad" + std::to_string(n++) + ".json";
        const std::string path = file(name.c_str(), c.json);
        for (const char* command : {"run", "report"}) {
            CliRun r = runCli({command, path});
            EXPECT_EQ(r.exitCode, 2) << c.json;
            EXPECT_EQ(r.out, "") << c.json;
            EXPECT_EQ(r.err.rfind("numsift-cli: " + path + ": ", 0), 0u) << r.err;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_EQ(lines(r.err), 1u) << r.err;
        }
    }
}

TEST_F(CliRun_, UsageAndFileErrors) {
    const std::string scheme = file("s.json", R"({"numsift": 1})");
    const std::string empty = file("empty.txt", "no numbers here");
    const std::vector<std::vector<std::string>> bad = {
        {"run"},
        {"run", scheme, "--width"},
        {"run", scheme, "--width", "0"},
        {"run", scheme, "--width", "x"},
        {"run", scheme, "--colour"},
        {"run", scheme, scheme},
        {"report"},
        {"report", scheme, "--base"},
        {"run", dir.filePath("missing.json").toStdString()},
        {"run", scheme, "--base", dir.filePath("missing.txt").toStdString()},
        {"run", scheme, "--base", empty},
        {"report", scheme, "--base", empty},
    };
    for (const auto& args : bad) {
        CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(r.err.rfind("numsift-cli: ", 0), 0u) << r.err;
        EXPECT_EQ(lines(r.err), 1u) << r.err;
    }
    CliRun r = runCli({"run", scheme, "--base", empty});
    EXPECT_NE(r.err.find(empty + ": "), std::string::npos) << r.err;
}

}  // namespace
