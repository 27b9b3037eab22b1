// 生成复式, 导出单式, 记录本期 and the ledger through the window: opened from
// the menu "文件" and from the result list's context menu with real clicks,
// answered in real message boxes, on a data folder of the test's own.

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "analysis/draw_history.h"
#include "conditions/scheme.h"
#include "controls/result_list.h"
#include "io/draw_history_file.h"
#include "io/play_record_file.h"
#include "results/result_copy.h"
#include "results/shop_file.h"
#include "tests/ui/modal_answers.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/kept_history.h"
#include "ui/kit/copy_table_view.h"
#include "ui/play/balance_chart.h"
#include "ui/play/ledger_dialog.h"
#include "ui/play/play_desk.h"
#include "ui/play/play_records.h"
#include "ui/play/ticket_dialog.h"
#include "ui/results/result_area.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// Draws 2026001 to 2026010, "2026NNN 0000N" and last 2026010 00010.
std::string tenDraws() {
    std::string text;
    for (int i = 1; i <= 10; ++i)
        text += "2026" + QString::number(i).rightJustified(3, u'0').toStdString() + " " +
                QString::number(i).rightJustified(5, u'0').toStdString() + "\n";
    return text;
}

}  // namespace

class PlayWindowTest : public WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ModalAnswers> answers;

    DataFolder folder() const { return DataFolder{true, dir->path(), {}}; }
    QString recordPath() const { return dir->filePath(QLatin1String(kPlayRecordFileName)); }

    // A window with the desktop's own message boxes, its history and play
    // record kept in the test's folder, the draws 2026001–2026010 kept.
    void openKeepingWindow() {
        w = openWindow(WindowServices{nullptr, clipboard.get(), files.get(), {}});
        w->keepHistoryIn(drawHistoryPath(folder()));
        w->history().merge(parseDraws(tenDraws()));
        w->play().keepRecordsIn(folder());
        w->play().records().finishWork();
    }

    // 万位 0 to 4 killed by clicks, then 开始缩水: the 50,000 numbers 50000–99999.
    void runHalf() {
        for (int d = 0; d < 5; ++d) click(member("chkDW", d));
        click(member("cmdFilter", 0));
        QCOMPARE(w->panel().results().size(), std::size_t(50000));
    }

    // Clicks the action named name in the menu "文件", opened by a click.
    void chooseFromMenu(const char* name) {
        auto* button = find<QToolButton>("fileMenuButton");
        QTimer::singleShot(0, button, [button, name] {
            QMenu* menu = button->menu();
            QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        });
        click(button);
    }

    // A right click on the result list through the window system, then a
    // click on the context menu's action named name.
    void chooseFromResultList(const char* name) {
        QTimer::singleShot(0, w.get(), [name] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (action->objectName() == QLatin1String(name)) {
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                    return;
                }
            menu->close();
            QFAIL(name);
        });
        QWidget* list = w->resultArea()->list();
        const QPoint at = list->mapTo(w.get(), list->rect().center());
        QTest::mousePress(w->windowHandle(), Qt::RightButton, {}, at);
        QTest::mouseRelease(w->windowHandle(), Qt::RightButton, {}, at);
    }

    static void typeInto(QWidget* box, const QString& text) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() {
        newDoubles();
        dir = std::make_unique<QTemporaryDir>();
        answers = std::make_unique<ModalAnswers>();
    }
    void cleanup() {
        w.reset();
        answers.reset();
        dir.reset();
    }

    void ticketsAndTheShopFileFromTheMenu() {
        openKeepingWindow();
        runHalf();
        const QString shopPath = dir->filePath(QStringLiteral("单式.txt"));
        bool ran = false;
        answers->whenShown(QStringLiteral("ticketDialog"), [&](QDialog* d) {
            auto* dialog = qobject_cast<TicketDialog*>(d);
            QVERIFY(dialog);
            // 50000–99999 is one ticket: 万位 5–9, every other digit free.
            QCOMPARE(dialog->summaryLabel()->text(), u("1 张复式，共 50000 注，100000 元"));
            QCOMPARE(dialog->table()->model()->index(0, 0).data().toString(), QStringLiteral("56789"));
            click(dialog->findChild<QPushButton*>(QStringLiteral("copyTicketsButton")));
            QCOMPARE(clipboard->content,
                     std::string("56789 0123456789 0123456789 0123456789 0123456789\r\n"));

            // The proposed issue is the next one; the multiple typed.
            QCOMPARE(dialog->issueEdit()->text(), QStringLiteral("2026011"));
            typeInto(dialog->multipleEdit(), QStringLiteral("3"));
            choose(shopPath);
            click(dialog->findChild<QPushButton*>(QStringLiteral("exportShopFileButton")));
            QCOMPARE(files->requests.back().fileName, std::string("单式_2026011期_3倍.txt"));
            QCOMPARE(answers->texts.size(), 1);
            QVERIFY(answers->texts[0].startsWith(u("第 2026011 期 3 倍的单式，共 50000 注，已导出到文件")));
            click(dialog->findChild<QPushButton*>(QStringLiteral("closeTicketsButton")));
            ran = true;
        });
        chooseFromMenu("ticketsAction");
        QVERIFY(ran);
        QFile shop(shopPath);
        QVERIFY(shop.open(QIODevice::ReadOnly));
        QCOMPARE(shop.readAll().toStdString(), shopFile(w->panel().results(), "2026011", 3).text);
    }

    void recordFromTheResultListThenTheLedgerScoresTheDraw() {
        openKeepingWindow();
        runHalf();
        bool ran = false;
        answers->whenShown(QStringLiteral("recordDialog"), [&](QDialog* d) {
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("issueBox"))->text(), QStringLiteral("2026011"));
            typeInto(d->findChild<QSpinBox*>(QStringLiteral("multipleBox")), QStringLiteral("2"));
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("recordStakeLabel"))->text(),
                     u("50000 注 × 2 元 × 2 倍 = 200000 元"));
            click(d->findChild<QPushButton*>(QStringLiteral("keepRecordButton")));
            // Kept in the background; the box says so and the dialog closes.
            QTRY_VERIFY(!d->isVisible());
            ran = true;
        });
        chooseFromResultList("recordAction");
        QVERIFY(ran);
        QCOMPARE(answers->texts, QStringList{u("已记录第 2026011 期：50000 注 × 2 倍，投入 200000 元")});
        const LoadedPlayRecord onDisk = PlayRecordFile(recordPath()).load();
        QCOMPARE(onDisk.records.size(), std::size_t(1));
        QCOMPARE(onDisk.records[0].multiple, 2);
        QVERIFY(onDisk.records[0].set.values == w->panel().results());
        QVERIFY(loadScheme(onDisk.records[0].scheme).scheme.input.positionalKill[0][4]);

        chooseFromMenu("ledgerAction");
        LedgerDialog* ledger = w->play().ledger();
        QVERIFY(ledger && ledger->isVisible());
        w->play().records().finishWork();
        const QAbstractItemModel* rows = ledger->table()->model();
        QCOMPARE(rows->rowCount(), 1);
        QCOMPARE(rows->index(0, 5).data().toString(), u("待开奖"));

        // The draw arrives while the ledger is open: a hit at 2 倍.
        w->history().merge(parseDraws("2026011 56789\n"));
        QCOMPARE(rows->index(0, 5).data().toString(), QStringLiteral("56789"));
        QCOMPARE(rows->index(0, 6).data().toString(), u("是"));
        QCOMPARE(rows->index(0, 7).data().toString(), QStringLiteral("200000"));
        QVERIFY(ledger->totalsLabel()->text().contains(u("回报率 100.00%（随机选号 50%）")));
        QCOMPARE(ledger->chart()->points().size(), std::size_t(1));
        QCOMPARE(ledger->chart()->points()[0].balance, std::int64_t(0));
    }

    void refusalsAreSaidInRealBoxes() {
        openKeepingWindow();
        // Nothing to ticket or record before a run.
        chooseFromMenu("ticketsAction");
        chooseFromMenu("recordAction");
        QCOMPARE(answers->texts, (QStringList{u(kNoResultMessage), u(kNoResultMessage)}));

        runHalf();
        bool ran = false;
        answers->whenShown(QStringLiteral("recordDialog"), [&](QDialog* d) {
            typeInto(d->findChild<QLineEdit*>(QStringLiteral("issueBox")), QStringLiteral("2026005"));
            click(d->findChild<QPushButton*>(QStringLiteral("keepRecordButton")));
            QCOMPARE(answers->texts.size(), 3);
            QVERIFY(answers->texts[2].startsWith(u("第 2026005 期已开奖（00005）")));
            // Still open for another issue.
            QVERIFY(d->isVisible());
            click(d->findChild<QPushButton*>(QStringLiteral("cancelRecordButton")));
            ran = true;
        });
        chooseFromMenu("recordAction");
        QVERIFY(ran);
        QVERIFY(!QFile::exists(recordPath()));
    }

    void anAlteredRecordFileIsSaidAtStartAndNothingIsAdded() {
        PlayRecord a, b;
        a.issue = "2026011";
        b.issue = "2026012";
        a.time = b.time = "2026-01-10 20:00:00";
        a.set.values = {1, 2};
        b.set.values = {3, 4};
        std::string text = playRecordText(std::vector<PlayRecord>{a, b});
        text.replace(text.find("multiple 1", text.find("record 2")), 10, "multiple 9");
        QFile file(recordPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();

        openKeepingWindow();
        QTRY_COMPARE(answers->texts.size(), 1);
        QVERIFY(answers->texts[0].startsWith(u("投注记录第 2 条被改动")));

        runHalf();
        answers->whenShown(QStringLiteral("recordDialog"), [&](QDialog* d) {
            click(d->findChild<QPushButton*>(QStringLiteral("keepRecordButton")));
        });
        chooseFromMenu("recordAction");
        QCOMPARE(answers->texts.size(), 2);
        QVERIFY(answers->texts[1].startsWith(u("投注记录第 2 条被改动")));

        chooseFromMenu("ledgerAction");
        w->play().records().finishWork();
        LedgerDialog* ledger = w->play().ledger();
        QVERIFY(ledger->problemLabel()->isVisible());
        QVERIFY(ledger->problemLabel()->text().startsWith(u("投注记录第 2 条被改动")));
        QCOMPARE(ledger->table()->model()->rowCount(), 1);
        QFile again(recordPath());
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll().toStdString(), text);
    }
};

QTEST_MAIN(PlayWindowTest)
#include "play_window_test.moc"
