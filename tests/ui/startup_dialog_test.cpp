// The start-up check window and the file dialog wrapper.

#include <QApplication>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "tests/fakes/platform_fakes.h"
#include "ui/shell/bl_comm_dialog.h"
#include "ui/shell/startup_window.h"

using namespace numsift;

namespace {

QStringList lines(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

}  // namespace

class StartupDialogTest : public QObject {
    Q_OBJECT
private slots:
    void startupOpensMainWindowOnSecondTick();
    void startupRepairSucceeds();
    void startupRepairFails();
    void filterPairsBecomeQtFilters();
    void openActionFillsNameAndTitle();
    void saveAddsTheFiltersExtensionInsideTheDialog();
    void cancelKeepsFileName();
};

void StartupDialogTest::startupOpensMainWindowOnSecondTick() {
    QWidget* created = nullptr;
    RecordingMessages messages;
    StartupWindow flogin(
        [&created] {
            created = new QWidget;
            created->setAttribute(Qt::WA_DeleteOnClose);
            created->resize(300, 200);
            return created;
        },
        &messages);
    flogin.show();
    QCOMPARE(flogin.windowTitle(), QString("检测系统必要插件，请稍等。。。"));
    QCOMPARE(flogin.timer1()->interval(), 600);
    QVERIFY(flogin.timer1()->isActive());
    QCOMPARE(lines(flogin.list1()), QStringList{"正在初始化，请稍等...."});

    flogin.tick();
    QCOMPARE(lines(flogin.list1()), (QStringList{"正在初始化，请稍等....", "初始化成功，准备进入系统"}));
    QVERIFY(flogin.ready());
    QVERIFY(!created);

    QSignalSpy opened(&flogin, &StartupWindow::mainWindowOpened);
    flogin.tick();
    QVERIFY(created);
    QCOMPARE(opened.count(), 1);
    QVERIFY(created->isVisible());
    QVERIFY(!flogin.isVisible());
    QVERIFY(!flogin.timer1()->isActive());
    QCOMPARE(flogin.list1()->count(), 2);
    const QRect screen = created->screen()->geometry();
    const QRect frame = created->frameGeometry();
    QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
    QVERIFY(messages.shown.empty());
    created->close();
}

void StartupDialogTest::startupRepairSucceeds() {
    int checks = 0;
    bool opened = false;
    StartupWindow flogin(
        [&opened] {
            opened = true;
            auto* w = new QWidget;
            w->setAttribute(Qt::WA_DeleteOnClose);
            return w;
        },
        nullptr);
    flogin.setChecks({[&checks] { return ++checks == 2; }, [] { return true; }, [] { return false; }});
    for (int i = 0; i < 4; ++i) flogin.tick();
    QCOMPARE(lines(flogin.list1()),
             (QStringList{"正在初始化，请稍等....", "出现错误", "应该是由系统没有注册必要的控件导致",
                          "现在开启软件自动注册控件功能，请稍等", "开始释放必要插件到跟目录下", "开始注册",
                          "注册插件过程出现未知错误!", "插件修复成功，准备进入系统"}));
    QVERIFY(!opened);
    flogin.tick();
    QVERIFY(opened);
    flogin.mainWindow()->close();
}

void StartupDialogTest::startupRepairFails() {
    RecordingMessages messages;
    StartupWindow flogin([] { return nullptr; }, &messages);
    flogin.setChecks({[] { return false; }, [] { return false; }, [] { return true; }});
    QSignalSpy failed(&flogin, &StartupWindow::startupFailed);
    for (int i = 0; i < 4; ++i) flogin.tick();
    QCOMPARE(lines(flogin.list1()).mid(4),
             (QStringList{"开始释放必要插件到跟目录下", "释放插件过程出现未知错误!", "开始注册"}));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(QString::fromStdString(messages.shown[0].title), QString("错误提示"));
    QCOMPARE(QString::fromStdString(messages.shown[0].text),
             QString("出现错误\r\n本机因为必要插件丢失，并且自动尝试修复不成功\r\n请截图保存，然后联系客服咨"
                     "询解决办法"));
    QVERIFY(!flogin.timer1()->isActive());
    flogin.tick();  // a late tick does nothing more
    QCOMPARE(messages.shown.size(), size_t(1));
    QVERIFY(!flogin.mainWindow());
}

void StartupDialogTest::filterPairsBecomeQtFilters() {
    QCOMPARE(qtFilterFromPairs("文本文件|*.txt"), QString("文本文件 (*.txt)"));
    QCOMPARE(qtFilterFromPairs("文本文件|*.txt|号码文件|*.txt;*.csv"),
             QString("文本文件 (*.txt);;号码文件 (*.txt *.csv)"));
    QCOMPARE(qtFilterFromPairs("所有文件"), QString("所有文件 (*)"));
    QCOMPARE(qtFilterFromPairs(""), QString());
}

void StartupDialogTest::openActionFillsNameAndTitle() {
    BLCommDialog dialog;
    QList<BLCommDialog::Request> asked;
    dialog.setChooser([&asked](const BLCommDialog::Request& r) {
        asked << r;
        return QString("/home/用户/号码/大底.txt");
    });
    const FileDialogResult r = dialog.run(FileDialogRequest{"文本文件|*.txt", "", "", false});
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].qtFilter, QString("文本文件 (*.txt)"));
    QCOMPARE(asked[0].selectedFilter, QString("文本文件 (*.txt)"));
    QVERIFY(!asked[0].save);
    QVERIFY(!r.cancel);
    QCOMPARE(QString::fromStdString(r.fileName), QString("/home/用户/号码/大底.txt"));
    QCOMPARE(QString::fromStdString(r.fileTitle), QString("大底.txt"));
    QVERIFY(!dialog.Cancel());
    // The next open offers no file, only the folder of the last choice; a
    // save offers its own name in that folder.
    dialog.run(FileDialogRequest{"文本文件|*.txt", "", "", false});
    QCOMPARE(asked[1].initialPath, QString("/home/用户/号码"));
    dialog.run(FileDialogRequest{"方案文件|*.json", "方案.json", "保存方案", true});
    QCOMPARE(asked[2].initialPath, QString("/home/用户/号码/方案.json"));
}

void StartupDialogTest::saveAddsTheFiltersExtensionInsideTheDialog() {
    QCOMPARE(defaultSuffixFromPairs("方案文件|*.json"), QString("json"));
    QCOMPARE(defaultSuffixFromPairs("号码文件|*.txt;*.csv"), QString("txt"));
    QCOMPARE(defaultSuffixFromPairs("所有文件|*.*"), QString());
    QCOMPARE(defaultSuffixFromPairs("所有文件|*"), QString());
    QCOMPARE(defaultSuffixFromPairs("所有文件"), QString());

    // The dialog itself adds the extension to "mine", so its question
    // before replacing a file covers "mine.json".
    BLCommDialog dialog;
    QList<BLCommDialog::Request> asked;
    dialog.setChooser([&asked](const BLCommDialog::Request& r) {
        asked << r;
        return QString("/tmp/mine.json");
    });
    dialog.run(FileDialogRequest{"方案文件|*.json", "方案.json", "保存方案", true});
    dialog.run(FileDialogRequest{"文本文件|*.txt", "", "", false});
    QCOMPARE(asked.size(), 2);
    QVERIFY(asked[0].save);
    QCOMPARE(asked[0].defaultSuffix, QString("json"));
    QCOMPARE(asked[1].defaultSuffix, QString());
}

void StartupDialogTest::cancelKeepsFileName() {
    BLCommDialog dialog;
    dialog.FileName = "/tmp/a.txt";
    dialog.Filter = "文本文件|*.txt";
    dialog.setChooser([](const BLCommDialog::Request&) { return QString(); });
    dialog.setAction(BLCommDialog::OpenFile);
    QVERIFY(dialog.Cancel());
    QCOMPARE(dialog.FileName, QString("/tmp/a.txt"));
    // Unknown actions do nothing, and reset Cancel.
    dialog.setAction(3);
    QVERIFY(!dialog.Cancel());
    QCOMPARE(dialog.run(FileDialogRequest{"文本文件|*.txt", "", "", false}).cancel, true);
}

QTEST_MAIN(StartupDialogTest)
#include "startup_dialog_test.moc"
