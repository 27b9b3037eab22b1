// The number boxes with the whole number space: paste, import and a set
// operation, each until the box is laid out, painted and counted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "engine/number_list.h"
#include "tests/fakes/platform_fakes.h"
#include "controls/entry_box.h"
#include "ui/conditions/kill_list_binding.h"
#include "ui/sets/number_box.h"
#include "ui/sets/number_box_binding.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"

using namespace numsift;

namespace {

// All 100,000 numbers, descending, comma and line separated (about 640 KB).
QString allNumbersText() {
    QString s;
    s.reserve(700000);
    for (int v = 99999; v >= 0; --v) {
        s += QString::asprintf("%05d", v);
        s += (v % 10 == 0) ? QLatin1String("\n") : QLatin1String(",");
    }
    return s;
}

struct Fixture {
    NumberSetStore store;
    RecordingMessages messages;
    MemoryClipboard clipboard;
    ScriptedFileDialogs dialogs;
    SetServices services() { return SetServices{&messages, &clipboard, &dialogs, textFileReader()}; }
};

void settle(QWidget* box) {
    QApplication::processEvents();
    box->repaint();
}

void BM_PasteAllIntoBase(benchmark::State& state) {
    Fixture f;
    PageBase page(&f.store, f.services());
    page.show();
    QApplication::setActiveWindow(&page);
    QApplication::processEvents();
    page.txtBase()->setFocus(Qt::TabFocusReason);
    if (!page.txtBase()->hasFocus()) return state.SkipWithError("box has no focus");
    QGuiApplication::clipboard()->setText(allNumbersText());
    for (auto _ : state) {
        page.txtBase()->selectAll();
        page.txtBase()->paste();
        settle(page.txtBase());
        if (page.lblBase()->text() != QLatin1String("100000"))
            state.SkipWithError(("count not shown: " + page.lblBase()->text().toStdString() +
                                 (page.binding()->pasteIntercepted() ? " i" : " n"))
                                    .c_str());
    }
}
BENCHMARK(BM_PasteAllIntoBase)->Unit(benchmark::kMillisecond);

void BM_PasteAllIntoKillList(benchmark::State& state) {
    Fixture f;
    EntryBox box;
    KillListBinding binding(&box, nullptr, &f.store, f.services());
    box.setHint(QStringLiteral("在此输入、粘贴或导入要杀的直选号码"));
    box.resize(386, 80);
    box.show();
    QApplication::setActiveWindow(&box);
    QApplication::processEvents();
    box.setFocus(Qt::TabFocusReason);
    if (!box.hasFocus()) return state.SkipWithError("box has no focus");
    QGuiApplication::clipboard()->setText(allNumbersText());
    for (auto _ : state) {
        box.selectAll();
        box.paste();
        settle(&box);
        if (box.document()->blockCount() != 20000) state.SkipWithError("not laid out five a line");
    }
}
BENCHMARK(BM_PasteAllIntoKillList)->Unit(benchmark::kMillisecond);

void BM_ImportAllIntoBase(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("all.txt");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("cannot write file");
        file.write(allNumbersText().toUtf8());
    }
    Fixture f;
    PageBase page(&f.store, f.services());
    page.show();
    for (auto _ : state) {
        f.dialogs.results.push_back(FileDialogResult{false, path.toStdString(), "all.txt"});
        page.importBase();
        settle(page.txtBase());
        if (page.lblBase()->text() != QLatin1String("100000")) state.SkipWithError("count not shown");
    }
}
BENCHMARK(BM_ImportAllIntoBase)->Unit(benchmark::kMillisecond);

void BM_UnionOfTwoFullSets(benchmark::State& state) {
    Fixture f;
    PageJoin page(&f.store, f.services());
    page.show();
    const QString all = allNumbersText();
    for (int side = 0; side < 2; ++side) {
        page.txtJoin(side)->setPlainText(all);
        f.store.setCurrentSide(side);
        page.txtJoin(side)->setPlainText(
            QString::fromStdString(f.store.parse(all.toStdString(), ParseTarget::Intersection, false))
                .remove('\r'));
    }
    for (auto _ : state) {
        f.messages.shown.clear();
        page.runOperation(sets::SetOperation::Union);
        settle(page.txtJoin(2));
        if (page.lblJoin(2)->text() != QLatin1String("100000")) state.SkipWithError("count not shown");
    }
}
BENCHMARK(BM_UnionOfTwoFullSets)->Unit(benchmark::kMillisecond);

// A result of 100,000 numbers put into a box, on one line or five a line.
void BM_ResultTextLayout(benchmark::State& state) {
    std::vector<std::uint32_t> values(100000);
    for (std::uint32_t v = 0; v < values.size(); ++v) values[v] = v;
    QString text = QString::fromStdString(formatNumbers(values, static_cast<int>(state.range(0))));
    text.remove('\r');
    NumberBox box;
    box.resize(330, 520);
    box.show();
    for (auto _ : state) {
        box.setPlainText(text);
        settle(&box);
        box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
        settle(&box);
        box.clear();
    }
}
BENCHMARK(BM_ResultTextLayout)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

// One key typed at the end of such a box: a single line is laid out anew.
void BM_ResultTextTyping(benchmark::State& state) {
    std::vector<std::uint32_t> values(100000);
    for (std::uint32_t v = 0; v < values.size(); ++v) values[v] = v;
    QString text = QString::fromStdString(formatNumbers(values, static_cast<int>(state.range(0))));
    text.remove('\r');
    NumberBox box;
    box.resize(330, 520);
    box.show();
    box.setPlainText(text);
    box.moveCursor(QTextCursor::End);
    settle(&box);
    for (auto _ : state) {
        box.insertPlainText(QStringLiteral(" "));
        settle(&box);
    }
}
BENCHMARK(BM_ResultTextTyping)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
