#include "tools/screenshots/analysis_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>

#include "conditions/captions.h"
#include "engine/number.h"
#include "tools/screenshots/quiet_desktop.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/diagnosis_panel.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/page_backtest.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/window_panel.h"

namespace numsift {

int takeAnalysisScreenshots(const QString& folder) {
    QDir().mkpath(folder);
    PrintedMessages messages;
    HeldClipboard clipboard;
    MainWindow w(WindowServices{&messages, &clipboard, nullptr, {}});

    // A player's scheme: sum tails 0 and 5, spans 0 and 1, two class
    // patterns, two shapes, 2:3 and 3:2 big/small, tolerance 0 - 1.
    FilterInput in;
    in.sumTailKill[0] = in.sumTailKill[5] = true;
    in.spanKill[0] = in.spanKill[1] = true;
    in.bigSmallKill.set(0).set(31);
    in.shapeKill.set(kShapeAAAAA).set(kShapeRun5);
    in.bigSmallRatio.set(2).set(3);
    in.compound.killTwo.text = "38";
    w.conditions().setFilterInput(in);
    w.conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("1"));
    w.show();
    w.panel().startRun();

    QString draws = QString::fromUtf8("期号 开奖号码\n");
    std::uint32_t x = 20260101;
    for (int i = 1; i <= 80; ++i) {
        x = x * 1103515245u + 12345u;
        const std::string n = numberText((x >> 8) % kNumberSpace);
        draws +=
            i % 3
                ? QStringLiteral("2026%1 %2\n").arg(i, 3, 10, QLatin1Char('0')).arg(QString::fromStdString(n))
                : QStringLiteral("2026%1 %2 %3 %4 %5 %6\n")
                      .arg(i, 3, 10, QLatin1Char('0'))
                      .arg(n[0])
                      .arg(n[1])
                      .arg(n[2])
                      .arg(n[3])
                      .arg(n[4]);
    }
    PageBacktest* page = w.backtestPage();
    w.pages().showBacktestPage();
    page->draws()->drawsBox()->setPlainText(draws);
    page->runBacktest();
    page->diagnosis()->explainBox()->setText(QStringLiteral("55555"));
    page->diagnosis()->explainNumber();

    bool ok = true;
    auto save = [&](const char* name) {
        QApplication::processEvents();
        ok = w.grab().save(QDir(folder).filePath(QString::fromLatin1(name))) && ok;
    };
    save("window-backtest.png");
    // The diagnosis of a draw that the scheme lost.
    const BacktestReport* r = page->tables()->report();
    for (const DrawOutcome& d : r ? r->draws : std::vector<DrawOutcome>{}) {
        if (!d.survives) {
            page->diagnosis()->explainNumber(d.value);
            break;
        }
    }
    ok = page->grab().save(QDir(folder).filePath(QStringLiteral("window-diagnosis.png"))) && ok;
    return ok ? 0 : 1;
}

}  // namespace numsift
