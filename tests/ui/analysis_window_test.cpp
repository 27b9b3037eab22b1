// Schemes, export and the backtest page driven through the window.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

#include "analysis/backtest.h"
#include "conditions/entry_syntax.h"
#include "conditions/run_order.h"
#include "controls/entry_box.h"
#include "controls/select_button.h"
#include "tests/fakes/platform_fakes.h"
#include "results/result_copy.h"
#include "ui/shell/app_setup.h"
#include "ui/kit/copy_table_view.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_backtest.h"
#include "ui/shell/scheme_files.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/diagnosis_panel.h"
#include "ui/analysis/draws_panel.h"
#include "ui/conditions/condition_panel.h"
#include "ui/results/result_export.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

class AnalysisWindowTest : public WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString path(const char* name) const { return dir->filePath(QString::fromUtf8(name)); }

    // A dozen conditions set through the controls, tolerance 0-1.
    void setSomeConditions() {
        member<QCheckBox>("chkDW", 3)->setChecked(true);
        member<QCheckBox>("chkDW", 47)->setChecked(true);
        member<QCheckBox>("chkHKD", 0)->setChecked(true);
        member<QCheckBox>("chkHKD", 19)->setChecked(true);
        member<QCheckBox>("chkHKD", 24)->setChecked(true);
        member<QCheckBox>("chkDX", 0)->setChecked(true);
        member<QCheckBox>("chk012", 0)->setChecked(true);
        member<QCheckBox>("chkEx", 2)->setChecked(true);
        click(member("cmdBi", 2));
        click(member("cmdBi", 20));
        FilterInput in = w->conditions().filterInput();
        in.compound.killTwo.text = "12 34";
        in.compound.positional.text = "9***9";
        in.straightKill.text = "12345 54321";
        w->conditions().setFilterInput(in);
        w->conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("1"));
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        newDoubles();
        openWindow();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        w.reset();
        dir.reset();
    }

    void extrasKeepTheWindowsPlaces() {
        // The menu button stands beside the tab strip: the client keeps its size.
        QCOMPARE(w->centralWidget()->height(), 724);
        QCOMPARE(find("fraTab_1")->geometry(), QRect(2, 37, 797, 621));
        QCOMPARE(member("cmdTab", 0)->geometry().x(), 818);
        QCOMPARE(find("backtestTab")->geometry(), QRect(880, 0, 63, 25));
        QVERIFY(find("backtestTab")->geometry().right() < find("fraButton")->width());
    }

    void schemeRoundTripGivesTheSameRun() {
        setSomeConditions();
        const FilterInput before = w->conditions().filterInput();
        w->panel().startRun();
        const std::vector<std::uint32_t> first = w->panel().results();
        QVERIFY(!first.empty());
        QVERIFY(first.size() < 100000);

        choose(path("mine"));  // the suffix is added
        QVERIFY(w->schemeFiles().saveScheme());
        QCOMPARE(files->requests.back().filter, std::string("方案文件|*.json"));
        QVERIFY(files->requests.back().save);
        QVERIFY(QFile::exists(path("mine.json")));
        QCOMPARE(messages->shown.back().icon, MessageIcon::Information);

        w->panel().clearAllConditions();
        w->conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("0"));
        w->panel().startRun();
        QCOMPARE(w->panel().results().size(), std::size_t(100000));

        choose(path("mine.json"));
        QVERIFY(w->schemeFiles().loadScheme());
        QVERIFY(w->conditions().filterInput() == before);
        QCOMPARE(w->conditions().toleranceText(0), QStringLiteral("0"));
        QCOMPARE(w->conditions().toleranceText(1), QStringLiteral("1"));
        QVERIFY(member<QCheckBox>("chkDW", 47)->isChecked());
        QVERIFY(member<SelectButton>("cmdBi", 20)->isSelected());
        w->panel().startRun();
        QVERIFY(w->panel().results() == first);

        // Saving the loaded state again writes the same file.
        QVERIFY(w->schemeFiles().saveSchemeTo(path("again.json")));
        QCOMPARE(readAll(path("again.json")), readAll(path("mine.json")));
    }

    void loadingClearsWhatTheSchemeLeavesOut() {
        setSomeConditions();
        writeFile(path("small.json"),
                  R"({"numsift": 1, "sumTailKill": "5", "compound": {"kill2": "45,67"}})");
        QVERIFY(w->schemeFiles().loadSchemeFrom(path("small.json")));
        const FilterInput in = w->conditions().filterInput();
        QVERIFY(in.sumTailKill[5] && !in.sumTailKill[0]);
        QVERIFY(!member<QCheckBox>("chkDW", 3)->isChecked());
        QVERIFY(!member<SelectButton>("cmdBi", 2)->isSelected());
        QVERIFY(in.shapeKill.none() && in.roadKill.none());
        QCOMPARE(member<EntryBox>("txtCompose", 1)->toPlainText(), QStringLiteral("45 67"));
        QVERIFY(countsAsEmpty(in.compound.positional));
        QVERIFY(countsAsEmpty(in.straightKill));
        QCOMPARE(w->conditions().toleranceText(0), QStringLiteral("0"));
        QCOMPARE(w->conditions().toleranceText(1), QStringLiteral("0"));
    }

    void schemeWithAnErrorChangesNothing() {
        setSomeConditions();
        w->conditions().setToleranceTexts(QStringLiteral("1"), QStringLiteral("2"));
        const FilterInput before = w->conditions().filterInput();
        writeFile(
            path("bad.json"),
            R"({"numsift": 1, "tolerance": [0, 3], "sumTailKill": "9", "roadKill": ["00000", "01203"]})");
        choose(path("bad.json"));
        QVERIFY(!w->schemeFiles().loadScheme());
        QCOMPARE(messages->shown.size(), std::size_t(1));
        const Message& m = messages->shown.back();
        QCOMPARE(m.title, std::string("导入提示"));
        QCOMPARE(m.icon, MessageIcon::Exclamation);
        QVERIFY(m.text.find("roadKill") != std::string::npos);
        QVERIFY(m.text.find("01203") != std::string::npos);
        QVERIFY(w->conditions().filterInput() == before);
        QCOMPARE(w->conditions().toleranceText(0), QStringLiteral("1"));
        QCOMPARE(w->conditions().toleranceText(1), QStringLiteral("2"));

        // Not JSON at all, and a file that is not there.
        writeFile(path("junk.json"), QByteArray("\xFF\xFE{{{", 5));
        QVERIFY(!w->schemeFiles().loadSchemeFrom(path("junk.json")));
        QVERIFY(!w->schemeFiles().loadSchemeFrom(path("none.json")));
        QCOMPARE(messages->shown.size(), std::size_t(3));
        QVERIFY(w->conditions().filterInput() == before);

        // A cancelled dialog does nothing and says nothing.
        QVERIFY(!w->schemeFiles().loadScheme());
        QCOMPARE(messages->shown.size(), std::size_t(3));
    }

    void exportWritesTheCopyAllText() {
        QVERIFY(!w->resultExport().exportResults());  // nothing run yet
        QCOMPARE(messages->shown.back().text, std::string(kNoResultMessage));
        QVERIFY(files->requests.empty());

        member<QCheckBox>("chkHKD", 20)->setChecked(true);  // every number holding a 0
        w->panel().startRun();
        QCOMPARE(w->panel().results().size(), std::size_t(59049));
        choose(path("out"));
        QVERIFY(w->resultExport().exportResults());
        QCOMPARE(files->requests.back().filter, std::string(kExportFilter));
        const ResultData data(w->panel().results());
        QCOMPARE(readAll(path("out.txt")),
                 QByteArray::fromStdString(BuildCopyResult(data, 0, data.count() - 1, kAllCopyWidth)));
        QVERIFY(readAll(path("out.txt")).startsWith("11111 11112 "));
    }

    void exportFailureLeavesNoFile() {
        w->panel().startRun();  // all 100,000 numbers
        // A folder that does not exist.
        const QString lost = path("no/such/folder/out.txt");
        QVERIFY(!w->resultExport().exportResultsTo(lost));
        QCOMPARE(messages->shown.back().icon, MessageIcon::Exclamation);
        QVERIFY(messages->shown.back().text.find("导出失败") != std::string::npos);
        QVERIFY(!QFile::exists(lost));

        // The disk fills up in the middle of the write: the file size limit
        // makes the writes fail after 64 KiB of the 600 KB text.
        writeFile(path("old.txt"), "older numbers");
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 64 * 1024;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const bool ok = w->resultExport().exportResultsTo(path("old.txt"));
        const bool fresh = w->resultExport().exportResultsTo(path("fresh.txt"));
        QVERIFY(setrlimit(RLIMIT_FSIZE, &saved) == 0);
        QVERIFY(!ok);
        QVERIFY(!fresh);
        QCOMPARE(readAll(path("old.txt")), QByteArray("older numbers"));
        QVERIFY(!QFile::exists(path("fresh.txt")));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("old.txt")});
    }

    // The window the program opens carries the menu: each action does its
    // work on this window's panel and result.
    void menuActionsWorkOnTheWindow() {
        setSomeConditions();
        const FilterInput before = w->conditions().filterInput();
        auto action = [this](const char* name) { return probe::findControl<QAction>(w.get(), u(name)); };
        choose(path("menu.json"));
        action("saveSchemeAction")->trigger();
        QVERIFY(QFile::exists(path("menu.json")));
        w->panel().clearAllConditions();
        choose(path("menu.json"));
        action("loadSchemeAction")->trigger();
        QVERIFY(w->conditions().filterInput() == before);
        w->panel().startRun();
        choose(path("menu.txt"));
        action("exportFileAction")->trigger();
        const ResultData data(w->panel().results());
        QCOMPARE(readAll(path("menu.txt")),
                 QByteArray::fromStdString(BuildCopyResult(data, 0, data.count() - 1, kAllCopyWidth)));
        action("backtestAction")->trigger();
        QVERIFY(find<PageBacktest>("backtestPage")->isVisible());
        QVERIFY(find<SelectButton>("backtestTab")->isSelected());
    }

    void backtestTabShowsThePageAndStepsBack() {
        auto* tab = find<SelectButton>("backtestTab");
        auto* page = find<PageBacktest>("backtestPage");
        QVERIFY(!page->isVisible());
        click(tab);
        QVERIFY(page->isVisible());
        QVERIFY(tab->isSelected());
        QVERIFY(!member<SelectButton>("cmdTab", 1)->isSelected());
        QVERIFY(!find("fraTab_1")->isVisible());
        QVERIFY(find("fraResult")->isVisible());
        click(member("cmdTab", 3));  // the join page hides the result area
        QVERIFY(!page->isVisible());
        QVERIFY(!tab->isSelected());
        click(tab);
        QVERIFY(find("fraResult")->isVisible());
        QVERIFY(!find("fraTab_3")->isVisible());
        w->pages().selectTab(2);  // also without a click
        QVERIFY(!page->isVisible());
        QVERIFY(!tab->isSelected());
        QVERIFY(member<SelectButton>("cmdTab", 2)->isSelected());
    }

    void backtestAgreesWithTheWindowsRun() {
        setSomeConditions();
        w->panel().startRun();
        const std::vector<std::uint32_t> kept = w->panel().results();
        click(find("backtestTab"));
        auto* page = find<PageBacktest>("backtestPage");
        // Two bad lines, a mixed set of formats, and survivors and victims.
        QString text = u("期号 开奖号码\n");
        std::vector<std::uint32_t> values;
        for (std::uint32_t v = 123; v < 100000; v += 4999) values.push_back(v);
        values.push_back(kept[0]);
        values.push_back(kept[kept.size() / 2]);
        int n = 0;
        for (std::uint32_t v : values) {
            const QString digits = QString::fromStdString(numberText(v));
            text += n % 2 ? QStringLiteral("20260%1,%2\n").arg(n).arg(digits)
                          : QStringLiteral("20260%1 %2 %3 %4 %5 %6\n")
                                .arg(n)
                                .arg(digits[0])
                                .arg(digits[1])
                                .arg(digits[2])
                                .arg(digits[3])
                                .arg(digits[4]);
            ++n;
        }
        text += u("2026999 1234\n");
        page->draws()->drawsBox()->setPlainText(text);
        click(find("runBacktestButton"));
        QVERIFY(messages->shown.empty());
        const BacktestReport* r = page->tables()->report();
        QVERIFY(r);
        QCOMPARE(r->draws.size(), values.size());
        std::size_t survived = 0;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const bool inKept = std::binary_search(kept.begin(), kept.end(), values[i]);
            QCOMPARE(r->draws[i].survives, inKept);
            survived += inKept;
        }
        QVERIFY(survived >= 2);
        QVERIFY(survived < values.size());
        QCOMPARE(r->summary.resultSize, kept.size());
        QCOMPARE(r->columns.size(), w->panel().lastRun()->matrix.columnCount());
        // The typed draws were kept before the check.
        QCOMPARE(w->history().store().size(), values.size());
        QVERIFY(page->draws()->drawsNote()->text().contains(u("输入 %1 期：新增 %1 期").arg(values.size())));
        QVERIFY(page->draws()->drawsNote()->text().contains(u("第 1、%1 行").arg(values.size() + 2)));
        QVERIFY(page->tables()->summaryLabel()->text().contains(
            u("保留 %1/%2 期").arg(survived).arg(values.size())));

        // Sorted by fail count, the table shows the kept draws first.
        CopyTableView* table = page->tables()->drawTable();
        QCOMPARE(table->model()->rowCount(), int(values.size()));
        table->sortByColumn(2, Qt::AscendingOrder);
        int last = -1;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const int fails = table->model()->index(row, 2).data().toInt();
            QVERIFY(fails >= last);
            last = fails;
        }
        // Ctrl+C copies the selected rows as shown.
        table->selectRow(0);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(clipboard->content.find('\t') != std::string::npos);
        QVERIFY(clipboard->content.ends_with("\r\n"));
        QCOMPARE(std::count(clipboard->content.begin(), clipboard->content.end(), '\n'), 1);
        // The copy buttons take the whole tables.
        click(find("copyDrawTableButton"));
        QVERIFY(clipboard->content.starts_with("期号\t号码\t错误数\t结果\t未通过的条件\r\n"));
        QVERIFY(clipboard->content.find("验证期数\t" + std::to_string(values.size())) != std::string::npos);
        click(find("copyColumnTableButton"));
        QVERIFY(clipboard->content.starts_with("步骤\t条件\t标记候选"));
        QCOMPARE(std::count(clipboard->content.begin(), clipboard->content.end(), '\n'),
                 int(r->columns.size()) + 1);
    }

    void backtestNeedsDraws() {
        click(find("backtestTab"));
        auto* page = find<PageBacktest>("backtestPage");
        page->draws()->drawsBox()->setPlainText(u("期号 号码\n1234\n"));
        QVERIFY(!page->runBacktest());
        QCOMPARE(messages->shown.size(), std::size_t(1));
        QCOMPARE(messages->shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(messages->shown[0].text.find("第 1、2 行") != std::string::npos);
        QVERIFY(!page->tables()->report());
        QVERIFY(!page->tables()->copyDrawTable());  // nothing to copy yet: told so
        QCOMPARE(messages->shown.size(), std::size_t(2));
        QCOMPARE(clipboard->writes, 0);
    }

    void importReadsChineseWindowsFiles() {
        click(find("backtestTab"));
        auto* page = find<PageBacktest>("backtestPage");
        // GB18030 text: "第2026120期 35789", a header line "开奖".
        writeFile(path("draws.txt"), QByteArray("\xBF\xAA\xBD\xB1\r\n\xB5\xDA"
                                                "2026120\xC6\xDA 35789\r\n54321\r\n"));
        choose(path("draws.txt"));
        click(find("importDrawsButton"));
        QCOMPARE(files->requests.back().filter,
                 std::string("开奖文件|*.txt;*.csv|CSV 文件|*.csv|所有文件|*"));
        QVERIFY(!files->requests.back().save);
        // The numbered draw is kept; the report names the lines not kept.
        QCOMPARE(page->draws()->drawsBox()->toPlainText(), u("2026120 35789\n"));
        const QString report = u("导入 1 期：新增 1 期，已有 0 期，冲突 0 期，无法读取 2 行（第 1、3 行）。");
        QCOMPARE(page->draws()->drawsNote()->text(), report);
        QCOMPARE(messages->shown.size(), std::size_t(1));
        QVERIFY(messages->shown[0].text.starts_with(report.toStdString()));
        QVERIFY(page->runBacktest());
        QCOMPARE(page->tables()->report()->draws[0].label, std::string("2026120"));

        QVERIFY(!page->draws()->importDraws());  // cancelled: the box keeps its text
        QVERIFY(page->draws()->drawsBox()->toPlainText().contains(u("35789")));
        choose(path("missing.txt"));
        QVERIFY(!page->draws()->importDraws());
        QCOMPARE(messages->shown.back().title, std::string("导入提示"));
        // A file without any draw is refused and the draws stay.
        const std::size_t before = messages->shown.size();
        writeFile(path("empty.txt"), QByteArray());
        writeFile(path("header.txt"), QByteArray("期号 开奖号码\r\n1234\r\n"));
        for (const char* name : {"empty.txt", "header.txt"}) {
            choose(path(name));
            click(find("importDrawsButton"));
            QCOMPARE(page->draws()->drawsBox()->toPlainText(), u("2026120 35789\n"));
        }
        QCOMPARE(messages->shown.size(), before + 2);
        for (std::size_t i = before; i < messages->shown.size(); ++i) {
            const Message& m = messages->shown[i];
            QCOMPARE(m.title, std::string("导入提示"));
            QCOMPARE(m.icon, MessageIcon::Exclamation);
            QCOMPARE(m.buttons, MessageButtons::Ok);
            QVERIFY(m.text.starts_with("选择的文件里没有开奖号码，历史开奖保持不变。"));
        }
        QVERIFY(messages->shown.back().text.ends_with("第 1、2 行"));
        // 清空 empties the box and says the history stays; 放回 brings it back.
        click(find("clearDrawsButton"));
        QVERIFY(page->draws()->drawsBox()->toPlainText().isEmpty());
        QCOMPARE(page->draws()->drawsNote()->text(),
                 u("已清空框内的号码。保存的开奖历史（1 期）没有改变，点【放回】放回框内。"));
        QCOMPARE(w->history().store().size(), std::size_t(1));
        click(find("restoreDrawsButton"));
        QCOMPARE(page->draws()->drawsBox()->toPlainText(), u("2026120 35789\n"));
    }

    void diagnosisOfTypedAndDoubleClickedNumbers() {
        member<QCheckBox>("chkHKD", 20)->setChecked(true);  // 通杀码 0
        member<QCheckBox>("chkHKD", 0)->setChecked(true);   // 杀和尾 0
        w->conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("1"));
        click(find("backtestTab"));
        auto* page = find<PageBacktest>("backtestPage");
        auto* box = find<QLineEdit>("explainBox");

        box->setText(QStringLiteral("10009"));  // holds 0, sum 10: both fail
        click(find("explainButton"));
        QVERIFY(page->diagnosis()->explanation());
        QCOMPARE(page->diagnosis()->explanation()->failCount, 2);
        QVERIFY(!page->diagnosis()->explanation()->survives);
        QCOMPARE(page->diagnosis()->explainTable()->rowCount(), 2);
        QVERIFY(page->diagnosis()->explainLabel()->text().startsWith(u("10009：淘汰")));

        box->setText(QStringLiteral(" 12345 "));  // fails none
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(page->diagnosis()->explanation()->failCount, 0);
        QVERIFY(page->diagnosis()->explanation()->survives);
        QCOMPARE(box->text(), QStringLiteral("12345"));
        click(find("copyExplanationButton"));
        QVERIFY(clipboard->content.starts_with("号码\t12345\r\n"));

        box->setText(QStringLiteral("1234"));
        click(find("explainButton"));
        QCOMPARE(messages->shown.back().icon, MessageIcon::Exclamation);
        QCOMPARE(page->diagnosis()->explanation()->value, 12345u);  // the last diagnosis stays

        // A base set without the number: within tolerance, still not kept.
        w->numberSets().parse("11111 22222", ParseTarget::Base, false);
        box->setText(QStringLiteral("12345"));
        click(find("explainButton"));
        QVERIFY(!page->diagnosis()->explanation()->inBase);
        QVERIFY(!page->diagnosis()->explanation()->survives);
        QVERIFY(page->diagnosis()->explainLabel()->text().contains(u("不在大底中")));

        // Double-clicking a draw diagnoses it.
        page->draws()->drawsBox()->setPlainText(QStringLiteral("a 22222\nb 11111\n"));
        QVERIFY(page->runBacktest());
        CopyTableView* table = page->tables()->drawTable();
        const QRect cell = table->visualRect(table->model()->index(1, 1));
        // The view acts on a double click only at the index the press chose.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(page->diagnosis()->explanation()->value, 11111u);
        QVERIFY(page->diagnosis()->explanation()->inBase);
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
