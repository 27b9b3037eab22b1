// The backtest page with 100,000 past draws in its box: the backtest up to
// filled tables, and a re-sort of the draw table by fail count. Runs in the
// window benchmark program (its main creates the QApplication).

#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include "conditions/captions.h"
#include "engine/number.h"
#include "tests/fakes/fake_panel.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/page_backtest.h"
#include "ui/kit/copy_table_view.h"

using namespace numsift;

namespace {

FilterInput someConditions() {
    FilterInput in;
    in.sumTailKill[0] = in.sumTailKill[5] = true;
    in.spanKill[0] = in.spanKill[1] = true;
    in.digitKill[4] = true;
    in.positionalKill[0][0] = true;
    in.bigSmallKill.set(0);
    in.shapeKill.set(kShapeAAAAA).set(kShapeRun5).set(kShapeUphill);
    in.bigSmallRatio.set(2).set(3);
    in.acKill.set(1);
    return in;
}

QString pastDraws(int n) {
    QString text;
    std::uint32_t x = 7;
    for (int i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        text += QStringLiteral("%1 %2\n")
                    .arg(2000000 + i)
                    .arg(QString::fromStdString(numberText((x >> 8) % kNumberSpace)));
    }
    return text;
}

// The panel: someConditions() at tolerance 0-1 over all numbers.
FakePanel somePanel() {
    FakePanel panel;
    panel.panelScheme.input = someConditions();
    panel.panelScheme.tolerance = Tolerance{0, 1};
    return panel;
}

struct PageFixture {
    RecordingMessages messages;
    MemoryClipboard clipboard;
    FakePanel panel = somePanel();
    PageBacktest page;

    explicit PageFixture(int draws) : page(panel, PageServices{&messages, &clipboard, nullptr}) {
        page.resize(797, 621);
        page.show();
        page.draws()->drawsBox()->setPlainText(pastDraws(draws));
    }
};

void BM_BacktestPage100000Draws(benchmark::State& state) {
    PageFixture f(100000);
    for (auto _ : state) benchmark::DoNotOptimize(f.page.runBacktest());
    state.counters["rows"] = f.page.tables()->drawTable()->model()->rowCount();
}
BENCHMARK(BM_BacktestPage100000Draws)->Unit(benchmark::kMillisecond);

void BM_BacktestPage1000Draws(benchmark::State& state) {
    PageFixture f(1000);
    for (auto _ : state) benchmark::DoNotOptimize(f.page.runBacktest());
}
BENCHMARK(BM_BacktestPage1000Draws)->Unit(benchmark::kMillisecond);

void BM_SortDrawTable100000(benchmark::State& state) {
    PageFixture f(100000);
    f.page.runBacktest();
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        f.page.tables()->drawTable()->sortByColumn(2, order);
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
}
BENCHMARK(BM_SortDrawTable100000)->Unit(benchmark::kMillisecond);

}  // namespace
