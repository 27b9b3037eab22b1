// Files into and out of the window: an import never waits on something that
// is not a regular file, every import dialog starts without a file name, the
// files 导出全部号码 writes go with the window, and the backtest table shows
// each condition's p-values.

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "analysis/analysis_text.h"
#include "analysis/backtest.h"
#include "controls/entry_box.h"
#include "tests/fakes/platform_fakes.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/backtest_models.h"
#include "ui/shell/bl_comm_dialog.h"
#include "ui/kit/copy_table_view.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/sets/number_box.h"
#include "ui/analysis/page_backtest.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/draws_panel.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void showAndWait(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

}  // namespace

class ImportExportWindowTest : public WindowFixture {
    Q_OBJECT

    void choose(const QString& path) {
        files->results.push_back(
            FileDialogResult{false, path.toStdString(), QFileInfo(path).fileName().toStdString()});
    }
    void click(QWidget* root, const char* array, int i) {
        probe::clickCentre(probe::findMember(root, array, i));
    }
    // The last message, which must name path and reason and end with note.
    void expectRefusal(const QString& path, const char* reason, const char* note) {
        QVERIFY(!messages->shown.empty());
        const Message& m = messages->shown.back();
        QCOMPARE(m.title, std::string("导入提示"));
        QCOMPARE(m.icon, MessageIcon::Exclamation);
        QCOMPARE(QString::fromStdString(m.text),
                 u("无法导入文件：") + path + u("\r\n") + u(reason) + u("\r\n\r\n") + u(note));
    }

private slots:
    void init() { newDoubles(); }

    // Opening a FIFO waited until another process wrote into it, so the
    // window froze; now each box refuses it at once and keeps its numbers.
    void fifoAndDeviceAreRefusedAndEveryBoxKeepsItsNumbers() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fifo = dir.filePath(QStringLiteral("pipe.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const char* kPipe = "这是一个命名管道（FIFO），不是普通文件";
        const QString device = QStringLiteral("/dev/zero");

        MainWindow window(services());
        showAndWait(window);
        window.basePage()->setBaseText("00001 00002 00003");

        choose(fifo);
        click(&window, "cmdBase", 1);
        expectRefusal(fifo, kPipe, "大底号码和注数保持不变。");
        QCOMPARE(window.basePage()->txtBase()->toPlainText(), QStringLiteral("00001 00002 00003"));
        QCOMPARE(window.numberSets().baseCount(), 3u);

        window.pages().selectTab(3);
        choose(device);
        click(&window, "cmdJoin", 8);
        expectRefusal(device, "这是一个设备，不是普通文件", "五星大底B的号码和注数保持不变。");
        choose(fifo);
        click(&window, "cmdJoin", 7);
        expectRefusal(fifo, kPipe, "五星大底A的号码和注数保持不变。");

        window.pages().selectTab(1);
        window.conditions().straightKillBox()->setEntryText(QStringLiteral("12345"));
        choose(fifo);
        probe::clickCentre(window.conditions().straightKillImportButton());
        expectRefusal(fifo, kPipe, "杀直选号码保持不变。");
        QCOMPARE(window.conditions().straightKillBox()->toPlainText(), QStringLiteral("12345"));

        window.pages().showBacktestPage();
        PageBacktest* page = window.backtestPage();
        page->draws()->drawsBox()->setPlainText(QStringLiteral("2026120 35789"));
        choose(fifo);
        QVERIFY(!page->draws()->importDraws());
        expectRefusal(fifo, kPipe, "历史开奖保持不变。");
        QCOMPARE(page->draws()->drawsBox()->toPlainText(), QStringLiteral("2026120 35789"));
        QCOMPARE(messages->shown.size(), std::size_t(5));
    }

    // 导入B offered the file 大底 had imported, and Enter loaded it into the
    // wrong set: every import dialog starts without a name, in the folder of
    // the last choice.
    void everyImportDialogStartsWithoutAFileName() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("numbers")));
        const QString folder = dir.filePath(QStringLiteral("numbers"));
        const QString baseFile = folder + QStringLiteral("/base.txt");
        writeFile(baseFile, "12345 54321");

        BLCommDialog dialog;
        QList<BLCommDialog::Request> asked;
        QStringList answers = {baseFile, QString(), QString(), QString()};  // then cancel each
        dialog.setChooser([&](const BLCommDialog::Request& r) {
            asked << r;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        MainWindow window(WindowServices{messages.get(), clipboard.get(), &dialog, {}});
        showAndWait(window);
        window.pages().selectTab(0);
        click(&window, "cmdBase", 1);
        QCOMPARE(window.numberSets().baseCount(), 2u);

        window.pages().selectTab(3);
        click(&window, "cmdJoin", 8);
        click(&window, "cmdJoin", 7);
        window.pages().selectTab(1);
        probe::clickCentre(window.conditions().straightKillImportButton());
        QCOMPARE(asked.size(), 4);
        for (int i = 1; i < asked.size(); ++i) {
            QCOMPARE(asked[i].initialPath, folder);
            QVERIFY(!asked[i].save);
        }
        // The cancelled dialogs changed nothing.
        QCOMPARE(window.numberSets().intersectionCount(1), 0u);
        QCOMPARE(window.numberSets().intersectionCount(0), 0u);
        QVERIFY(messages->shown.empty());
    }

    // Each click of 导出全部号码 wrote a 620 KB file into the temporary folder
    // that nothing removed.
    void exportedFilesAreRemovedWithTheWindow() {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        QStringList opened;
        {
            MainWindow window(
                WindowServices{messages.get(), clipboard.get(), files.get(), [&opened](const QString& path) {
                                   opened << path;
                                   return true;
                               }});
            showAndWait(window);
            window.conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("0"));
            window.panel().startRun();
            QCOMPARE(window.panel().results().size(), std::size_t(100000));
            click(&window, "cmdFilter", 4);
            click(&window, "cmdFilter", 4);
            QCOMPARE(opened.size(), 2);
            QVERIFY(opened[0] != opened[1]);
            for (const QString& path : opened) {
                QVERIFY2(path.startsWith(temp.path() + QLatin1Char('/')), qPrintable(path));
                QVERIFY(QFileInfo(path).size() > 600000);  // all 100,000 numbers
            }
        }
        if (oldTemp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTemp);
        for (const QString& path : opened) QVERIFY2(!QFile::exists(path), qPrintable(path));
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    void backtestTableShowsEachConditionsPValues() {
        MainWindow window(services());
        showAndWait(window);
        probe::findMember<QCheckBox>(&window, "chkHKD", 0)->setChecked(true);   // 杀和尾 0
        probe::findMember<QCheckBox>(&window, "chkHKD", 20)->setChecked(true);  // 通杀码 0
        window.conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("1"));
        window.pages().showBacktestPage();
        PageBacktest* page = window.backtestPage();
        page->draws()->drawsBox()->setPlainText(QStringLiteral("a 10009\nb 20008\nc 30007\nd 12345\n"));
        QVERIFY(page->runBacktest());
        const BacktestReport* report = page->tables()->report();
        QVERIFY(report);
        QCOMPARE(report->columns.size(), std::size_t(2));

        const QAbstractItemModel* model = page->tables()->columnTable()->model();
        QCOMPARE(model->columnCount(), int(ColumnTableModel::ColumnCount));
        QCOMPARE(model->headerData(ColumnTableModel::PValue, Qt::Horizontal).toString(), u("p值"));
        QCOMPARE(model->headerData(ColumnTableModel::AdjustedPValue, Qt::Horizontal).toString(),
                 u("校正p值"));
        for (int row = 0; row < 2; ++row) {
            const ColumnOutcome& c = report->columns[static_cast<std::size_t>(row)];
            QCOMPARE(model->index(row, ColumnTableModel::PValue).data().toString(),
                     QString::fromStdString(pValueText(c.tailProbability)));
            QCOMPARE(model->index(row, ColumnTableModel::AdjustedPValue).data().toString(),
                     QString::fromStdString(pValueText(c.adjustedProbability)));
        }
        // 杀和尾 0 marks 10 % of the numbers and three of four draws:
        // P(X >= 3 | 4, 0.1) = 0.0037, doubled by Holm over the two conditions.
        QCOMPARE(model->index(0, ColumnTableModel::PValue).data().toString(), u("0.0037"));
        QCOMPARE(model->index(0, ColumnTableModel::AdjustedPValue).data().toString(), u("0.0074"));
        QCOMPARE(model->index(0, ColumnTableModel::OverKills).data().toString(), u("是"));
    }
};

QTEST_MAIN(ImportExportWindowTest)
#include "import_export_window_test.moc"
