// The result list: filling it with a full result set, and painting it, which
// must cost the same whether it holds ten numbers or 100,000.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <numeric>

#include "controls/cjk_font.h"
#include "controls/result_list.h"

namespace {

std::vector<std::uint32_t> range(std::uint32_t n) {
    std::vector<std::uint32_t> v(n);
    std::iota(v.begin(), v.end(), 0u);
    return v;
}

void BM_ResultListSetData(benchmark::State& state) {
    numsift::ResultList list;
    list.setFont(numsift::cjkFont(9));
    list.resize(240, 600);
    list.show();
    const auto values = range(100000);
    for (auto _ : state) {
        list.SetData(values);
        benchmark::DoNotOptimize(list.totalRows());
    }
}
BENCHMARK(BM_ResultListSetData)->Unit(benchmark::kMillisecond);

// Args: numbers held, rows the list is tall. Renders the list scrolled into
// the middle of its rows; a list of 10 numbers two rows tall and one of
// 100,000 draw the same two lines and should cost the same.
void BM_ResultListPaint(benchmark::State& state) {
    numsift::ResultList list;
    list.setFont(numsift::cjkFont(9));
    list.setBackColor(Qt::white);
    list.resize(240, 100);
    const int rows = static_cast<int>(state.range(1));
    list.resize(240, rows * (list.textHeight() + 4) + 6);
    list.show();
    list.SetData(range(static_cast<std::uint32_t>(state.range(0))));
    list.SetTopIndex(list.totalRows() / 2);
    QImage image(list.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        list.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["lines"] = static_cast<double>(list.visibleLines().size());
}
BENCHMARK(BM_ResultListPaint)
    ->Args({10, 2})
    ->Args({100000, 2})
    ->Args({150, 30})
    ->Args({100000, 30})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
