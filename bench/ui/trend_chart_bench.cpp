// The trend chart with 10,000 draws: painting a full screen into an image,
// a scroll by one row (what came into view only), building its rows and
// figures after the history changed, and a change of the history's range
// in the window: the figures counted again, the chart re-tinted and
// repainted and every omission figure on page 1 repainted. Runs in the
// window benchmark program (its main creates the QApplication).

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <random>

#include "analysis/draw_history.h"
#include "analysis/omission_stats.h"
#include "engine/number.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_trend.h"
#include "ui/analysis/trend_chart.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"

#include <QAction>

using namespace numsift;

namespace {

std::vector<std::uint32_t> randomDraws(std::size_t n) {
    std::mt19937 rng(2026);
    std::vector<std::uint32_t> draws(n);
    for (auto& v : draws) v = rng() % 100000;
    return draws;
}

struct ChartFixture {
    std::vector<std::uint32_t> draws = randomDraws(10000);
    TrendChart chart;

    ChartFixture() {
        // The chart page's size in the window.
        chart.resize(1003, 651);
        std::vector<std::string> issues;
        for (std::size_t i = 0; i < draws.size(); ++i) issues.push_back(std::to_string(2000001 + i));
        chart.setDraws(std::move(issues), TrendTable(draws), omissionStats(draws));
    }
};

void BM_RangeChangeRetintsChartAndFigures(benchmark::State& state) {
    RecordingMessages messages;
    MemoryClipboard clipboard;
    MainWindow w(WindowServices{&messages, &clipboard, nullptr, {}});
    std::string text;
    const std::vector<std::uint32_t> draws = randomDraws(10000);
    for (std::size_t i = 0; i < draws.size(); ++i)
        text += std::to_string(2000001 + i) + " " + numberText(draws[i]) + "\n";
    w.history().merge(parseDraws(text));
    w.show();
    w.showOmissionAction()->setChecked(true);
    TrendChart* chart = w.trendPage()->chart();
    QWidget* page1 = w.pages().page(1);
    QImage chartImage(chart->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QImage pageImage(page1->size(), QImage::Format_ARGB32_Premultiplied);
    bool narrow = false;
    for (auto _ : state) {
        narrow = !narrow;
        w.history().setRange(narrow ? DrawRange::newest(50) : DrawRange::all());
        chart->viewport()->render(&chartImage);
        page1->render(&pageImage);
        benchmark::DoNotOptimize(chartImage.constBits());
        benchmark::DoNotOptimize(pageImage.constBits());
    }
}
BENCHMARK(BM_RangeChangeRetintsChartAndFigures)->Unit(benchmark::kMillisecond);

void BM_TrendChartPaintFullScreen(benchmark::State& state) {
    ChartFixture f;
    QImage image(f.chart.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        f.chart.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = f.chart.rowsPainted() / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TrendChartPaintFullScreen)->Unit(benchmark::kMillisecond);

void BM_TrendChartScrollOneRow(benchmark::State& state) {
    ChartFixture f;
    f.chart.show();
    QCoreApplication::processEvents();
    QScrollBar* bar = f.chart.verticalScrollBar();
    int step = -18;
    f.chart.resetRowsPainted();
    for (auto _ : state) {
        if (bar->value() + step < 0 || bar->value() + step > bar->maximum()) step = -step;
        bar->setValue(bar->value() + step);
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = f.chart.rowsPainted() / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TrendChartScrollOneRow)->Unit(benchmark::kMillisecond);

void BM_TrendRowsAndFigures(benchmark::State& state) {
    const std::vector<std::uint32_t> draws = randomDraws(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        TrendTable table(draws);
        OmissionStats stats = omissionStats(draws);
        benchmark::DoNotOptimize(table.rowCount());
        benchmark::DoNotOptimize(stats.drawCount());
    }
}
BENCHMARK(BM_TrendRowsAndFigures)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
