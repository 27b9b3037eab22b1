// Windows as separate processes on one data folder: the kept panel belongs
// to the first window until it closes, and a save the platform refuses is
// told with its reason while the old file stays. The other window is
// tests/ui/window_user.cpp.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QMenu>

#include "io/kept_panel_file.h"
#include "tests/ui/window_fixture.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/panel_rounds.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Starts window_user with args and reads lines until one starts with last.
QStringList startWindow(QProcess& p, const QStringList& args, const QString& last) {
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(NUMSIFT_WINDOW_USER), args);
    QStringList lines;
    if (!p.waitForStarted(30000)) return lines;
    while (lines.isEmpty() || !lines.back().startsWith(last)) {
        while (!p.canReadLine())
            if (!p.waitForReadyRead(60000)) return lines;
        lines << QString::fromUtf8(p.readLine()).trimmed();
    }
    return lines;
}

QString lockMessage(qint64 pid) {
    return u("另一个 Numsift 窗口（进程 %1）正在使用这个数据文件夹的上次的条件；"
             "本窗口不恢复也不保存它，关闭本窗口时也不会改动它。")
        .arg(pid);
}

}  // namespace

class SharedWindowTest : public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() { newDoubles(); }

    void theKeptPanelBelongsToTheFirstWindowOnTheFolder() {
        QTemporaryDir dir;
        const DataFolder folder{true, dir.path(), {}};
        const QString kept = dir.filePath(QLatin1String(kKeptPanelFileName));

        // This process's window holds the panel and keeps it.
        openWindow();
        w->keepPanelIn(folder);
        QVERIFY(w->rounds().panelKeeper());
        click(member("chkDW", 13));
        QVERIFY(w->rounds().flush());
        const QByteArray first = bytesOf(kept);
        QVERIFY(!first.isEmpty());

        // A second window is told who holds it, offers nothing and, ticked
        // and closed, leaves the kept panel as it was.
        QProcess second;
        QStringList lines =
            startWindow(second, {QStringLiteral("hold"), dir.path()}, QStringLiteral("not kept"));
        QCOMPARE(lines, QStringList({u("told: ") + lockMessage(QCoreApplication::applicationPid()),
                                     QStringLiteral("not offered"), QStringLiteral("not kept")}));
        second.closeWriteChannel();
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(second.readAllStandardOutput()).trimmed(), QStringLiteral("closed"));
        QCOMPARE(bytesOf(kept), first);

        // The first window goes on keeping it, and lets it go when it closes.
        click(member("chkDW", 14));
        QVERIFY(w->rounds().flush());
        const QByteArray changed = bytesOf(kept);
        QVERIFY(changed != first);
        w->close();
        QCOMPARE(bytesOf(kept), changed);

        // The next window has it: offered, and kept from then on.
        QProcess third;
        lines = startWindow(third, {QStringLiteral("hold"), dir.path()}, QStringLiteral("saved"));
        QCOMPARE(lines, QStringList({QStringLiteral("told nothing"), QStringLiteral("offered"),
                                     QStringLiteral("saved")}));
        // While it does, a window here is told so and keeps nothing.
        auto here = WindowFixture::openWindow(services());
        here->keepPanelIn(folder);
        QVERIFY(!here->rounds().panelKeeper());
        QTRY_COMPARE(messages->shown.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(messages->shown[0].text), lockMessage(third.processId()));
        QLabel* note = here->rounds().keptPanelNote();
        QVERIFY(note->isVisible());
        QCOMPARE(note->toolTip(), lockMessage(third.processId()));
        QVERIFY(!probe::findControl<QToolButton>(here.get(), QStringLiteral("fileMenuButton"))
                     ->menu()
                     ->findChild<QAction*>(QStringLiteral("restoreLastPanelAction"))
                     ->isEnabled());
        third.closeWriteChannel();
        QVERIFY(third.waitForFinished(60000));
    }

    void aSaveTheSystemRefusesIsToldWithItsReasonAndTheOldFileStays() {
        QTemporaryDir dir;
        const QString kept = dir.filePath(QLatin1String(kKeptPanelFileName));
        KeptPanel small;
        small.scheme.input.sumTailKill[3] = true;
        QVERIFY(KeptPanelFile(kept).save(small).ok);
        const QByteArray before = bytesOf(kept);

        // All 100,000 numbers in the base set make a file of about 600 KB.
        QProcess p;
        const QStringList lines = startWindow(
            p, {QStringLiteral("limit"), dir.path(), QStringLiteral("65536")}, QStringLiteral("on close"));
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("told nothing"));
        QVERIFY2(lines[1].startsWith(u("note: ")) && lines[1].contains(u("条件未能保存")),
                 qPrintable(lines[1]));
        const QString reason = u("文件超过了系统允许的大小");
        for (int i : {2, 3}) {
            QVERIFY2(lines[i].contains(reason), qPrintable(lines[i]));
            QVERIFY2(lines[i].contains(u("原文件未改动")), qPrintable(lines[i]));
        }
        QCOMPARE(bytesOf(kept), before);
        QCOMPARE(readKeptPanel(before.toStdString()).panel, small);
    }
};

QTEST_MAIN(SharedWindowTest)
#include "shared_window_test.moc"
