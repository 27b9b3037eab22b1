// The window's parts over grouped tolerance, scheme stacking, result
// statistics, the what-if table and CSV export: each main flow against the
// engine's own answer.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <iterator>

#include "conditions/condition_id.h"
#include "conditions/run_order.h"
#include "conditions/scheme.h"
#include "results/result_csv.h"
#include "results/result_state.h"
#include "tests/fakes/platform_fakes.h"
#include "tests/ui/window_probe.h"
#include "ui/conditions/group_editor.h"
#include "analysis/analysis_text.h"
#include "analysis/condition_items.h"
#include "ui/analysis/copy_table_view.h"
#include "analysis/backtest.h"
#include "analysis/draw_history.h"
#include "analysis/what_if.h"
#include "ui/analysis/page_backtest.h"
#include "ui/results/result_area.h"
#include "ui/results/set_stats_dialog.h"
#include "ui/results/stack_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_platform.h"
#include "ui/shell/scheme_files.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// A panel with five columns: 杀和尾, 通杀码 and the shapes 上山, 下山, 5连.
FilterInput fivePanel() {
    FilterInput in = emptyScheme().input;
    in.sumTailKill[3] = true;
    in.digitKill[9] = true;
    in.shapeKill.set(kShapeUphill);
    in.shapeKill.set(kShapeDownhill);
    in.shapeKill.set(kShapeRun5);
    return in;
}

ColumnId column(const char* caption) { return *columnOfCaption(caption); }

// Runs work on the modal dialog of type T once it is the active modal
// widget, from inside its own event loop.
template <class T>
void whenModal(std::function<void(T&)> work) {
    QTimer::singleShot(0, qApp, [work] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        work(*dialog);
        // A failed check leaves the lambda early: close the dialog so the test ends.
        if (dialog->isVisible()) dialog->reject();
    });
}

int rowOf(QListWidget* list, const QString& prefix) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith(prefix)) return i;
    return -1;
}

void check(QListWidget* list, const char* caption) {
    const int row = rowOf(list, u(caption));
    QVERIFY(row >= 0);
    list->item(row)->setCheckState(Qt::Checked);
}

}  // namespace

class GroupsWindowTest : public QObject {
    Q_OBJECT

    RecordingMessages messages_;
    MemoryClipboard clipboard_;
    ScriptedFileDialogs dialogs_;

    WindowServices services() { return WindowServices{&messages_, &clipboard_, &dialogs_, {}}; }

private slots:
    void init() {
        messages_.shown.clear();
        dialogs_.results.clear();
    }

    void groupsMadeInTheEditorRunAndRoundTripThroughASchemeFile() {
        MainWindow w(services());
        w.setFilterInput(fivePanel());
        w.setToleranceTexts(u("0"), u("0"));
        whenModal<GroupEditor>([](GroupEditor& e) {
            QCOMPARE(e.conditionList()->count(), 5);  // the panel's columns
            e.addButton()->click();
            e.nameEdit()->setText(u("形态"));
            QTest::keyClicks(e.toleranceEdit(1), u("1"));
            check(e.conditionList(), "上山");
            check(e.conditionList(), "5连");
            e.addButton()->click();
            // 5连 is the first group's: shown with its name and not to be ticked here.
            const int taken = rowOf(e.conditionList(), u("5连"));
            QCOMPARE(e.conditionList()->item(taken)->text(), u("5连（形态）"));
            QVERIFY(!(e.conditionList()->item(taken)->flags() & Qt::ItemIsEnabled));
            check(e.conditionList(), "通杀码");
            QTest::keyClicks(e.toleranceEdit(0), u("1"));  // L > U: taken as 0-0
            e.accept();
        });
        QVERIFY(w.editToleranceGroups());
        const std::vector<ToleranceGroup>& groups = w.toleranceGroups();
        QCOMPARE(groups.size(), std::size_t(2));
        QCOMPARE(groups[0].name, std::string("形态"));
        QCOMPARE(groups[0].tolerance, (Tolerance{0, 1}));
        QVERIFY((groups[0].columns == std::vector<ColumnId>{column("上山"), column("5连")}));
        QCOMPARE(groups[1].name, std::string("第1组"));  // the first free default name
        QCOMPARE(groups[1].tolerance, (Tolerance{0, 0}));
        QCOMPARE(w.resultArea()->groupButton()->text(), u("分组2"));

        // 开始缩水 keeps what the engine keeps under the groups, which differs
        // from the plain 0-0 run.
        w.startRun();
        const RunResult grouped = runFilter(fivePanel(), {}, GroupedTolerance(Tolerance{0, 0}, groups));
        const RunResult plain = runFilter(fivePanel(), {}, Tolerance{0, 0});
        QVERIFY(grouped.result != plain.result);
        QVERIFY(w.results() == grouped.result);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.json"));
        QVERIFY(w.schemeFiles().saveSchemeTo(path));
        const std::vector<ToleranceGroup> saved = groups;
        w.setToleranceGroups({});
        QVERIFY(w.schemeFiles().loadSchemeFrom(path));
        QVERIFY(w.toleranceGroups() == saved);

        // A scheme without groups loads none: the old groups do not linger.
        w.setToleranceGroups({});
        QVERIFY(w.schemeFiles().saveSchemeTo(path));
        w.setToleranceGroups(saved);
        QVERIFY(w.schemeFiles().loadSchemeFrom(path));
        QVERIFY(w.toleranceGroups().empty());
        QCOMPARE(w.resultArea()->groupButton()->text(), u("分组"));
    }

    void theEditorRefusesBadGroupsAndCancellingChangesNothing() {
        const std::vector<ColumnId> offered{column("杀和尾"), column("上山")};
        {
            GroupEditor e({}, offered, messages_);
            e.addButton()->click();
            e.accept();  // a group without conditions
            QCOMPARE(e.result(), int(QDialog::Rejected));
            QCOMPARE(messages_.shown.size(), std::size_t(1));
            QCOMPARE(messages_.shown[0].text, std::string("分组“第1组”没有选条件"));
            check(e.conditionList(), "上山");
            e.nameEdit()->setText(u("  "));
            e.accept();
            QCOMPARE(messages_.shown.back().text, std::string("第1个分组没有组名"));
            e.nameEdit()->setText(u(" A"));
            e.addButton()->click();
            e.nameEdit()->setText(u("A"));
            check(e.conditionList(), "杀和尾");
            e.accept();
            QCOMPARE(messages_.shown.back().text, std::string("组名“A”重复了"));
            QVERIFY(e.groups().empty());
        }
        {
            // Eight groups at most.
            std::vector<ToleranceGroup> eight(kMaxToleranceGroups);
            for (std::size_t g = 0; g < eight.size(); ++g) eight[g].name = "g" + std::to_string(g);
            eight[0].columns = {column("上山")};
            GroupEditor e(eight, offered, messages_);
            QVERIFY(!e.addButton()->isEnabled());
            QCOMPARE(e.groupList()->count(), 8);
        }
        {
            // Conditions of a loaded group the panel no longer produces are
            // still offered, so they are not dropped unseen.
            ToleranceGroup g{"A", Tolerance{1, 2}, {column("5连")}};
            MainWindow w(services());
            w.setToleranceGroups({g});
            whenModal<GroupEditor>([](GroupEditor& e) {
                QCOMPARE(e.conditionList()->count(), 1);
                QCOMPARE(e.conditionList()->item(0)->checkState(), Qt::Checked);
                e.removeButton()->click();
                QCOMPARE(e.groupList()->count(), 0);
                e.reject();
            });
            QVERIFY(!w.editToleranceGroups());
            QVERIFY(w.toleranceGroups() == std::vector<ToleranceGroup>{g});
        }
    }

    void aRefusedGroupIsToldInARealMessageBoxAndTheEditorStaysOpen() {
        QWidget owner;
        QtMessageSink real(&owner);
        GroupEditor e({}, {column("上山")}, real);
        QStringList texts;
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        e.addButton()->click();
        QTimer::singleShot(0, qApp, [&texts] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            texts << box->text();
            const QList<QAbstractButton*> buttons = box->buttons();
            QCOMPARE(buttons.size(), qsizetype(1));
            probe::clickCentre(buttons[0]);
        });
        e.accept();
        QCOMPARE(texts, QStringList{u("分组“第1组”没有选条件")});
        QVERIFY(e.isVisible());
        check(e.conditionList(), "上山");
        e.accept();
        QVERIFY(!e.isVisible());
        QCOMPARE(e.groups().size(), std::size_t(1));
    }

    void resultStatisticsCountEachItemOverTheResultOrAPastedList() {
        const std::vector<std::uint32_t> result{12345, 12355, 99999};
        SetStatsDialog d(result, clipboard_, messages_);
        QSortFilterProxyModel* rows = d.sortedModel();
        QCOMPARE(rows->rowCount(), kItemCount);
        QCOMPARE(d.summaryLabel()->text(), u("当前结果：共 3 注"));
        // Every row against a count by hand with hasItem.
        for (int r = 0; r < rows->rowCount(); ++r) {
            const ItemId item = *itemOfKey(rows->index(r, 0).data().toString().toStdString());
            int n = 0;
            for (std::uint32_t v : result) n += hasItem(v, item) ? 1 : 0;
            QCOMPARE(rows->index(r, 2).data().toString(), QString::number(n));
            QCOMPARE(rows->index(r, 3).data().toString(), u(percentText(100.0 * n / 3).c_str()));
        }
        // Sorted by count, largest first, as numbers.
        d.table()->sortByColumn(2, Qt::DescendingOrder);
        for (int r = 1; r < rows->rowCount(); ++r)
            QVERIFY(rows->index(r - 1, 2).data().toString().toInt() >=
                    rows->index(r, 2).data().toString().toInt());
        QCOMPARE(rows->index(0, 2).data().toString(), u("2"));
        QVERIFY(d.copyAll());
        QVERIFY(QString::fromStdString(clipboard_.content).startsWith(u("项目\t名称\t号码数\t占比\r\n")));
        QCOMPARE(QString::fromStdString(clipboard_.content).count(u("\r\n")), kItemCount + 1);

        // A pasted list is counted instead; a box without numbers is refused and
        // the table keeps its figures.
        d.numbersBox()->setPlainText(u("00000\n11111 00000"));
        QVERIFY(d.count());
        QCOMPARE(d.summaryLabel()->text(), u("粘贴的号码：共 2 注"));
        QCOMPARE(d.counts()[positionItem(1, 0)], 1u);
        d.numbersBox()->setPlainText(u("abc"));
        QVERIFY(!d.count());
        QCOMPARE(messages_.shown.back().text, std::string("没有找到五位号码"));
        QCOMPARE(d.counts().numberCount, std::size_t(2));
        d.numbersBox()->clear();
        QVERIFY(d.count());
        QCOMPARE(d.counts().numberCount, std::size_t(3));
    }

    void exportToFileWritesCsvWithEachNumbersFailedConditionsWhenChosen() {
        MainWindow w(services());
        w.setFilterInput(fivePanel());
        w.setToleranceTexts(u("1"), u("1"));
        w.setToleranceGroups({ToleranceGroup{"形态", Tolerance{0, 1}, {column("上山"), column("5连")}}});
        w.startRun();
        QVERIFY(!w.results().empty());
        QTemporaryDir dir;
        // The CSV pair of the save dialog's filter, a name typed without extension.
        dialogs_.results.push_back(
            FileDialogResult{false, dir.filePath(QStringLiteral("r")).toStdString(), "r", 2});
        QVERIFY(w.schemeFiles().exportResults());
        QCOMPARE(dialogs_.requests.back().filter, std::string(kExportFilter));
        QFile file(dir.filePath(QStringLiteral("r.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.toStdString(), resultCsv(*w.lastRun(), "\r\n"));
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));  // UTF-8 with a BOM, for a spreadsheet
        const QString text = QString::fromUtf8(bytes);
        // A line per number, with the group column.
        const QStringList lines = text.split(u("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), qsizetype(w.results().size() + 1));
        QVERIFY(lines[0].startsWith(u("号码,错误数,未通过的条件")));
        QVERIFY(lines[0].endsWith(u(",分组")));
        const std::uint32_t first = w.results()[0];
        const std::size_t firstRow =
            std::find(w.lastRun()->table.values.begin(), w.lastRun()->table.values.end(), first) -
            w.lastRun()->table.values.begin();
        QVERIFY(lines[1].startsWith(QStringLiteral("\"=\"\"%1\"\"\",%2,")
                                        .arg(first, 5, 10, QLatin1Char('0'))
                                        .arg(int(w.lastRun()->failCounts[firstRow]))));

        // The text pair still writes the copy-all text.
        dialogs_.results.push_back(
            FileDialogResult{false, dir.filePath(QStringLiteral("t")).toStdString(), "t", 1});
        QVERIFY(w.schemeFiles().exportResults());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("t.txt"))));

        // A result that is no longer the run's has no failed conditions to list.
        w.resultArea()->state().showRunResult({12345});
        const std::size_t shown = messages_.shown.size();
        QVERIFY(!w.schemeFiles().exportResultsTo(dir.filePath(QStringLiteral("s.csv"))));
        QCOMPARE(messages_.shown.size(), shown + 1);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("s.csv"))));
    }

    void stackingCountsMatchEachSchemeRunAloneAndTheResultLandsInTheResultArea() {
        QTemporaryDir dir;
        Scheme a = emptyScheme();
        a.input.sumTailKill[3] = true;
        a.input.shapeKill.set(kShapeRun5);
        a.tolerance = Tolerance{0, 0};
        const QString aPath = dir.filePath(QStringLiteral("a.json"));
        QFile aFile(aPath);
        QVERIFY(aFile.open(QIODevice::WriteOnly));
        aFile.write(QByteArray::fromStdString(saveScheme(a)));
        aFile.close();
        const QString badPath = dir.filePath(QStringLiteral("bad.json"));
        QFile badFile(badPath);
        QVERIFY(badFile.open(QIODevice::WriteOnly));
        badFile.write("{\"groups\": 3}");
        badFile.close();

        MainWindow w(services());
        w.setFilterInput(fivePanel());
        w.setToleranceTexts(u("0"), u("1"));
        w.setToleranceGroups({ToleranceGroup{"形态", Tolerance{0, 0}, {column("上山")}}});
        const Scheme panel = w.currentScheme();
        QCOMPARE(panel.groups.size(), std::size_t(1));

        // Each scheme alone, and the numbers both keep, by hand.
        const std::vector<std::uint32_t> keptA = runFilter(a.input, {}, a.grouping()).result;
        const std::vector<std::uint32_t> keptPanel = runFilter(panel.input, {}, panel.grouping()).result;
        std::vector<std::uint32_t> both;
        std::set_intersection(keptA.begin(), keptA.end(), keptPanel.begin(), keptPanel.end(),
                              std::back_inserter(both));
        QVERIFY(!both.empty() && both.size() < keptA.size() && both.size() < keptPanel.size());
        const std::size_t either = keptA.size() + keptPanel.size() - both.size();

        dialogs_.results.push_back(FileDialogResult{false, badPath.toStdString(), "bad.json", 1});
        dialogs_.results.push_back(FileDialogResult{false, aPath.toStdString(), "a.json", 1});
        whenModal<StackDialog>([&](StackDialog& d) {
            QVERIFY(!d.addSchemeFile());  // a bad file is refused whole
            QCOMPARE(messages_.shown.back().text.rfind("方案文件有错误，没有添加", 0), std::size_t(0));
            QCOMPARE(d.schemeList()->count(), 0);
            QVERIFY(d.addSchemeFile());
            QVERIFY(!d.runStack());  // one scheme is not a stack
            QVERIFY(d.addCurrentPanel());
            QCOMPARE(d.schemeList()->count(), 2);
            QVERIFY(d.runStack());
            const StackCounts& stack = *d.stack();
            QVERIFY((stack.histogram ==
                     std::vector<std::size_t>{100000 - either, either - both.size(), both.size()}));
            QCOMPARE(d.histogramTable()->rowCount(), 3);
            QCOMPARE(d.histogramTable()->item(2, 1)->text(), QString::number(both.size()));
            QCOMPARE(d.countBox(1)->value(), 2);
            d.countBox(0)->setValue(2);
            QVERIFY(d.chosenNumbers() == both);
            d.countBox(0)->setValue(1);
            QCOMPARE(d.chosenNumbers().size(), either);
            d.countBox(0)->setValue(2);
            QVERIFY(d.sendResult());
            // Removing a scheme makes the counts out of date.
            d.schemeList()->setCurrentRow(0);
            d.removeSelected();
            QVERIFY(!d.stack());
            QVERIFY(!d.sendResult());
            d.accept();
        });
        w.showStacking();
        QVERIFY(w.results() == both);
        // The result area treats it as a run's result.
        clipboard_.content.clear();
        w.resultArea()->state().copyAll();
        QVERIFY(QString::fromStdString(clipboard_.content)
                    .contains(QStringLiteral("%1").arg(both[0], 5, 10, QLatin1Char('0'))));
    }

    void theWhatIfTableShowsTheEnginesFiguresForThePanelAndItsGroups() {
        MainWindow w(services());
        w.setFilterInput(fivePanel());
        w.setToleranceTexts(u("0"), u("1"));
        const std::vector<ToleranceGroup> groups{ToleranceGroup{"形态", Tolerance{0, 0}, {column("5连")}}};
        w.setToleranceGroups(groups);
        PageBacktest* page = w.backtestPage();
        page->drawsBox()->setPlainText(u("2026001 12345\n2026002 00000\n2026003 13579\n2026004 98765\n"));
        QVERIFY(page->runBacktest());
        QVERIFY(page->summaryLabel()->text().contains(u("1 个分组")));

        const FilterInput input = fivePanel();
        const RunResult run = runFilter(input, {}, GroupedTolerance(Tolerance{0, 1}, groups));
        const DrawHistory history = parseDraws(page->drawsBox()->toPlainText().toStdString());
        QCOMPARE(history.draws.size(), std::size_t(4));
        const WhatIf expected = whatIf(run, backtestRun(run, runOrder(), input, history.draws));
        QVERIFY(page->whatIf());
        QCOMPARE(page->whatIf()->bands.size(), expected.bands.size());
        QCOMPARE(page->whatIf()->conditions.size(), expected.conditions.size());
        QVERIFY(page->whatIf()->current == expected.current);
        QVERIFY(!expected.bands.empty());
        QCOMPARE(expected.conditions.size(), std::size_t(5));

        // Row by row: the bands, then each condition switched off.
        QAbstractItemModel* table = page->whatIfTable()->model();
        QCOMPARE(table->rowCount(), int(expected.bands.size() + expected.conditions.size()));
        const auto figuresOf = [table](int row) {
            return QStringList{table->index(row, 2).data().toString(),
                               table->index(row, 4).data().toString()};
        };
        for (std::size_t b = 0; b < expected.bands.size(); ++b) {
            const WhatIfFigures& f = expected.bands[b].figures;
            const int row = static_cast<int>(b);
            QCOMPARE(figuresOf(row),
                     (QStringList{QString::number(f.resultSize), QString::number(f.drawsKept)}));
            QCOMPARE(table->index(row, 1).data().toString().contains(u("（当前）")),
                     expected.bands[b].current);
        }
        for (std::size_t c = 0; c < expected.conditions.size(); ++c) {
            const WhatIfFigures& f = expected.conditions[c].figures;
            const int row = static_cast<int>(expected.bands.size() + c);
            QCOMPARE(table->index(row, 1).data().toString(),
                     u(run.matrix.columns()[expected.conditions[c].column].caption.c_str()));
            QCOMPARE(figuresOf(row),
                     (QStringList{QString::number(f.resultSize), QString::number(f.drawsKept)}));
        }
        // The current band's size is the run's.
        const auto current = std::find_if(expected.bands.begin(), expected.bands.end(),
                                          [](const ToleranceBand& b) { return b.current; });
        QVERIFY(current != expected.bands.end());
        QCOMPARE(current->figures.resultSize, run.result.size());

        // In the condition table's place, and back.
        page->showWhatIf(true);
        QVERIFY(!page->whatIfTable()->isHidden());
        QVERIFY(page->columnTable()->isHidden());
        page->showWhatIf(false);
        QVERIFY(page->whatIfTable()->isHidden());
    }
};

QTEST_MAIN(GroupsWindowTest)
#include "groups_window_test.moc"
