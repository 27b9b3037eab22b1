// The window's own costs, offscreen: building it, a run with every condition
// active over all 100,000 numbers up to a filled result area, rebuilding 100
// page buttons, and a page click that copies 1,000 numbers. This file also
// holds the benchmark program's main, which creates the QApplication.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

#include "conditions/filter_input.h"
#include "conditions/hint_texts.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/main_window.h"
#include "ui/results/result_area.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

// Every condition active, yet most numbers survive with tolerance 0 - 37.
FilterInput everyCondition() {
    FilterInput in;
    in.straightKill = {"12345 54321", hints::kStraightKill};
    in.positionalKill[0][0] = true;
    in.sumTailKill[5] = true;
    in.sumValueKill = {"00 45", hints::kSumValue};
    in.spanKill[0] = true;
    in.digitKill[9] = true;
    in.banker[0].digits[1] = true;
    in.banker[0].counts[1] = true;
    in.bigSmallKill.set(*classBoxOfCaption(ClassKind::BigSmall, "小小小小小"));
    in.oddEvenKill.set(*classBoxOfCaption(ClassKind::OddEven, "偶偶偶偶偶"));
    in.primeCompositeKill.set(*classBoxOfCaption(ClassKind::PrimeComposite, "质质质质质"));
    in.roadKill.set(*roadPatternOfCaption("00000"));
    in.shapeKill.set();
    for (RatioSet* ratios : {&in.bigSmallRatio, &in.oddEvenRatio, &in.primeCompositeRatio})
        ratios->set().reset(5);  // every ratio but 5:0
    in.acKill.set().reset(0).reset(6);
    const char* compound[8] = {"17*235*12*789*01", "23", "233", "2406", "01", "012", "0123", "12***"};
    for (std::size_t i = 0; i < 8; ++i) in.compound.*kCompoundBoxes[i] = {compound[i], hints::kCompose[i]};
    return in;
}

struct Window {
    RecordingMessages messages;
    MemoryClipboard clipboard;
    MainWindow w{WindowServices{&messages, &clipboard, nullptr, [](const QString&) { return true; }}};
    Window() {
        w.show();
        QApplication::processEvents();
    }
    void groupSize(const char* text) {
        w.resultArea()->groupSizeBox()->setText(QString::fromLatin1(text));
        w.resultArea()->applyGroupSize();
    }
};

void BM_WindowBuild(benchmark::State& state) {
    for (auto _ : state) {
        Window win;
        benchmark::DoNotOptimize(&win);
    }
}
BENCHMARK(BM_WindowBuild)->Unit(benchmark::kMillisecond);

void BM_RunEveryConditionToResultArea(benchmark::State& state) {
    Window win;
    win.w.conditions().setFilterInput(everyCondition());
    win.w.conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("37"));
    win.groupSize("1000");
    QPushButton* run = win.w.findChild<QPushButton*>(QStringLiteral("cmdFilter_0"));
    for (auto _ : state) {
        run->click();
        QApplication::processEvents();
    }
    state.counters["results"] = static_cast<double>(win.w.panel().results().size());
    state.counters["buttons"] = win.w.resultArea()->pageButtonCount();
}
BENCHMARK(BM_RunEveryConditionToResultArea)->Unit(benchmark::kMillisecond);

void BM_GroupSizeRebuilds100Buttons(benchmark::State& state) {
    Window win;
    win.w.panel().startRun();  // all 100,000
    bool flip = false;
    for (auto _ : state) {
        // Alternating sizes so that every change rebuilds; 1000 gives 100 buttons.
        win.groupSize(flip ? "1000" : "1001");
        flip = !flip;
        QApplication::processEvents();
    }
    state.counters["buttons"] = win.w.resultArea()->pageButtonCount();
}
BENCHMARK(BM_GroupSizeRebuilds100Buttons)->Unit(benchmark::kMillisecond);

void BM_PageClickCopies1000(benchmark::State& state) {
    Window win;
    win.w.panel().startRun();
    win.groupSize("1000");
    int page = 0;
    for (auto _ : state) {
        win.w.resultArea()->pageButton(page)->click();
        page = (page + 37) % 100;
    }
    state.counters["copied_bytes"] = static_cast<double>(win.clipboard.content.size());
}
BENCHMARK(BM_PageClickCopies1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    setUpApplication(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
