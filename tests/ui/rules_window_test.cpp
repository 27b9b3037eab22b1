// The 规则杀号 page and the panel's rules in the window: the tab, the rules'
// kills on page 1 apart from the hand ticks and in every run, the player's
// own formulas, the figures and the chart off the window's thread with
// 取消, and 滚动验证 beside today's check on 历史验证.

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <random>

#include "analysis/draw_history.h"
#include "analysis/rule_library.h"
#include "analysis/walk_forward.h"
#include "controls/rule_mark.h"
#include "controls/select_button.h"
#include "io/own_rules_file.h"
#include "tests/ui/modal_answers.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/backtest_models.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/diagnosis_panel.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_backtest.h"
#include "ui/analysis/walk_panel.h"
#include "ui/conditions/condition_panel.h"
#include "ui/kit/background_work.h"
#include "ui/kit/copy_table_view.h"
#include "ui/kit/series_chart.h"
#include "ui/results/result_area.h"
#include "ui/rules/page_rules.h"
#include "ui/rules/rule_table_model.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/panel_rounds.h"
#include "ui/shell/scheme_files.h"
#include "ui/shell/tab_strip.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

// Draws 2026001, 2026002 … one a line.
std::string drawsText(const std::vector<std::uint32_t>& values, int firstIssue = 2026001) {
    std::string text;
    char number[6] = {};
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::snprintf(number, sizeof number, "%05u", values[i]);
        text += std::to_string(firstIssue + static_cast<int>(i)) + " " + number + "\n";
    }
    return text;
}

std::vector<std::uint32_t> randomDraws(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint32_t> draws;
    for (std::size_t i = 0; i < n; ++i) draws.push_back(rng() % 100000);
    return draws;
}

const KillRule kRepeatPos1{RuleFamily::Pos1, RuleKind::Repeat, 1, 0, {}};

// Holds the one thread of a BackgroundWork's pool until released, so that
// a job started meanwhile waits in the queue: a cancel arrives before the
// job has done anything, without any sleep.
class PoolHold {
public:
    explicit PoolHold(QThreadPool* pool) {
        pool->start([this] {
            started_.release();
            go_.acquire();
        });
        started_.acquire();
    }
    ~PoolHold() { release(); }
    void release() {
        if (!released_) go_.release();
        released_ = true;
    }

private:
    QSemaphore started_, go_;
    bool released_ = false;
};

// Lets the window run until work has delivered or stopped.
void settle(const BackgroundWork* work) {
    while (work->running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

}  // namespace

class RulesWindowTest : public WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    PageRules* page() { return w->pages().rulesPage(); }
    QCheckBox* positionBox(int position, int digit) {
        return member<QCheckBox>("chkDW", 10 * position + digit);
    }
    RuleMark* markOf(QWidget* control) { return control->findChild<RuleMark*>(); }

    void keepDraws(const std::vector<std::uint32_t>& values, int firstIssue = 2026001) {
        w->history().merge(parseDraws(drawsText(values, firstIssue)));
    }

    // A click on the row of the table that shows the rule at row of the list.
    void clickRule(int row) {
        CopyTableView* table = page()->table();
        const QModelIndex shown = page()->proxy()->mapFromSource(page()->model()->index(row, 0));
        table->scrollTo(shown);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(shown).center());
        QCOMPARE(page()->chosenRule(), row);
    }
    void showRulesPage() {
        click(w->tabStrip()->rulesTab());
        QVERIFY(page()->isVisible());
    }
    void useRule(const KillRule& rule) {
        showRulesPage();
        clickRule(builtInRuleIndex(rule));
        click(find("useRuleButton"));
    }

    // The blue of the mark shows at the middle of a box's indicator.
    static bool looksMarked(QCheckBox* box) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QPoint centre =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
        const QColor c = box->grab().toImage().pixelColor(centre + QPoint(2, 2));
        return c.blue() > c.red() + 40;
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        newDoubles();
        dir = std::make_unique<QTemporaryDir>();
        openWindow();
    }
    void cleanup() {
        w.reset();
        dir.reset();
    }

    void theRulesTabStandsInTheStripsFreePlaceAndTheWindowKeepsItsSize() {
        SelectButton* tab = w->tabStrip()->rulesTab();
        const QRect compound = member("cmdTab", 11)->geometry(), roads = member("cmdTab", 2)->geometry();
        QCOMPARE(tab->parentWidget(), find("fraButton"));
        QCOMPARE(tab->text(), QString::fromUtf8("规则杀号"));
        QVERIFY(tab->geometry().left() > compound.right());
        QCOMPARE(tab->geometry().right(), roads.left());  // touching, as the tabs do
        QCOMPARE(tab->geometry().top(), roads.top());
        QCOMPARE(w->size(), QSize(1056, 724));

        click(tab);
        QVERIFY(tab->isSelected());
        QVERIFY(page()->isVisible());
        QVERIFY(!w->resultArea()->isVisible());
        QVERIFY(w->client()->rect().contains(page()->geometry()));
        for (QWidget* part : {static_cast<QWidget*>(page()->table()), static_cast<QWidget*>(page()->chart()),
                              static_cast<QWidget*>(page()->panelRulesTable())})
            QVERIFY(page()->rect().contains(part->geometry()));
        click(find("backtestTab"));
        QVERIFY(!page()->isVisible());
        QVERIFY(!tab->isSelected());
        click(member("cmdTab", 1));
        QVERIFY(!page()->isVisible());
        QVERIFY(w->resultArea()->isVisible());
    }

    void aRuleUsedForThisDrawShowsOnPage1ApartFromTheTicksAndJoinsTheRun() {
        keepDraws({55555, 98765, 12345});  // 万位 repeat kills 1
        useRule(kRepeatPos1);
        QCOMPARE(w->conditions().rules(), std::vector<KillRule>{kRepeatPos1});
        QCOMPARE(page()->panelRulesTable()->rowCount(), 1);
        QCOMPARE(page()->panelRulesTable()->item(0, 1)->text(), QStringLiteral("1"));
        QCOMPARE(page()->model()->data(
                     page()->model()->index(builtInRuleIndex(kRepeatPos1), RuleTableModel::InPanel),
                     Qt::DisplayRole),
                 QVariant(QString::fromUtf8("已用")));

        // Page 1: the box of 万位 1 is marked, not ticked.
        click(member("cmdTab", 1));
        QCheckBox* one = positionBox(0, 1);
        QVERIFY(!one->isChecked());
        QVERIFY(!markOf(one)->isHidden());
        QCOMPARE(markOf(one)->rules(), QString::fromUtf8("万位 重复上期"));
        QVERIFY(looksMarked(one));
        QVERIFY(!looksMarked(positionBox(0, 2)));
        QVERIFY(markOf(positionBox(0, 2))->isHidden());
        QVERIFY(!w->panel().scheme().input.positionalKill[0][1]);
        QVERIFY(w->panel().runScheme().input.positionalKill[0][1]);

        // A hand tick beside it is its own; the run kills both.
        click(positionBox(0, 5));
        QVERIFY(positionBox(0, 5)->isChecked());
        click(member("cmdFilter", 0));
        QCOMPARE(w->panel().results().size(), std::size_t(80000));
        for (std::uint32_t v : w->panel().results()) QVERIFY(v / 10000 != 1 && v / 10000 != 5);

        // 号码诊断 and 历史验证 check the panel as the run reads it.
        w->backtestPage()->diagnosis()->explainNumber(10000);
        QVERIFY(!w->backtestPage()->diagnosis()->explanation()->survives);
        QVERIFY(w->backtestPage()->runBacktest());  // the kept draws: 55555 and 12345 are killed
        QCOMPARE(w->backtestPage()->tables()->report()->summary.survived, std::size_t(1));

        // Undo takes the hand tick back, then the rule, one step each.
        QCOMPARE(w->rounds().undo(), true);
        QVERIFY(!positionBox(0, 5)->isChecked());
        QCOMPARE(w->conditions().rules().size(), std::size_t(1));
        QCOMPARE(w->rounds().undo(), true);
        QVERIFY(w->conditions().rules().empty());
        QVERIFY(markOf(one)->isHidden());
        QCOMPARE(w->rounds().redo(), true);
        QCOMPARE(w->conditions().rules().size(), std::size_t(1));
        QVERIFY(!markOf(one)->isHidden());
    }

    void theRulesKillsFollowTheHistory() {
        keepDraws({55555, 12345});
        useRule(kRepeatPos1);
        QVERIFY(!markOf(positionBox(0, 1))->isHidden());
        keepDraws({67890}, 2026003);  // the draw after
        QVERIFY(markOf(positionBox(0, 1))->isHidden());
        QVERIFY(!markOf(positionBox(0, 6))->isHidden());
        QCOMPARE(page()->panelRulesTable()->item(0, 1)->text(), QStringLiteral("6"));
        w->panel().startRun();
        QCOMPARE(w->panel().results().size(), std::size_t(90000));
        QCOMPARE(w->panel().results()[60000], 70000u);  // no 6xxxx
    }

    void theSchemeAndClearingTellRulesFromTicks() {
        keepDraws({55555, 12345});
        useRule(kRepeatPos1);
        click(member("cmdTab", 1));
        click(positionBox(0, 5));
        const QString file = dir->filePath(QStringLiteral("rules.json"));
        QVERIFY(w->schemeFiles().saveSchemeTo(file));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const SchemeLoad load = loadScheme(saved.readAll().toStdString());
        QVERIFY(load.ok);
        QCOMPARE(load.scheme.rules, std::vector<KillRule>{kRepeatPos1});
        // Only the hand tick is a tick of the file.
        std::array<bool, 10> ticks{};
        ticks[5] = true;
        QVERIFY(load.scheme.input.positionalKill[0] == ticks);

        click(member("cmdFilter", 2));  // 清空所有条件
        QVERIFY(w->conditions().rules().empty());
        QVERIFY(!positionBox(0, 5)->isChecked());
        QVERIFY(markOf(positionBox(0, 1))->isHidden());
        QCOMPARE(page()->panelRulesTable()->rowCount(), 0);

        QVERIFY(w->schemeFiles().loadSchemeFrom(file));
        QCOMPARE(w->conditions().rules(), std::vector<KillRule>{kRepeatPos1});
        QVERIFY(positionBox(0, 5)->isChecked());
        QVERIFY(!positionBox(0, 1)->isChecked());
        QVERIFY(!markOf(positionBox(0, 1))->isHidden());
    }

    void removingARuleFromThisDrawAndUsingItTwice() {
        keepDraws({55555, 12345});
        useRule(kRepeatPos1);
        click(find("useRuleButton"));  // again: refused
        QCOMPARE(messages->shown.back().text, std::string("这条规则已用于本期。"));
        QCOMPARE(w->conditions().rules().size(), std::size_t(1));
        QTableWidget* list = page()->panelRulesTable();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0, 0)).center());
        click(find("removePanelRuleButton"));
        QVERIFY(w->conditions().rules().empty());
        QVERIFY(markOf(positionBox(0, 1))->isHidden());
    }

    void theFiguresAndTheChartAreTheRulesOverTheRange() {
        const std::vector<std::uint32_t> draws = randomDraws(80, 3);
        keepDraws(draws);
        w->history().setRange(DrawRange::newest(50));
        showRulesPage();
        settle(page()->figuresWork());
        const std::vector<RuleFigures>& shown = page()->model()->figures();
        QCOMPARE(shown.size(), std::size_t(128));
        const auto expected = ruleFigures(builtInRules(), draws, DrawSpan{30, 80});
        for (std::size_t r = 0; r < shown.size(); ++r) {
            QCOMPARE(shown[r].right, (*expected)[r].right);
            QCOMPARE(shown[r].adjustedPValue, (*expected)[r].adjustedPValue);
        }
        QVERIFY(page()->status()->text().startsWith(QString::fromUtf8("近 50 期：128 条规则")));
        QVERIFY(!page()->progress()->isVisible());

        // The chart of 万位 冷号 1 个 over the 50 draws, rolling over 10.
        page()->rollingWidth()->setCurrentIndex(0);
        clickRule(0);
        settle(page()->seriesWork());
        const std::vector<SeriesChart::Series>& series = page()->chart()->series();
        QCOMPARE(series.size(), std::size_t(2));
        QCOMPARE(series[0].values.size(), std::size_t(50 - 9));  // from the first full stretch of 10
        for (double chance : series[1].values) QCOMPARE(chance, 90.0);
        const auto kills = ruleKills(builtInRules()[0], draws, 30, 80);
        const auto points =
            rollingHitRate(ruleOutcomes(RuleFamily::Pos1, kills, draws, DrawSpan{30, 80}), 10);
        QCOMPARE(series[0].values.back(), 100.0 * points.back().hitRate);

        // Sorting by 校正p值 orders the rows by the figure, not its text.
        page()->table()->horizontalHeader()->setSortIndicator(RuleTableModel::AdjustedPValue,
                                                              Qt::AscendingOrder);
        double last = 0;
        for (int r = 0; r < page()->proxy()->rowCount(); ++r) {
            const double p =
                page()->proxy()->index(r, RuleTableModel::AdjustedPValue).data(kSortRole).toDouble();
            QVERIFY(p >= last);
            last = p;
        }
    }

    void aNewRangeDropsTheOldWorkAndCancelStopsIt() {
        keepDraws(randomDraws(60, 5));
        BackgroundWork* work = page()->figuresWork();
        QSignalSpy delivered(work, &BackgroundWork::done);
        {
            PoolHold hold(work->pool());
            showRulesPage();  // the figures over 全部 wait behind the hold
            QVERIFY(work->running());
            QCOMPARE(page()->progress()->isVisible(), true);
            w->history().setRange(DrawRange::newest(20));  // another range: those are dropped
            QVERIFY(work->running());
            hold.release();
            settle(work);
        }
        QCOMPARE(delivered.count(), 1);  // the newest job's only
        QCOMPARE(page()->model()->figures().front().judged, std::size_t(20));

        // 取消 while the figures wait: nothing is delivered, and the page says so.
        QSignalSpy cancelled(work, &BackgroundWork::cancelled);
        {
            PoolHold hold(work->pool());
            auto* compute = find<QPushButton>("rulesComputeButton");
            click(compute);  // 重新计算
            QCOMPARE(compute->text(), QString::fromUtf8("取消"));
            click(compute);
            QCOMPARE(cancelled.count(), 1);
            QVERIFY(!work->running());
            QCOMPARE(compute->text(), QString::fromUtf8("重新计算"));
            QVERIFY(page()->status()->text().contains(QString::fromUtf8("已取消")));
            QVERIFY(!page()->progress()->isVisible());
        }
        work->pool()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(delivered.count(), 1);
    }

    void ownFormulasAreCheckedKeptAndRemovedOnARealQuestion() {
        // Real message boxes: the window brings its own.
        w = openWindow(WindowServices{nullptr, clipboard.get(), files.get(), {}});
        w->keepPanelIn(DataFolder{true, dir->path(), {}});
        keepDraws(randomDraws(30, 9));
        showRulesPage();
        auto* formula = find<QLineEdit>("ownRuleFormula");
        page()->ownFamily()->setCurrentIndex(static_cast<int>(RuleFamily::Span));
        {
            ModalAnswers ok("确定");
            formula->setText(QStringLiteral("3*d9 + 1"));
            click(find("addOwnRuleButton"));
            QCOMPARE(ok.texts.size(), 1);
            QVERIFY(ok.texts[0].startsWith(QString::fromUtf8("公式有误")));
        }
        QCOMPARE(page()->model()->rowCount(), 128);
        formula->setText(QStringLiteral("3*d1 + d5 + 7"));
        click(find("addOwnRuleButton"));
        QCOMPARE(page()->model()->rowCount(), 129);
        QVERIFY(formula->text().isEmpty());
        const KillRule own = page()->ownRules().front();
        QCOMPARE(killRuleCaption(own), std::string("跨度 公式 3*d1 + d5 + 7"));
        QCOMPARE(page()->chosenRule(), 128);
        QCOMPARE(OwnRulesFile(ownRulesPath(DataFolder{true, dir->path(), {}})).load(),
                 std::vector<KillRule>{own});

        // The next window on the folder lists it again.
        {
            auto again = std::make_unique<MainWindow>(services());
            again->keepPanelIn(DataFolder{true, dir->path(), {}});
            QCOMPARE(again->pages().rulesPage()->ownRules(), std::vector<KillRule>{own});
        }

        ModalAnswers yes("是");
        click(find("removeOwnRuleButton"));
        QCOMPARE(yes.texts.size(), 1);
        QCOMPARE(yes.texts[0], QString::fromUtf8("删除自编公式“跨度 公式 3*d1 + d5 + 7”？"));
        QCOMPARE(page()->model()->rowCount(), 128);
        QVERIFY(OwnRulesFile(ownRulesPath(DataFolder{true, dir->path(), {}})).load().empty());
    }

    void theWalkStandsBesideTodaysCheck() {
        const std::vector<std::uint32_t> draws = randomDraws(120, 11);
        keepDraws(draws);
        w->history().setRange(DrawRange::newest(60));
        useRule(kRepeatPos1);
        useRule({RuleFamily::Any, RuleKind::Cold, 1, 0, {}});
        w->pages().showBacktestPage();
        click(w->backtestPage()->tables()->walkButton());
        WalkPanel* walk = w->backtestPage()->walk();
        QVERIFY(walk->isVisible());
        QVERIFY(!w->backtestPage()->tables()->drawTable()->isVisible());
        settle(walk->work());

        const auto report = walkForward(w->panel().scheme(), {}, draws, DrawSpan{60, 120});
        QCOMPARE(walk->walkFigures()->kept, report->summary.kept);
        QCOMPARE(walk->walkFigures()->cost, report->summary.cost);
        // Today's check: every draw against the run of the panel as it stands.
        w->panel().startRun();
        const std::vector<std::uint32_t>& result = w->panel().results();
        std::size_t kept = 0;
        for (std::size_t t = 60; t < 120; ++t)
            kept += std::binary_search(result.begin(), result.end(), draws[t]);
        QCOMPARE(walk->todayFigures()->kept, kept);
        QCOMPARE(walk->todayFigures()->cost, result.size() * 60 * kPriceYuan);
        QCOMPARE(walk->table()->item(1, 2)->text(), QStringLiteral("%1/60").arg(report->summary.kept));
        QCOMPARE(walk->table()->item(8, 1)->text(), QStringLiteral("50.00%"));
        const std::vector<SeriesChart::Series>& series = walk->chart()->series();
        QCOMPARE(series[0].values.back(), double(report->summary.cost));
        QCOMPARE(series[1].values.back(), double(report->summary.prize));

        // A change of the panel while it shows walks again; the same panel does not.
        QSignalSpy delivered(walk->work(), &BackgroundWork::done);
        walk->panelChanged();
        QVERIFY(!walk->walking());
        auto* upper = member<QLineEdit>("txtWrong", 1);  // beside the page, in the result area
        click(upper);
        upper->selectAll();
        QTest::keyClicks(upper, QStringLiteral("1"));
        QVERIFY(walk->walking());
        settle(walk->work());
        QCOMPARE(delivered.count(), 1);
        QVERIFY(walk->walkFigures()->kept >= report->summary.kept);
    }
};

QTEST_MAIN(RulesWindowTest)
#include "rules_window_test.moc"
