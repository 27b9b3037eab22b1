#include "tools/screenshots/rules_screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "analysis/draw_history.h"
#include "analysis/rule_library.h"
#include "tools/screenshots/draws_file.h"
#include "tools/screenshots/quiet_desktop.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_backtest.h"
#include "ui/analysis/walk_panel.h"
#include "ui/kit/background_work.h"
#include "ui/rules/page_rules.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/window_panel.h"

namespace numsift {

namespace {

// Lets the window's events run until work has delivered or stopped.
void waitFor(const BackgroundWork* work) {
    while (work->running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

}  // namespace

int takeRulesScreenshots(const QString& drawsFile, const QString& folder) {
    const std::optional<std::string> draws = drawsFileText(drawsFile);
    if (!draws) return 2;
    QDir().mkpath(folder);
    PrintedMessages messages;
    HeldClipboard clipboard;
    MainWindow w(WindowServices{&messages, &clipboard, nullptr, {}});
    w.history().merge(parseDraws(*draws));
    w.show();

    bool ok = true;
    auto save = [&](const char* name) {
        QApplication::processEvents();
        ok = w.grab().save(QDir(folder).filePath(QString::fromLatin1(name))) && ok;
    };

    // The page over the newest 100 draws, with a formula of the player's
    // own, two rules in use and the chart of a best-formula rule.
    w.history().setRange(DrawRange::newest(100));
    w.pages().showRulesPage();
    PageRules* page = w.pages().rulesPage();
    page->ownFamily()->setCurrentIndex(0);
    page->ownFormula()->setText(QStringLiteral("3*d1 + d5 + 7"));
    page->addOwnFormula();
    for (const KillRule& rule : {KillRule{RuleFamily::Pos1, RuleKind::Cold, 1, 0, {}},
                                 KillRule{RuleFamily::Any, RuleKind::Hot, 1, 30, {}}}) {
        page->chooseRule(builtInRuleIndex(rule));
        page->useChosenRule();
    }
    page->chooseRule(builtInRuleIndex({RuleFamily::Pos1, RuleKind::BestFormula, 1, 100, {}}));
    waitFor(page->figuresWork());
    waitFor(page->seriesWork());
    save("window-rules.png");

    w.pages().selectTab(1);
    save("window-rule-marks.png");

    // 滚动验证 beside today's check, over the same 100 draws.
    w.pages().showBacktestPage();
    w.backtestPage()->tables()->walkButton()->click();
    waitFor(w.backtestPage()->walk()->work());
    save("window-walk.png");
    return ok ? 0 : 1;
}

}  // namespace numsift
