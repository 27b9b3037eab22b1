// The kept draw history through 历史验证, the trend chart as an input to the
// condition panel, and the omission figures on the controls, offscreen.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <random>

#include "analysis/draw_range.h"
#include "analysis/omission_stats.h"
#include "controls/omission_badge.h"
#include "controls/select_button.h"
#include "tests/fakes/platform_fakes.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_backtest.h"
#include "ui/analysis/page_trend.h"
#include "ui/analysis/trend_chart.h"
#include "ui/conditions/omission_marks.h"
#include "ui/results/result_area.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/draws_panel.h"
#include "ui/conditions/condition_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A hand-made history: 万位 1 2 1 1 3 3 3 1 and other digits around them.
const std::vector<std::uint32_t> kDraws = {10019, 20019, 10000, 11111, 30958, 30958, 39999, 10000};

QByteArray drawsText(const std::vector<std::uint32_t>& values, int firstIssue = 2026001) {
    QByteArray text;
    for (std::size_t i = 0; i < values.size(); ++i)
        text += QByteArray::number(firstIssue + int(i)) + ' ' +
                QByteArray::number(values[i]).rightJustified(5, '0') + "\r\n";
    return text;
}

}  // namespace

class TrendWindowTest : public WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString path(const char* name) const { return dir->filePath(QString::fromUtf8(name)); }
    QString historyPath() const { return path("draw-history.csv"); }
    std::unique_ptr<MainWindow> makeWindow() { return std::make_unique<MainWindow>(services()); }
    PageBacktest* backtest() { return w->backtestPage(); }
    // Imports a file through the page's 导入 button.
    void importFile(const char* name, const QByteArray& bytes) {
        writeFile(path(name), bytes);
        choose(path(name));
        click(find(QStringLiteral("importDrawsButton")));
    }
    void paste(const QByteArray& text) {
        QApplication::clipboard()->setText(QString::fromUtf8(text));
        backtest()->draws()->drawsBox()->paste();
    }
    void clickAt(TrendChart* chart, QPoint at) {
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        newDoubles();
        dir = std::make_unique<QTemporaryDir>();
        w = makeWindow();
        w->keepHistoryIn(historyPath());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() {
        w.reset();
        dir.reset();
    }

    void theTrendTabFollowsTheBacktestTabAndTheWindowKeepsItsSize() {
        QWidget* strip = find(QStringLiteral("fraButton"));
        const QRect backtestTab = find(QStringLiteral("backtestTab"))->geometry();
        auto* trendTab = find<SelectButton>(QStringLiteral("trendTab"));
        QCOMPARE(backtestTab, QRect(880, 0, 63, 25));
        // The strip keeps its design place; the tab follows 历史验证 just
        // outside it.
        QCOMPARE(strip->geometry(), QRect(4, 4, 945, 27));
        QCOMPARE(trendTab->parentWidget(), w->client());
        QCOMPARE(trendTab->geometry(), QRect(946, 4, 54, 25));
        QCOMPARE(trendTab->geometry().left(), strip->geometry().left() + backtestTab.right());
        QWidget* menuButton = find(QStringLiteral("fileMenuButton"));
        QVERIFY(menuButton->geometry().left() > trendTab->geometry().right());
        QVERIFY(w->client()->rect().contains(menuButton->geometry()));
        QCOMPARE(w->size(), QSize(1056, 724));

        click(trendTab);
        QVERIFY(trendTab->isSelected());
        QVERIFY(w->trendPage()->isVisible());
        QVERIFY(!w->resultArea()->isVisible());
        QVERIFY(!w->backtestPage()->isVisible());
        click(find(QStringLiteral("backtestTab")));
        QVERIFY(!w->trendPage()->isVisible());
        QVERIFY(!trendTab->isSelected());
        w->pages().selectTab(1);
        QVERIFY(!w->trendPage()->isVisible());
        QVERIFY(w->resultArea()->isVisible());
    }

    void importAndPasteMergeIntoTheKeptHistory() {
        w->pages().showBacktestPage();
        importFile("a.txt", drawsText({10019, 20019, 10000}));
        QCOMPARE(w->history().store().size(), std::size_t(3));
        QVERIFY(messages->shown.empty());
        QCOMPARE(backtest()->draws()->drawsBox()->toPlainText(),
                 u("2026001 10019\n2026002 20019\n2026003 10000\n"));
        QFile saved(historyPath());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("# Numsift draw history"));

        // A paste into the kept draws: merged, shown in issue order; an issue
        // that comes again with another number is asked about, and 否 keeps it.
        messages->setNextAnswer(MessageAnswer::No);
        paste("2026002 99999\n2026000 55555\n2026004 11111\n");
        QCOMPARE(w->history().store().size(), std::size_t(5));
        QCOMPARE(w->history().store().draws()[2].value, 20019u);
        QCOMPARE(backtest()->draws()->drawsBox()->toPlainText().split(QLatin1Char('\n'))[0],
                 u("2026000 55555"));
        QCOMPARE(messages->shown.size(), std::size_t(1));
        const Message& m = messages->shown[0];
        QCOMPARE(m.buttons, MessageButtons::YesNo);
        QCOMPARE(m.text, std::string("期号 2026002 已有 20019，改为 99999？"));
        QCOMPARE(backtest()->draws()->drawsNote()->text(),
                 u("导入 3 期：新增 2 期，已有 0 期，冲突 1 期，无法读取 0 行（保留原样）。"));
        QVERIFY(backtest()->runBacktest());
        QCOMPARE(backtest()->tables()->report()->draws.size(), std::size_t(5));

        // A paste without issues goes in as typed; once the box is left it is
        // not kept, and the box shows the kept draws again.
        paste("35789\n");
        QVERIFY(backtest()->draws()->drawsBox()->toPlainText().contains(u("35789")));
        backtest()->draws()->commitTyped();
        QCOMPARE(w->history().store().size(), std::size_t(5));
        QVERIFY(!backtest()->draws()->drawsBox()->toPlainText().contains(u("35789")));
        QVERIFY(backtest()->draws()->drawsNote()->text().contains(u("无法读取 1 行（第 6 行）")));
        paste("2026005 12345\n");
        QCOMPARE(w->history().store().size(), std::size_t(6));

        // A file with a line without an issue: the numbered draws are kept,
        // the box shows them, and the player is told which line was not.
        importFile("b.csv", "2026006 24680\r\n13579\r\n");
        QCOMPARE(w->history().store().size(), std::size_t(7));
        QVERIFY(backtest()->draws()->drawsBox()->toPlainText().endsWith(u("2026006 24680\n")));
        QVERIFY(messages->shown.back().text.find("没有期号") != std::string::npos);
        QVERIFY(messages->shown.back().text.find("第 2 行") != std::string::npos);
        QCOMPARE(files->requests.back().filter,
                 std::string("开奖文件|*.txt;*.csv|CSV 文件|*.csv|所有文件|*"));

        // The next start shows the kept draws, on both pages.
        const std::vector<KeptDraw> kept = w->history().store().draws();
        w = makeWindow();
        w->keepHistoryIn(historyPath());
        QCOMPARE(w->history().store().draws(), kept);
        QVERIFY(
            backtest()->draws()->drawsBox()->toPlainText().startsWith(u("2026000 55555\n2026001 10019\n")));
        QCOMPARE(w->trendPage()->chart()->rowCount(), kept.size());
        // The condition panel still starts empty.
        QVERIFY(w->conditions().filterInput() == makeWindow()->conditions().filterInput());
    }

    void aDamagedFileIsSetAsideAndSaidOnceTheWindowShows() {
        writeFile(historyPath(), "<html>not a draw history</html>\n");
        w = makeWindow();
        w->keepHistoryIn(historyPath());
        QVERIFY(messages->shown.empty());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCoreApplication::processEvents();
        QCOMPARE(messages->shown.size(), std::size_t(1));
        QVERIFY(messages->shown[0].text.find("开奖历史文件") != std::string::npos);
        QVERIFY(w->history().store().empty());
        const QStringList aside = QDir(dir->path()).entryList({QStringLiteral("draw-history.csv.*")});
        QCOMPARE(aside.size(), 1);
        // The new history is saved in the file's place; a paste into the
        // empty box shows the kept draws once.
        w->pages().showBacktestPage();
        paste("2026001 12345\n");
        QCOMPARE(backtest()->draws()->drawsBox()->toPlainText(), u("2026001 12345\n"));
        QVERIFY(QFile::exists(historyPath()));
        QCOMPARE(messages->shown.size(), std::size_t(1));
    }

    void aSaveThatFailsIsSaidAndTheDrawsStayForTheSession() {
        // The history's folder is gone: the save fails, the player is told,
        // the draws serve the chart until the window closes.
        w = makeWindow();
        w->keepHistoryIn(path("gone/draw-history.csv"));
        w->pages().showBacktestPage();
        importFile("a.txt", drawsText({12345, 54321}));
        QCOMPARE(messages->shown.size(), std::size_t(1));
        QCOMPARE(messages->shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(messages->shown[0].text.find("开奖历史未能保存：") != std::string::npos);
        QVERIFY(backtest()->draws()->drawsNote()->text().contains(u("开奖历史未能保存：")));
        QVERIFY(backtest()->draws()->drawsNote()->styleSheet().contains(u("#d01010")));
        QCOMPARE(w->history().store().size(), std::size_t(2));
        QCOMPARE(w->trendPage()->chart()->rowCount(), std::size_t(2));
    }

    void chartCellsTickAndUntickTheirKills() {
        w->pages().showBacktestPage();
        importFile("a.txt", drawsText(kDraws));
        w->pages().showTrendPage();
        TrendChart* chart = w->trendPage()->chart();
        QCOMPARE(chart->rowCount(), kDraws.size());

        struct Link {
            int cell;
            const char* array;
            int member;
            const char* kill;
        };
        const Link links[] = {{3, "chkDW", 3, "定位杀 万位3"},
                              {49, "chkDW", 49, "定位杀 个位9"},
                              {55, "chkHKD", 25, "通杀码 5"},
                              {62, "chkHKD", 2, "杀和尾 2"},
                              {77, "chkHKD", 17, "杀跨度 7"}};
        for (const Link& l : links) {
            auto* box = member<QCheckBox>(l.array, l.member);
            for (const bool header : {true, false}) {
                const QPoint at = header ? chart->headerCellRect(l.cell).center()
                                         : chart->summaryCellRect(3, l.cell).center();
                QVERIFY(chart->toolTipAt(at).startsWith(u("点击勾选") + u(l.kill)));
                clickAt(chart, at);
                QVERIFY2(box->isChecked(), l.kill);
                QVERIFY(chart->toolTipAt(at).startsWith(u("点击取消") + u(l.kill)));
                clickAt(chart, at);
                QVERIFY2(!box->isChecked(), l.kill);
            }
        }
        // A drag across header captions ticks every cell between as one
        // step; a shift-click after a click does the same from that click.
        const QRect a = chart->headerCellRect(3), b = chart->headerCellRect(5);
        QTest::mousePress(chart->viewport(), Qt::LeftButton, {}, a.center());
        QTest::mouseRelease(chart->viewport(), Qt::LeftButton, {}, b.center());
        for (int d = 3; d <= 5; ++d) QVERIFY(member<QCheckBox>("chkDW", d)->isChecked());
        QVERIFY(!member<QCheckBox>("chkDW", 6)->isChecked());
        clickAt(chart, chart->headerCellRect(7).center());
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          chart->headerCellRect(9).center());
        for (int d = 7; d <= 9; ++d) QVERIFY(member<QCheckBox>("chkDW", d)->isChecked());
        QVERIFY(!member<QCheckBox>("chkDW", 6)->isChecked());
        // Rows are no input.
        clickAt(chart, QPoint(a.center().x(), a.bottom() + 20));
        QVERIFY(member<QCheckBox>("chkDW", 3)->isChecked());
        for (int d = 0; d < 10; ++d) member<QCheckBox>("chkDW", d)->setChecked(false);

        // A kill ticked on page 1 shows in the chart's header.
        const QRect cell = chart->headerCellRect(12);  // 千位 2
        const QColor before = chart->viewport()->grab().toImage().pixelColor(cell.left() + 2, cell.top() + 2);
        member<QCheckBox>("chkDW", 12)->setChecked(true);
        const QColor after = chart->viewport()->grab().toImage().pixelColor(cell.left() + 2, cell.top() + 2);
        QVERIFY(before != after);
        QVERIFY(after.red() > 180 && after.green() < 80);
        QVERIFY(chart->toolTipAt(cell.center()).startsWith(u("点击取消定位杀 千位2")));
    }

    void chartPaintsOnlyTheRowsThatCameIntoView() {
        std::mt19937 rng(7);
        std::vector<std::uint32_t> draws(10000);
        for (auto& v : draws) v = rng() % 100000;
        TrendChart chart;
        chart.resize(900, 600);
        chart.setDraws(std::vector<std::string>(draws.size(), "2026001"), TrendTable(draws),
                       omissionStats(draws));
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QCoreApplication::processEvents();
        // Newest at the bottom.
        QScrollBar* bar = chart.verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(chart.rowsPainted() > 0);
        QVERIFY(chart.rowsPainted() < 60);  // a screen, not the history

        chart.resetRowsPainted();
        chart.viewport()->repaint();
        const int screen = chart.rowsPainted();
        QVERIFY(screen >= 20);
        chart.resetRowsPainted();
        bar->setValue(bar->value() - 18);  // one row up
        QCoreApplication::processEvents();
        QVERIFY2(chart.rowsPainted() >= 1 && chart.rowsPainted() <= 2,
                 qPrintable(QString::number(chart.rowsPainted())));
        chart.resetRowsPainted();
        chart.horizontalScrollBar()->setValue(chart.horizontalScrollBar()->value() + 21);
        QCoreApplication::processEvents();
        QCOMPARE(chart.rowsPainted(), screen);  // every row, one column each
    }

    void omissionDisplayOffLeavesTheWindowAsItWas() {
        w->pages().showBacktestPage();
        importFile("a.txt", drawsText(kDraws));
        w->pages().selectTab(1);
        QAction* action = w->showOmissionAction();
        QVERIFY(action->isCheckable());
        QVERIFY(!action->isChecked());
        QVERIFY(w->findChildren<OmissionBadge*>().isEmpty());
        const QImage before = w->client()->grab().toImage();
        auto* box = member<QCheckBox>("chkDW", 11);
        const QString tip = box->toolTip();
        const QRect place = box->geometry();

        action->setChecked(true);
        QVERIFY(w->client()->grab().toImage() != before);
        QVERIFY(box->toolTip() != tip);
        QCOMPARE(box->geometry(), place);
        QCOMPARE(box->text(), u("1"));

        action->setChecked(false);
        QCOMPARE(box->toolTip(), tip);
        QVERIFY(w->client()->grab().toImage() == before);
    }

    void omissionDisplayShowsTheFiguresOfTheChosenWindow() {
        w->pages().showBacktestPage();
        importFile("a.txt", drawsText(kDraws));
        w->pages().selectTab(1);
        w->showOmissionAction()->setChecked(true);
        OmissionMarks& marks = w->omissionMarks();

        // 当前遗漏 always over the whole history, the other figures over
        // the range.
        const auto check = [&](std::span<const std::uint32_t> draws, std::size_t newest, const char* window) {
            const OmissionStats stats =
                omissionStats(draws, newest == 0 ? DrawRange::all().in(draws.size())
                                                 : DrawRange::newest(newest).in(draws.size()));
            int seen = 0;
            for (int flat = 0; flat < kItemCount; ++flat) {
                const ItemId item = itemAt(flat);
                QAbstractButton* control = w->conditions().itemControl(item);
                if (!control) continue;
                ++seen;
                const ItemFigures& f = stats[item];
                OmissionBadge* badge = marks.badgeOf(control);
                QVERIFY(badge);
                QVERIFY(!badge->isHidden());
                QCOMPARE(badge->figure(), QString::number(f.currentOmission));
                QCOMPARE(badge->heat(), omissionHeat(f));
                const QString tip = control->toolTip();
                QVERIFY2(tip.startsWith(QString::fromStdString(itemCaption(item)) + u("（") + u(window)),
                         qPrintable(tip));
                for (const QString& line :
                     {u("出现次数 %1").arg(f.hits), u("当前遗漏 %1").arg(f.currentOmission),
                      u("最大遗漏 %1").arg(f.longestOmission),
                      u("平均遗漏 ") + QString::fromStdString(hundredthsText(f.averageOmissionHundredths)),
                      u("最大连出 %1").arg(f.longestStreak)})
                    QVERIFY2(tip.contains(line), qPrintable(tip + " / " + line));
            }
            QCOMPARE(seen, 50 + 30 + 3 * 32 + 243 + 14 + 27);
        };
        check(kDraws, 0, "全部 8 期");
        // By hand: 万位1 last in the newest draw, 万位2 once, six draws ago.
        QCOMPARE(marks.badgeOf(member<QCheckBox>("chkDW", 2))->figure(), u("6"));
        QCOMPARE(marks.badgeOf(member<QCheckBox>("chkDW", 1))->figure(), u("0"));
        // The tint: none at 0, some at 6 against an average of 3.50, none
        // for 万位9, never seen: 8 against an average of 8.00.
        const OmissionStats all = omissionStats(kDraws);
        QCOMPARE(omissionHeat(all[positionItem(1, 1)]), 0.0);
        QVERIFY(omissionHeat(all[positionItem(1, 2)]) > 0.2 && omissionHeat(all[positionItem(1, 2)]) < 0.5);
        QCOMPARE(omissionHeat(all[positionItem(1, 9)]), 0.0);

        // The chart's window counts for the controls too.
        w->pages().showTrendPage();
        w->trendPage()->windowChoice()->setCurrentIndex(4);
        w->trendPage()->windowCount()->setValue(3);
        check(kDraws, 3, "近 3 期");
        // A new draw counts at once.
        std::vector<std::uint32_t> more = kDraws;
        more.push_back(22222);
        w->pages().showBacktestPage();
        paste("2026009 22222\n");
        check(more, 3, "近 3 期");
        w->trendPage()->windowChoice()->setCurrentIndex(0);
        check(more, 0, "全部 9 期");
    }
};

QTEST_MAIN(TrendWindowTest)
#include "trend_window_test.moc"
