#include "tools/screenshots/trend_screenshots.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPixmap>
#include <QScrollBar>

#include "analysis/draw_history.h"
#include "tools/screenshots/draws_file.h"
#include "tools/screenshots/quiet_desktop.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_trend.h"
#include "ui/analysis/trend_chart.h"
#include "ui/conditions/frame_positional_kill.h"
#include "ui/conditions/frame_sum_span.h"
#include "ui/conditions/page_conditions.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/window_panel.h"

namespace numsift {

int takeTrendScreenshots(const QString& drawsFile, const QString& folder) {
    const std::optional<std::string> draws = drawsFileText(drawsFile);
    if (!draws) return 2;
    QDir().mkpath(folder);
    PrintedMessages messages;
    HeldClipboard clipboard;
    MainWindow w(WindowServices{&messages, &clipboard, nullptr, {}});
    w.history().merge(parseDraws(*draws));
    w.show();

    // A few kills a player took from the chart: 万位 4, 个位 0, 通杀码 7.
    w.conditions().conditionsPage()->positionalKill()->box(0, 4)->setChecked(true);
    w.conditions().conditionsPage()->positionalKill()->box(4, 0)->setChecked(true);
    w.conditions().conditionsPage()->sumSpan()->box(27)->setChecked(true);

    bool ok = true;
    auto save = [&](const char* name) {
        QApplication::processEvents();
        ok = w.grab().save(QDir(folder).filePath(QString::fromLatin1(name))) && ok;
    };
    w.pages().showTrendPage();
    save("window-trend.png");
    // 近50 with 显示遗漏 on: the chart scrolled to its right part (和值, AC,
    // the ratios, the shapes, the patterns missing longest), then page 1.
    w.showOmissionAction()->setChecked(true);
    w.history().setRange(DrawRange::newest(50));
    TrendChart* chart = w.trendPage()->chart();
    chart->horizontalScrollBar()->setValue(chart->horizontalScrollBar()->maximum() - 420);
    save("window-trend-last50.png");
    w.pages().selectTab(1);
    save("window-omission.png");
    return ok ? 0 : 1;
}

}  // namespace numsift
