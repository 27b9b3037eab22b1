// The dialogs and pages that work on the panel, each on a panel of its own
// (tests/fakes/fake_panel.h): what they read of it, what they change, and
// that a box refusing its text stops them.

#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "analysis/backtest.h"
#include "conditions/run_order.h"
#include "tests/fakes/fake_panel.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/page_backtest.h"
#include "ui/results/result_export.h"
#include "ui/results/stack_dialog.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/scheme_files.h"

using namespace numsift;

namespace {

// Kills every number holding digit ("通杀码"); tolerance 0-0.
Scheme killingDigit(int digit) {
    Scheme s = emptyScheme();
    s.input.digitKill[static_cast<std::size_t>(digit)] = true;
    return s;
}

void writeFile(const QString& path, const std::string& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

std::vector<std::uint32_t> kept(const Scheme& s, const NumberSet& base) {
    return runFilter(s.input, base, s.grouping()).result;
}

}  // namespace

class PanelDialogsTest : public QObject {
    Q_OBJECT

    FakePanel panel;
    RecordingMessages messages;
    ScriptedFileDialogs files;
    QTemporaryDir dir;

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() {
        panel = FakePanel{};
        messages.shown.clear();
        files.results.clear();
    }

    // The panel's scheme and base set are what the stack runs; the chosen
    // numbers go to the panel's result area.
    void stackingRunsThePanelAndAFileOverThePanelsBaseSet() {
        panel.panelScheme = killingDigit(0);
        panel.panelScheme.tolerance = Tolerance{0, 1};
        for (std::uint32_t v : {12345u, 10234u, 99999u, 90909u, 56789u}) panel.baseSet.values.push_back(v);
        std::sort(panel.baseSet.values.begin(), panel.baseSet.values.end());
        const Scheme other = killingDigit(9);
        writeFile(path("nine.json"), saveScheme(other));

        StackDialog dialog(panel, files, messages);
        QVERIFY(dialog.addCurrentPanel());
        QCOMPARE(panel.commits, 1);
        QVERIFY(dialog.addSchemeFrom(path("nine.json")));
        QCOMPARE(dialog.schemeList()->item(0)->text(), QString::fromUtf8("当前条件（容错 0-1）"));
        QVERIFY(dialog.schemes()[0] == panel.panelScheme);
        QVERIFY(dialog.runStack());
        QCOMPARE(dialog.stack()->table.size(), panel.baseSet.size());

        // Kept by both: in both runs' results over the base set.
        dialog.countBox(0)->setValue(2);
        dialog.countBox(1)->setValue(2);
        const std::vector<std::uint32_t> a = kept(panel.panelScheme, panel.baseSet),
                                         b = kept(other, panel.baseSet);
        std::vector<std::uint32_t> both;
        std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
        QVERIFY(!both.empty());
        QVERIFY(dialog.sendResult());
        QCOMPARE(panel.shown.size(), std::size_t(1));
        QVERIFY(panel.shown[0] == both);
    }

    void stackingWaitsForARefusedBoxAndNamesABadFile() {
        StackDialog dialog(panel, files, messages);
        panel.entriesAccepted = false;
        QVERIFY(!dialog.addCurrentPanel());
        QVERIFY(dialog.schemes().empty());

        writeFile(path("bad.json"), "{\"numsift\": 1, \"sumTailKill\": \"x\"}");
        QVERIFY(!dialog.addSchemeFrom(path("bad.json")));
        QVERIFY(messages.shown.back().text.starts_with("方案文件有错误，没有添加："));
        QVERIFY(!dialog.addSchemeFrom(path("none.json")));
        QVERIFY(messages.shown.back().text.starts_with("无法读取方案："));
        QVERIFY(dialog.schemes().empty());
        QVERIFY(!dialog.sendResult());
        QVERIFY(panel.shown.empty());
    }

    // A loaded scheme replaces the panel's as one step named 载入方案; a
    // saved one is the panel's, byte for byte.
    void schemeFilesSaveThePanelAndLoadIntoIt() {
        SchemeFiles schemes(panel, messages, files);
        panel.panelScheme = killingDigit(7);
        QVERIFY(schemes.saveSchemeTo(path("seven.json")));
        QFile saved(path("seven.json"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), saveScheme(panel.panelScheme));

        writeFile(path("three.json"), saveScheme(killingDigit(3)));
        QVERIFY(schemes.loadSchemeFrom(path("three.json")));
        QVERIFY(panel.panelScheme == killingDigit(3));
        QCOMPARE(panel.applied, std::vector<std::string>{"载入方案"});

        writeFile(path("bad.json"), "{\"numsift\": 2}");
        QVERIFY(!schemes.loadSchemeFrom(path("bad.json")));
        QCOMPARE(panel.applied.size(), std::size_t(1));

        // A refused box: no dialog opens.
        panel.entriesAccepted = false;
        QVERIFY(!schemes.saveScheme());
        QVERIFY(!schemes.loadScheme());
        QVERIFY(files.requests.empty());
    }

    // CSV lists each number's failed conditions, which only the run that
    // made the result knows.
    void csvExportNeedsTheResultOfTheLastRun() {
        ResultExport exporter(panel, messages, files);
        panel.run = std::make_unique<RunResult>(runFilter(killingDigit(0).input, NumberSet{}, Tolerance{}));
        panel.result = {11111, 22222};  // a stacked result, not the run's
        QVERIFY(!exporter.exportResultsTo(path("out.csv")));
        QVERIFY(!QFile::exists(path("out.csv")));
        QVERIFY(exporter.exportResultsTo(path("out.txt")));
        QVERIFY(QFile::exists(path("out.txt")));
        panel.result = panel.run->result;
        QVERIFY(exporter.exportResultsTo(path("out.CSV")));
        QVERIFY(QFile::exists(path("out.CSV")));
    }

    // The backtest runs the panel's scheme over its base set; a refused box
    // runs nothing.
    void backtestReadsThePanelAndChangesNothing() {
        PageBacktest page(panel, PageServices{&messages, nullptr, &files});
        panel.panelScheme = killingDigit(0);
        panel.baseSet.values = {12345, 23456, 34567};
        page.draws()->drawsBox()->setPlainText(
            QStringLiteral("2026001 12345\n2026002 10000\n2026003 99999\n"));
        panel.entriesAccepted = false;
        QVERIFY(!page.runBacktest());
        QVERIFY(!page.tables()->report());

        panel.entriesAccepted = true;
        QVERIFY(page.runBacktest());
        const BacktestReport* report = page.tables()->report();
        QVERIFY(report);
        QCOMPARE(report->draws.size(), std::size_t(3));
        // 12345 is in the base set and has no 0; 10000 has; 99999 is not in the base set.
        QVERIFY(report->draws[0].survives);
        QVERIFY(!report->draws[1].survives);
        QVERIFY(!report->draws[2].survives);
        QVERIFY(panel.applied.empty() && panel.shown.empty());
    }
};

QTEST_MAIN(PanelDialogsTest)
#include "panel_dialogs_test.moc"
