// A tick of the condition panel as one undo step, with 100,000 numbers in
// the base set: ticking a box, taking it into a step, undoing and redoing
// it. A step holds only the box, so the base set costs nothing here.
// Runs in the window benchmark program (window_bench.cpp has its main).

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <string>

#include "engine/number.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/sets/page_base.h"
#include "ui/shell/main_window.h"
#include "ui/shell/panel_history.h"
#include "ui/shell/panel_rounds.h"

using namespace numsift;

namespace {

void BM_TickUndoRedoBeside100000InTheBaseSet(benchmark::State& state) {
    RecordingMessages messages;
    MemoryClipboard clipboard;
    MainWindow w(WindowServices{&messages, &clipboard, nullptr, {}});
    w.show();
    std::string all;
    for (std::uint32_t n = 0; n < kNumberSpace; ++n) all += numberText(n) + ' ';
    w.basePage()->setBaseText(all);
    PanelHistory& history = w.rounds().history();
    history.settle();
    auto* box = w.findChild<QCheckBox*>(QStringLiteral("chkDW_13"));
    for (auto _ : state) {
        box->setChecked(!box->isChecked());
        history.settle();
        history.undo();
        history.redo();
    }
    if (w.numberSets().base().size() != kNumberSpace) state.SkipWithError("the base set changed");
}
BENCHMARK(BM_TickUndoRedoBeside100000InTheBaseSet)->Unit(benchmark::kMicrosecond);

}  // namespace
