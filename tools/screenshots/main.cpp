// numsift-screenshots: the pictures of the window in docs/, taken of the
// same window the program opens.
//   numsift-screenshots DIR             pages 0 to 4 and a result with page buttons
//   numsift-screenshots --analysis DIR  the backtest page and the number diagnosis
//   numsift-screenshots --groups DIR    the group editor, stacking, result statistics, what-if

#include <QApplication>
#include <QStringList>
#include <QTextStream>

#include "tools/screenshots/analysis_screenshots.h"
#include "tools/screenshots/groups_screenshots.h"
#include "tools/screenshots/screenshots.h"
#include "ui/shell/app_setup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    numsift::setUpApplication(app);
    QStringList args = app.arguments();
    args.removeFirst();
    const bool analysis = args.removeAll(QStringLiteral("--analysis")) > 0;
    const bool groups = args.removeAll(QStringLiteral("--groups")) > 0;
    if (args.size() != 1 || (analysis && groups)) {
        QTextStream(stderr) << "usage: numsift-screenshots [--analysis | --groups] DIR\n";
        return 2;
    }
    if (groups) return numsift::takeGroupsScreenshots(args[0]);
    return analysis ? numsift::takeAnalysisScreenshots(args[0]) : numsift::takeScreenshots(args[0]);
}
