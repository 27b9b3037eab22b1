#pragma once
// Runs the built numsift-cli with arguments and optional standard input and
// returns its exit code, standard output and standard error.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline CliRun runCli(const std::vector<std::string>& args, const std::string& input = {}) {
    QProcess p;
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    p.start(QStringLiteral(NUMSIFT_CLI), list);
    p.waitForStarted();
    if (!input.empty()) p.write(input.data(), static_cast<qint64>(input.size()));
    p.closeWriteChannel();
    p.waitForFinished(60000);
    CliRun r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}
