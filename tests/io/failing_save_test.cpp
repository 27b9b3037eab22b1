// Saves of the kept files that the platform itself makes fail: a file-size
// limit in a child process, and, where the test runs as root, a full disk
// (a small tmpfs mounted for the test). The old file stays as it was, no
// temporary file is left beside it, and the error names the real reason.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

#include <sys/mount.h>
#include <unistd.h>

#include "io/draw_history_file.h"
#include "io/kept_panel_file.h"
#include "tests/io/draw_history_samples.h"
#include "tests/io/kept_panel_samples.h"
#include "tests/io/file_bytes.h"

using namespace numsift;
using numsift::testdata::bytesOf;

namespace {

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// One kind of kept file: its name, the old content saved first and the new
// content the failing save offers (what save_under_limit saves).
struct Kind {
    const char* name;       // save_under_limit's first argument
    const char* smallName;  // the same for content that fits in a write buffer
    const char* fileName;
    std::function<SaveResult(const QString& path, bool newContent)> save;
    std::function<bool(const QString& path, bool newContent)> loadsAs;
    std::size_t newBytes;
};

Kind history() {
    return {"history",
            "small-history",
            kDrawHistoryFileName,
            [](const QString& path, bool next) {
                return DrawHistoryFile(path).save(next ? testdata::historyB() : testdata::historyA());
            },
            [](const QString& path, bool next) {
                DrawHistoryFile file(path);
                return file.load().store == (next ? testdata::historyB() : testdata::historyA());
            },
            keptHistoryText(testdata::historyB()).size()};
}

Kind panel() {
    return {"panel",
            "small-panel",
            kKeptPanelFileName,
            [](const QString& path, bool next) {
                return KeptPanelFile(path).save(next ? testdata::panelA() : testdata::panelB());
            },
            [](const QString& path, bool next) {
                KeptPanelFile file(path);
                return file.load().panel == (next ? testdata::panelA() : testdata::panelB());
            },
            keptPanelText(testdata::panelA()).size()};
}

struct ChildSave {
    int exitCode = -1;
    QString said;
};

ChildSave saveUnderLimit(const char* what, const QString& path, std::size_t limit) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(NUMSIFT_SAVE_UNDER_LIMIT),
            {QLatin1String(what), path, QString::number(static_cast<qulonglong>(limit))});
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput())};
}

}  // namespace

TEST(FailingSave, AFileSizeLimitFailsTheSaveAndLeavesTheOldFile) {
    for (const Kind& kind : {history(), panel()}) {
        SCOPED_TRACE(kind.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(kind.fileName));
        ASSERT_TRUE(kind.save(path, false).ok);
        const QByteArray old = bytesOf(path);
        // The limit stops the first write, one in the middle, the last bytes,
        // and a file small enough that a buffered writer would only write it
        // when it commits.
        struct Case {
            const char* what;
            std::size_t limit;
        };
        for (const Case& c : {Case{kind.name, 0}, Case{kind.name, kind.newBytes / 2},
                              Case{kind.name, kind.newBytes - 1}, Case{kind.smallName, 0}}) {
            const std::size_t limit = c.limit;
            const ChildSave child = saveUnderLimit(c.what, path, limit);
            EXPECT_EQ(child.exitCode, 1) << limit << ": " << child.said.toStdString();
            EXPECT_TRUE(child.said.contains(QStringLiteral("文件超过了系统允许的大小")))
                << child.said.toStdString();
            EXPECT_TRUE(child.said.contains(QDir::toNativeSeparators(path))) << child.said.toStdString();
            EXPECT_TRUE(child.said.endsWith(QStringLiteral("原文件未改动。"))) << child.said.toStdString();
            EXPECT_EQ(bytesOf(path), old) << limit;
            EXPECT_EQ(entries(dir.path()), QStringList{QLatin1String(kind.fileName)}) << limit;
            EXPECT_TRUE(kind.loadsAs(path, false)) << limit;
        }
        // Exactly room enough: saved.
        const ChildSave child = saveUnderLimit(kind.name, path, kind.newBytes);
        EXPECT_EQ(child.exitCode, 0) << child.said.toStdString();
        EXPECT_TRUE(kind.loadsAs(path, true));
    }
}

// A tmpfs of a given size mounted over a temporary folder for the test; the
// test is skipped where it cannot be mounted (not root, no permission).
class FullDisk : public ::testing::Test {
protected:
    void TearDown() override {
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }

    bool mount(std::size_t bytes) {
        if (::geteuid() != 0) return false;
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.c_str()) != 0) {
            why_ = std::strerror(errno);
            return false;
        }
        mounted_ = true;
        return true;
    }

    QTemporaryDir dir_;
    bool mounted_ = false;
    std::string why_ = "not root";
};

TEST_F(FullDisk, ASaveThatFillsTheDiskFailsAndLeavesTheOldFile) {
    constexpr std::size_t kPage = 4096;
    const auto pages = [](std::size_t bytes) { return (bytes + kPage - 1) / kPage * kPage; };
    const std::size_t oldHistory = keptHistoryText(testdata::historyA()).size();
    const std::size_t oldPanel = keptPanelText(testdata::panelB()).size();
    // Room for both old files and half of either new one.
    const std::size_t room =
        pages(oldHistory) + pages(oldPanel) + pages(std::min(history().newBytes, panel().newBytes) / 2);
    if (!mount(room)) GTEST_SKIP() << "no tmpfs to fill: " << why_;
    for (const Kind& kind : {history(), panel()}) {
        SCOPED_TRACE(kind.name);
        const QString path = dir_.filePath(QLatin1String(kind.fileName));
        ASSERT_TRUE(kind.save(path, false).ok);
    }
    for (const Kind& kind : {history(), panel()}) {
        SCOPED_TRACE(kind.name);
        const QString path = dir_.filePath(QLatin1String(kind.fileName));
        const QByteArray old = bytesOf(path);
        const SaveResult r = kind.save(path, true);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(QStringLiteral("：磁盘已满（没有剩余空间）。原文件未改动。")))
            << r.error.toStdString();
        EXPECT_EQ(bytesOf(path), old);
        EXPECT_TRUE(kind.loadsAs(path, false));
    }
    QStringList left = entries(dir_.path());
    left.sort();
    EXPECT_EQ(left, (QStringList{QLatin1String(kDrawHistoryFileName), QLatin1String(kKeptPanelFileName)}));
}
