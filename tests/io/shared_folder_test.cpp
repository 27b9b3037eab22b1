// Two programs on one data folder, each a real process: imports into the
// draw history from both are all kept, and the kept panel belongs to the
// first window until it closes or dies.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include "io/draw_history_file.h"
#include "io/file_lock.h"
#include "io/kept_panel_file.h"

using namespace numsift;

namespace {

QString folderUser() { return QStringLiteral(NUMSIFT_FOLDER_USER); }

// Starts "folder_user panel DIR" and answers its first line.
QString holdPanel(QProcess& p, const QString& dir) {
    p.start(folderUser(), {QStringLiteral("panel"), dir});
    if (!p.waitForStarted()) return QStringLiteral("not started");
    while (!p.canReadLine())
        if (!p.waitForReadyRead(30000)) return QStringLiteral("silent");
    return QString::fromUtf8(p.readLine()).trimmed();
}

}  // namespace

TEST(SharedFolder, ImportsFromTwoProcessesAreAllKept) {
    QTemporaryDir dir;
    constexpr int kEach = 100;
    QProcess odd, even;
    odd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    even.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    odd.start(folderUser(),
              {QStringLiteral("import"), dir.path(), QStringLiteral("2026001"), QString::number(kEach)});
    even.start(folderUser(),
               {QStringLiteral("import"), dir.path(), QStringLiteral("2026002"), QString::number(kEach)});
    ASSERT_TRUE(odd.waitForFinished(120000));
    ASSERT_TRUE(even.waitForFinished(120000));
    EXPECT_EQ(odd.exitCode(), 0) << odd.readAllStandardOutput().toStdString();
    EXPECT_EQ(even.exitCode(), 0) << even.readAllStandardOutput().toStdString();

    DrawHistoryFile file(dir.filePath(QLatin1String(kDrawHistoryFileName)));
    const LoadedHistory kept = file.load();
    EXPECT_TRUE(kept.message.isEmpty()) << kept.message.toStdString();
    ASSERT_EQ(kept.store.size(), 2u * kEach);
    for (std::size_t i = 0; i < kept.store.size(); ++i)
        EXPECT_EQ(kept.store.draws()[i].issue, std::to_string(2026001 + i));
}

TEST(SharedFolder, TheKeptPanelBelongsToTheFirstWindowUntilItClosesOrDies) {
    QTemporaryDir dir;
    QProcess first, second, third, fourth;
    ASSERT_EQ(holdPanel(first, dir.path()), QStringLiteral("held"));
    const QString taken = holdPanel(second, dir.path());
    EXPECT_EQ(taken,
              QStringLiteral("taken: 另一个 Numsift 窗口（进程 %1）正在使用这个数据文件夹的上次的条件；"
                             "本窗口不恢复也不保存它，关闭本窗口时也不会改动它。")
                  .arg(first.processId()));
    // In this process too, while the first holds it.
    KeptPanelLock here(dir.filePath(QLatin1String(kKeptPanelFileName)));
    EXPECT_FALSE(here.take());
    EXPECT_FALSE(here.held());

    // The first window closes: the next start has the panel.
    first.closeWriteChannel();
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_EQ(holdPanel(third, dir.path()), QStringLiteral("held"));
    // And when that one dies without letting go, the one after takes it over.
    third.kill();
    ASSERT_TRUE(third.waitForFinished(30000));
    ASSERT_EQ(holdPanel(fourth, dir.path()), QStringLiteral("held"));
    fourth.closeWriteChannel();
    ASSERT_TRUE(fourth.waitForFinished(30000));
    EXPECT_TRUE(here.take());  // free again
    here.release();
    second.closeWriteChannel();
    ASSERT_TRUE(second.waitForFinished(30000));
}

// A program killed between creating a lock file and writing its name into
// it leaves a lock file that names no one: once it is older than any live
// owner's could be, the next save takes the lock over; a fresh one is
// waited for as a live owner's would be.
TEST(SharedFolder, ALockFileThatNamesNoOneIsTakenOverOnceItIsOld) {
    QTemporaryDir dir;
    const QString history = dir.filePath(QLatin1String(kDrawHistoryFileName));
    QFile nameless(history + QStringLiteral(".lock"));
    ASSERT_TRUE(nameless.open(QIODevice::WriteOnly));
    nameless.close();

    QLockFile fresh(history + QStringLiteral(".lock"));
    fresh.setStaleLockTime(0);
    EXPECT_FALSE(takeLock(fresh, 0));
    EXPECT_EQ(fresh.error(), QLockFile::LockFailedError);

    ASSERT_TRUE(nameless.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        nameless.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime));
    nameless.close();
    const HistoryUpdate update = DrawHistoryFile(history).merge(parseDraws("2026001 12345\n"));
    EXPECT_TRUE(update.save.ok) << update.save.error.toStdString();
    EXPECT_EQ(update.store.size(), 1u);
    EXPECT_FALSE(QFile::exists(history + QStringLiteral(".lock")));

    // The kept panel's lock the same way.
    const QString panel = dir.filePath(QLatin1String(kKeptPanelFileName));
    QFile panelLock(panel + QStringLiteral(".lock"));
    ASSERT_TRUE(panelLock.open(QIODevice::WriteOnly));
    ASSERT_TRUE(
        panelLock.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime));
    panelLock.close();
    KeptPanelLock lock(panel);
    EXPECT_TRUE(lock.take());
    lock.release();
}
