// The trend chart read at a glance and used as an input: figures that fit
// their cells, heat on the overdue, the right part's kills, several kills at
// once, navigation, the summary copied, the run from the chart's page, a
// small screen; and the omission figures on the controls beside their
// captions, never over them.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include <memory>
#include <random>

#include "analysis/draw_history.h"
#include "controls/omission_badge.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/item_kills.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_trend.h"
#include "ui/analysis/range_selector.h"
#include "ui/analysis/trend_chart.h"
#include "ui/conditions/condition_panel.h"
#include "ui/conditions/omission_marks.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// 7,000 random draws whose newest 300 have no 9 at 万位: 万位9 is overdue.
std::string history() {
    std::mt19937 rng(18);
    std::string text;
    for (int i = 0; i < 7000; ++i) {
        std::uint32_t v = rng() % 100000;
        if (i >= 6700 && v / 10000 == 9) v -= 10000;
        text += std::to_string(2000001 + i) + " " + numberText(v) + "\n";
    }
    return text;
}

}  // namespace

class TrendChartTest : public WindowFixture {
    Q_OBJECT

    TrendChart* chart() { return w->trendPage()->chart(); }
    void clickAt(QPoint at, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(chart()->viewport(), Qt::LeftButton, keys, at);
    }
    bool ticked(ItemId item) { return itemTicked(w->panel().scheme().input, item); }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() {
        newDoubles();
        openWindow();
        w->history().merge(parseDraws(history()));
        w->pages().showTrendPage();
        QCoreApplication::processEvents();
    }
    void cleanup() { w.reset(); }

    void everyFigureFitsItsCellAndTheOverdueAreTinted() {
        const QImage image = chart()->viewport()->grab().toImage();
        for (int s = 0; s < TrendChart::kSummaryRows; ++s) {
            for (int c = 1; c < 40; ++c) {
                const QRect box = chart()->summaryCellRect(s, c);
                if (box.right() >= image.width()) break;
                // No ink on a cell's edges: figures never run together.
                for (const int x : {box.left(), box.right()})
                    for (int y = box.top() + 1; y < box.bottom() - 1; ++y)
                        QVERIFY2(qGray(image.pixel(x, y)) > 120,
                                 qPrintable(QStringLiteral("row %1 cell %2").arg(s).arg(c)));
            }
        }
        // 万位9, missing for 300 draws, is tinted in 当前遗漏; a fresh cell is not.
        const OmissionStats& stats = w->history().stats();
        QVERIFY(stats[positionItem(1, 9)].currentOmission >= 300);
        const QRect hot = chart()->summaryCellRect(3, 9);
        const QColor tint = chart()->viewport()->grab().toImage().pixelColor(hot.left() + 1, hot.top() + 1);
        QVERIFY2(tint.red() > tint.blue() + 40, qPrintable(tint.name()));
        int fresh = 0;
        while (stats[trendCellItem(fresh)].currentOmission != 0) ++fresh;
        const QRect cold = chart()->summaryCellRect(3, fresh);
        QCOMPARE(chart()->viewport()->grab().toImage().pixelColor(cold.left() + 1, cold.top() + 1),
                 QColor(250, 246, 232));

        // At 近30 the rows are thirty, 当前遗漏 still the whole history's.
        w->trendPage()->windowChoice()->setCurrentIndex(RangeSelector::Last30);
        QCOMPARE(chart()->rowCount(), std::size_t(30));
        QVERIFY(
            QString::fromStdString(chart()->summaryText())
                .contains(u("万位9\t0\t30.00\t30\t%1\t0").arg(stats[positionItem(1, 9)].currentOmission)));
    }

    void theRightPartKillsLikeTheDigitBlocks() {
        auto* sums = w->client()->findChild<QPlainTextEdit*>(QStringLiteral("txtHKD"));
        const int sum27 = trendCellOf(sumItem(27)), sum3 = trendCellOf(sumItem(3));
        QVERIFY(
            chart()->toolTipAt(chart()->headerCellRect(sum27).center()).startsWith(u("点击勾选杀和值 27")));
        clickAt(chart()->headerCellRect(sum27).center());
        QCOMPARE(sums->toPlainText(), u("27"));
        clickAt(chart()->summaryCellRect(3, sum3).center());
        QCOMPARE(sums->toPlainText(), u("27 03"));
        QVERIFY(
            chart()->toolTipAt(chart()->headerCellRect(sum27).center()).startsWith(u("点击取消杀和值 27")));
        clickAt(chart()->headerCellRect(sum27).center());
        QCOMPARE(sums->toPlainText(), u("03"));
        for (const ItemId item : {acItem(5), shapeItem(kShapeAABCD), ratioItem(ClassKind::OddEven, 2)}) {
            clickAt(chart()->summaryCellRect(0, trendCellOf(item)).center());
            QVERIFY2(ticked(item), itemCaption(item).c_str());
        }
        // The patterns missing longest, named under the text columns.
        const ItemId road = chart()->coldest(kTextRoad)[0];
        clickAt(chart()->coldestRect(kTextRoad, 0).center());
        QVERIFY(ticked(road));
        const ItemId pattern = chart()->coldest(kTextBigSmall)[2];
        clickAt(chart()->coldestRect(kTextBigSmall, 2).center());
        QVERIFY(ticked(pattern));
    }

    void aSummaryLabelTicksTheOverdueOfABlock() {
        clickAt(chart()->summaryLabelRect(3).center());
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        auto* overdue = menu->findChild<QMenu*>(QStringLiteral("overdueMenu"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(overdue->menuAction()).center());
        QTRY_VERIFY(overdue->isVisible());
        QAction* wan = overdue->findChild<QAction*>(QStringLiteral("overdueBlock0"));
        QTest::mouseClick(overdue, Qt::LeftButton, {}, overdue->actionGeometry(wan).center());
        auto* ask = chart()->findChild<QInputDialog*>(QStringLiteral("chooseCellsDialog"));
        QVERIFY(ask);
        QTRY_VERIFY(ask->isVisible());
        auto* spin = ask->findChild<QSpinBox*>();
        spin->selectAll();
        QTest::keyClicks(spin, u("40"));
        QAbstractButton* ok = ask->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QCOMPARE(ok->text(), u("勾选"));
        QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
        const OmissionStats& stats = w->history().stats();
        int n = 0;
        for (int d = 0; d < 10; ++d) {
            QCOMPARE(ticked(positionItem(1, d)), stats[positionItem(1, d)].currentOmission >= 40);
            n += ticked(positionItem(1, d));
        }
        QVERIFY(n >= 1);
        // The k seen least often.
        const std::vector<ItemId> rare = chart()->rarestCells(kTrendAcBlock, 2);
        QCOMPARE(rare.size(), std::size_t(2));
        QVERIFY(stats[rare[0]].hits <= stats[rare[1]].hits);
    }

    void theChartIsReadByKeysWheelAndIssue() {
        QScrollBar* v = chart()->verticalScrollBar();
        QScrollBar* h = chart()->horizontalScrollBar();
        QCOMPARE(v->value(), v->maximum());  // opens at the newest
        chart()->setFocus();
        QTest::keyClick(chart(), Qt::Key_Home);
        QCOMPARE(v->value(), 0);
        QTest::keyClick(chart(), Qt::Key_PageDown);
        QCOMPARE(v->value(), v->pageStep());
        QTest::keyClick(chart(), Qt::Key_End);
        QCOMPARE(v->value(), v->maximum());
        QTest::keyClick(chart(), Qt::Key_PageUp);
        QCOMPARE(v->value(), v->maximum() - v->pageStep());
        // Shift+wheel goes across.
        const QPoint at = chart()->viewport()->rect().center();
        QWheelEvent wheel(at, chart()->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                          Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart()->viewport(), &wheel);
        QVERIFY(h->value() > 0);
        // Another page and back: where the player left it.
        const int kept = v->value();
        click(find(QStringLiteral("backtestTab")));
        click(find(QStringLiteral("trendTab")));
        QCOMPARE(v->value(), kept);
        // 转到期号.
        QLineEdit* goTo = w->trendPage()->goToBox();
        click(goTo);
        QTest::keyClicks(goTo, u("2003001"));
        QTest::keyClick(goTo, Qt::Key_Return);
        QCOMPARE(chart()->markedRow(), 3000);
        const int y = 2 * TrendChart::kRowHeight + 3000 * TrendChart::kRowHeight - v->value();
        QVERIFY(y > 36 && y < chart()->viewport()->height() - 5 * TrendChart::kRowHeight);
        goTo->selectAll();
        QTest::keyClicks(goTo, u("1999999"));
        QTest::keyClick(goTo, Qt::Key_Return);
        QVERIFY(w->trendPage()->note()->text().contains(u("没有期号 1999999")));
    }

    void theSummaryIsCopiedAndTheRunStartsFromTheChart() {
        click(find(QStringLiteral("copySummaryButton")));
        const QStringList lines =
            QString::fromStdString(clipboard->content).split(u("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), kTrendCellCount + 1);
        QCOMPARE(lines[0], u("项目\t出现次数\t平均遗漏\t最大遗漏\t当前遗漏\t最大连出"));
        QVERIFY(lines[1].startsWith(u("万位0\t")));
        // A kill from the chart, then 开始缩水 on the chart's page.
        QCOMPARE(w->trendPage()->resultCount()->text(), u("结果注数 —（未缩水）"));
        clickAt(chart()->headerCellRect(3).center());
        click(w->trendPage()->runButton());
        QCOMPARE(w->panel().results().size(), std::size_t(90000));
        QCOMPARE(w->trendPage()->resultCount()->text(), u("结果注数 90000"));
    }

    void theChartFitsA1366By700Screen() {
        w->fitIn(QRect(0, 0, 1366, 700));
        QCoreApplication::processEvents();
        QWidget* view = w->clientScroll()->viewport();
        const auto bottomIn = [&](QWidget* widget, int y) { return widget->mapTo(view, QPoint(0, y)).y(); };
        QVERIFY(chart()->horizontalScrollBar()->isVisible());
        QVERIFY(bottomIn(chart()->horizontalScrollBar(), chart()->horizontalScrollBar()->height()) <=
                view->height());
        QVERIFY(bottomIn(chart()->viewport(), chart()->summaryLabelRect(4).bottom()) < view->height());
        QVERIFY(chart()->viewport()->height() > 10 * TrendChart::kRowHeight);
    }

    void omissionFiguresStandBesideTheirCaptionsInTheChartsOrder() {
        w->pages().selectTab(1);
        auto* range = w->findChild<RangeSelector*>(QStringLiteral("omissionRange"));
        QVERIFY(range && !range->isVisible());
        QMap<QAbstractButton*, QFont> fonts;
        for (int flat = 0; flat < kItemCount; ++flat)
            if (QAbstractButton* c = w->conditions().itemControl(itemAt(flat))) fonts[c] = c->font();
        w->showOmissionAction()->setChecked(true);
        QCoreApplication::processEvents();
        QVERIFY(range->isVisible());
        // It covers no control of page 1.
        QWidget* page1 = w->pages().page(1);
        for (QWidget* control : page1->findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QPlainTextEdit*>(control)) continue;
            if (range->isAncestorOf(control) || !control->isVisibleTo(page1)) continue;
            const QRect at(control->mapTo(page1, QPoint(0, 0)), control->size());
            QVERIFY2(!range->geometry().intersects(at), qPrintable(control->objectName()));
        }
        int checked = 0;
        for (auto it = fonts.begin(); it != fonts.end(); ++it) {
            OmissionBadge* badge = w->omissionMarks().badgeOf(it.key());
            if (!badge || !it.key()->isVisibleTo(w.get())) continue;
            const QString what = it.key()->text() + u(" ") + badge->figure();
            QVERIFY2(!badge->figureRect().intersects(badge->captionRect()), qPrintable(what));
            QVERIFY2(it.key()->rect().contains(badge->figureRect()), qPrintable(what));
            QVERIFY2(QFontInfo(it.key()->font()).pixelSize() >= 9, qPrintable(what));
            ++checked;
        }
        QVERIFY(checked > 200);  // the controls of page 1 and 特别排除
        // One order of the figures in every tooltip and in the chart.
        const QStringList tip = w->conditions().itemControl(positionItem(1, 0))->toolTip().split(u("\n"));
        QStringList names;
        for (int i = 1; i <= 5; ++i) names << tip[i].section(QLatin1Char(' '), 0, 0);
        QCOMPARE(names.join(u("\t")), u("出现次数\t平均遗漏\t最大遗漏\t当前遗漏\t最大连出"));
        // 杀和值 names every sum's figures.
        auto* sums = w->client()->findChild<QPlainTextEdit*>(QStringLiteral("txtHKD"));
        QVERIFY(
            sums->toolTip().contains(u("27：%1（").arg(w->history().stats()[sumItem(27)].currentOmission)));
        auto* coldest = sums->findChild<QLabel*>(QStringLiteral("sumOmissionFigures"));
        QVERIFY(coldest->isVisible());
        QVERIFY(coldest->text().startsWith(u("久未出 ")));
        // What is typed is never covered: long text hides them.
        sums->setPlainText(u("00 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17"));
        QVERIFY(!coldest->isVisible());
        sums->clear();
        // Off: every control has its own font back.
        w->showOmissionAction()->setChecked(false);
        for (auto it = fonts.begin(); it != fonts.end(); ++it) QCOMPARE(it.key()->font(), it.value());
        QVERIFY(!range->isVisible());
    }
};

QTEST_MAIN(TrendChartTest)
#include "trend_chart_test.moc"
