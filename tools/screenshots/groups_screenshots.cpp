#include "tools/screenshots/groups_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>

#include "conditions/condition_id.h"
#include "conditions/scheme.h"
#include "engine/number.h"
#include "tools/screenshots/quiet_desktop.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/diagnosis_panel.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/page_backtest.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/window_panel.h"
#include "ui/conditions/group_editor.h"
#include "ui/results/set_stats_dialog.h"
#include "ui/results/stack_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"

namespace numsift {

namespace {

// Answers every file dialog with no choice.
class NoFiles : public FileDialogs {
public:
    FileDialogResult run(const FileDialogRequest&) override { return {}; }
};

ColumnId column(const char* caption) { return *columnOfCaption(caption); }

}  // namespace

int takeGroupsScreenshots(const QString& folder) {
    QDir().mkpath(folder);
    PrintedMessages messages;
    HeldClipboard clipboard;
    NoFiles files;
    MainWindow w(WindowServices{&messages, &clipboard, &files, {}});

    // A player's panel: sum tails, spans, two shapes, a ratio, two-code kills;
    // the narrow conditions in a group of their own with tolerance 0.
    FilterInput in;
    in.sumTailKill[0] = in.sumTailKill[5] = true;
    in.spanKill[0] = in.spanKill[1] = true;
    in.shapeKill.set(kShapeAAAAA).set(kShapeRun5);
    in.bigSmallRatio.set(2).set(3);
    in.compound.killTwo.text = "38";
    w.conditions().setFilterInput(in);
    w.conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("1"));
    w.conditions().setToleranceGroups(
        {ToleranceGroup{"形态", Tolerance{0, 0}, {column("AAAAA"), column("5连")}},
         ToleranceGroup{"和跨", Tolerance{0, 1}, {column("杀和尾"), column("杀跨度")}}});
    w.show();
    w.panel().startRun();

    bool ok = true;
    const auto save = [&](QWidget& widget, const char* name) {
        widget.show();
        QApplication::processEvents();
        ok = widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name))) && ok;
    };

    {
        GroupEditor editor(w.conditions().toleranceGroups(), w.conditions().columns(), messages, &w);
        editor.groupList()->setCurrentRow(1);
        save(editor, "window-groups.png");
    }
    {
        QTemporaryDir dir;
        Scheme other = emptyScheme();
        other.input.sumTailKill[1] = other.input.sumTailKill[9] = true;
        other.input.oddEvenRatio.set(0).set(5);
        other.tolerance = Tolerance{0, 0};
        const QString path = dir.filePath(QStringLiteral("奇偶方案.json"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(QByteArray::fromStdString(saveScheme(other)));
        file.close();
        StackDialog stack(w.panel(), files, messages, &w);
        stack.addCurrentPanel();
        ok = stack.addSchemeFrom(path) && ok;
        stack.countBox(0)->setValue(2);
        stack.runStack();
        save(stack, "window-stack.png");
    }
    {
        SetStatsDialog stats(w.panel().results(), clipboard, messages, &w);
        save(stats, "window-result-stats.png");
    }

    QString draws;
    std::uint32_t x = 20260101;
    for (int i = 1; i <= 80; ++i) {
        x = x * 1103515245u + 12345u;
        draws += QStringLiteral("2026%1 %2\n")
                     .arg(i, 3, 10, QLatin1Char('0'))
                     .arg(QString::fromStdString(numberText((x >> 8) % kNumberSpace)));
    }
    PageBacktest* page = w.backtestPage();
    w.pages().showBacktestPage();
    page->draws()->drawsBox()->setPlainText(draws);
    page->runBacktest();
    page->tables()->showWhatIf(true);
    save(w, "window-what-if.png");
    return ok ? 0 : 1;
}

}  // namespace numsift
