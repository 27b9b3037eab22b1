// numsift: the window. Options: --screenshot <dir> saves pictures of the
// pages and a result and quits (for the documentation).

#include <QApplication>
#include <QStringList>

#include "ui/app_setup.h"
#include "ui/main_window.h"
#include "ui/screenshots.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    numsift::setUpApplication(app);
    const QStringList args = app.arguments();
    const int shot = args.indexOf(QStringLiteral("--screenshot"));
    if (shot >= 0) return numsift::takeScreenshots(shot + 1 < args.size() ? args[shot + 1] : QStringLiteral("."));

    numsift::MainWindow window(numsift::WindowServices{});
    window.centreOnScreen();
    window.show();
    return app.exec();
}
