// Every command's --help, its option errors worded alike, and input files
// that are no regular files.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "tests/cli/cli_runner.h"

namespace {

struct CommandCase {
    const char* name;
    const char* usage;
    std::vector<std::string> arguments;  // valid positional arguments
};

class CliOptions : public testing::Test {
protected:
    QTemporaryDir dir;
    std::string scheme, draws, numbers;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        scheme = file("s.json", R"({"numsift": 1, "sumTailKill": "0"})");
        draws = file("d.txt", "2026120 35789\n");
        numbers = file("n.txt", "12345 54321");
    }
    std::string file(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path.toStdString();
    }
    std::vector<CommandCase> commands() const {
        return {
            {"run", "run SCHEME.json [--base FILE] [--width N | --csv] [--draws FILE]", {scheme}},
            {"report", "report SCHEME.json [--base FILE] [--draws FILE]", {scheme}},
            {"backtest", "backtest SCHEME.json DRAWS.txt [--base FILE] [--what-if]", {scheme, draws}},
            {"explain", "explain SCHEME.json NUMBER [--base FILE] [--draws FILE]", {scheme, "35789"}},
            {"parse", "parse [--base | --intersection | --format-only] [FILE]", {numbers}},
            {"walk", "walk SCHEME.json DRAWS.txt [--last N] [--base FILE]", {scheme, draws}},
        };
    }
};

std::vector<std::string> with(std::vector<std::string> args, std::initializer_list<std::string> more) {
    args.insert(args.end(), more);
    return args;
}

std::vector<std::string> command(const CommandCase& c, std::vector<std::string> args) {
    args.insert(args.begin(), c.name);
    return args;
}

TEST_F(CliOptions, EveryCommandAnswersHelpOnStandardOutput) {
    for (const CommandCase& c : commands()) {
        for (const char* help : {"--help", "-h"}) {
            // Help wins over the other arguments, valid or not.
            for (const auto& args :
                 {command(c, {help}), command(c, with(c.arguments, {help})), command(c, {"--bogus", help})}) {
                const CliRun r = runCli(args);
                EXPECT_EQ(r.exitCode, 0) << c.name;
                EXPECT_EQ(r.err, "") << c.name;
                EXPECT_EQ(r.out.rfind(std::string("用法: numsift-cli ") + c.usage + "\n", 0), 0u) << r.out;
                EXPECT_NE(r.out.find("\n选项:\n"), std::string::npos) << r.out;
                EXPECT_NE(r.out.find("  -h, --help"), std::string::npos) << r.out;
            }
        }
    }
    const CliRun run = runCli({"run", "--help"});
    EXPECT_NE(run.out.find("\n参数:\n  SCHEME.json"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n  --width N"), std::string::npos) << run.out;
    EXPECT_NE(runCli({"--help"}).out.find("COMMAND --help"), std::string::npos);
}

TEST_F(CliOptions, OptionErrorsAreWordedAlikeInEveryCommand) {
    for (const CommandCase& c : commands()) {
        const std::string usage = std::string("；用法: numsift-cli ") + c.usage + "\n";
        const std::string head = std::string("numsift-cli: ") + c.name + ": ";
        std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
            {with(c.arguments, {"--bogus"}), "未知的选项 --bogus"},
            {with({"-x"}, {}), "未知的选项 -x"},
            {with(c.arguments, {c.arguments.back(), c.arguments.back()}), "多余的参数 " + c.arguments.back()},
        };
        if (std::string(c.name) == "parse") {
            cases.push_back({with(c.arguments, {"--base=x"}), "--base 不带参数"});
        } else {
            cases.push_back({with(c.arguments, {"--base"}), "--base 缺少参数"});
            cases.push_back({with(c.arguments, {"--base="}), "--base 缺少参数"});
            cases.push_back({with(c.arguments, {"--base", numbers, "--base", numbers}), "--base 只能给一次"});
        }
        for (const auto& [args, problem] : cases) {
            const CliRun r = runCli(command(c, args));
            EXPECT_EQ(r.exitCode, 2) << c.name << " " << problem;
            EXPECT_EQ(r.out, "") << c.name << " " << problem;
            EXPECT_EQ(r.err, head + problem + usage) << c.name;
        }
        // The arguments themselves are all right.
        EXPECT_EQ(runCli(command(c, c.arguments)).exitCode, 0) << c.name;
    }
    // Too few arguments: the usage alone, as before.
    EXPECT_EQ(
        runCli({"explain", scheme}).err,
        "numsift-cli: explain: 用法: numsift-cli explain SCHEME.json NUMBER [--base FILE] [--draws FILE]\n");
    // Options may stand anywhere, also as --name=value; "--" ends them.
    const CliRun r = runCli({"run", "--width=5", "--base=" + numbers, scheme});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "12345 54321\n");
    EXPECT_EQ(runCli({"parse", "--intersection", "--", numbers}).out, "12345 54321\r\n");
}

// Reading a FIFO waited for a writer, forever: it is refused before it is
// opened, and so is a device.
TEST_F(CliOptions, InputsThatAreNoRegularFilesAreRefusedAtOnce) {
    const std::string fifo = dir.filePath(QStringLiteral("pipe.txt")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string pipeProblem = ": 这是一个命名管道（FIFO），不是普通文件\n";
    const std::vector<std::vector<std::string>> reads = {
        {"parse", fifo},
        {"run", fifo},
        {"run", scheme, "--base", fifo},
        {"backtest", scheme, fifo},
    };
    for (const auto& args : reads) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_EQ(r.err, "numsift-cli: " + fifo + pipeProblem) << args[0];
    }
    const CliRun device = runCli({"parse", "/dev/zero"});
    EXPECT_EQ(device.exitCode, 2);
    EXPECT_EQ(device.err, "numsift-cli: /dev/zero: 这是一个设备，不是普通文件\n");
}

}  // namespace
