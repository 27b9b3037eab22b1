#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "tests/cli/cli_runner.h"

namespace {}  // namespace

TEST(CliParse, LayoutsByTarget) {
    const std::string eleven = "00011 00010 00009 00008 00007 00006 00005 00004 00003 00002 00001 00001";
    CliRun r = runCli({"parse", "--base"}, eleven);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "00001 00002 00003 00004 00005 00006 00007 00008 00009 00010 \r\n00011\r\n");
    r = runCli({"parse", "--intersection", "-"}, eleven);
    EXPECT_EQ(r.out, "00001 00002 00003 00004 00005 \r\n00006 00007 00008 00009 00010 \r\n00011\r\n");
    r = runCli({"parse", "--format-only"}, "12345,54321；12345");
    EXPECT_EQ(r.out, "12345 54321\r\n");
    r = runCli({"parse"}, "1234 abcde");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
}

TEST(CliParse, FilesInChineseWindowsEncodingAndErrors) {
    QTemporaryDir dir;
    // GBK with full-width separators.
    const std::string gbk = writeTemp(dir, "gbk.txt",
                                      QByteArray("54321\xA3\xAC"
                                                 "12345\xA3\xBB"
                                                 "00007\xA1\xA2"));
    CliRun r = runCli({"parse", gbk});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "00007 12345 54321\r\n");

    const std::string missing = dir.filePath(QStringLiteral("missing.txt")).toStdString();
    r = runCli({"parse", missing});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("numsift-cli: " + missing + ": ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    r = runCli({"parse", "--bogus"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
}

TEST(CliHelp, HelpAndUnknownCommand) {
    CliRun r = runCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("numsift-cli run"), std::string::npos);
    r = runCli({"frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    r = runCli({});
    EXPECT_EQ(r.exitCode, 2);
}
