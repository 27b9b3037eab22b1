// numsift-screenshots: the pictures of the window in docs/, taken of the
// same window the program opens.
//   numsift-screenshots DIR             pages 0 to 4 and a result with page buttons
//   numsift-screenshots --analysis DIR  the backtest page and the number diagnosis
//   numsift-screenshots --trend DRAWS DIR  the trend chart and 显示遗漏 over a draws file
//   numsift-screenshots --groups DIR    the group editor, stacking, result statistics, what-if
//   numsift-screenshots --play DRAWS DIR   生成复式 and the ledger, the newest draws played
//   numsift-screenshots --rules DRAWS DIR  the 规则杀号 page, the rules' kills on page 1, 滚动验证

#include <QApplication>
#include <QStringList>
#include <QTextStream>

#include "tools/screenshots/analysis_screenshots.h"
#include "tools/screenshots/groups_screenshots.h"
#include "tools/screenshots/play_screenshots.h"
#include "tools/screenshots/rules_screenshots.h"
#include "tools/screenshots/screenshots.h"
#include "tools/screenshots/trend_screenshots.h"
#include "ui/shell/app_setup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    numsift::setUpApplication(app);
    QStringList args = app.arguments();
    args.removeFirst();
    const bool analysis = args.removeAll(QStringLiteral("--analysis")) > 0;
    const bool trend = args.removeAll(QStringLiteral("--trend")) > 0;
    const bool groups = args.removeAll(QStringLiteral("--groups")) > 0;
    const bool play = args.removeAll(QStringLiteral("--play")) > 0;
    const bool rules = args.removeAll(QStringLiteral("--rules")) > 0;
    if (args.size() != (trend || play || rules ? 2 : 1) ||
        int(analysis) + int(trend) + int(groups) + int(play) + int(rules) > 1) {
        QTextStream(stderr) << "usage: numsift-screenshots [--analysis | --groups] DIR\n"
                               "       numsift-screenshots --trend | --play | --rules DRAWS DIR\n";
        return 2;
    }
    if (trend) return numsift::takeTrendScreenshots(args[0], args[1]);
    if (play) return numsift::takePlayScreenshots(args[0], args[1]);
    if (rules) return numsift::takeRulesScreenshots(args[0], args[1]);
    if (groups) return numsift::takeGroupsScreenshots(args[0]);
    return analysis ? numsift::takeAnalysisScreenshots(args[0]) : numsift::takeScreenshots(args[0]);
}
