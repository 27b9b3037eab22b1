// The groups and the rest of the panel agree: clearing clears the groups,
// the diagnosis and the draw table name the group a number or draw failed
// with its tolerance, the group editor says what it does, stacking opens on
// the numbers every scheme keeps and exports them as CSV, and the dialogs'
// tables show whole columns.

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "conditions/condition_id.h"
#include "conditions/scheme.h"
#include "tests/fakes/fake_panel.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/diagnosis_panel.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/page_backtest.h"
#include "ui/conditions/condition_panel.h"
#include "ui/conditions/group_editor.h"
#include "ui/kit/copy_table_view.h"
#include "ui/results/result_area.h"
#include "ui/results/result_export.h"
#include "ui/results/set_stats_dialog.h"
#include "ui/results/stack_dialog.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/panel_rounds.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

ColumnId column(const char* caption) { return *columnOfCaption(caption); }

// 大小比 kept at 2:3 only, in the group 比例 at 0-0; the rest at 0-3.
Scheme ratioInAGroup() {
    Scheme s = emptyScheme();
    s.input.bigSmallRatio.set(2);
    s.input.sumTailKill[0] = true;
    s.tolerance = Tolerance{0, 3};
    s.groups = {ToleranceGroup{"比例", Tolerance{0, 0}, {column("大小比")}}};
    return s;
}

// Every column of view shows whole: as wide as its header and its cells
// want, and all of them inside the view without scrolling sideways.
void expectWholeColumns(QTableView* view) {
    QHeaderView* header = view->horizontalHeader();
    int total = 0;
    for (int c = 0; c < header->count(); ++c) {
        const int wanted =
            std::max(header->sectionSizeHint(c), static_cast<QAbstractItemView*>(view)->sizeHintForColumn(c));
        QVERIFY2(
            header->sectionSize(c) >= wanted,
            qPrintable(QStringLiteral("column %1: %2 < %3").arg(c).arg(header->sectionSize(c)).arg(wanted)));
        total += header->sectionSize(c);
    }
    QVERIFY2(total <= view->viewport()->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(total).arg(view->viewport()->width())));
}

}  // namespace

class PanelAgreementTest : public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() { newDoubles(); }

    // After clearing, a visible 万位0 kill at 0-0 kills what it says: no old
    // group holds 定位杀 at a tolerance of its own.
    void clearingAllConditionsClearsTheGroupsInOneStep() {
        openWindow();
        Scheme s = emptyScheme();
        s.input.positionalKill[0][1] = true;
        s.groups = {ToleranceGroup{"定位", Tolerance{0, 1}, {column("定位杀")}}};
        w->panel().applyScheme(s, "载入方案");
        click(member("cmdFilter", 2));
        QVERIFY(w->conditions().toleranceGroups().empty());
        QCOMPARE(w->resultArea()->groupButton()->text(), u("分组"));
        click(member("chkDW", 0));
        click(member("cmdFilter", 0));
        QCOMPARE(w->panel().results().size(), std::size_t(90000));

        // Clearing was one step: two undos give back the groups and 万位1.
        QVERIFY(w->rounds().undo() && w->rounds().undo());
        QCOMPARE(saveScheme(w->panel().scheme()), saveScheme(s));
    }

    void theDiagnosisAndTheDrawTableNameTheGroupAndItsTolerance() {
        FakePanel panel;
        panel.panelScheme = ratioInAGroup();
        PageBacktest page(panel, PageServices{messages.get(), clipboard.get(), files.get()});

        // 13579 has three big digits: 大小比 fails its group at 0-0, though the
        // panel's own tolerance 0-3 would take one fail. 12389 is 2:3, sum 23.
        DiagnosisPanel* diagnosis = page.findChild<DiagnosisPanel*>();
        QVERIFY(diagnosis);
        diagnosis->explainNumber(13579);
        QCOMPARE(diagnosis->explainLabel()->text(),
                 u("13579：淘汰。分组“比例”错误 1 项（大小比），超出其容错 0-0"));
        QTableWidget* checks = diagnosis->explainTable();
        QCOMPARE(checks->rowCount(), 2);
        QCOMPARE(checks->item(0, 2)->text(), u("通过"));
        QCOMPARE(checks->item(1, 2)->text(), u("未通过（比例 0-0）"));
        diagnosis->explainNumber(12389);
        QCOMPARE(diagnosis->explainLabel()->text(), u("12389：保留。错误 0/2 项，每个分组都在其容错内"));

        page.draws()->drawsBox()->setPlainText(u("2026001 13579\n2026002 12389\n"));
        QVERIFY(page.runBacktest());
        QAbstractItemModel* draws = page.tables()->drawTable()->model();
        QStringList verdicts;
        for (int row = 0; row < draws->rowCount(); ++row) verdicts << draws->index(row, 3).data().toString();
        verdicts.sort();
        QCOMPARE(verdicts, QStringList({u("保留"), u("淘汰（比例 0-0）")}));
    }

    void theGroupEditorExplainsItselfAndWhatItDoesToATolerance() {
        // No condition: the list is empty, and the editor says why.
        GroupEditor empty({}, {}, *messages);
        empty.show();
        QVERIFY(empty.emptyNote()->isVisible());
        QVERIFY(empty.emptyNote()->text().contains(u("没有设置任何条件")));
        QVERIFY(empty.explanation()->isVisible());
        QCOMPARE(empty.explanation()->text().count(u("。")), 2);
        QVERIFY(empty.explanation()->text().contains(u("例如")));

        GroupEditor editor({}, {column("杀和尾"), column("上山")}, *messages);
        editor.show();
        QVERIFY(!editor.emptyNote()->isVisible());
        editor.addButton()->click();
        QVERIFY(!editor.toleranceNote()->isVisible());
        editor.toleranceEdit(0)->setText(QStringLiteral("3"));
        editor.toleranceEdit(1)->setText(QStringLiteral("1"));
        QVERIFY(editor.toleranceNote()->isVisible());
        QCOMPARE(editor.toleranceNote()->text(), u("下限大于上限，将按 1-1 计"));
        editor.conditionList()->item(0)->setCheckState(Qt::Checked);
        editor.accept();
        QCOMPARE(editor.groups().at(0).tolerance, (Tolerance{1, 1}));
        editor.toleranceEdit(1)->setText(QStringLiteral("4"));
        QVERIFY(!editor.toleranceNote()->isVisible());
    }

    void stackingOpensOnTheNumbersEverySchemeKeepsAndExportsThemAsCsv() {
        openWindow();
        Scheme a = emptyScheme();
        a.input.sumTailKill[3] = true;
        w->panel().applyScheme(a, "载入方案");
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("stack.csv"));
        std::vector<std::uint32_t> sent;
        QTimer::singleShot(0, qApp, [&] {
            auto* d = qobject_cast<StackDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            QVERIFY(d->addCurrentPanel() && d->addCurrentPanel() && d->addCurrentPanel());
            // The range opens as 3-3: the numbers all three keep.
            QCOMPARE(d->countBox(0)->value(), 3);
            QCOMPARE(d->countBox(1)->value(), 3);
            QVERIFY(d->runStack());
            expectWholeColumns(d->histogramTable());
            d->countBox(0)->setValue(0);
            sent = d->chosenNumbers();
            QVERIFY(d->sendResult());
            d->accept();
        });
        w->showStacking();
        QCOMPARE(sent.size(), std::size_t(kNumberSpace));
        QVERIFY(w->panel().results() == sent);

        QVERIFY(w->resultExport().exportResultsTo(csv));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines[0], QByteArray("\xEF\xBB\xBF") + u("号码,被几个方案保留\r").toUtf8());
        QCOMPARE(lines[1], QByteArray("\"=\"\"00000\"\"\",3\r"));  // sum tail 0: kept by all
        QCOMPARE(lines[4], QByteArray("\"=\"\"00003\"\"\",0\r"));  // sum tail 3: by none
        QCOMPARE(lines.size(), int(kNumberSpace) + 2);

        // A result that has moved on since (a group selection) is not listed as stacked.
        click(member("cmdFilter", 1));
        QVERIFY(!w->resultExport().exportResultsTo(dir.filePath(QStringLiteral("g.csv"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("g.csv"))));
    }

    void theResultStatisticsShowWholeColumns() {
        SetStatsDialog dialog({12345, 13579, 24680}, *clipboard, *messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        expectWholeColumns(dialog.findChild<QTableView*>(QStringLiteral("statsTable")));
    }
};

QTEST_MAIN(PanelAgreementTest)
#include "panel_agreement_test.moc"
