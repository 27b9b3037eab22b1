#pragma once
// Runs the built numsift-cli with arguments and optional standard input and
// returns its exit code, standard output and standard error.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
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

// Writes bytes into the file name in dir and returns its path, to hand to
// numsift-cli as an argument.
inline std::string writeTemp(const QTemporaryDir& dir, const char* name, std::string_view bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path.toStdString();
}

inline std::string writeTemp(const QTemporaryDir& dir, const char* name, const char* bytes) {
    return writeTemp(dir, name, std::string_view(bytes));
}

inline std::string writeTemp(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    return writeTemp(dir, name, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The fails of v under the small scheme several command-line tests use:
// 杀和尾 0 and 5, 杀跨度 9 and 通杀码 4.
struct SmallSchemeFails {
    int tail = 0, span = 0, four = 0;
    int total() const { return tail + span + four; }
};

inline SmallSchemeFails smallSchemeFails(std::uint32_t v) {
    int sum = 0, lo = 9, hi = 0;
    bool four = false;
    for (std::uint32_t rest = v, i = 0; i < 5; ++i, rest /= 10) {
        const int x = static_cast<int>(rest % 10);
        sum += x;
        lo = std::min(lo, x);
        hi = std::max(hi, x);
        four |= x == 4;
    }
    return {sum % 5 == 0, hi - lo == 9, four};
}
