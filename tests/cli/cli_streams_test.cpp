// numsift-cli's standard streams as a shell gives them: "-" read from a
// writer that sends its text in chunks with pauses, and an output that
// cannot be written (a full device, a reader that went away).
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <numeric>
#include <random>

#include <unistd.h>

#include "tests/cli/cli_runner.h"

namespace {

const std::string kScheme = NUMSIFT_SOURCE_DIR "/examples/example.json";

// Runs numsift-cli with args, its standard input the file at inputPath sent
// by the chunked writer: 16 KiB, then 3 ms without a byte, and so on.
CliRun runPiped(const std::vector<std::string>& args, const std::string& inputPath) {
    QProcess writer, cli;
    writer.setStandardOutputProcess(&cli);
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    cli.start(QStringLiteral(NUMSIFT_CLI), list);
    writer.start(QStringLiteral(NUMSIFT_CHUNKED_WRITER), {QString::fromStdString(inputPath), "16384", "3"});
    EXPECT_TRUE(writer.waitForFinished(60000));
    EXPECT_EQ(writer.exitCode(), 0);
    EXPECT_TRUE(cli.waitForFinished(60000));
    CliRun r;
    r.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    r.out = cli.readAllStandardOutput().toStdString();
    r.err = cli.readAllStandardError().toStdString();
    return r;
}

std::string numberText(std::uint32_t v) {
    std::string s = std::to_string(v);
    return std::string(5 - s.size(), '0') + s;
}

TEST(CliStreams, EveryDashInputIsReadToTheEndOfAChunkedPipe) {
    QTemporaryDir dir;
    // Every number once, shuffled, one a line: 600,000 bytes.
    std::vector<std::uint32_t> all(100000);
    std::iota(all.begin(), all.end(), 0u);
    std::shuffle(all.begin(), all.end(), std::mt19937(7));
    std::string numbers;
    for (const std::uint32_t v : all) numbers += numberText(v) + "\n";
    const std::string numbersPath = writeTemp(dir, "numbers.txt", numbers);
    // 20,000 draws with issues, newest first, so the order is the reader's.
    std::string draws;
    for (int i = 20000; i >= 1; --i)
        draws += std::to_string(2000000 + i) + " " + numberText(all[static_cast<std::size_t>(i)]) + "\n";
    const std::string drawsPath = writeTemp(dir, "draws.txt", draws);

    CliRun r = runPiped({"parse"}, numbersPath);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::count_if(r.out.begin(), r.out.end(), [](char c) { return c >= '0' && c <= '9'; }), 500000);
    EXPECT_EQ(r.out, runCli({"parse", numbersPath}).out);

    r = runPiped({"run", kScheme, "--base", "-"}, numbersPath);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, runCli({"run", kScheme}).err);  // the base holds every number

    r = runPiped({"stats", "--set", "-"}, numbersPath);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\npos1:0\t万位0\t10000\t"), std::string::npos) << r.out.substr(0, 300);

    r = runPiped({"stats", "-"}, drawsPath);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, runCli({"stats", drawsPath}).out);

    r = runPiped({"backtest", kScheme, "-"}, drawsPath);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, runCli({"backtest", kScheme, drawsPath}).out);

    r = runPiped({"run", "-"}, kScheme);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, runCli({"run", kScheme}).out);
}

TEST(CliStreams, AnOutputThatCannotBeWrittenFailsWithAWord) {
    QTemporaryDir dir;
    const std::string draws = writeTemp(dir, "draws.txt", "2026001 35789\n2026002 01234\n");
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},
        {"run", kScheme},
        {"run", "--help"},
        {"report", kScheme},
        {"parse", draws},
        {"backtest", kScheme, draws},
        {"explain", kScheme, "35789"},
        {"stats", draws},
        {"stack", kScheme, kScheme, "--count", "1-2"},
    };
    for (const std::vector<std::string>& args : commands) {
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        QStringList list;
        for (const std::string& a : args) list << QString::fromStdString(a);
        p.start(QStringLiteral(NUMSIFT_CLI), list);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << args[0];
        EXPECT_EQ(p.exitCode(), 1) << args[0];
        const std::string err = p.readAllStandardError().toStdString();
        EXPECT_NE(err.find("numsift-cli: 标准输出: 写入失败：磁盘已满"), std::string::npos)
            << args[0] << ": " << err;
    }

    // A pipe whose reader is gone before the first byte: no death by
    // SIGPIPE, a word on stderr instead.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    QProcess p;
    p.setChildProcessModifier([out = ends[1]] { ::dup2(out, STDOUT_FILENO); });
    p.start(QStringLiteral(NUMSIFT_CLI), {"run", QString::fromStdString(kScheme)});
    ASSERT_TRUE(p.waitForFinished(60000));
    ::close(ends[1]);
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_NE(err.find("numsift-cli: 标准输出: 写入失败：读取的一方已关闭管道"), std::string::npos) << err;
}

}  // namespace
